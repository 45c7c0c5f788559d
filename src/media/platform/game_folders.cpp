// Where the game reads its data and keeps the player's files, chosen once at start-up.
#include "media/platform/game_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

#include "media/core/text.h"

// Where an installed game's data lies, from the executable's folder: set by the build from its install layout.
#ifndef MORVIK_INSTALLED_DATA
#define MORVIK_INSTALLED_DATA "../share/games/morvik"
#endif

namespace {

namespace fs = std::filesystem;

// Relative to the data folder, which is the working directory: the messages name the file as the player sees it
// in the game's folder.
const fs::path kPortableSaves = "bin";

TGameFolders folders = {".", kPortableSaves, false};

bool IsFolder(const fs::path& path) {
  std::error_code failure;
  return fs::is_directory(path, failure);
}

fs::path AbsoluteOrEmpty(const char* value) {
  if (value == nullptr || value[0] != '/') {
    return {};  // unset, empty or relative: XDG says to ignore a relative path
  }
  return value;
}

fs::path HomeFromUserDatabase() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return {};
  }
  return AbsoluteOrEmpty(found->pw_dir);
}

}  // namespace

fs::path PlayerDataFolder(const char* xdgDataHome, const char* home) {
  if (fs::path data = AbsoluteOrEmpty(xdgDataHome); !data.empty()) {
    return data;
  }
  fs::path homeFolder = AbsoluteOrEmpty(home);
  if (homeFolder.empty()) {
    homeFolder = HomeFromUserDatabase();
  }
  return homeFolder.empty() ? fs::path() : homeFolder / ".local/share";
}

TGameFolders ChooseGameFolders(const fs::path& executable, std::string_view installedData, const char* xdgDataHome,
                               const char* home) {
  const fs::path beside = executable.parent_path();
  if (!IsFolder(beside / "gfx")) {
    fs::path installed = (beside / installedData).lexically_normal();
    fs::path player = PlayerDataFolder(xdgDataHome, home);
    // Without a home the player's files have nowhere to go: the game then plays on and warns at each save, as a
    // portable folder that cannot be written does.
    if (IsFolder(installed) && !player.empty()) {
      return {installed, player / "morvik", true};
    }
  }
  return {beside, kPortableSaves, false};
}

bool EnterGameFolder(std::string* error) {
  std::error_code failure;
  fs::path executable = fs::read_symlink("/proc/self/exe", failure);
  if (!failure) {
    TGameFolders chosen =
        ChooseGameFolders(executable, MORVIK_INSTALLED_DATA, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    fs::current_path(chosen.data, failure);
    if (!failure) {
      UseGameFolders(chosen);
    }
  }
  if (failure) {
    if (error != nullptr) {
      *error = "cannot enter the game's folder: " + failure.message();
    }
    return false;
  }
  return true;
}

const TGameFolders& GameFolders() {
  return folders;
}

void UseGameFolders(const TGameFolders& chosen) {
  folders = chosen;
}

std::u16string SavePath(std::u16string_view name) {
  return BytesToText((folders.saves / fs::path(TextToBytes(name))).string());
}

bool MakeSaveFolder(std::string* error) {
  if (!folders.installed) {
    return true;
  }
  // Made one level at a time, so that each new folder gets the player-only mode and an existing one keeps its own.
  fs::path made;
  for (const fs::path& part : folders.saves) {
    made /= part;
    if (mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
      if (error != nullptr) {
        *error = "cannot make the folder \"" + made.string() + "\": " + std::strerror(errno);
      }
      return false;
    }
  }
  return true;
}

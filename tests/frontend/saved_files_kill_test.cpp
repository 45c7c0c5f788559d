// Saves killed at random moments: a child process writes the settings and the progress over and over, switching
// between two versions of each, and is killed a thousand times at random moments. After every kill both files
// must hold one version whole, byte for byte and as the game reads them back.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "controls/control.h"
#include "controls/control_kinds.h"
#include "controls/default_bindings.h"
#include "frontend/menu.h"
#include "shared/game_state.h"
#include "support/game_fixture.h"
#include "support/temp_dir.h"

namespace {

constexpr int kKills = 1000;
// Kills fall anywhere in the first few saves of the child (each save of a file ends with a flush to the disk).
constexpr int kLongestDelayMicros = 8000;

// What a version of the two files holds, as the game sees it after reading them.
struct TSettingsState {
  int32_t soundOn;
  int32_t zoom;
  std::vector<std::u16string> captions;  // the fourteen bindings

  bool operator==(const TSettingsState&) const = default;
};

// Version 0: the defaults with a first cup; version 1 differs in every setting and every level.
void InstallVersion(int version) {
  ResetGame();
  InstallDefaultBindings(-1);
  if (version == 0) {
    Progress = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    return;
  }
  SoundOn = 0;
  Zoom = 4;
  for (int32_t command = 0; command < COMMAND_COUNT; command++) {
    KeyBindings[static_cast<size_t>(command)]->Detach();
    KeyBindings[static_cast<size_t>(command)] = TControlKey::Create(112 + command);  // F1 to F7
    PadBindings[static_cast<size_t>(command)]->Detach();
    PadBindings[static_cast<size_t>(command)] = TControlJoyAxis::Create(0, command % 3, command % 2 ? 1 : -1);
  }
  Progress = {3, 2, 1, 3, 2, 1, 3, 2, 1, 3};
}

TSettingsState CurrentSettings() {
  TSettingsState state{SoundOn, Zoom, {}};
  for (const auto& binding : KeyBindings) {
    state.captions.push_back(u"key " + std::u16string(1, static_cast<char16_t>(binding->key)));
  }
  for (const auto& binding : PadBindings) {
    state.captions.push_back(binding->GetCaption());
  }
  return state;
}

// The game's own reading of the files in the working directory (its warnings about the absent menu pictures
// are not wanted here).
void ReadBackAsTheGameDoes() {
  ResetGame();
  InstallDefaultBindings(-1);
  testing::internal::CaptureStderr();
  Menu::Load();
  testing::internal::GetCapturedStderr();
}

class SavedFilesKillTest : public GameTest {
protected:
  ScopedTempDir dir;
};

}  // namespace

TEST_F(SavedFilesKillTest, AThousandKillsWhileSavingLeaveBothFilesWholeInTheOldOrTheNewVersion) {
  std::filesystem::create_directories(dir.path() / "bin");
  std::string settingsBytes[2];
  std::string progressBytes[2];
  TSettingsState settings[2];
  std::array<int32_t, LEVEL_COUNT> progress[2];
  for (int version = 1; version >= 0; version--) {  // version 0 is the file on disk when the kills begin
    InstallVersion(version);
    settings[version] = CurrentSettings();
    progress[version] = Progress;
    Menu::Save();
    Menu::SaveProgress();
    settingsBytes[version] = dir.Read("bin/settings.dat");
    progressBytes[version] = dir.Read("bin/progress.dat");
  }
  ASSERT_NE(settings[0], settings[1]);
  ASSERT_NE(progress[0], progress[1]);

  std::mt19937 random(20240601);  // a fixed seed: a failure can be repeated
  std::uniform_int_distribution<int> delay(0, kLongestDelayMicros);
  int leftTemporary = 0;
  int settingsSeen[2] = {0, 0};
  int progressSeen[2] = {0, 0};
  for (int attempt = 0; attempt < kKills; attempt++) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int version = 1;; version ^= 1) {
        InstallVersion(version);
        Menu::Save();
        Menu::SaveProgress();
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the saving child ended on its own";

    // A temporary file left behind shows the kill came in the middle of writing one.
    leftTemporary += std::filesystem::exists(dir.path() / "bin/settings.dat.new") ||
                     std::filesystem::exists(dir.path() / "bin/progress.dat.new");
    std::string settingsLeft = dir.Read("bin/settings.dat");
    std::string progressLeft = dir.Read("bin/progress.dat");
    int settingsVersion = settingsLeft == settingsBytes[0] ? 0 : settingsLeft == settingsBytes[1] ? 1 : -1;
    int progressVersion = progressLeft == progressBytes[0] ? 0 : progressLeft == progressBytes[1] ? 1 : -1;
    ASSERT_NE(settingsVersion, -1) << "kill " << attempt << " left settings of " << settingsLeft.size() << " bytes";
    ASSERT_NE(progressVersion, -1) << "kill " << attempt << " left progress of " << progressLeft.size() << " bytes";
    ReadBackAsTheGameDoes();
    ASSERT_EQ(CurrentSettings(), settings[settingsVersion]) << "kill " << attempt;
    ASSERT_EQ(Progress, progress[progressVersion]) << "kill " << attempt;
    settingsSeen[settingsVersion]++;
    progressSeen[progressVersion]++;
  }
  // Both versions must turn up: kills that always found the same file would not show the saves were under way.
  EXPECT_GT(settingsSeen[0], 0);
  EXPECT_GT(settingsSeen[1], 0);
  EXPECT_GT(progressSeen[0], 0);
  EXPECT_GT(progressSeen[1], 0);
  EXPECT_GT(leftTemporary, 0);
  // The figures the reliability report quotes.
  std::printf(
      "crash-safe saves: %d kills, %d in the middle of writing a file; settings read back as the first "
      "version %d times and the second %d; progress %d and %d; none damaged\n",
      kKills, leftTemporary, settingsSeen[0], settingsSeen[1], progressSeen[0], progressSeen[1]);
}

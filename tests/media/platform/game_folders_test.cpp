// The choice between a portable game folder and an installed game, the player's data folder by the XDG rules,
// and the saves folder made on the first save of an installed game only.
#include "media/platform/game_folders.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "media/core/text.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kInstalledData = "../share/games/morvik";

// The layout in use is restored after each test: the others run in a portable folder.
class GameFoldersTest : public ::testing::Test {
protected:
  void TearDown() override { UseGameFolders(before); }

  TGameFolders before = GameFolders();
  ScopedTempDir dir;
};

fs::perms Mode(const fs::path& path) {
  return fs::status(path).permissions() & fs::perms::mask;
}

}  // namespace

TEST_F(GameFoldersTest, DataBesideTheExecutableMakesAPortableFolderThatKeepsTheSavesInItsBin) {
  dir.Write("game/gfx/font.png", "");
  // An installed copy elsewhere does not matter: the data beside the executable wins (a build folder).
  fs::create_directories(dir.path() / "share/games/morvik");
  TGameFolders folders = ChooseGameFolders(dir.path() / "game/morvik", "../share/games/morvik", "/x", "/home/p");
  EXPECT_FALSE(folders.installed);
  EXPECT_EQ(folders.data, dir.path() / "game");
  EXPECT_EQ(folders.saves, "bin");
  UseGameFolders(folders);
  EXPECT_EQ(TextToBytes(SavePath(u"settings.dat")), "bin/settings.dat");
}

TEST_F(GameFoldersTest, AnExecutableAwayFromItsInstalledDataKeepsTheSavesInThePlayersDataFolder) {
  fs::create_directories(dir.path() / "usr/games");
  dir.Write("usr/share/games/morvik/gfx/font.png", "");
  TGameFolders folders = ChooseGameFolders(dir.path() / "usr/games/morvik", kInstalledData, "/data/p", "/home/p");
  EXPECT_TRUE(folders.installed);
  EXPECT_EQ(folders.data, dir.path() / "usr/share/games/morvik");
  EXPECT_EQ(folders.saves, "/data/p/morvik");
  UseGameFolders(folders);
  EXPECT_EQ(TextToBytes(SavePath(u"progress.dat")), "/data/p/morvik/progress.dat");

  // Without $XDG_DATA_HOME, the XDG default under the home folder.
  folders = ChooseGameFolders(dir.path() / "usr/games/morvik", kInstalledData, nullptr, "/home/p");
  EXPECT_EQ(folders.saves, "/home/p/.local/share/morvik");
}

TEST_F(GameFoldersTest, WithNoDataAnywhereTheExecutablesFolderIsUsedSoThatTheMissingFilesAreNamedThere) {
  fs::create_directories(dir.path() / "usr/games");
  TGameFolders folders = ChooseGameFolders(dir.path() / "usr/games/morvik", kInstalledData, "/data/p", "/home/p");
  EXPECT_FALSE(folders.installed);
  EXPECT_EQ(folders.data, dir.path() / "usr/games");
  EXPECT_EQ(folders.saves, "bin");
}

TEST_F(GameFoldersTest, ThePlayersDataFolderFollowsTheXdgRules) {
  EXPECT_EQ(PlayerDataFolder("/data/p", "/home/p"), "/data/p");
  // An empty or relative $XDG_DATA_HOME is ignored, as XDG says.
  EXPECT_EQ(PlayerDataFolder("", "/home/p"), "/home/p/.local/share");
  EXPECT_EQ(PlayerDataFolder("data", "/home/p"), "/home/p/.local/share");
}

// With no usable home folder given either, the user database knows it: the home of the user the game runs as,
// whatever $HOME says meanwhile.
TEST_F(GameFoldersTest, WithoutAUsableHomeTheUserDatabaseNamesTheHomeFolder) {
  const passwd* entry = getpwuid(getuid());
  if (entry == nullptr || entry->pw_dir == nullptr || entry->pw_dir[0] != '/') {
    GTEST_SKIP() << "user " << getuid() << " has no entry with a home folder in the user database";
  }
  const fs::path expected = fs::path(entry->pw_dir) / ".local/share";
  ScopedEnv home("HOME", (dir.path() / "not-the-users-home").string());
  for (const char* given : {static_cast<const char*>(nullptr), "", "home"}) {
    EXPECT_EQ(PlayerDataFolder(nullptr, given), expected) << (given == nullptr ? "no home given" : given);
  }
}

TEST_F(GameFoldersTest, TheSavesFolderIsMadeForThePlayerAloneAndOnlyWhenInstalled) {
  fs::create_directories(dir.path() / "home");
  fs::permissions(dir.path() / "home", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                           fs::perms::others_read | fs::perms::others_exec);
  std::string error;
  UseGameFolders({dir.path(), dir.path() / "home/.local/share/morvik", true});
  ASSERT_TRUE(MakeSaveFolder(&error)) << error;
  EXPECT_TRUE(fs::is_directory(dir.path() / "home/.local/share/morvik"));
  EXPECT_EQ(Mode(dir.path() / "home/.local"), fs::perms::owner_all);
  EXPECT_EQ(Mode(dir.path() / "home/.local/share/morvik"), fs::perms::owner_all);
  EXPECT_EQ(Mode(dir.path() / "home") & fs::perms::others_read, fs::perms::others_read);  // existing: untouched
  ASSERT_TRUE(MakeSaveFolder(&error)) << error;  // once there, it stays as it is

  // A file where a folder should be: the reason names it.
  dir.Write("blocked/.local", "");
  UseGameFolders({dir.path(), dir.path() / "blocked/.local/share/morvik", true});
  EXPECT_FALSE(MakeSaveFolder(&error));
  EXPECT_NE(error.find("blocked/.local/share"), std::string::npos) << error;

  // A portable folder's bin/ belongs to the game: a missing one is not made.
  UseGameFolders({dir.path(), "bin", false});
  EXPECT_TRUE(MakeSaveFolder(&error));
  EXPECT_FALSE(fs::exists(dir.path() / "bin"));
}

// The settings and progress of an installed game: kept in the player's data folder, made on the first save, with
// the defaults shipped in the data folder's bin/ read until then and never written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "controls/control_kinds.h"
#include "controls/default_bindings.h"
#include "frontend/menu.h"
#include "media/platform/game_folders.h"
#include "shared/game_state.h"
#include "support/captured_warnings.h"
#include "support/game_fixture.h"
#include "support/game_folder.h"

namespace {

namespace fs = std::filesystem;

// The working directory plays the installed data folder; the player's files go under home/.
class InstalledSavedFilesTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    fs::create_directories(dir.path() / "home");
    InstallDefaultBindings(-1);
    UseGameFolders({dir.path(), saves, true});
  }
  void TearDown() override {
    UseGameFolders(before);
    GameTest::TearDown();
  }

  TGameFolders before = GameFolders();
  ScopedGameFolder dir;
  fs::path saves = dir.path() / "home/.local/share/morvik";
};

const std::string kShippedSettings =
    "0\r\n3\r\n87\r\n83\r\n68\r\n65\r\n75\r\n73\r\n27\r\n"
    "1 -1 0 0 0.00000000\r\n1 -1 0 0 0.500000000\r\n1 -1 0 0 0.250000000\r\n1 -1 0 0 0.750000000\r\n"
    "0 -1 1 0 0.00000000\r\n0 -1 2 0 0.00000000\r\n0 -1 9 0 0.00000000\r\n0\r\n";

}  // namespace

TEST_F(InstalledSavedFilesTest, TheShippedDefaultsStandUntilThePlayerSavesIntoAFolderOfHisOwn) {
  dir.Write("bin/settings.dat", kShippedSettings);
  dir.Write("bin/progress.dat", "1\n");
  Menu::Load();
  EXPECT_EQ(SoundOn, 0);
  EXPECT_EQ(Zoom, 3);
  EXPECT_EQ(KeyBindings[COMMAND_RIGHT_HAND]->key, 'K');
  EXPECT_EQ(Progress[0], 1);
  EXPECT_FALSE(fs::exists(saves));  // reading makes nothing

  SoundOn = 1;
  Menu::Save();
  Progress[1] = 3;
  Menu::SaveProgress();
  // The shipped lines as the player left them, player 2's after them.
  EXPECT_EQ(dir.Read("home/.local/share/morvik/settings.dat").substr(0, kShippedSettings.size()),
            "1" + kShippedSettings.substr(1));
  EXPECT_EQ(dir.Read("home/.local/share/morvik/progress.dat"), "1\r\n3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(fs::status(saves).permissions() & fs::perms::mask, fs::perms::owner_all);
  EXPECT_FALSE(fs::exists(saves / "settings.dat.new"));
  // The shipped files are as they were, and the player's own are what the next start reads.
  EXPECT_EQ(dir.Read("bin/settings.dat"), kShippedSettings);
  EXPECT_EQ(dir.Read("bin/progress.dat"), "1\n");
  SoundOn = 0;
  Progress[1] = 0;
  Menu::Load();
  EXPECT_EQ(SoundOn, 1);
  EXPECT_EQ(Progress[1], 3);
}

TEST_F(InstalledSavedFilesTest, FullScreenAloneKeepsTheOtherLinesOfWhicheverFileWasRead) {
  dir.Write("bin/settings.dat", kShippedSettings);
  FullScreen = 1;
  Menu::SaveFullScreen();
  std::string saved = dir.Read("home/.local/share/morvik/settings.dat");
  EXPECT_EQ(saved.substr(0, kShippedSettings.size()),
            kShippedSettings.substr(0, kShippedSettings.size() - 3) + "1\r\n");
  // From then on the player's file is the one rewritten.
  dir.Write("bin/settings.dat", "1\r\n1\r\n");
  FullScreen = 0;
  Menu::SaveFullScreen();
  saved = dir.Read("home/.local/share/morvik/settings.dat");
  EXPECT_EQ(saved.substr(0, kShippedSettings.size()), kShippedSettings);
}

TEST_F(InstalledSavedFilesTest, WithNoShippedFilesTheGameDefaultsStandAndTheFirstSaveMakesTheFolder) {
  Menu::Load();
  EXPECT_EQ(SoundOn, 1);
  EXPECT_EQ(Zoom, 2);
  Menu::Save();
  EXPECT_EQ(dir.Read("home/.local/share/morvik/settings.dat").substr(0, 6), "1\r\n2\r\n");
  EXPECT_FALSE(fs::exists(dir.path() / "bin/settings.dat"));
}

TEST_F(InstalledSavedFilesTest, AFolderThatCannotBeMadeIsReportedOnceAndTheGameGoesOn) {
  dir.Write("home/.local", "");  // a file in the way
  TWarnings warning = CaptureWarnings([] { Menu::Save(); });
  EXPECT_TRUE(warning.Says("cannot save \"" + (saves / "settings.dat").string() + "\"")) << warning.text;
  EXPECT_TRUE(warning.Says("cannot make the folder")) << warning.text;
  EXPECT_EQ(warning.Lines(), 1) << warning.text;
}

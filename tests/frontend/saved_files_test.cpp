// The settings and progress files, byte for byte, read defensively, and never half written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/startup.h"
#include "controls/control_kinds.h"
#include "controls/default_bindings.h"
#include "frontend/menu.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "support/captured_warnings.h"
#include "support/game_fixture.h"
#include "support/game_folder.h"
#include "support/overlong_text.h"
#include "support/watchdog.h"

namespace {

class SavedFilesTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    InstallDefaultBindings(-1);
  }
  ScopedGameFolder dir;
};

// The sixteen lines a settings file has always had, at their defaults.
const std::string kDefaultLines =
    "1\r\n2\r\n87\r\n83\r\n68\r\n65\r\n74\r\n73\r\n27\r\n"
    "1 -1 0 0 0.00000000\r\n1 -1 0 0 0.500000000\r\n1 -1 0 0 0.250000000\r\n1 -1 0 0 0.750000000\r\n"
    "0 -1 1 0 0.00000000\r\n0 -1 2 0 0.00000000\r\n0 -1 9 0 0.00000000\r\n";
// Player 2's six keys (the arrows, Right Ctrl, Right Shift), its pad (the hat mirrored: left walks in) and the
// ring of a two-player match, after the full-screen switch.
const std::string kPlayer2Lines =
    "38\r\n40\r\n37\r\n39\r\n163\r\n161\r\n"
    "1 -1 0 0 0.00000000\r\n1 -1 0 0 0.500000000\r\n1 -1 0 0 0.750000000\r\n1 -1 0 0 0.250000000\r\n"
    "0 -1 1 0 0.00000000\r\n0 -1 2 0 0.00000000\r\n0 -1 9 0 0.00000000\r\n0\r\n";
// The online screens' input delay and the address last joined (none yet).
const std::string kOnlineLines = "1\r\n\r\n";
// ... and the full-screen switch after them, then player 2's, then the online screens'.
const std::string kDefaults = kDefaultLines + "0\r\n" + kPlayer2Lines + kOnlineLines;

}  // namespace

TEST_F(SavedFilesTest, TheDefaultsAreWrittenAsThirtyThreeCrLfLines) {
  Menu::Save();
  EXPECT_EQ(dir.Read("bin/settings.dat"), kDefaults);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "bin/settings.dat.new"));
  FullScreen = 1;
  Menu::Save();
  EXPECT_EQ(dir.Read("bin/settings.dat"), kDefaultLines + "1\r\n" + kPlayer2Lines + kOnlineLines);
}

TEST_F(SavedFilesTest, AFileFromBeforeTheFullScreenLineReadsAsAWindowAndTheSameAsEver) {
  const std::string before =
      "0\r\n3\r\n87\r\n83\r\n68\r\n65\r\n75\r\n73\r\n27\r\n"
      "1 -1 0 0 0.00000000\r\n1 -1 0 0 0.500000000\r\n1 -1 0 0 0.250000000\r\n1 -1 0 0 0.750000000\r\n"
      "0 -1 1 0 0.00000000\r\n0 -1 2 0 0.00000000\r\n0 -1 9 0 0.00000000\r\n";
  dir.Write("bin/settings.dat", before);
  Menu::Load();
  EXPECT_EQ(FullScreen, 0);
  EXPECT_EQ(SoundOn, 0);
  EXPECT_EQ(Zoom, 3);
  EXPECT_EQ(KeyBindings[COMMAND_RIGHT_HAND]->key, 'K');
  EXPECT_EQ(PadBindings[COMMAND_PAUSE]->key, 9);
  Menu::Save();
  EXPECT_EQ(dir.Read("bin/settings.dat"), before + "0\r\n" + kPlayer2Lines + kOnlineLines);
}

TEST_F(SavedFilesTest, PlayerTwosLinesReadBackAndAKeyPlayerOneHasIsNotDoubled) {
  KeyBindings2[COMMAND_LEFT_HAND]->Detach();
  KeyBindings2[COMMAND_LEFT_HAND] = TControlKey::Create('M');
  PadBindings2[COMMAND_RIGHT_HAND]->Detach();
  PadBindings2[COMMAND_RIGHT_HAND] = TControlJoyButton::Create(1, 4);
  VersusRing = 7;
  Menu::Save();
  std::string written = dir.Read("bin/settings.dat");
  ResetGame();
  InstallDefaultBindings(-1);
  Menu::Load();
  EXPECT_EQ(KeyBindings2[COMMAND_LEFT_HAND]->key, 'M');
  EXPECT_EQ(KeyBindings2[COMMAND_UP]->key, 38);
  EXPECT_EQ(PadBindings2[COMMAND_RIGHT_HAND]->GetCaption(), u"Joy1Btn5");
  EXPECT_EQ(VersusRing, 7);
  Menu::Save();
  EXPECT_EQ(dir.Read("bin/settings.dat"), written);

  // A file of today's seventeen lines whose player 1 took the Up arrow: player 2 gets the defaults but that one.
  ResetGame();
  InstallDefaultBindings(-1);
  std::string seventeen = kDefaultLines + "0\r\n";
  seventeen.replace(seventeen.find("87\r\n"), 4, "38\r\n");
  dir.Write("bin/settings.dat", seventeen);
  Menu::Load();
  EXPECT_EQ(KeyBindings[COMMAND_UP]->key, 38);
  EXPECT_EQ(KeyBindings2[COMMAND_UP]->key, 0);
  EXPECT_EQ(KeyBindings2[COMMAND_DOWN]->key, 40);
  EXPECT_EQ(VersusRing, 0);
  // A ring outside the ten is kept within them.
  dir.Write("bin/settings.dat", kDefaultLines + "0\r\n" + kPlayer2Lines.substr(0, kPlayer2Lines.size() - 3) + "42\r\n");
  Menu::Load();
  EXPECT_EQ(VersusRing, 9);
}

// The online screens' choices come back as saved; a delay out of range is kept within it, and an address line the
// game cannot have written (too long, or with characters no address holds) is not offered to the player.
TEST_F(SavedFilesTest, TheOnlineChoicesComeBackAndAForeignAddressDoesNot) {
  OnlineInputDelay = 3;
  OnlineAddress = "ringside.example.org:7700";
  Menu::Save();
  ResetGame();
  InstallDefaultBindings(-1);
  Menu::Load();
  EXPECT_EQ(OnlineInputDelay, 3);
  EXPECT_EQ(OnlineAddress, "ringside.example.org:7700");

  std::string file = kDefaultLines + "0\r\n" + kPlayer2Lines;
  for (const char* address : {"evil\x1b[2Jhost", "a b", "\xff\xfe", "x/../y"}) {
    dir.Write("bin/settings.dat", file + "9\r\n" + address + "\r\n");
    Menu::Load();
    EXPECT_EQ(OnlineInputDelay, ONLINE_MAX_INPUT_DELAY);
    EXPECT_EQ(OnlineAddress, "") << address;
  }
  dir.Write("bin/settings.dat", file + "-2\r\n" + std::string(81, 'a') + "\r\n");
  Menu::Load();
  EXPECT_EQ(OnlineInputDelay, 0);
  EXPECT_EQ(OnlineAddress, "");
}

TEST_F(SavedFilesTest, LineSeventeenIsFullScreenOnlyWhenItReadsOne) {
  struct TCase {
    const char* line;
    int32_t fullScreen;
  };
  for (TCase c : {TCase{"1", 1},
                  {"1\r", 1},
                  {" 1", 1},
                  {"+1", 1},
                  {"1 and more", 1},
                  {"0", 0},
                  {"2", 0},
                  {"-1", 0},
                  {"x", 0},
                  {"", 0},
                  {"99999999999", 0},
                  {"\xff\x01", 0}}) {
    ResetGame();
    InstallDefaultBindings(-1);
    dir.Write("bin/settings.dat", kDefaultLines + c.line + "\n");
    Menu::Load();
    EXPECT_EQ(FullScreen, c.fullScreen) << "line 17: \"" << c.line << "\"";
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(Zoom, 2);
  }
}

TEST_F(SavedFilesTest, TheFullScreenSaveSetsItsLineAndKeepsTheOthersAsTheFileHasThem) {
  // No file yet: the game's settings as they are.
  FullScreen = 1;
  Menu::SaveFullScreen();
  EXPECT_EQ(dir.Read("bin/settings.dat"), kDefaultLines + "1\r\n" + kPlayer2Lines + kOnlineLines);

  // A change still pending on the settings screen is not saved by the switch, and a file from before gains the
  // line without losing any of its own.
  dir.Write("bin/settings.dat",
            "0\n4\n87\n83\n68\n65\n74\n73\n27\n"
            "1 0 0 0 0.00000000\n1 0 0 0 0.500000000\n1 0 0 0 0.250000000\n1 0 0 0 0.750000000\n"
            "0 0 1 0 0.00000000\n0 0 2 0 0.00000000\n0 0 9 0 0.00000000\n");
  Menu::Load();
  SoundOn = 1;
  Zoom = 1;
  Menu::SaveFullScreen();
  std::string written = dir.Read("bin/settings.dat");
  EXPECT_EQ(written.substr(0, 6), "0\r\n4\r\n");
  EXPECT_NE(written.find("\r\n1 0 0 0 0.500000000\r\n"), std::string::npos);
  EXPECT_EQ(written.substr(written.size() - kPlayer2Lines.size() - kOnlineLines.size() - 3, 3), "1\r\n");
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 33);

  // A short file gets the rest from the game.
  dir.Write("bin/settings.dat", "0\n3\n");
  FullScreen = 0;
  Menu::SaveFullScreen();
  written = dir.Read("bin/settings.dat");
  EXPECT_EQ(written.substr(0, 6), "0\r\n3\r\n");
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 33);
  EXPECT_EQ(written.substr(written.size() - kPlayer2Lines.size() - kOnlineLines.size() - 3, 3), "0\r\n");
}

TEST_F(SavedFilesTest, EveryKindOfBindingReadsBackAsItWasWritten) {
  SoundOn = 0;
  Zoom = 3;
  PadBindings[COMMAND_UP] = TControlJoyHat::Create(0, 0.25f);
  PadBindings[COMMAND_DOWN] = TControlJoyAxis::Create(0, 1, -1);
  PadBindings[COMMAND_RIGHT_HAND] = TControlJoyButton::Create(1, 2);
  KeyBindings[COMMAND_LEFT_HAND] = TControlKey::Create(160);
  Menu::Save();
  std::string written = dir.Read("bin/settings.dat");
  EXPECT_NE(written.find("\r\n1 0 0 0 0.250000000\r\n2 0 0 1 -1.00000000\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\n0 1 2 0 0.00000000\r\n"), std::string::npos);

  ResetGame();
  InstallDefaultBindings(-1);
  Menu::Load();
  EXPECT_EQ(SoundOn, 0);
  EXPECT_EQ(Zoom, 3);
  EXPECT_EQ(PadBindings[COMMAND_UP]->GetCaption(), u"Joy0Right");
  EXPECT_EQ(PadBindings[COMMAND_UP]->dir, 0.25f);
  EXPECT_EQ(PadBindings[COMMAND_DOWN]->GetCaption(), u"Joy0Y-");
  EXPECT_EQ(PadBindings[COMMAND_DOWN]->dir, -1.0f);
  EXPECT_EQ(PadBindings[COMMAND_RIGHT_HAND]->GetCaption(), u"Joy1Btn3");
  EXPECT_EQ(KeyBindings[COMMAND_LEFT_HAND]->key, 160);
  // The bindings read replace the defaults on the update list, not beside them: seven of each kind for each
  // player.
  EXPECT_EQ(AttachedControls.size(), 28u);
  Menu::Save();
  EXPECT_EQ(dir.Read("bin/settings.dat"), written);
}

TEST_F(SavedFilesTest, AShortFileSetsOnlyWhatItHasAndTheRestKeepsItsDefaults) {
  dir.Write("bin/settings.dat", "0\n3\n");
  Menu::Load();
  EXPECT_EQ(SoundOn, 0);
  EXPECT_EQ(Zoom, 3);
  EXPECT_EQ(KeyBindings[COMMAND_UP]->key, 'W');
  EXPECT_EQ(PadBindings[COMMAND_PAUSE]->key, 9);
}

TEST_F(SavedFilesTest, ValuesOutsideTheirRangesAreClampedOrRefused) {
  dir.Write("bin/settings.dat",
            "7\n9\n300\n-1\nx\n65\n74\n73\n27\n"
            "0 0 3\n"       // two fields missing: read as 0
            "1 0  0.5 0\n"  // two spaces: an empty field, so the direction lands in the axis field
            "5 0 0 0 0\n"   // no such kind: the command has no working pad binding
            "2 0 0 2 1.00000000\n"
            "0 0 1 0 0\n0 0 2 0 0\n0 0 9 0 0\n"
            "an extra line\n");
  Menu::Load();
  EXPECT_EQ(SoundOn, 1);
  EXPECT_EQ(Zoom, 4);
  EXPECT_EQ(KeyBindings[COMMAND_UP]->key, 'W');     // 300 is no key: kept
  EXPECT_EQ(KeyBindings[COMMAND_DOWN]->key, 'S');   // -1 too
  EXPECT_EQ(KeyBindings[COMMAND_FORWARD]->key, 0);  // no number reads as code 0
  EXPECT_EQ(PadBindings[COMMAND_UP]->GetCaption(), u"Joy0Btn4");
  EXPECT_EQ(PadBindings[COMMAND_DOWN]->GetCaption(), u"Joy0Up");
  auto forward = PadBindings[COMMAND_FORWARD];
  EXPECT_EQ(forward->GetCaption(), u"Joy-1Right");  // the old binding, no longer updated
  EXPECT_EQ(std::count(AttachedControls.begin(), AttachedControls.end(), forward), 0);
  EXPECT_EQ(PadBindings[COMMAND_BACKWARD]->GetCaption(), u"Joy0Z+");
  dir.Write("bin/progress.dat", "3\n-2\n9\n1\n0\n0\n0\n0\n0\n2\n3\n");
  Menu::Load();
  EXPECT_EQ(Progress, (std::array<int32_t, 10>{3, 0, 3, 1, 0, 0, 0, 0, 0, 2}));
}

TEST_F(SavedFilesTest, ProgressIsOneLinePerLevel) {
  Progress[3] = 2;
  Progress[9] = 3;
  Menu::SaveProgress();
  EXPECT_EQ(dir.Read("bin/progress.dat"), "0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n3\r\n");
  Progress = {};
  Menu::Load();
  EXPECT_EQ(Progress[3], 2);
  EXPECT_EQ(Progress[9], 3);
}

TEST_F(SavedFilesTest, ASaveThatCannotBeWrittenWarnsOnceAndKeepsTheOldFile) {
  dir.Write("bin/progress.dat", "1\n");
  std::filesystem::permissions(dir.path() / "bin",
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  bool canWrite = access((dir.path() / "bin").c_str(), W_OK) == 0;  // root may write anyway
  TWarnings warning = CaptureWarnings([] { Menu::SaveProgress(); });
  std::filesystem::permissions(dir.path() / "bin", std::filesystem::perms::owner_all);
  if (!canWrite) {
    EXPECT_TRUE(warning.Says("bin/progress.dat")) << warning.text;
    EXPECT_EQ(dir.Read("bin/progress.dat"), "1\n");
  }
  std::filesystem::remove_all(dir.path() / "bin");
  warning = CaptureWarnings([] { Menu::Save(); });
  EXPECT_TRUE(warning.Says("cannot save \"bin/settings.dat\"")) << warning.text;
  EXPECT_EQ(warning.Lines(), 1) << warning.text;
}

TEST_F(SavedFilesTest, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
  Menu::Save();
  const std::string soundOn = dir.Read("bin/settings.dat");
  SoundOn = 0;
  Menu::Save();
  const std::string soundOff = dir.Read("bin/settings.dat");
  for (int attempt = 0; attempt < 20; attempt++) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The child saves one setting and the other as fast as it can until it is killed.
      for (int32_t i = 0;; i++) {
        SoundOn = i % 2;
        Menu::Save();
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(300 + 700 * attempt));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    std::string left = dir.Read("bin/settings.dat");
    EXPECT_TRUE(left == soundOn || left == soundOff) << "attempt " << attempt << " left " << left.size() << " bytes";
  }
}

TEST_F(SavedFilesTest, WhatIsNotAFileWarnsOnceAndTheDefaultsStand) {
  ScopedWatchdog watchdog("reading settings from a named pipe");
  ASSERT_EQ(mkfifo("bin/settings.dat", 0644), 0);
  std::filesystem::create_directory("bin/progress.dat");
  TWarnings warnings = CaptureWarnings([] { Menu::Load(); });
  EXPECT_EQ(warnings.Mentions("cannot read \"bin/settings.dat\": not a regular file (a named pipe)"), 1)
      << warnings.text;
  EXPECT_EQ(warnings.Mentions("cannot read \"bin/progress.dat\": not a regular file (a directory)"), 1)
      << warnings.text;
  EXPECT_EQ(warnings.Mentions("bin/settings.dat") + warnings.Mentions("bin/progress.dat"), 2) << warnings.text;
  EXPECT_EQ(SoundOn, 1);
  EXPECT_EQ(Zoom, 2);
  EXPECT_EQ(Progress[0], 0);
  // The first save puts a settings file in the pipe's place.
  Menu::Save();
  EXPECT_EQ(dir.Read("bin/settings.dat"), kDefaults);
}

TEST_F(SavedFilesTest, AFileLongerThanAnyTheGameWritesIsReadFromItsStartWithOneWarning) {
  // Sound off and zoom 3, then a key line far longer than the reading limit.
  dir.Write("bin/settings.dat", PastTheReadingLimit("0\r\n3\r\n65", "x", "\r\n84\r\n"));
  dir.Write("bin/progress.dat", PastTheReadingLimit("3\r\n", "\r", "2\r\n"));
  TWarnings warnings = CaptureWarnings([] { Menu::Load(); });
  EXPECT_TRUE(warnings.Says("\"bin/settings.dat\" is longer than 65536 bytes")) << warnings.text;
  EXPECT_TRUE(warnings.Says("\"bin/progress.dat\" is longer than 65536 bytes")) << warnings.text;
  EXPECT_EQ(warnings.Mentions("bin/settings.dat"), 1) << warnings.text;
  EXPECT_EQ(warnings.Mentions("bin/progress.dat"), 1) << warnings.text;
  EXPECT_EQ(SoundOn, 0);
  EXPECT_EQ(Zoom, 3);
  EXPECT_EQ(KeyBindings[0]->key, 65);  // the long line is read as far as the limit
  EXPECT_EQ(KeyBindings[1]->key, 83);  // the default: the line with 84 lies beyond the limit
  EXPECT_EQ(Progress[0], 3);
  EXPECT_EQ(Progress[1], 0);  // the second line lies beyond the limit
  // Files of the game's own length say nothing.
  Menu::Save();
  Menu::SaveProgress();
  EXPECT_EQ(CaptureWarnings([] { Menu::Load(); }).Mentions("longer than"), 0);
}

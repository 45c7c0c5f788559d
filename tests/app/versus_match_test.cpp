// Whole matches of two players from the main menu: both join on the versus screen, then fight through their own
// bindings pressed in the same frames (keyboard and keyboard, keyboard and pad, pad and pad, the pads SDL's own
// virtual joysticks) to a knockout; the result names the winner, Rematch starts again, and the tournament's
// progress is never touched. Also the computer's demonstration on an idle main screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/side_devices.h"
#include "frontend/menu.h"
#include "media/core/text.h"
#include "media/input/key_codes.h"
#include "media/platform/sdl_gamepads.h"
#include "netplay/replay_player.h"
#include "shared/game_state.h"
#include "support/headless_game.h"
#include "support/shipped_roster.h"
#include "support/temp_dir.h"
#include "support/virtual_pads.h"

namespace {

constexpr int kPunchEvery = 12;  // frames between two presses of the attacker's punch
constexpr int kWalkFrames = 60;  // of each cycle the attacker walks in, then punches for the rest
constexpr int kCycleFrames = 150;
constexpr int kMatchFrames = 60000;  // twenty minutes of play: far more than any of these matches takes

// One player's inputs that matter here: walking in, guarding high (its punches go to the head, over a middle
// guard) and the right hand, on whatever device it plays.
struct THands {
  std::function<void(bool)> walkIn;
  std::function<void(bool)> high;
  std::function<void(bool)> punch;
};

class VersusMatchTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    std::filesystem::create_directories(dir.path() / "bin");
    SmallFont = GameFont;
    ASSERT_TRUE(StartSDLPads());
    if (std::string others = OtherJoysticks(); !others.empty()) {
      GTEST_SKIP() << "another pad is plugged in (" << others << "): these tests count the pads";
    }
    RunFrame();
  }
  void TearDown() override {
    pads[0].reset();
    pads[1].reset();
    StopSDLPads();
    HeadlessGameTest::TearDown();
  }

  THands Keys(int32_t walkIn, int32_t high, int32_t punch) {
    auto key = [this](int32_t code) { return [this, code](bool down) { down ? KeyDown(code) : KeyUp(code); }; };
    return {key(walkIn), key(high), key(punch)};
  }
  // A pad SDL knows: its A punches with the right hand, its d-pad walks (rightwards for the left side).
  THands Pad(TVirtualPad* pad, int32_t walkIn) {
    auto button = [pad](int32_t button) { return [pad, button](bool down) { pad->SetButton(button, down); }; };
    return {button(walkIn), button(VIRTUAL_DPAD_UP), button(VIRTUAL_A)};
  }
  void Join(const THands& hands) {
    hands.punch(true);
    RunFrame();
    hands.punch(false);
    RunFrame();
  }
  void OpenVersus() {
    MainCursor = 2;
    Tap(KEY_ENTER);
    RunFrame();
    ASSERT_EQ(MenuScreen, MENU_VERSUS_MODES);
    Tap(KEY_ENTER);  // "Two players here"
    RunFrame();
    ASSERT_EQ(MenuScreen, MENU_VERSUS);
  }
  // The attacker walks in, then guards high and punches (a guard held stops a walk), over and over until the
  // match is decided; the other side stands. True once the result shows.
  bool FightUntilTheResult(const THands& attacker) {
    for (int frame = 0; frame < kMatchFrames; frame++) {
      int phase = frame % kCycleFrames;
      attacker.walkIn(phase < kWalkFrames);
      attacker.high(phase >= kWalkFrames);
      attacker.punch(phase >= kWalkFrames && phase % kPunchEvery == 0);
      RunFrame();
      if (Shows(u"Rematch")) {
        attacker.walkIn(false);
        attacker.high(false);
        attacker.punch(false);
        RunFrame();
        return true;
      }
    }
    return false;
  }
  void ExpectProgressUntouched() {
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "bin/progress.dat"));
    for (int32_t margin : Progress) {
      EXPECT_EQ(margin, 0);
    }
  }

  // The decided match was written to the replays, and plays back to the same end with every hash agreeing.
  void ExpectTheMatchReplays() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "bin/replays")) {
      files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(files[0].string().ends_with("-local.txt"));
    TReplay replay;
    std::string error;
    ASSERT_TRUE(LoadReplay(BytesToText(files[0].string()), &replay, &error)) << error;
    EXPECT_EQ(replay.winner, 1);
    TReplayPlayer player(std::move(replay));
    while (player.Step()) {
    }
    EXPECT_TRUE(player.Done());
    EXPECT_EQ(player.MismatchTick(), -1);
    EXPECT_EQ(player.Fight().Winner(), 1);
  }

  ScopedTempDir dir;
  std::unique_ptr<TVirtualPad> pads[2];
};

}  // namespace

TEST_F(VersusMatchTest, TwoPlayersAtOneKeyboardFightToTheResultAndARematch) {
  OpenVersus();
  THands one = Keys('D', 'W', 'J');
  THands two = Keys(KEY_LEFT, KEY_UP, KEY_RCONTROL);  // player 2 walks in leftwards
  Join(one);
  EXPECT_EQ(SideDevices[0].kind, DEVICE_KEYBOARD);
  EXPECT_EQ(GameState, GAMESTATE_NONE);  // one side joined: no fight yet
  EXPECT_TRUE(Shows(u"Keyboard"));
  Join(two);
  EXPECT_EQ(SideDevices[1].kind, DEVICE_KEYBOARD_2);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }, 200));
  RunFrame();
  EXPECT_TRUE(Shows(u"P1"));
  EXPECT_TRUE(Shows(u"P2"));
  EXPECT_TRUE(Shows(u"Keyboard 2"));  // the card over the first countdown names what each player plays with
  ASSERT_TRUE(FightUntilTheResult(two));
  EXPECT_TRUE(Shows(u"Player 2 wins 3:0"));
  ExpectProgressUntouched();
  ExpectTheMatchReplays();
  // Enter at once chooses nothing: the result stays up a while, whatever is still being pressed.
  Tap(KEY_ENTER);
  RunFrames(2);
  EXPECT_TRUE(Shows(u"Player 2 wins 3:0"));
  // Then Rematch, the first row: a new match counts down its first round.
  RunFrames(100);
  Tap(KEY_ENTER);
  RunFrames(2);
  EXPECT_FALSE(Shows(u"Rematch"));
  EXPECT_TRUE(Shows(u"Round 1"));
  EXPECT_TRUE(Shows(u"0:0"));
}

TEST_F(VersusMatchTest, AKeyboardAgainstAPadAndEitherPlayersPausesTheMatch) {
  pads[0] = TVirtualPad::AttachController();
  ASSERT_NE(pads[0], nullptr);
  RunFrame();
  OpenVersus();
  Join(Keys('D', 'W', 'J'));
  THands pad = Pad(pads[0].get(), VIRTUAL_DPAD_LEFT);
  Join(pad);
  EXPECT_EQ(SideDevices[1].kind, DEVICE_PAD);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }, 200));
  RunFrame();  // the bindings, flushed as the fight began, have seen everything released
  // The pad's Start pauses the match, and the pad's Start goes on with it.
  pads[0]->SetButton(VIRTUAL_START, true);
  RunFrame();
  pads[0]->SetButton(VIRTUAL_START, false);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
  pads[0]->SetButton(VIRTUAL_START, true);
  RunFrame();
  pads[0]->SetButton(VIRTUAL_START, false);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);
  ASSERT_TRUE(FightUntilTheResult(pad));
  EXPECT_TRUE(Shows(u"Player 2 wins 3:0"));
  ExpectProgressUntouched();
}

TEST_F(VersusMatchTest, TwoPadsEachPlayTheirOwnSide) {
  pads[0] = TVirtualPad::AttachController();
  pads[1] = TVirtualPad::AttachController();
  ASSERT_NE(pads[1], nullptr);
  RunFrame();
  OpenVersus();
  THands first = Pad(pads[0].get(), VIRTUAL_DPAD_RIGHT);
  THands second = Pad(pads[1].get(), VIRTUAL_DPAD_LEFT);
  Join(first);
  Join(second);
  ASSERT_EQ(SideDevices[0].kind, DEVICE_PAD);
  ASSERT_EQ(SideDevices[1].kind, DEVICE_PAD);
  EXPECT_NE(SideDevices[0].padId, SideDevices[1].padId);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }, 200));
  ASSERT_TRUE(FightUntilTheResult(first));
  EXPECT_TRUE(Shows(u"Player 1 wins 3:0"));
  ExpectProgressUntouched();
  // Back leads to the main screen.
  RunFrames(100);
  Tap(KEY_DOWN);
  RunFrame();
  Tap(KEY_ENTER);
  ASSERT_TRUE(RunUntil([] { return MenuState == MENUSTATE_SHOWN; }, 200));
  EXPECT_EQ(MenuScreen, MENU_MAIN);
}

TEST_F(VersusMatchTest, AnIdleMainScreenShowsTheComputerFightingItselfUntilAKey) {
  LoadShippedRoster();
  RunFrames(1400);  // 28 s
  EXPECT_EQ(Versus, VERSUS_NONE);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }, 300));
  EXPECT_EQ(Versus, VERSUS_DEMO);
  RunFrames(500);  // through the countdown into the fight
  EXPECT_TRUE(Shows(u"Demonstration: press any key"));
  Tap('Q');
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_OVER);
  ASSERT_TRUE(RunUntil([] { return MenuState == MENUSTATE_SHOWN; }, 200));
  EXPECT_EQ(MenuScreen, MENU_MAIN);
  ExpectProgressUntouched();
}

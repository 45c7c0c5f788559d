// A press acts only where it was made: presses counted while nothing listened are dropped whenever a menu or a
// screen becomes ready for input. And a game that loses the focus in a countdown or a fight stops in the pause
// menu. Each sequence is played frame by frame with the window's own key events.
#include <gtest/gtest.h>

#include <filesystem>

#include "fighters/figure.h"
#include "frontend/menu.h"
#include "media/core/events.h"
#include "media/input/gamepad.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"
#include "support/fake_pads.h"
#include "support/game_folder.h"
#include "support/headless_game.h"

namespace {

constexpr int32_t kRightHand = 'J';
constexpr int32_t kForward = 'D';

class InputContextTest : public HeadlessGameTest {
protected:
  void Fight() {
    StartTournament(0);
    ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  }
  // Pauses the fight with Escape and runs one more frame with the pause menu up.
  void Pause() {
    Tap(KEY_ESCAPE);
    RunFrame();
    ASSERT_EQ(GameState, GAMESTATE_PAUSED);
    RunFrame();
  }
  // Ends the fight through the pause menu: the menu starts sliding back in with input locked.
  void EndMatch() {
    Pause();
    Tap(KEY_UP);  // the last row
    RunFrame();
    Tap(KEY_ENTER);
    RunFrame();
    ASSERT_EQ(MenuState, MENUSTATE_SLIDING_IN);
  }
  void LoseFocus() { EmitEvent(TEvent{EVENT_APPSUSPEND, nullptr, 0, 0, 0, 0}); }
  void RegainFocus() { EmitEvent(TEvent{EVENT_APPRESUME, nullptr, 0, 0, 0, 0}); }
  ScopedGameFolder dir;
};

}  // namespace

TEST_F(InputContextTest, PressesMadeInAFightDoNotActInThePauseMenuOpenedLater) {
  // Enter tapped in the fight: the pause menu opened later shows, "Continue" does not fire by itself.
  Fight();
  Tap(KEY_ENTER);
  RunFrames(10);
  Pause();
  RunFrames(5);
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
  EXPECT_TRUE(Shows(u"Continue"));

  // The cursor key tapped in the fight does not preselect "End match".
  Tap(KEY_ESCAPE);
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_FIGHT);
  Tap(KEY_DOWN);
  RunFrames(10);
  Pause();
  EXPECT_EQ(PauseChoice, 0);

  // Enter and the cursor keys together in the fight: the match does not end when the pause menu opens.
  Tap(KEY_ESCAPE);
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_FIGHT);
  Tap(KEY_DOWN);
  Tap(KEY_UP);
  Tap(KEY_DOWN);
  Tap(KEY_ENTER);
  RunFrames(10);
  Pause();
  RunFrames(5);
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
  EXPECT_EQ(PauseChoice, 0);
  EXPECT_EQ(MenuState, MENUSTATE_HIDDEN);

  // A press made in the open pause menu still works there.
  Tap(KEY_DOWN);
  RunFrame();
  EXPECT_EQ(PauseChoice, 1);
}

TEST_F(InputContextTest, APunchTappedWhileTheMenuSlidesInStartsNoMatch) {
  Fight();
  MenuScreen = MENU_MAIN;
  MainCursor = 1;  // "Training": a confirm here would start a match
  EndMatch();
  RunFrames(20);
  Tap(kRightHand);
  Tap(KEY_ENTER);
  ASSERT_TRUE(RunUntil([] { return MenuState == MENUSTATE_SHOWN; }));
  RunFrames(10);
  EXPECT_EQ(GameState, GAMESTATE_OVER);
  EXPECT_EQ(MenuState, MENUSTATE_SHOWN);
  // Once the menu is in place a press acts at once.
  Tap(kRightHand);
  RunFrame();
  EXPECT_EQ(MenuState, MENUSTATE_SLIDING_OUT);
}

TEST_F(InputContextTest, AStepTappedWhileTheMenuSlidesInDoesNotChangeTheLevel) {
  Fight();
  MenuScreen = MENU_TOURNAMENT;
  LevelCursor = 0;
  EndMatch();
  RunFrames(20);
  Tap(kForward);
  Tap(KEY_RIGHT);
  ASSERT_TRUE(RunUntil([] { return MenuState == MENUSTATE_SHOWN; }));
  RunFrames(10);
  EXPECT_EQ(LevelCursor, 0);
  Tap(kForward);
  RunFrame();
  EXPECT_EQ(LevelCursor, 1);
}

TEST_F(InputContextTest, PressesOnOneScreenDoNotActOnTheNext) {
  // S (Down) and the cursor key in one frame: the menu reads the first and leaves the cursor key for later. Enter
  // in the same frame opens the controls screen, whose cursor the left-over press must not move.
  MainCursor = 2;
  RunFrame();
  Tap('S');
  Tap(KEY_DOWN);
  Tap(KEY_ENTER);
  RunFrame();
  ASSERT_EQ(MenuScreen, MENU_CONTROLS);
  RunFrames(3);
  EXPECT_EQ(SubCursor, 0);
  // Back to the main screen the same way: S moves the cursor onto "Back", Enter leaves, and the main screen's
  // cursor stays on "Controls".
  Tap(KEY_UP);
  RunFrame();
  Tap(KEY_UP);
  RunFrame();
  ASSERT_EQ(SubCursor, 3);
  Tap('S');
  Tap(KEY_DOWN);
  Tap(KEY_ENTER);
  RunFrame();
  ASSERT_EQ(MenuScreen, MENU_MAIN);
  RunFrames(3);
  EXPECT_EQ(MainCursor, 3);
}

TEST_F(InputContextTest, KeysTappedWhileAControlsScreenWaitsDoNotMoveItsCursorAfterwards) {
  TFakePads pads{1};
  StartWithPads(pads);
  MenuScreen = MENU_GAMEPAD;
  RunFrame();
  Tap(KEY_ENTER);
  RunFrame();
  ASSERT_EQ(InputLock, 1);
  for (int i = 0; i < 3; i++) {
    Tap(KEY_DOWN);
    RunFrame();
  }
  Tap(KEY_ESCAPE);
  RunFrame();
  ASSERT_EQ(InputLock, 0);
  RunFrames(5);
  EXPECT_EQ(SubCursor, 0);
}

TEST_F(InputContextTest, LosingTheFocusInAFightOrACountdownOpensThePauseMenu) {
  Fight();
  LoseFocus();
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
  EXPECT_TRUE(Shows(u"Continue"));
  // Nothing resumes by itself.
  RegainFocus();
  RunFrames(50);
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
  Tap(KEY_ENTER);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);
}

TEST_F(InputContextTest, APausedCountdownGoesOnFromWhereItStopped) {
  StartTournament(0);
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_COUNTDOWN);
  RunFrames(100);  // two of the five seconds
  LoseFocus();
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_PAUSED);
  RunFrames(500);   // ten seconds away
  Tap(KEY_ESCAPE);  // Pause closes the pause menu as it does in a fight
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_TRUE(Shows(u"3"));
  RunFrames(140);
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }, 20));
}

TEST_F(InputContextTest, AFocusLostInTheMenusIsNotHeldAgainstTheNextFight) {
  LoseFocus();
  RegainFocus();
  RunFrame();
  StartTournament(0);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  RunFrames(5);
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);
  // Nor outside a countdown or fight: the round-over pause and the wait go on.
  Fighters[1]->health = 0;
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_ROUND_OVER);
  LoseFocus();
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_ROUND_OVER);
}

TEST_F(InputContextTest, AHealthBarKeepsOnePixelWhileTheFighterStands) {
  Fight();
  Fighters[0]->maxhealth = 300;
  Fighters[0]->health = 1;  // 150 / 300 of a pixel
  Fighters[1]->maxhealth = 300;
  Fighters[1]->health = 0;
  GameState = GAMESTATE_ROUND_OVER;
  StateTime = clock.Now();
  RunFrame();
  auto green = RectsIn(0, 255, 0);
  ASSERT_EQ(green.size(), 2u);
  EXPECT_EQ(green[0].Left(), 10);
  EXPECT_EQ(green[0].Right(), 11);
  EXPECT_EQ(green[1].Right() - green[1].Left(), 0);  // a fighter who is down has an empty bar
  Fighters[0]->health = 0;
  Fighters[1]->health = 2;
  RunFrame();
  green = RectsIn(0, 255, 0);
  ASSERT_EQ(green.size(), 2u);
  EXPECT_EQ(green[0].Right() - green[0].Left(), 0);
  EXPECT_EQ(green[1].Left(), 389);  // the opponent's grows leftwards from 390
  EXPECT_EQ(green[1].Right(), 390);
}

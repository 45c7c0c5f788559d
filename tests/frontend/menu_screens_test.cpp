// The menu screens driven frame by frame with key presses, as a player would.
#include <gtest/gtest.h>

#include <filesystem>

#include "controls/control_kinds.h"
#include "fighters/figure.h"
#include "frontend/menu.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"
#include "support/game_folder.h"
#include "support/headless_game.h"

namespace {

class MenuScreensTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();  // the menu's cursors and scroll positions start at 0 there
    CupImage = TImage::Create(64, 64, 3, 0);
    for (int32_t cell = 0; cell < 3; cell++) {
      CupImage->SetPixmap(cell, TPixmap::Create(1, 1, TPixmap::FORMAT_RGBA8888));
    }
  }
  void TearDown() override {
    CupImage = nullptr;
    HeadlessGameTest::TearDown();
  }
  // A key pressed and released, then a frame.
  void Press(int32_t key) {
    Tap(key);
    RunFrame();
  }
  // The middle line of the highlighted row, or -1.
  float HighlightedRow() const {
    for (const TDrawRecord& record : LastFrame()) {
      if (record.kind == TDrawRecord::RECT && record.green == 255 && record.Right() - record.Left() == 400) {
        return (record.Top() + record.Bottom()) / 2;
      }
    }
    return -1;
  }
  bool DrewCupCell(int32_t cell) const {
    for (const TDrawRecord& record : LastFrame()) {
      if (record.pixmap == CupImage->pixmaps[static_cast<size_t>(cell)].get()) {
        return record.Left() == 264 && record.Top() == 104;
      }
    }
    return false;
  }
  ScopedGameFolder dir;  // saves go to its bin/
};

}  // namespace

TEST_F(MenuScreensTest, TheMainScreenOpensOnTournamentAndItsCursorWraps) {
  RunFrame();
  EXPECT_EQ(HighlightedRow(), 30);
  EXPECT_TRUE(Shows(u"Tournament"));
  EXPECT_TRUE(Shows(u"Quit"));
  Press(KEY_UP);
  EXPECT_EQ(MainCursor, 5);
  Press(KEY_DOWN);
  EXPECT_EQ(MainCursor, 0);
  Press('S');  // the bound Down moves the cursor too
  EXPECT_EQ(HighlightedRow(), 78);
}

TEST_F(MenuScreensTest, ScreensOpenOnTheirFirstRowAndTheMainCursorIsKept) {
  MainCursor = 3;
  Press(KEY_ENTER);
  EXPECT_EQ(MenuScreen, MENU_CONTROLS);
  Press(KEY_DOWN);
  Press(KEY_ENTER);
  EXPECT_EQ(MenuScreen, MENU_GAMEPAD);
  RunFrame();
  EXPECT_EQ(SubCursor, 0);
  EXPECT_EQ(HighlightedRow(), 30);
  for (int i = 0; i < 7; i++) {
    Press(KEY_DOWN);
  }
  Press(KEY_ENTER);  // "Back"
  EXPECT_EQ(MenuScreen, MENU_CONTROLS);
  Press(KEY_ESCAPE);
  EXPECT_EQ(MenuScreen, MENU_MAIN);
  RunFrame();
  EXPECT_EQ(MainCursor, 3);
  EXPECT_EQ(HighlightedRow(), 174);
}

TEST_F(MenuScreensTest, TheTournamentScreenWrapsItsLevelsAndShowsTheCupOfTheBestWin) {
  Press(KEY_ENTER);
  ASSERT_EQ(MenuScreen, MENU_TOURNAMENT);
  Press(KEY_LEFT);
  EXPECT_EQ(LevelCursor, 9);
  EXPECT_TRUE(Shows(u"Level 10"));
  Press(KEY_RIGHT);
  EXPECT_TRUE(Shows(u"Level 1"));
  EXPECT_FALSE(DrewCupCell(0));
  Progress[0] = 3;
  RunFrame();
  EXPECT_TRUE(DrewCupCell(2));
  Progress[0] = 1;
  RunFrame();
  EXPECT_TRUE(DrewCupCell(0));
  // Both rows follow left and right; "Back" returns to the main screen.
  Press(KEY_DOWN);
  Press(KEY_RIGHT);
  EXPECT_EQ(LevelCursor, 1);
  Press(KEY_ENTER);
  EXPECT_EQ(MenuScreen, MENU_MAIN);
  EXPECT_EQ(LevelCursor, 1);  // kept for the next visit
}

TEST_F(MenuScreensTest, PlayStartsATournamentMatchAtTheLevelShown) {
  Press(KEY_ENTER);
  Press(KEY_RIGHT);
  Press(KEY_RIGHT);
  Press(KEY_ENTER);  // "Play"
  EXPECT_EQ(GameState, GAMESTATE_SETUP);
  EXPECT_EQ(MenuState, MENUSTATE_SLIDING_OUT);
  EXPECT_EQ(InputLock, 1);
  EXPECT_EQ(Training, 0);
  EXPECT_EQ(Level, 2);
  EXPECT_EQ(Round, 1);
  EXPECT_EQ(Fighters[1]->maxhealth, 120);  // the test roster's level 3
  EXPECT_EQ(Fighters[0]->maxhealth, 120);
  EXPECT_EQ(Fighters[1]->colr, 255);
  EXPECT_EQ(MenuScreen, MENU_TOURNAMENT);  // where the menu comes back after the match
  // The menu slides away with its rows, and then the countdown begins.
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_COUNTDOWN; }, 100));
  EXPECT_EQ(MenuSlide, 400);
  EXPECT_EQ(InputLock, 0);
}

TEST_F(MenuScreensTest, TrainingStartsFromTheMainScreen) {
  Press(KEY_DOWN);
  Press('J');
  EXPECT_EQ(Training, 1);
  EXPECT_EQ(Level, 0);
  EXPECT_EQ(Fighters[0]->maxhealth, 200);
  EXPECT_EQ(Fighters[1]->colb, 255);
  EXPECT_EQ(MenuScreen, MENU_MAIN);
}

TEST_F(MenuScreensTest, SettingsToggleSoundAtOnceAndChangeTheZoomWhenLeft) {
  MainCursor = 4;
  Press(KEY_ENTER);
  ASSERT_EQ(MenuScreen, MENU_SETTINGS);
  EXPECT_EQ(ZoomOnEntry, 2);
  RunFrame();
  EXPECT_TRUE(Shows(u"on"));
  Press(KEY_LEFT);
  EXPECT_EQ(SoundOn, 0);
  RunFrame();
  EXPECT_TRUE(Shows(u"off"));
  Press(KEY_DOWN);
  Press(KEY_RIGHT);
  Press(KEY_RIGHT);
  Press(KEY_RIGHT);
  EXPECT_EQ(Zoom, 1);  // 2, 3, 4, then round to 1
  Press(KEY_LEFT);
  EXPECT_EQ(Zoom, 4);
  Press(KEY_LEFT);
  Press(KEY_LEFT);
  EXPECT_EQ(Zoom, 2);
  RunFrame();
  EXPECT_TRUE(Shows(u"2x"));
  // Changed and changed back: leaving (here with Escape, which does what "Back" does) does not open the window
  // again.
  int32_t windows = driver.ContextSeq();
  Press(KEY_ESCAPE);
  EXPECT_EQ(MenuScreen, MENU_MAIN);
  EXPECT_EQ(driver.ContextSeq(), windows);
  EXPECT_NE(dir.Read("bin/settings.dat").find("0\r\n2\r\n"), std::string::npos);
  // A real change opens it again at its new size.
  MainCursor = 4;
  Press(KEY_ENTER);
  Press(KEY_DOWN);
  Press(KEY_RIGHT);
  Press(KEY_UP);  // round to "Back"
  Press(KEY_UP);
  Press(KEY_ENTER);
  EXPECT_EQ(driver.ContextSeq(), windows + 1);
  EXPECT_EQ(driver.windowWidth, 1200);
  EXPECT_EQ(driver.windowHeight, 900);
}

TEST_F(MenuScreensTest, RebindingAKeyWaitsOnAYellowRowAndEscapeCancels) {
  MainCursor = 3;
  Press(KEY_ENTER);
  Press(KEY_ENTER);  // player 1's keyboard
  ASSERT_EQ(MenuScreen, MENU_KEYBOARD);
  RunFrame();
  EXPECT_TRUE(Shows(u"Up"));
  EXPECT_FALSE(Shows(u"Pause"));  // Pause keeps its key
  for (int i = 0; i < 4; i++) {
    Press(KEY_DOWN);
  }
  Press(KEY_ENTER);  // "Right Hand": waiting
  EXPECT_EQ(InputLock, 1);
  RunFrame();
  EXPECT_EQ(RectsIn(255, 255, 0).size(), 1u);
  Press(KEY_ESCAPE);
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(KeyBindings[COMMAND_RIGHT_HAND]->key, 'J');
  // Again, now with a new key: the right hand moves to K.
  Press(KEY_ENTER);
  Press('K');
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(KeyBindings[COMMAND_RIGHT_HAND]->key, 'K');
  // A key already bound to another command is bound again without complaint.
  Press(KEY_ENTER);
  Press('W');
  EXPECT_EQ(KeyBindings[COMMAND_RIGHT_HAND]->key, 'W');
  EXPECT_EQ(KeyBindings[COMMAND_UP]->key, 'W');
}

TEST_F(MenuScreensTest, SeveralKeysInOneFrameBindTheHighestAndEscapeLosesToLowerCodes) {
  MainCursor = 3;
  Press(KEY_ENTER);
  Press(KEY_ENTER);  // player 1's keyboard
  Press(KEY_ENTER);  // "Up": waiting
  Tap('B');
  Tap('X');
  RunFrame();
  EXPECT_EQ(KeyBindings[COMMAND_UP]->key, 'X');
  Press(KEY_ENTER);
  Tap(KEY_ESCAPE);
  Tap(KEY_TAB);  // 9, below Escape's 27: bound before Escape stops the scan
  RunFrame();
  EXPECT_EQ(KeyBindings[COMMAND_UP]->key, KEY_TAB);
}

TEST_F(MenuScreensTest, TheKeyListScrollsToKeepTheSelectedRowOnScreen) {
  MainCursor = 3;
  Press(KEY_ENTER);
  Press(KEY_ENTER);  // player 1's keyboard
  for (int i = 0; i < 6; i++) {
    Press(KEY_DOWN);
  }
  EXPECT_EQ(SubCursor, 6);
  EXPECT_EQ(KeyScroll, 1);
  EXPECT_EQ(HighlightedRow(), 270);
  Press(KEY_DOWN);  // round to the first row
  EXPECT_EQ(KeyScroll, 0);
  EXPECT_EQ(HighlightedRow(), 30);
}

TEST_F(MenuScreensTest, AWaitingRowSaysWhatItWaitsForAndTheListsShowWhereTheyScroll) {
  SmallFont = GameFont;
  auto signAt = [this](float top) {  // the widest line of a scroll sign: a white rect across the middle
    for (const TDrawRecord& record : LastFrame()) {
      if (record.kind == TDrawRecord::RECT && record.red == 255 && record.green == 255 && record.blue == 255 &&
          record.Top() == top && record.Left() < 200 && record.Right() > 200) {
        return true;
      }
    }
    return false;
  };
  MainCursor = 3;
  Press(KEY_ENTER);
  Press(KEY_ENTER);  // player 1's keyboard
  RunFrame();
  // "Back" lies below the screen: a sign at the bottom, none at the top.
  EXPECT_TRUE(signAt(299 - 5));
  EXPECT_FALSE(signAt(5));
  Press(KEY_ENTER);
  RunFrame();
  EXPECT_TRUE(Shows(u"Press a key"));
  EXPECT_TRUE(Shows(u"Escape cancels"));
  Press(KEY_ESCAPE);
  EXPECT_FALSE(Shows(u"Press a key"));
  for (int i = 0; i < 6; i++) {
    Press(KEY_DOWN);
  }
  ASSERT_EQ(KeyScroll, 1);
  EXPECT_TRUE(signAt(5));
  EXPECT_FALSE(signAt(299 - 5));
  SmallFont = nullptr;
}

TEST_F(MenuScreensTest, QuitEndsTheGame) {
  MainCursor = 5;
  Press(KEY_ENTER);
  EXPECT_EQ(QuitRequested, 1);
}

// The keys the menus keep for themselves: Escape (and a pad's B or Back) goes back one screen, Enter confirms and
// cannot be taken by a binding; and the rows that tell a player what else there is (full screen, the levels).
#include <gtest/gtest.h>

#include <filesystem>

#include "controls/commands.h"
#include "controls/control_kinds.h"
#include "frontend/menu.h"
#include "media/graphics/graphics.h"
#include "media/input/gamepad.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"
#include "support/fake_pads.h"
#include "support/headless_game.h"
#include "support/temp_dir.h"

namespace {

class MenuKeysTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    std::filesystem::create_directories(dir.path() / "bin");
    SmallFont = GameFont;
  }
  void Press(int32_t key) {
    Tap(key);
    RunFrame();
  }
  // Opens the main screen's row and runs a frame on the screen it opens.
  void Open(int32_t mainRow) {
    MainCursor = mainRow;
    Press(KEY_ENTER);
    RunFrame();
  }
  // Player 1's keyboard screen, through the controls screen.
  void OpenKeyboard() {
    Open(3);
    Press(KEY_ENTER);
    RunFrame();
  }
  // A known pad: B on button 1, Back on 6, X on 2, A on 0; taken up as at start-up.
  void StartWithKnownPad() {
    pads.pads[0].Place(PAD_BUTTON_A, PAD_SOURCE_BUTTON, 0);
    pads.pads[0].Place(PAD_BUTTON_B, PAD_SOURCE_BUTTON, 1);
    pads.pads[0].Place(PAD_BUTTON_X, PAD_SOURCE_BUTTON, 2);
    pads.pads[0].Place(PAD_BUTTON_BACK, PAD_SOURCE_BUTTON, 6);
    StartWithPads(pads);
  }
  void PressButton(int32_t button) {
    pads.pads[0].reading.buttons = 1u << button;
    RunFrame();
    pads.pads[0].reading.buttons = 0;
    RunFrame();
  }
  TFakePads pads{1};
  ScopedTempDir dir;
};

}  // namespace

TEST_F(MenuKeysTest, EscapeGoesBackFromEveryScreenSavingWhereBackSaves) {
  struct TScreen {
    int32_t mainRow;
    int32_t screen;
    bool saves;
  };
  for (TScreen screen : {TScreen{0, MENU_TOURNAMENT, false}, TScreen{2, MENU_VERSUS_MODES, false},
                         TScreen{3, MENU_CONTROLS, false}, TScreen{4, MENU_SETTINGS, true}}) {
    std::filesystem::remove(dir.path() / "bin/settings.dat");
    Open(screen.mainRow);
    ASSERT_EQ(MenuScreen, screen.screen);
    Press(KEY_DOWN);  // anywhere on the screen, not only on "Back"
    Press(KEY_ESCAPE);
    EXPECT_EQ(MenuScreen, MENU_MAIN) << screen.screen;
    EXPECT_EQ(std::filesystem::exists(dir.path() / "bin/settings.dat"), screen.saves) << screen.screen;
    RunFrame();
    EXPECT_EQ(MainCursor, screen.mainRow);  // back on the row it was left from
  }
  // Each player's keyboard and gamepad screens go back to the controls screen, and save.
  for (int32_t row : {0, 1, 2, 3}) {
    std::filesystem::remove(dir.path() / "bin/settings.dat");
    Open(3);
    for (int32_t down = 0; down < row; down++) {
      Press(KEY_DOWN);
    }
    Press(KEY_ENTER);
    ASSERT_EQ(MenuScreen, row % 2 == 0 ? MENU_KEYBOARD : MENU_GAMEPAD) << row;
    EXPECT_EQ(ControlsPlayer, row / 2);
    Press(KEY_ESCAPE);
    EXPECT_EQ(MenuScreen, MENU_CONTROLS) << row;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "bin/settings.dat")) << row;
    Press(KEY_ESCAPE);
  }
}

TEST_F(MenuKeysTest, EscapeOnTheMainScreenOnlyMovesTheCursorToQuit) {
  Press(KEY_ESCAPE);
  EXPECT_EQ(MainCursor, 5);
  EXPECT_EQ(QuitRequested, 0);
  Press(KEY_ESCAPE);
  EXPECT_EQ(QuitRequested, 0);
  Press(KEY_ENTER);
  EXPECT_EQ(QuitRequested, 1);
}

TEST_F(MenuKeysTest, EscapeWhileAKeyIsAwaitedCancelsTheWaitAndStaysOnTheScreen) {
  OpenKeyboard();
  Press(KEY_ENTER);
  ASSERT_EQ(InputLock, 1);
  Press(KEY_ESCAPE);
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(MenuScreen, MENU_KEYBOARD);
  RunFrames(3);
  EXPECT_EQ(MenuScreen, MENU_KEYBOARD);
  Press(KEY_ESCAPE);
  EXPECT_EQ(MenuScreen, MENU_CONTROLS);
}

TEST_F(MenuKeysTest, AKnownPadsBOrBackGoesBackUnlessBButtonConfirmsThere) {
  StartWithKnownPad();
  Open(0);
  ASSERT_EQ(MenuScreen, MENU_TOURNAMENT);
  PressButton(1);  // B
  EXPECT_EQ(MenuScreen, MENU_MAIN);
  Open(4);
  PressButton(6);  // Back
  EXPECT_EQ(MenuScreen, MENU_MAIN);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "bin/settings.dat"));
  // B bound to the left hand (as on a pad without X) confirms, as the left hand does, and does not go back.
  PadBindings[COMMAND_LEFT_HAND]->Detach();
  PadBindings[COMMAND_LEFT_HAND] = TControlJoyButton::Create(0, 1);
  Open(0);
  PressButton(1);
  EXPECT_EQ(MenuScreen, MENU_TOURNAMENT);
  EXPECT_EQ(GameState, GAMESTATE_SETUP);  // "Play" chosen
}

TEST_F(MenuKeysTest, AnUnknownPadHasNoBackButton) {
  StartWithPads(pads);
  Open(0);
  for (int32_t button = 0; button < 16; button++) {
    if (button != 1 && button != 2) {  // its hands confirm
      PressButton(button);
    }
  }
  EXPECT_EQ(MenuScreen, MENU_TOURNAMENT);
}

TEST_F(MenuKeysTest, EnterIsRefusedAsANewKeyAndTheRowSaysWhy) {
  OpenKeyboard();
  Press(KEY_DOWN);
  Press(KEY_ENTER);  // "Down": waiting
  ASSERT_EQ(InputLock, 1);
  RunFrame();
  EXPECT_TRUE(Shows(u"Press a key"));
  Press(KEY_ENTER);  // the player thinks the first was lost
  EXPECT_EQ(InputLock, 1);
  EXPECT_EQ(KeyBindings[COMMAND_DOWN]->key, 'S');
  EXPECT_TRUE(Shows(u"Enter stays the menus' key"));
  EXPECT_TRUE(Shows(u"Escape cancels"));
  // Another key with it in the same frame is taken.
  Tap(KEY_ENTER);
  Tap('K');
  RunFrame();
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(KeyBindings[COMMAND_DOWN]->key, 'K');
  // The next wait starts without the note.
  Press(KEY_ENTER);
  RunFrame();
  EXPECT_TRUE(Shows(u"Press a key"));
  EXPECT_FALSE(Shows(u"Enter stays the menus' key"));
}

TEST_F(MenuKeysTest, ASettingsFileThatBindsEnterKeepsItInFightsWhileTheMenusKeepEnter) {
  KeyBindings[COMMAND_DOWN]->Detach();
  KeyBindings[COMMAND_DOWN] = TControlKey::Create(KEY_ENTER);
  RunFrame();
  Press(KEY_ENTER);  // chooses "Tournament" instead of moving the cursor down
  EXPECT_EQ(MenuScreen, MENU_TOURNAMENT);
  EXPECT_EQ(SubCursor, 0);
  Press(KEY_ENTER);  // "Play"
  ASSERT_EQ(GameState, GAMESTATE_SETUP);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  KeyDown(KEY_ENTER);
  RunFrame();
  EXPECT_EQ(CommandDown(COMMAND_DOWN), 1);  // in the fight Enter is the player's Down
  KeyUp(KEY_ENTER);
}

TEST_F(MenuKeysTest, TheFullScreenRowSwitchesAtOnceAsF11Does) {
  Open(4);
  Press(KEY_DOWN);
  Press(KEY_DOWN);
  EXPECT_TRUE(Shows(u"Full screen (F11)"));
  EXPECT_TRUE(Shows(u"off"));
  Press(KEY_RIGHT);
  RunFrame();
  EXPECT_EQ(FullScreen, 1);
  EXPECT_EQ(GraphicsFullScreen(), 1);
  EXPECT_TRUE(Shows(u"on"));
  EXPECT_NE(dir.Read("bin/settings.dat").find("\r\n1\r\n"), std::string::npos);  // the last line, saved at once
  Press(KEY_LEFT);
  RunFrame();
  EXPECT_EQ(GraphicsFullScreen(), 0);
  EXPECT_EQ(MenuScreen, MENU_SETTINGS);
}

TEST_F(MenuKeysTest, TheTournamentScreenShowsArrowsEitherSideOfTheLevel) {
  Open(0);
  int32_t left = 0;
  int32_t right = 0;
  for (const TDrawRecord& record : LastFrame()) {
    if (record.kind == TDrawRecord::RECT && record.red == 255 && record.green == 255 && record.blue == 255 &&
        record.Right() - record.Left() == 1) {
      // Columns of the triangles, beside the card that spans 50 to 360.
      (record.Right() <= 50 ? left : record.Left() >= 360 ? right : left) += 1;
    }
  }
  EXPECT_GT(left, 4);
  EXPECT_EQ(left, right);
}

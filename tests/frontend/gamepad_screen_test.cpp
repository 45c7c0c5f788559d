// Binding gamepad inputs on the gamepad screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/control_kinds.h"
#include "controls/default_bindings.h"
#include "frontend/menu.h"
#include "media/input/gamepad.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"
#include "support/fake_pads.h"
#include "support/game_folder.h"
#include "support/headless_game.h"

namespace {

class GamepadScreenTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    StartWithPads(pads);  // the defaults go to the last pad, port 1
    MenuScreen = MENU_GAMEPAD;
    SubCursor = 0;
    PadScroll = 0;
  }
  void Press(int32_t key) {
    Tap(key);
    RunFrame();
  }
  // Selects the command's row and confirms it: the wait for a new input begins.
  void Rebind(int32_t command) {
    while (SubCursor != command) {
      Press(KEY_DOWN);
    }
    Press(KEY_ENTER);
    ASSERT_EQ(InputLock, 1);
  }
  TFakePads pads{2};
  ScopedGameFolder dir;
};

}  // namespace

TEST_F(GamepadScreenTest, AButtonPressedWhileWaitingBecomesTheBinding) {
  Rebind(COMMAND_RIGHT_HAND);
  RunFrame();
  EXPECT_EQ(InputLock, 1);  // nothing pressed yet
  pads.pads[1].reading.buttons = 1u << 5;
  RunFrame();
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(PadBindings[COMMAND_RIGHT_HAND]->GetCaption(), u"Joy1Btn6");
  RunFrame();
  EXPECT_TRUE(Shows(u"Pad 2: Button 6"));  // two pads: which one, and its button counted from 1
}

TEST_F(GamepadScreenTest, PortsAreScannedInOrderSoAHeldHatOnTheFirstWins) {
  Rebind(COMMAND_PAUSE);  // the gamepad list offers Pause too
  pads.pads[0].SetHat(0);
  pads.pads[1].reading.buttons = 1;
  RunFrame();
  EXPECT_EQ(PadBindings[COMMAND_PAUSE]->GetCaption(), u"Joy0Up");
}

TEST_F(GamepadScreenTest, ADiagonalHatIsNoDirection) {
  Rebind(COMMAND_UP);
  pads.pads[0].SetHat(4500);
  RunFrame();
  EXPECT_EQ(InputLock, 1);
  pads.pads[0].SetHat(9000);
  RunFrame();
  EXPECT_EQ(PadBindings[COMMAND_UP]->GetCaption(), u"Joy0Right");
}

TEST_F(GamepadScreenTest, TriggersRestingAtOneEndAreNotTakenUntilTheyMove) {
  pads.pads[0].SetAxis(2, -1.0);  // a trigger at rest
  pads.pads[0].SetAxis(5, -1.0);
  Rebind(COMMAND_LEFT_HAND);
  RunFrames(5);
  EXPECT_EQ(InputLock, 1);
  pads.pads[0].SetAxis(2, -0.6);  // pressed less than half its travel
  RunFrame();
  EXPECT_EQ(InputLock, 1);
  pads.pads[0].SetAxis(2, 0.9);
  RunFrame();
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(PadBindings[COMMAND_LEFT_HAND]->GetCaption(), u"Joy0Z+");
}

TEST_F(GamepadScreenTest, AStickPushedBeyondHalfBindsThatDirection) {
  Rebind(COMMAND_BACKWARD);
  pads.pads[1].SetAxis(0, -0.8);
  RunFrame();
  EXPECT_EQ(PadBindings[COMMAND_BACKWARD]->GetCaption(), u"Joy1X-");
}

TEST_F(GamepadScreenTest, EscapeCancelsAndTheOldBindingStays) {
  Rebind(COMMAND_DOWN);
  Press(KEY_ESCAPE);
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(PadBindings[COMMAND_DOWN]->GetCaption(), u"Joy1Down");
}

TEST_F(GamepadScreenTest, AButtonHeldWhenTheWaitBeginsIsNotTakenUntilPressedAgain) {
  pads.pads[0].reading.buttons = 1u << 3;  // say, the button that confirmed the row, still held
  RunFrame();
  Rebind(COMMAND_UP);
  RunFrames(3);
  EXPECT_EQ(InputLock, 1);
  EXPECT_EQ(PadBindings[COMMAND_UP]->GetCaption(), u"Joy1Up");
  pads.pads[0].reading.buttons = 0;
  RunFrame();
  pads.pads[0].reading.buttons = 1u << 3;
  RunFrame();
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(PadBindings[COMMAND_UP]->GetCaption(), u"Joy0Btn4");
}

TEST_F(GamepadScreenTest, WithoutAPadTheRowsSayNoneWasFoundAndChoosingOneWaitsForNothing) {
  SetPadPlatform(nullptr);
  InstallDefaultBindings(-1);  // as a game started without a pad has them
  SmallFont = GameFont;
  RunFrame();
  auto dashes = [this] {
    std::vector<std::u16string> texts = TextsDrawn();
    return std::count(texts.begin(), texts.end(), u"-");
  };
  // The selected row says why, the other six commands show a dash; no caption of port -1 anywhere.
  EXPECT_TRUE(Shows(u"No gamepad found:"));
  EXPECT_TRUE(Shows(u"plug one in to bind it"));
  EXPECT_EQ(dashes(), 6);
  for (const std::u16string& text : TextsDrawn()) {
    EXPECT_EQ(text.find(u"Joy"), std::u16string::npos) << std::string(text.begin(), text.end());
  }
  Press(KEY_ENTER);
  RunFrames(3);
  EXPECT_EQ(InputLock, 0);
  EXPECT_TRUE(Shows(u"No gamepad found:"));
  // The note follows the cursor; on "Back" every command shows its dash.
  Press(KEY_DOWN);
  EXPECT_EQ(SubCursor, 1);
  EXPECT_TRUE(Shows(u"plug one in to bind it"));
  Press(KEY_UP);
  Press(KEY_UP);
  ASSERT_EQ(SubCursor, 7);
  EXPECT_FALSE(Shows(u"No gamepad found:"));
  EXPECT_EQ(dashes(), 7);
  // Without the small font the selected row keeps its dash.
  SmallFont = nullptr;
  Press(KEY_DOWN);
  EXPECT_EQ(dashes(), 7);
}

TEST_F(GamepadScreenTest, APadPluggedInShowsAtOnceAndItsRowsCanBeBound) {
  SetPadPlatform(nullptr);
  InstallDefaultBindings(-1);
  TFakePads later{0};
  SetPadPlatform(&later);
  RunFrame();
  ASSERT_TRUE(Shows(u"-"));
  later.PlugIn();
  RunFrame();
  EXPECT_TRUE(Shows(u"Hat up"));  // a pad the platform does not know: its inputs by number
  EXPECT_FALSE(Shows(u"-"));
  Rebind(COMMAND_LEFT_HAND);
  later.pads[0].reading.buttons = 1u << 4;
  RunFrame();
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(PadBindings[COMMAND_LEFT_HAND]->GetCaption(), u"Joy0Btn5");
}

TEST_F(GamepadScreenTest, APadPulledOutWhileTheScreenWaitsLeavesEscapeToEndTheWait) {
  Rebind(COMMAND_UP);
  pads.PullOut(0);
  pads.PullOut(1);
  RunFrames(3);
  EXPECT_EQ(InputLock, 1);
  Press(KEY_ESCAPE);
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(PadBindings[COMMAND_UP]->GetCaption(), u"Joy1Up");
  RunFrame();
  EXPECT_TRUE(Shows(u"-"));
}

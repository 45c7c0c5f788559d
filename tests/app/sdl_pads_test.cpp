// The game with pads made by SDL itself (virtual joysticks, read through SDL's real joystick and game controller
// code): plugged in while the game runs, they are taken up; a pad SDL knows gets its d-pad, A, X and Start, and
// they fire; one pulled out with a button held lets go; an unknown joystick keeps the hat and buttons 1, 2, 9.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "controls/commands.h"
#include "controls/control.h"
#include "frontend/menu.h"
#include "media/input/gamepad.h"
#include "media/input/key_codes.h"
#include "media/platform/sdl_gamepads.h"
#include "shared/game_state.h"
#include "support/headless_game.h"
#include "support/pad_captions.h"
#include "support/virtual_pads.h"

namespace {

class SdlPadsTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    ASSERT_TRUE(StartSDLPads());
    if (std::string others = OtherJoysticks(); !others.empty()) {
      GTEST_SKIP() << "another pad is plugged in (" << others << "): these tests count the pads and read port 0";
    }
    MenuState = MENUSTATE_HIDDEN;  // frames only update the bindings: no menu takes their presses
    RunFrames(3);                  // a game without a pad
    ASSERT_EQ(PadPresent, 0);
  }
  void TearDown() override {
    StopSDLPads();
    HeadlessGameTest::TearDown();
  }
};

}  // namespace

TEST_F(SdlPadsTest, AControllerPluggedInIsTakenUpWithItsDpadFaceButtonsAndStartWhichFire) {
  auto pad = TVirtualPad::AttachController();
  ASSERT_NE(pad, nullptr);
  RunFrame();
  EXPECT_EQ(PadPresent, 1);
  EXPECT_EQ(PadCaptions(), (TPadCaptions{u"Joy0Btn12", u"Joy0Btn13", u"Joy0Btn15", u"Joy0Btn14", u"Joy0Btn1",
                                         u"Joy0Btn3", u"Joy0Btn7"}));
  pad->SetButton(VIRTUAL_A, true);
  pad->SetButton(VIRTUAL_DPAD_LEFT, true);
  RunFrame();
  EXPECT_EQ(CommandHit(COMMAND_RIGHT_HAND), 1);
  EXPECT_EQ(CommandDown(COMMAND_BACKWARD), 1);
  pad->SetButton(VIRTUAL_X, true);
  pad->SetButton(VIRTUAL_START, true);
  pad->SetButton(VIRTUAL_DPAD_UP, true);
  RunFrame();
  EXPECT_EQ(CommandHit(COMMAND_LEFT_HAND), 1);
  EXPECT_EQ(CommandHit(COMMAND_PAUSE), 1);
  EXPECT_EQ(CommandDown(COMMAND_UP), 1);
  EXPECT_EQ(CommandDown(COMMAND_DOWN), 0);
  EXPECT_EQ(CommandDown(COMMAND_RIGHT_HAND), 1);
  // Pulled out with A and the d-pad held: everything lets go, and stays let go.
  pad->Detach();
  RunFrame();
  for (int32_t command = 0; command < COMMAND_COUNT; command++) {
    EXPECT_EQ(CommandDown(command), 0) << command;
  }
  RunFrames(5);
  EXPECT_EQ(CommandDown(COMMAND_RIGHT_HAND), 0);
  EXPECT_EQ(PadPresent, 1);
  // Plugged in again (SDL sees a new connection): taken up again, on the same port.
  auto again = TVirtualPad::AttachController();
  RunFrame();
  again->SetButton(VIRTUAL_A, true);
  RunFrame();
  EXPECT_EQ(CommandHit(COMMAND_RIGHT_HAND), 1);
}

TEST_F(SdlPadsTest, APadWhoseMappingPutsTheDpadOnTheHatGetsHatDirections) {
  auto pad = TVirtualPad::AttachUnknown(0x4d56, 0x0010);
  ASSERT_NE(pad, nullptr);
  ASSERT_TRUE(pad->MapWithHatDpad());
  RunFrame();
  EXPECT_EQ(PadCaptions(),
            (TPadCaptions{u"Joy0Up", u"Joy0Down", u"Joy0Right", u"Joy0Left", u"Joy0Btn1", u"Joy0Btn3", u"Joy0Btn8"}));
  pad->SetHat(VIRTUAL_HAT_RIGHT);
  pad->SetButton(7, true);
  RunFrame();
  EXPECT_EQ(CommandDown(COMMAND_FORWARD), 1);
  EXPECT_EQ(CommandHit(COMMAND_FORWARD), 1);
  EXPECT_EQ(CommandHit(COMMAND_PAUSE), 1);
}

TEST_F(SdlPadsTest, AnUnknownJoystickKeepsTheHatAndButtonsOneTwoAndNine) {
  auto pad = TVirtualPad::AttachUnknown(0x4d56, 0x0011);
  ASSERT_NE(pad, nullptr);
  RunFrame();
  EXPECT_EQ(PadPresent, 1);
  EXPECT_EQ(PadCaptions(),
            (TPadCaptions{u"Joy0Up", u"Joy0Down", u"Joy0Right", u"Joy0Left", u"Joy0Btn2", u"Joy0Btn3", u"Joy0Btn10"}));
  pad->SetHat(VIRTUAL_HAT_DOWN);
  pad->SetButton(1, true);
  pad->SetButton(9, true);
  RunFrame();
  EXPECT_EQ(CommandDown(COMMAND_DOWN), 1);
  EXPECT_EQ(CommandHit(COMMAND_RIGHT_HAND), 1);
  EXPECT_EQ(CommandHit(COMMAND_PAUSE), 1);
}

TEST_F(SdlPadsTest, OnTheGamepadScreenAPadPluggedInShowsAtOnceAndBindsAButton) {
  MenuState = MENUSTATE_SHOWN;
  MenuScreen = MENU_GAMEPAD;
  RunFrame();
  EXPECT_TRUE(Shows(u"-"));
  auto pad = TVirtualPad::AttachController();
  ASSERT_NE(pad, nullptr);
  RunFrame();
  EXPECT_TRUE(Shows(u"D-pad up"));  // a pad SDL knows shows its inputs by their names
  Tap(KEY_ENTER);
  RunFrame();
  ASSERT_EQ(InputLock, 1);
  pad->SetButton(VIRTUAL_Y, true);
  RunFrame();
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(PadBindings[COMMAND_UP]->GetCaption(), u"Joy0Btn4");
}

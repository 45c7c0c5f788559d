// Pads found at start-up and plugged in or pulled out while the game runs: which pad the bindings go to, what the
// defaults of a known pad are, and that the bindings then read that pad. Frames run one by one on fake pads.
#include "controls/pad_take_up.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "controls/commands.h"
#include "controls/control_kinds.h"
#include "controls/default_bindings.h"
#include "frontend/menu.h"
#include "media/input/gamepad.h"
#include "shared/game_state.h"
#include "support/fake_pads.h"
#include "support/headless_game.h"
#include "support/pad_captions.h"

namespace {

class PadTakeUpTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    MenuState = MENUSTATE_HIDDEN;  // frames only update the bindings: no menu takes their presses
  }
  // A pad as the platform's database describes a common one: the d-pad on the hat, A, B, X, Y on buttons 0 to 3,
  // Start on button 7.
  static void MakeKnown(TFakePads::TPad& pad) {
    pad.Place(PAD_DPAD_UP, PAD_SOURCE_HAT, 0, 0.0f);
    pad.Place(PAD_DPAD_RIGHT, PAD_SOURCE_HAT, 0, 0.25f);
    pad.Place(PAD_DPAD_DOWN, PAD_SOURCE_HAT, 0, 0.5f);
    pad.Place(PAD_DPAD_LEFT, PAD_SOURCE_HAT, 0, 0.75f);
    pad.Place(PAD_BUTTON_A, PAD_SOURCE_BUTTON, 0);
    pad.Place(PAD_BUTTON_B, PAD_SOURCE_BUTTON, 1);
    pad.Place(PAD_BUTTON_X, PAD_SOURCE_BUTTON, 2);
    pad.Place(PAD_BUTTON_Y, PAD_SOURCE_BUTTON, 3);
    pad.Place(PAD_BUTTON_START, PAD_SOURCE_BUTTON, 7);
  }
  // Bindings of the player's own, all on port -1, as saved by a game that had no pad.
  static void BindOwnOnMissingPort() {
    for (auto& binding : PadBindings) {
      binding->Detach();
    }
    PadBindings[COMMAND_UP] = TControlJoyAxis::Create(-1, 1, -1);
    PadBindings[COMMAND_DOWN] = TControlJoyAxis::Create(-1, 1, 1);
    PadBindings[COMMAND_FORWARD] = TControlJoyAxis::Create(-1, 0, 1);
    PadBindings[COMMAND_BACKWARD] = TControlJoyAxis::Create(-1, 0, -1);
    PadBindings[COMMAND_RIGHT_HAND] = TControlJoyButton::Create(-1, 5);
    PadBindings[COMMAND_LEFT_HAND] = TControlJoyButton::Create(-1, 4);
    PadBindings[COMMAND_PAUSE] = TControlJoyHat::Create(-1, 0.5f);
  }
};

}  // namespace

TEST_F(PadTakeUpTest, AtStartUpAnUnknownPadGetsTheHatAndButtonsOneTwoAndNineOfTheLastPad) {
  TFakePads pads{2};
  StartWithPads(pads);
  EXPECT_EQ(PadPresent, 1);
  EXPECT_EQ(PadCaptions(),
            (TPadCaptions{u"Joy1Up", u"Joy1Down", u"Joy1Right", u"Joy1Left", u"Joy1Btn2", u"Joy1Btn3", u"Joy1Btn10"}));
  EXPECT_TRUE(PadBindingsUntouched());
}

TEST_F(PadTakeUpTest, WithoutAPadNothingIsPolledAndTheDefaultsStayOnPortMinusOne) {
  TFakePads none{0};
  StartWithPads(none);
  EXPECT_EQ(PadPresent, 0);
  EXPECT_EQ(PadBindings[COMMAND_UP]->GetCaption(), u"Joy-1Up");
  EXPECT_TRUE(PadBindingsUntouched());
}

TEST_F(PadTakeUpTest, AKnownPadGetsItsDpadItsSouthAndWestFaceButtonsAndStart) {
  TFakePads pads{1};
  MakeKnown(pads.pads[0]);
  StartWithPads(pads);
  EXPECT_EQ(PadCaptions(),
            (TPadCaptions{u"Joy0Up", u"Joy0Down", u"Joy0Right", u"Joy0Left", u"Joy0Btn1", u"Joy0Btn3", u"Joy0Btn8"}));
  EXPECT_TRUE(PadBindingsUntouched());  // the defaults made for this pad are still defaults
  // A d-pad of four buttons, as many pads report theirs.
  pads.pads[0].Place(PAD_DPAD_UP, PAD_SOURCE_BUTTON, 11);
  pads.pads[0].Place(PAD_DPAD_DOWN, PAD_SOURCE_BUTTON, 12);
  pads.pads[0].Place(PAD_DPAD_LEFT, PAD_SOURCE_BUTTON, 13);
  pads.pads[0].Place(PAD_DPAD_RIGHT, PAD_SOURCE_BUTTON, 14);
  InstallDefaultPadBindings(0);
  EXPECT_EQ(PadCaptions(), (TPadCaptions{u"Joy0Btn12", u"Joy0Btn13", u"Joy0Btn15", u"Joy0Btn14", u"Joy0Btn1",
                                         u"Joy0Btn3", u"Joy0Btn8"}));
  // A d-pad on two axes, and a pad without X: the left hand takes B.
  pads.pads[0].Place(PAD_DPAD_UP, PAD_SOURCE_AXIS, 1, -1.0f);
  pads.pads[0].Place(PAD_DPAD_DOWN, PAD_SOURCE_AXIS, 1, 1.0f);
  pads.pads[0].Place(PAD_DPAD_LEFT, PAD_SOURCE_AXIS, 0, -1.0f);
  pads.pads[0].Place(PAD_DPAD_RIGHT, PAD_SOURCE_AXIS, 0, 1.0f);
  pads.pads[0].layout.buttons[PAD_BUTTON_X] = TPadSource();
  InstallDefaultPadBindings(0);
  EXPECT_EQ(PadCaptions(),
            (TPadCaptions{u"Joy0Y-", u"Joy0Y+", u"Joy0X+", u"Joy0X-", u"Joy0Btn1", u"Joy0Btn2", u"Joy0Btn8"}));
}

TEST_F(PadTakeUpTest, WhatAKnownPadLacksOrHasOutOfReachKeepsTheUnknownPadsDefault) {
  TFakePads pads{1};
  MakeKnown(pads.pads[0]);
  pads.pads[0].Place(PAD_DPAD_LEFT, PAD_SOURCE_BUTTON, 13);
  pads.pads[0].Place(PAD_DPAD_RIGHT, PAD_SOURCE_BUTTON, 14);
  pads.pads[0].Place(PAD_DPAD_UP, PAD_SOURCE_HAT, 1, 0.0f);     // only the first hat is read
  pads.pads[0].Place(PAD_DPAD_DOWN, PAD_SOURCE_AXIS, 7, 1.0f);  // only six axes are read
  pads.pads[0].Place(PAD_BUTTON_START, PAD_SOURCE_BUTTON, 16);  // presses of buttons past 15 are not counted
  pads.pads[0].Place(PAD_BUTTON_X, PAD_SOURCE_HAT, 0, 0.125f);  // a diagonal is no direction
  pads.pads[0].layout.buttons[PAD_BUTTON_A] = TPadSource();
  pads.pads[0].layout.buttons[PAD_BUTTON_B] = TPadSource();
  StartWithPads(pads);
  EXPECT_EQ(PadCaptions(),
            (TPadCaptions{u"Joy0Up", u"Joy0Down", u"Joy0Btn15", u"Joy0Btn14", u"Joy0Btn2", u"Joy0Btn3", u"Joy0Btn10"}));
}

TEST_F(PadTakeUpTest, DefaultsSavedWithoutAPadBecomeTheDefaultsOfThePadThereAtStartUp) {
  // InstallDefaultBindings(-1) made them, as a game without a pad saves them; here read back as the file has them.
  for (auto& binding : PadBindings) {
    binding->Detach();
  }
  PadBindings = {TControlJoyHat::Create(-1, 0.0f),  TControlJoyHat::Create(-1, 0.5f), TControlJoyHat::Create(-1, 0.25f),
                 TControlJoyHat::Create(-1, 0.75f), TControlJoyButton::Create(-1, 1), TControlJoyButton::Create(-1, 2),
                 TControlJoyButton::Create(-1, 9)};
  TFakePads pads{1};
  MakeKnown(pads.pads[0]);
  StartWithPads(pads);
  EXPECT_EQ(PadPresent, 1);
  EXPECT_EQ(PadCaptions(),
            (TPadCaptions{u"Joy0Up", u"Joy0Down", u"Joy0Right", u"Joy0Left", u"Joy0Btn1", u"Joy0Btn3", u"Joy0Btn8"}));
}

TEST_F(PadTakeUpTest, ThePlayersOwnBindingsOnAMissingPortKeepTheirInputsAndTakeThePadsPort) {
  BindOwnOnMissingPort();
  EXPECT_FALSE(PadBindingsUntouched());
  TFakePads pads{1};
  MakeKnown(pads.pads[0]);  // a known pad's defaults do not override the player's choice
  StartWithPads(pads);
  EXPECT_EQ(PadCaptions(),
            (TPadCaptions{u"Joy0Y-", u"Joy0Y+", u"Joy0X+", u"Joy0X-", u"Joy0Btn6", u"Joy0Btn5", u"Joy0Down"}));
  // A port that vanished: three pads, bindings on port 2, and only one pad left at the next start.
  for (auto& binding : PadBindings) {
    binding->port = 2;
  }
  TFakePads one{1};
  StartWithPads(one);
  EXPECT_EQ(PadCaptions()[COMMAND_RIGHT_HAND], u"Joy0Btn6");
  // One binding changed from the defaults is enough to make them the player's own.
  InstallDefaultPadBindings(-1);
  PadBindings[COMMAND_PAUSE]->Detach();
  PadBindings[COMMAND_PAUSE] = TControlJoyButton::Create(-1, 3);
  StartWithPads(pads);
  EXPECT_EQ(PadCaptions(),
            (TPadCaptions{u"Joy0Up", u"Joy0Down", u"Joy0Right", u"Joy0Left", u"Joy0Btn2", u"Joy0Btn3", u"Joy0Btn4"}));
}

TEST_F(PadTakeUpTest, BindingsOnAPortWithAPadStayWhereTheyAre) {
  TFakePads pads{3};
  BindOwnOnMissingPort();
  for (auto& binding : PadBindings) {
    binding->port = 2;
  }
  PadBindings[COMMAND_PAUSE]->port = 0;  // spread over two pads: either being there is enough
  StartWithPads(pads);
  EXPECT_EQ(PadCaptions()[COMMAND_UP], u"Joy2Y-");
  pads.PullOut(2);
  RunFrame();
  EXPECT_EQ(PadCaptions()[COMMAND_UP], u"Joy2Y-");
  EXPECT_EQ(PadCaptions()[COMMAND_PAUSE], u"Joy0Down");
}

TEST_F(PadTakeUpTest, APadPluggedInWhileTheGameRunsIsTakenUpAndItsButtonsFire) {
  TFakePads pads{0};
  StartWithPads(pads);
  RunFrames(3);
  ASSERT_EQ(PadPresent, 0);
  TFakePads::TPad& pad = pads.PlugIn();
  MakeKnown(pad);
  pad.reading.buttons = 1u << 7;  // Start held as it comes in
  RunFrame();
  EXPECT_EQ(PadPresent, 1);
  EXPECT_EQ(GamepadsFound(), 1);
  EXPECT_EQ(PadCaptions()[COMMAND_PAUSE], u"Joy0Btn8");
  EXPECT_EQ(CommandHit(COMMAND_PAUSE), 0);  // held across the arrival: nothing until released
  RunFrame();
  EXPECT_EQ(CommandDown(COMMAND_PAUSE), 0);
  pads.pads[0].reading.buttons = 0;
  RunFrame();
  pads.pads[0].reading.buttons = 1u << 0;  // A: the right hand
  pads.pads[0].SetHat(27000);              // the d-pad left: walking away
  RunFrame();
  EXPECT_EQ(CommandHit(COMMAND_RIGHT_HAND), 1);
  EXPECT_EQ(CommandDown(COMMAND_BACKWARD), 1);
  EXPECT_EQ(CommandDown(COMMAND_FORWARD), 0);
  // In the menu, A chooses the row.
  MenuState = MENUSTATE_SHOWN;
  pads.pads[0].reading.buttons = 0;
  RunFrame();
  pads.pads[0].reading.buttons = 1u << 0;
  RunFrame();
  EXPECT_EQ(MenuScreen, MENU_TOURNAMENT);
}

TEST_F(PadTakeUpTest, APadPulledOutReadsReleasedAndTakesUpAgainWhenPluggedBackIn) {
  TFakePads pads{1};
  StartWithPads(pads);
  RunFrame();
  pads.pads[0].reading.buttons = 1u << 1;
  pads.pads[0].SetHat(0);
  RunFrame();
  ASSERT_EQ(CommandDown(COMMAND_RIGHT_HAND), 1);
  ASSERT_EQ(CommandDown(COMMAND_UP), 1);
  pads.PullOut(0);
  RunFrame();
  EXPECT_EQ(CommandDown(COMMAND_RIGHT_HAND), 0);
  EXPECT_EQ(CommandDown(COMMAND_UP), 0);
  EXPECT_EQ(PadPresent, 1);
  RunFrames(5);
  EXPECT_EQ(CommandDown(COMMAND_RIGHT_HAND), 0);
  pads.PlugBackIn(0);
  pads.pads[0].reading.buttons = 0;
  RunFrame();
  pads.pads[0].reading.buttons = 1u << 1;
  RunFrame();
  EXPECT_EQ(CommandHit(COMMAND_RIGHT_HAND), 1);
}

TEST_F(PadTakeUpTest, WhenAPadBeforeTheOneInUseGoesTheBindingsFollowItToItsNewPort) {
  TFakePads pads{2};
  StartWithPads(pads);  // on port 1
  pads.PullOut(0);      // the pad in use moves down to port 0
  RunFrame();
  EXPECT_EQ(PadCaptions()[COMMAND_UP], u"Joy0Up");
  pads.pads[1].reading.buttons = 1u << 9;
  RunFrame();
  EXPECT_EQ(CommandHit(COMMAND_PAUSE), 1);
  // A pad plugged in while this one is in use changes nothing.
  pads.PlugIn();
  RunFrame();
  EXPECT_EQ(PadCaptions()[COMMAND_UP], u"Joy0Up");
}

TEST_F(PadTakeUpTest, FramesWhereNoPadComesOrGoesEnumerateNothing) {
  struct TCountingPads : TFakePads {
    using TFakePads::TFakePads;
    int32_t SlotCount() override {
      enumerations++;
      return TFakePads::SlotCount();
    }
    int enumerations = 0;
  } pads{1};
  StartWithPads(pads);
  pads.enumerations = 0;
  RunFrames(50);
  EXPECT_EQ(pads.enumerations, 0);
  pads.PlugIn();
  RunFrames(50);
  EXPECT_EQ(pads.enumerations, 1);
}

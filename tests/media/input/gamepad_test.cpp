// The polled gamepads over fake devices.
#include "media/input/gamepad.h"

#include <gtest/gtest.h>

#include "support/fake_pads.h"

namespace {

class GamepadTest : public ::testing::Test {
protected:
  void SetUp() override {
    // Slots 1 and 3 answer: they become ports 0 and 1.
    platform.Empty(0);
    platform.Empty(2);
    for (size_t slot : {size_t{1}, size_t{3}}) {
      platform.pads[slot].axes = 4;
      platform.pads[slot].hat = slot == 1;
    }
    platform.generation = 7;  // whatever the platform's count is when installed, it is no change
    SetPadPlatform(&platform);
  }
  void TearDown() override { SetPadPlatform(nullptr); }
  TFakePads::TPad& Port0() { return platform.pads[1]; }
  TFakePads platform{4};
};

}  // namespace

TEST_F(GamepadTest, CountsTheSlotsThatAnswerAsPorts) {
  EXPECT_EQ(CountGamepads(), 2);
  EXPECT_EQ(GamepadAxisMask(0), 0xF | 512);
  EXPECT_EQ(GamepadAxisMask(1), 0xF);
  EXPECT_EQ(GamepadAxisMask(2), 0);
  platform.PullOut(1);
  EXPECT_EQ(CountGamepads(), 1);  // re-enumerated on every call
  SetPadPlatform(nullptr);
  EXPECT_EQ(CountGamepads(), 0);
}

TEST_F(GamepadTest, AxesAreScaledToMinusOnePlusOneAndTheHatToAFractionOfATurn) {
  CountGamepads();
  Port0().reading.axis[0] = 0;
  Port0().reading.axis[1] = 65535;
  Port0().reading.hat = 9000;
  EXPECT_FLOAT_EQ(PadAxis(0, 0), -1.0f);
  EXPECT_FLOAT_EQ(PadAxis(0, 1), 1.0f);
  EXPECT_NEAR(PadAxis(0, 2), 0.0f, 1e-4);
  EXPECT_FLOAT_EQ(PadHat(0), 0.25f);
  Port0().reading.hat = 4500;
  EXPECT_FLOAT_EQ(PadHat(0), 0.125f);
  Port0().reading.hat = 65535;
  EXPECT_FLOAT_EQ(PadHat(0), -1.0f);
  EXPECT_EQ(PadAxis(0, 7), 0.0f);  // slots nothing writes
}

TEST_F(GamepadTest, ButtonPressesAreCountedOnRisingEdgesAtEachPoll) {
  CountGamepads();
  Port0().reading.buttons = 1u << 3;
  PollGamepad(0);
  PollGamepad(0);
  Port0().reading.buttons = 0;
  PollGamepad(0);
  Port0().reading.buttons = 1u << 3 | 1u << 20;
  EXPECT_EQ(IsPadButtonDown(3, 0), 1);
  EXPECT_EQ(IsPadButtonDown(20, 0), 1);
  EXPECT_EQ(TakePadButtonHits(3, 0), 2);
  EXPECT_EQ(TakePadButtonHits(3, 0), 0);
  EXPECT_EQ(TakePadButtonHits(20, 0), 0);  // only buttons 0 to 15 are counted
}

TEST_F(GamepadTest, ClearingMakesAHeldButtonANewPress) {
  CountGamepads();
  Port0().reading.buttons = 1u;
  EXPECT_EQ(TakePadButtonHits(0, 0), 1);
  ClearGamepads(-1);
  EXPECT_EQ(TakePadButtonHits(0, 0), 1);
  ClearGamepads(0);  // no port chosen: nothing cleared
  EXPECT_EQ(TakePadButtonHits(0, 0), 0);
}

TEST_F(GamepadTest, DroppingPressesReadsThePadsFirstAndKeepsHeldButtonsHeld) {
  CountGamepads();
  Port0().reading.buttons = 1u << 2;
  PollGamepad(0);
  Port0().reading.buttons = 1u << 2 | 1u << 5;  // pressed since the last poll: before the drop all the same
  DropPadPresses();
  EXPECT_EQ(TakePadButtonHits(2, 0), 0);
  EXPECT_EQ(TakePadButtonHits(5, 0), 0);
  EXPECT_EQ(IsPadButtonDown(5, 0), 1);
  Port0().reading.buttons = 0;
  PollGamepad(0);
  Port0().reading.buttons = 1u << 5;
  EXPECT_EQ(TakePadButtonHits(5, 0), 1);
}

TEST_F(GamepadTest, ADeviceThatStopsAnsweringKeepsItsLastValues) {
  CountGamepads();
  Port0().reading.axis[0] = 65535;
  EXPECT_FLOAT_EQ(PadAxis(0, 0), 1.0f);
  Port0().answers = false;
  Port0().reading.axis[0] = 0;
  EXPECT_FLOAT_EQ(PadAxis(0, 0), 1.0f);
  EXPECT_EQ(GamepadAxisMask(0), 0);
}

TEST_F(GamepadTest, APadPulledOutReadsReleasedAndCentredButKeepsThePressesNotYetTaken) {
  CountGamepads();
  Port0().reading.buttons = 1u << 1 | 1u << 20;
  Port0().reading.axis[0] = 65535;
  Port0().reading.axis[3] = 0;
  Port0().reading.hat = 18000;
  PollGamepad(0);
  ASSERT_EQ(IsPadButtonDown(1, 0), 1);
  platform.PullOut(1);
  EXPECT_EQ(IsPadButtonDown(1, 0), 0);
  EXPECT_EQ(IsPadButtonDown(20, 0), 0);
  EXPECT_EQ(PadAxis(0, 0), 0.0f);
  EXPECT_EQ(PadAxis(0, 3), 0.0f);
  EXPECT_EQ(PadHat(0), -1.0f);
  EXPECT_EQ(TakePadButtonHits(1, 0), 1);  // pressed before it went: that press was made
  // Back in, the button still held is a new press.
  platform.PlugBackIn(1);
  EXPECT_EQ(TakePadButtonHits(1, 0), 1);
  EXPECT_FLOAT_EQ(PadAxis(0, 0), 1.0f);
}

TEST_F(GamepadTest, APortThatChangesHandsStartsAfresh) {
  CountGamepads();
  platform.pads[3].reading.buttons = 1u << 4;
  PollGamepad(1);
  Port0().reading.buttons = 1u << 2;
  Port0().reading.hat = 0;
  PollGamepad(0);
  // The first pad goes: the second moves down to port 0, where nothing of the first is left.
  platform.PullOut(1);
  EXPECT_EQ(CountGamepads(), 1);
  EXPECT_EQ(TakePadButtonHits(2, 0), 0);
  EXPECT_EQ(TakePadButtonHits(4, 0), 1);  // its own button, held as it took the port: a press there
  EXPECT_EQ(PadHat(0), -1.0f);            // it has no hat
  // Counted again with nothing changed: the port keeps its state.
  platform.pads[3].reading.buttons = 0;
  PollGamepad(0);
  platform.pads[3].reading.buttons = 1u << 4;
  PollGamepad(0);
  CountGamepads();
  EXPECT_EQ(TakePadButtonHits(4, 0), 1);
}

TEST_F(GamepadTest, AChangeOfThePadsPluggedInIsReportedOnceAndEnumeratesNothing) {
  EXPECT_FALSE(TakeGamepadsChange());  // the pads there when the platform was installed are no change
  platform.generation++;
  int readsBefore = platform.reads;
  EXPECT_TRUE(TakeGamepadsChange());
  EXPECT_FALSE(TakeGamepadsChange());
  EXPECT_EQ(platform.reads, readsBefore);
  EXPECT_EQ(GamepadsFound(), 0);  // ports change only when counted
  CountGamepads();
  EXPECT_EQ(GamepadsFound(), 2);
  SetPadPlatform(nullptr);
  EXPECT_FALSE(TakeGamepadsChange());
  EXPECT_EQ(GamepadsFound(), 0);
}

TEST_F(GamepadTest, AKnownPadsLayoutIsReportedWithWhatThePollsCannotReadLeftOut) {
  CountGamepads();
  TPadLayout layout;
  EXPECT_FALSE(GamepadLayout(0, &layout));  // not known
  TFakePads::TPad& pad = Port0();
  pad.known = true;
  pad.layout.buttons[PAD_BUTTON_A] = {PAD_SOURCE_BUTTON, 15, 0.0f};
  pad.layout.buttons[PAD_BUTTON_B] = {PAD_SOURCE_BUTTON, 16, 0.0f};
  pad.layout.buttons[PAD_BUTTON_X] = {PAD_SOURCE_BUTTON, -1, 0.0f};
  pad.layout.buttons[PAD_DPAD_UP] = {PAD_SOURCE_HAT, 0, 0.0f};
  pad.layout.buttons[PAD_DPAD_DOWN] = {PAD_SOURCE_HAT, 1, 0.5f};
  pad.layout.buttons[PAD_DPAD_RIGHT] = {PAD_SOURCE_HAT, 0, 0.375f};
  pad.layout.buttons[PAD_DPAD_LEFT] = {PAD_SOURCE_AXIS, 5, -1.0f};
  pad.layout.buttons[PAD_BUTTON_Y] = {PAD_SOURCE_AXIS, 6, 1.0f};
  pad.layout.buttons[PAD_BUTTON_START] = {PAD_SOURCE_AXIS, 2, 0.0f};
  ASSERT_TRUE(GamepadLayout(0, &layout));
  auto kind = [&layout](int32_t button) { return layout.buttons[static_cast<size_t>(button)].kind; };
  EXPECT_EQ(kind(PAD_BUTTON_A), PAD_SOURCE_BUTTON);
  EXPECT_EQ(layout.buttons[PAD_BUTTON_A].index, 15);
  EXPECT_EQ(kind(PAD_BUTTON_B), PAD_SOURCE_NONE);  // presses of button 16 are not counted
  EXPECT_EQ(kind(PAD_BUTTON_X), PAD_SOURCE_NONE);
  EXPECT_EQ(kind(PAD_DPAD_UP), PAD_SOURCE_HAT);
  EXPECT_EQ(kind(PAD_DPAD_DOWN), PAD_SOURCE_NONE);   // a second hat
  EXPECT_EQ(kind(PAD_DPAD_RIGHT), PAD_SOURCE_NONE);  // a diagonal
  EXPECT_EQ(kind(PAD_DPAD_LEFT), PAD_SOURCE_AXIS);
  EXPECT_EQ(layout.buttons[PAD_DPAD_LEFT].direction, -1.0f);
  EXPECT_EQ(kind(PAD_BUTTON_Y), PAD_SOURCE_NONE);      // a seventh axis
  EXPECT_EQ(kind(PAD_BUTTON_START), PAD_SOURCE_NONE);  // an axis with no side
  EXPECT_FALSE(GamepadLayout(2, &layout));
  EXPECT_FALSE(GamepadLayout(-1, &layout));
}

TEST_F(GamepadTest, PortsButtonsAndSlotsThatDoNotExistAnswerZeroAndDisturbNothing) {
  CountGamepads();
  Port0().reading.buttons = 1u << 2;
  EXPECT_EQ(IsPadButtonDown(2, 5), 0);
  EXPECT_EQ(TakePadButtonHits(2, -1), 0);
  EXPECT_EQ(TakePadButtonHits(99, 0), 0);
  EXPECT_EQ(IsPadButtonDown(40, 0), 0);
  EXPECT_EQ(PadAxis(0, 99), 0.0f);
  EXPECT_EQ(PadAxis(-3, 0), 0.0f);
  EXPECT_EQ(PadHat(16), -1.0f);  // centred, so no hat binding of a missing pad is ever held
  EXPECT_EQ(TakePadButtonHits(2, 0), 1);
}

TEST_F(GamepadTest, MoreThanSixteenPadsAreCountedButOnlySixteenHaveState) {
  platform.pads.resize(20);
  for (TFakePads::TPad& pad : platform.pads) {
    pad.plugged = true;
    pad.axes = 2;
    pad.hat = false;
    pad.reading.buttons = 1;
  }
  EXPECT_EQ(CountGamepads(), 20);
  EXPECT_EQ(GamepadAxisMask(18), 3);
  EXPECT_EQ(IsPadButtonDown(0, 18), 0);
  EXPECT_EQ(IsPadButtonDown(0, 15), 1);
}

// The polled gamepads over fake devices.
#include "media/gamepad.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct TFakePad {
  TPadCaps caps;
  TPadReading reading;
  bool answers = true;
};

class TFakePadPlatform : public TPadPlatform {
public:
  int32_t SlotCount() override { return slots; }
  bool Probe(int32_t slot, int32_t* id) override {
    if (pads.count(slot) == 0) {
      return false;
    }
    *id = slot;
    return true;
  }
  bool Capabilities(int32_t id, TPadCaps* caps) override {
    if (!pads[id].answers) {
      return false;
    }
    *caps = pads[id].caps;
    return true;
  }
  bool Read(int32_t id, TPadReading* reading) override {
    reads++;
    if (!pads[id].answers) {
      return false;
    }
    *reading = pads[id].reading;
    return true;
  }
  int32_t slots = 0;
  int reads = 0;
  std::map<int32_t, TFakePad> pads;
};

class GamepadTest : public ::testing::Test {
protected:
  void SetUp() override {
    platform.slots = 4;
    // Slots 1 and 3 answer: they become ports 0 and 1.
    for (int32_t slot : {1, 3}) {
      TFakePad& pad = platform.pads[slot];
      pad.caps.axes = 4;
      pad.caps.hat = slot == 1;
      for (int axis = 0; axis < PAD_AXES; axis++) {
        pad.caps.axisMin[axis] = 0;
        pad.caps.axisMax[axis] = 65535;
        pad.reading.axis[axis] = 32768;
      }
    }
    SetPadPlatform(&platform);
  }
  void TearDown() override { SetPadPlatform(nullptr); }
  TFakePad& Port0() { return platform.pads[1]; }
  TFakePadPlatform platform;
};

}  // namespace

TEST_F(GamepadTest, CountsTheSlotsThatAnswerAsPorts) {
  EXPECT_EQ(CountGamepads(), 2);
  EXPECT_EQ(GamepadAxisMask(0), 0xF | 512);
  EXPECT_EQ(GamepadAxisMask(1), 0xF);
  EXPECT_EQ(GamepadAxisMask(2), 0);
  platform.pads.erase(1);
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
  platform.slots = 20;
  for (int32_t slot = 0; slot < 20; slot++) {
    platform.pads[slot].caps.axes = 2;
    platform.pads[slot].reading.buttons = 1;
  }
  EXPECT_EQ(CountGamepads(), 20);
  EXPECT_EQ(GamepadAxisMask(18), 3);
  EXPECT_EQ(IsPadButtonDown(0, 18), 0);
  EXPECT_EQ(IsPadButtonDown(0, 15), 1);
}

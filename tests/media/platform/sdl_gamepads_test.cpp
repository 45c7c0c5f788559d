// The polled gamepads over SDL's own joystick code, with SDL's virtual joysticks for pads: what a pad reads, and a
// pad plugged in or pulled out. No display. What SDL's controller database says of a pad is checked through the
// bindings the game makes of it (tests/app/sdl_pads_test.cpp).
#include "media/platform/sdl_gamepads.h"

#include <gtest/gtest.h>

#include <string>

#include "media/input/gamepad.h"
#include "support/virtual_pads.h"

namespace {

class SdlGamepadsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(StartSDLPads());
    if (std::string others = OtherJoysticks(); !others.empty()) {
      GTEST_SKIP() << "another pad is plugged in (" << others << "): these tests count the pads and read port 0";
    }
  }
  void TearDown() override { StopSDLPads(); }
};

}  // namespace

TEST_F(SdlGamepadsTest, APadPluggedInOrPulledOutIsNoticedOnceWithoutCounting) {
  EXPECT_FALSE(TakeGamepadsChange());
  auto pad = TVirtualPad::AttachController();
  ASSERT_NE(pad, nullptr);
  EXPECT_TRUE(TakeGamepadsChange());
  EXPECT_FALSE(TakeGamepadsChange());
  EXPECT_EQ(GamepadsFound(), 0);
  EXPECT_EQ(CountGamepads(), 1);
  pad->Detach();
  EXPECT_TRUE(TakeGamepadsChange());
  EXPECT_EQ(CountGamepads(), 0);
  // Swapped for another between two looks: the count is the same, the pad is not.
  auto first = TVirtualPad::AttachController();
  EXPECT_TRUE(TakeGamepadsChange());
  first->Detach();
  auto second = TVirtualPad::AttachController();
  EXPECT_TRUE(TakeGamepadsChange());
}

TEST_F(SdlGamepadsTest, ButtonsTheHatAndAxesReadAsTheDeviceSetsThem) {
  auto pad = TVirtualPad::AttachUnknown(0x4d56, 0x0001);
  ASSERT_NE(pad, nullptr);
  ASSERT_EQ(CountGamepads(), 1);
  EXPECT_EQ(GamepadAxisMask(0), 3 | 512);
  pad->SetButton(3, true);
  pad->SetHat(VIRTUAL_HAT_LEFT);
  pad->SetAxis(1, 32767);
  EXPECT_EQ(IsPadButtonDown(3, 0), 1);
  EXPECT_EQ(TakePadButtonHits(3, 0), 1);
  EXPECT_FLOAT_EQ(PadHat(0), 0.75f);
  EXPECT_FLOAT_EQ(PadAxis(0, 1), 1.0f);
  pad->SetHat(VIRTUAL_HAT_UP | VIRTUAL_HAT_RIGHT);
  EXPECT_FLOAT_EQ(PadHat(0), 0.125f);
}

TEST_F(SdlGamepadsTest, APadPulledOutWithAButtonHeldReadsReleasedAndCentred) {
  auto pad = TVirtualPad::AttachUnknown(0x4d56, 0x0002);
  ASSERT_NE(pad, nullptr);
  ASSERT_EQ(CountGamepads(), 1);
  pad->SetButton(1, true);
  pad->SetHat(VIRTUAL_HAT_DOWN);
  pad->SetAxis(0, -32768);
  ASSERT_EQ(IsPadButtonDown(1, 0), 1);
  ASSERT_FLOAT_EQ(PadHat(0), 0.5f);
  pad->Detach();
  // Before the pads are counted again, and after.
  EXPECT_EQ(IsPadButtonDown(1, 0), 0);
  EXPECT_EQ(PadHat(0), -1.0f);
  EXPECT_EQ(PadAxis(0, 0), 0.0f);
  EXPECT_EQ(CountGamepads(), 0);
  EXPECT_EQ(IsPadButtonDown(1, 0), 0);
}

TEST_F(SdlGamepadsTest, StoppedAndStartedAgainThePlatformHoldsNoDeviceOfBefore) {
  auto pad = TVirtualPad::AttachController();
  ASSERT_NE(pad, nullptr);
  ASSERT_EQ(CountGamepads(), 1);
  pad.reset();
  StopSDLPads();
  ASSERT_TRUE(StartSDLPads());
  EXPECT_EQ(CountGamepads(), 0);
  EXPECT_FALSE(TakeGamepadsChange());
  auto again = TVirtualPad::AttachController();
  ASSERT_EQ(CountGamepads(), 1);
  again->SetButton(VIRTUAL_A, true);
  EXPECT_EQ(IsPadButtonDown(VIRTUAL_A, 0), 1);
}

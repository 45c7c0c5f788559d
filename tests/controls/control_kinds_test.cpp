// The four kinds of binding against real polled keyboard state and fake pads.
#include "controls/control_kinds.h"

#include <gtest/gtest.h>

#include <map>

#include "media/core/events.h"
#include "media/input/gamepad.h"
#include "media/input/input.h"
#include "shared/game_state.h"
#include "support/game_fixture.h"

namespace {

// One pad whose button word, hat and axes the test sets.
class TOnePad : public TPadPlatform {
public:
  int32_t SlotCount() override { return 1; }
  bool Probe(int32_t, int32_t* id) override {
    *id = 0;
    return true;
  }
  bool Capabilities(int32_t, TPadCaps* caps) override {
    caps->axes = 6;
    caps->hat = true;
    for (int axis = 0; axis < PAD_AXES; axis++) {
      caps->axisMin[axis] = 0;
      caps->axisMax[axis] = 2000;
    }
    return true;
  }
  bool Read(int32_t, TPadReading* out) override {
    *out = reading;
    return true;
  }
  // Axis value v in -1..1 as a raw position.
  void SetAxis(int axis, double v) { reading.axis[axis] = static_cast<int32_t>((v + 1.0) * 1000.0); }
  TPadReading reading;
};

class ControlKindsTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    EnablePolledInput(nullptr);
    for (int axis = 0; axis < PAD_AXES; axis++) {
      pad.SetAxis(axis, 0.0);
    }
    SetPadPlatform(&pad);
    CountGamepads();
    PadPresent = 1;
  }
  void TearDown() override {
    SetPadPlatform(nullptr);
    DisablePolledInput();
    GameTest::TearDown();
  }
  static void Key(int32_t id, int32_t key) { EmitEvent(TEvent{id, nullptr, key, 0, 0, 0}); }
  TOnePad pad;
};

}  // namespace

TEST_F(ControlKindsTest, AKeyBindingReportsPressesAndHolds) {
  auto key = TControlKey::Create('J');
  Key(EVENT_KEYDOWN, 'J');
  TControl::Update();
  EXPECT_EQ(key->Hit(), 1);
  EXPECT_EQ(key->Down(), 1);
  TControl::Update();
  EXPECT_EQ(key->Hit(), 0);
  EXPECT_EQ(key->Down(), 1);
}

TEST_F(ControlKindsTest, TwoBindingsOnOneKeyShareItsHoldButOnlyTheFirstGetsThePress) {
  auto first = TControlKey::Create('K');
  auto second = TControlKey::Create('K');
  Key(EVENT_KEYDOWN, 'K');
  TControl::Update();
  EXPECT_EQ(first->Hit(), 1);
  EXPECT_EQ(second->Hit(), 0);
  EXPECT_EQ(second->Down(), 1);
}

TEST_F(ControlKindsTest, AKeyHeldThroughAFlushIsSilentUntilReleased) {
  auto key = TControlKey::Create('L');
  Key(EVENT_KEYDOWN, 'L');
  TControl::Flush();
  TControl::Update();
  EXPECT_EQ(key->Down(), 0);
  EXPECT_EQ(key->Hit(), 0);  // the press was taken by this update and dropped
  Key(EVENT_KEYUP, 'L');
  TControl::Update();
  Key(EVENT_KEYDOWN, 'L');
  TControl::Update();
  EXPECT_EQ(key->Hit(), 1);
}

TEST_F(ControlKindsTest, ButtonBindingsCountPressesOfTheirPortAndButton) {
  auto button = TControlJoyButton::Create(0, 4);
  pad.reading.buttons = 1u << 4;
  TControl::Update();
  EXPECT_EQ(button->Hit(), 1);
  EXPECT_EQ(button->Down(), 1);
  auto missing = TControlJoyButton::Create(7, 4);
  TControl::Update();
  EXPECT_EQ(missing->Down(), 0);
}

TEST_F(ControlKindsTest, HatBindingsMatchTheirDirectionExactly) {
  auto right = TControlJoyHat::Create(0, 0.25f);
  pad.reading.hat = 13500;  // down-right
  TControl::Update();
  EXPECT_EQ(right->Down(), 0);
  pad.reading.hat = 9000;
  TControl::Update();
  EXPECT_EQ(right->Down(), 1);
  EXPECT_EQ(right->Hit(), 1);
  TControl::Update();
  EXPECT_EQ(right->Hit(), 0);
  pad.reading.hat = 65535;
  TControl::Update();
  EXPECT_EQ(right->Down(), 0);
}

TEST_F(ControlKindsTest, AxisBindingsHitOnceAboveHalfAndAgainOnlyAfterFallingBack) {
  auto axis = TControlJoyAxis::Create(0, 1, 1);
  pad.SetAxis(1, 0.4);
  TControl::Update();
  EXPECT_EQ(axis->Down(), 0);
  pad.SetAxis(1, 0.6);
  TControl::Update();
  EXPECT_EQ(axis->Hit(), 1);
  EXPECT_EQ(axis->Down(), 1);
  pad.SetAxis(1, 0.9);
  TControl::Update();
  EXPECT_EQ(axis->Hit(), 0);
  pad.SetAxis(1, 0.5);  // exactly half is not held
  TControl::Update();
  EXPECT_EQ(axis->Down(), 0);
  pad.SetAxis(1, 0.7);
  TControl::Update();
  EXPECT_EQ(axis->Hit(), 1);
  pad.SetAxis(1, -0.8);  // the other direction
  TControl::Update();
  EXPECT_EQ(axis->Down(), 0);
}

TEST_F(ControlKindsTest, WithoutAPadAtStartUpPadBindingsReadNothing) {
  PadPresent = 0;
  auto button = TControlJoyButton::Create(0, 0);
  auto hat = TControlJoyHat::Create(0, 0.0f);
  auto axis = TControlJoyAxis::Create(0, 0, -1);
  pad.reading.buttons = 1;
  pad.reading.hat = 0;
  pad.SetAxis(0, -1.0);
  TControl::Update();
  EXPECT_EQ(button->Down() + button->Hit() + hat->Down() + hat->Hit() + axis->Down() + axis->Hit(), 0);
}

TEST_F(ControlKindsTest, CaptionsNameTheInput) {
  // A string moved in: g++ 12 at -O2 warns, wrongly, of overlapping copies when a literal is assigned here.
  KeyNames['A'] = std::u16string(u"A");
  EXPECT_EQ(TControlKey::Create('A')->GetCaption(), u"A");
  EXPECT_EQ(TControlKey::Create('B')->GetCaption(), u"");
  EXPECT_EQ(TControlKey::Create(999)->GetCaption(), u"");
  EXPECT_EQ(TControlJoyButton::Create(0, 9)->GetCaption(), u"Joy0Btn10");
  EXPECT_EQ(TControlJoyButton::Create(-1, 1)->GetCaption(), u"Joy-1Btn2");
  EXPECT_EQ(TControlJoyHat::Create(-1, 0.0f)->GetCaption(), u"Joy-1Up");
  EXPECT_EQ(TControlJoyHat::Create(1, 0.25f)->GetCaption(), u"Joy1Right");
  EXPECT_EQ(TControlJoyHat::Create(0, 0.5f)->GetCaption(), u"Joy0Down");
  EXPECT_EQ(TControlJoyHat::Create(0, 0.75f)->GetCaption(), u"Joy0Left");
  EXPECT_EQ(TControlJoyHat::Create(0, 0.125f)->GetCaption(), u"Joy0");
  EXPECT_EQ(TControlJoyAxis::Create(0, 1, 1)->GetCaption(), u"Joy0Y+");
  EXPECT_EQ(TControlJoyAxis::Create(2, 2, -1)->GetCaption(), u"Joy2Z-");
  EXPECT_EQ(TControlJoyAxis::Create(0, 10, 0)->GetCaption(), u"Joy0WHEEL");
}

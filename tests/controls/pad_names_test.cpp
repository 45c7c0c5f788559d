// Pad bindings by the names players know them by: a known pad's layout names, any other pad's numbers counted
// from 1, and which pad when there are several.
#include "controls/pad_names.h"

#include <gtest/gtest.h>

#include "controls/control_kinds.h"
#include "controls/pad_take_up.h"
#include "support/fake_pads.h"
#include "support/game_fixture.h"

namespace {

class PadNamesTest : public GameTest {
protected:
  // A pad laid out as SDL describes a common one: the d-pad on the hat, the face buttons on 0 to 3, the shoulders
  // on 4 and 5, Back 6, Start 7, the sticks on axes 0 to 3, the triggers on 4 and 5; the sticks' presses on
  // 9 and 10.
  static void MakeKnown(TFakePads::TPad& pad) {
    pad.Place(PAD_DPAD_UP, PAD_SOURCE_HAT, 0, 0.0f);
    pad.Place(PAD_DPAD_RIGHT, PAD_SOURCE_HAT, 0, 0.25f);
    pad.Place(PAD_DPAD_DOWN, PAD_SOURCE_HAT, 0, 0.5f);
    pad.Place(PAD_DPAD_LEFT, PAD_SOURCE_HAT, 0, 0.75f);
    pad.Place(PAD_BUTTON_A, PAD_SOURCE_BUTTON, 0);
    pad.Place(PAD_BUTTON_B, PAD_SOURCE_BUTTON, 1);
    pad.Place(PAD_BUTTON_X, PAD_SOURCE_BUTTON, 2);
    pad.Place(PAD_BUTTON_Y, PAD_SOURCE_BUTTON, 3);
    pad.Place(PAD_BUTTON_LB, PAD_SOURCE_BUTTON, 4);
    pad.Place(PAD_BUTTON_RB, PAD_SOURCE_BUTTON, 5);
    pad.Place(PAD_BUTTON_BACK, PAD_SOURCE_BUTTON, 6);
    pad.Place(PAD_BUTTON_START, PAD_SOURCE_BUTTON, 7);
    pad.Place(PAD_BUTTON_LEFT_STICK, PAD_SOURCE_BUTTON, 9);
    pad.Place(PAD_BUTTON_RIGHT_STICK, PAD_SOURCE_BUTTON, 10);
    for (int32_t axis = 0; axis < PAD_STANDARD_AXES; axis++) {
      pad.layout.axes[static_cast<size_t>(axis)] = TPadSource{PAD_SOURCE_AXIS, axis, 1.0f};
    }
  }
  static std::u16string Name(const std::shared_ptr<TControl>& binding) {
    TPadNames names;
    return names.Of(*binding);
  }
};

}  // namespace

TEST_F(PadNamesTest, AKnownPadShowsTheNamesPrintedOnIt) {
  TFakePads pads{1};
  MakeKnown(pads.pads[0]);
  SetPadPlatform(&pads);
  CountGamepads();
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 0)), u"A");
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 2)), u"X");
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 7)), u"Start");
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 6)), u"Back");
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 4)), u"LB");
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 10)), u"RS");
  EXPECT_EQ(Name(TControlJoyHat::Create(0, 0.0f)), u"D-pad up");
  EXPECT_EQ(Name(TControlJoyHat::Create(0, 0.75f)), u"D-pad left");
  EXPECT_EQ(Name(TControlJoyAxis::Create(0, 1, -1)), u"Left stick up");
  EXPECT_EQ(Name(TControlJoyAxis::Create(0, 1, 1)), u"Left stick down");
  EXPECT_EQ(Name(TControlJoyAxis::Create(0, 2, 1)), u"Right stick right");
  EXPECT_EQ(Name(TControlJoyAxis::Create(0, 5, 1)), u"Right trigger");
  // What the layout does not name keeps its number: a button it does not use, a trigger pushed the wrong way.
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 11)), u"Button 12");
  EXPECT_EQ(Name(TControlJoyAxis::Create(0, 4, -1)), u"Axis 5 -");
  // The raw form stays what the settings file keeps.
  EXPECT_EQ(TControlJoyButton::Create(0, 0)->GetCaption(), u"Joy0Btn1");
}

TEST_F(PadNamesTest, APadTheLayoutPutsOnAxesIsNamedByWhereTheLayoutPutsThem) {
  TFakePads pads{1};
  pads.pads[0].Place(PAD_DPAD_UP, PAD_SOURCE_AXIS, 1, -1.0f);  // a d-pad reported as an axis
  pads.pads[0].layout.axes[PAD_LEFT_STICK_Y] = TPadSource{PAD_SOURCE_AXIS, 3, 1.0f};
  SetPadPlatform(&pads);
  CountGamepads();
  EXPECT_EQ(Name(TControlJoyAxis::Create(0, 1, -1)), u"D-pad up");
  EXPECT_EQ(Name(TControlJoyAxis::Create(0, 1, 1)), u"Axis 2 +");
  EXPECT_EQ(Name(TControlJoyAxis::Create(0, 3, -1)), u"Left stick up");
}

TEST_F(PadNamesTest, AnyOtherPadShowsItsInputsByNumberCountedFromOne) {
  TFakePads pads{1};
  SetPadPlatform(&pads);
  CountGamepads();
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 2)), u"Button 3");
  EXPECT_EQ(Name(TControlJoyButton::Create(0, INT32_MAX)), u"Button 2147483648");
  EXPECT_EQ(Name(TControlJoyHat::Create(0, 0.0f)), u"Hat up");
  EXPECT_EQ(Name(TControlJoyHat::Create(0, 0.5f)), u"Hat down");
  EXPECT_EQ(Name(TControlJoyHat::Create(0, 0.125f)), u"Hat");
  EXPECT_EQ(Name(TControlJoyAxis::Create(0, 1, -1)), u"Axis 2 -");
  // A binding on a port where no pad is (the defaults made without one) is named as an unknown pad's.
  EXPECT_EQ(Name(TControlJoyButton::Create(-1, 1)), u"Button 2");
  // A key is not a pad input: its caption.
  EXPECT_EQ(Name(TControlKey::Create('J')), TControlKey::Create('J')->GetCaption());
}

TEST_F(PadNamesTest, WithSeveralPadsEachNameSaysWhichPad) {
  TFakePads pads{2};
  MakeKnown(pads.pads[1]);
  SetPadPlatform(&pads);
  CountGamepads();
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 0)), u"Pad 1: Button 1");
  EXPECT_EQ(Name(TControlJoyButton::Create(1, 0)), u"Pad 2: A");
  pads.PullOut(0);
  CountGamepads();
  EXPECT_EQ(Name(TControlJoyButton::Create(0, 0)), u"A");  // one pad left, now port 0
}

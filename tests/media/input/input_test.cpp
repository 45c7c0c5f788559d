// The polled keyboard and window state, fed with the events the window sends.
#include "media/input/input.h"

#include <gtest/gtest.h>

#include "media/core/events.h"
#include "media/input/key_codes.h"

namespace {

class InputTest : public ::testing::Test {
protected:
  void SetUp() override { EnablePolledInput(nullptr); }
  void TearDown() override { DisablePolledInput(); }
  static void Send(int32_t id, int32_t data = 0, const void* source = nullptr) {
    EmitEvent(TEvent{id, source, data, 0, 0, 0});
  }
};

}  // namespace

TEST_F(InputTest, AHeldKeyIsOnePressAndRepeatsAreIgnored) {
  Send(EVENT_KEYDOWN, 'J');
  Send(EVENT_KEYREPEAT, 'J');
  Send(EVENT_KEYDOWN, 'J');  // a second down without an up
  EXPECT_EQ(IsKeyDown('J'), 1);
  EXPECT_EQ(TakeKeyHits('J'), 1);
  EXPECT_EQ(TakeKeyHits('J'), 0);
  EXPECT_EQ(IsKeyDown('J'), 1);
  Send(EVENT_KEYUP, 'J');
  EXPECT_EQ(IsKeyDown('J'), 0);
}

TEST_F(InputTest, QuickPressesBetweenTwoQueriesAreAllCountedAndReleaseKeepsThem) {
  for (int i = 0; i < 2; i++) {
    Send(EVENT_KEYDOWN, 160);
    Send(EVENT_KEYUP, 160);
  }
  EXPECT_EQ(IsKeyDown(160), 0);
  EXPECT_EQ(TakeKeyHits(160), 2);
  EXPECT_EQ(TakeKeyHits(161), 0);
}

TEST_F(InputTest, ClearKeysAndLosingTheFocusForgetEverything) {
  Send(EVENT_KEYDOWN, 'A');
  ClearKeys();
  EXPECT_EQ(IsKeyDown('A'), 0);
  EXPECT_EQ(TakeKeyHits('A'), 0);
  Send(EVENT_KEYDOWN, 'B');
  Send(EVENT_APPSUSPEND);
  EXPECT_EQ(InputSuspended(), 1);
  EXPECT_EQ(IsKeyDown('B'), 0);
  EXPECT_EQ(TakeKeyHits('B'), 0);
  Send(EVENT_KEYDOWN, 'C');
  Send(EVENT_APPRESUME);
  EXPECT_EQ(InputSuspended(), 0);
  EXPECT_EQ(TakeKeyHits('C'), 0);
}

TEST_F(InputTest, DroppingPressesKeepsHeldKeysHeldAndDropsEveryUnreadPress) {
  Send(EVENT_KEYDOWN, 'A');
  Send(EVENT_KEYDOWN, 'B');
  Send(EVENT_KEYUP, 'B');
  DropKeyPresses();
  EXPECT_EQ(IsKeyDown('A'), 1);
  EXPECT_EQ(TakeKeyHits('A'), 0);
  EXPECT_EQ(TakeKeyHits('B'), 0);
  // Held through the drop, A is not pressed again until it has been released.
  Send(EVENT_KEYDOWN, 'A');
  EXPECT_EQ(TakeKeyHits('A'), 0);
  Send(EVENT_KEYUP, 'A');
  Send(EVENT_KEYDOWN, 'A');
  EXPECT_EQ(TakeKeyHits('A'), 1);
}

TEST_F(InputTest, AFocusLossIsReportedOnceHoweverLongAgoItHappened) {
  EXPECT_EQ(TakeFocusLoss(), 0);
  Send(EVENT_APPSUSPEND);
  Send(EVENT_APPRESUME);
  EXPECT_EQ(TakeFocusLoss(), 1);
  EXPECT_EQ(TakeFocusLoss(), 0);
  Send(EVENT_APPRESUME);  // coming back is no loss
  EXPECT_EQ(TakeFocusLoss(), 0);
}

TEST_F(InputTest, AFullScreenRequestIsReportedOnceAndIsNoKeyPress) {
  EXPECT_EQ(TakeFullScreenToggle(), 0);
  Send(EVENT_TOGGLEFULLSCREEN);
  EXPECT_EQ(TakeKeyHits(KEY_F11), 0);
  EXPECT_EQ(TakeKeyHits(KEY_ENTER), 0);
  EXPECT_EQ(TakeFullScreenToggle(), 1);
  EXPECT_EQ(TakeFullScreenToggle(), 0);
  // Keys cleared by a focus loss leave a request standing; a closed window takes it with it.
  Send(EVENT_TOGGLEFULLSCREEN);
  Send(EVENT_APPSUSPEND);
  EXPECT_EQ(TakeFullScreenToggle(), 1);
  Send(EVENT_TOGGLEFULLSCREEN);
  DisablePolledInput();
  EnablePolledInput(nullptr);
  EXPECT_EQ(TakeFullScreenToggle(), 0);
}

TEST(FullScreenKeysTest, F11WithAnyModifiersAndEnterOnlyWithAltAreTheWindowsOwn) {
  EXPECT_TRUE(IsFullScreenToggleKey(KEY_F11, 0));
  EXPECT_TRUE(IsFullScreenToggleKey(KEY_F11, MOD_SHIFT | MOD_CONTROL));
  EXPECT_TRUE(IsFullScreenToggleKey(KEY_ENTER, MOD_ALT));
  EXPECT_TRUE(IsFullScreenToggleKey(KEY_ENTER, MOD_ALT | MOD_SHIFT));
  EXPECT_FALSE(IsFullScreenToggleKey(KEY_ENTER, 0));  // Enter confirms menu rows
  EXPECT_FALSE(IsFullScreenToggleKey(KEY_ENTER, MOD_CONTROL));
  EXPECT_FALSE(IsFullScreenToggleKey(KEY_F1 + 9, 0));         // F10
  EXPECT_FALSE(IsFullScreenToggleKey(KEY_F1 + 11, MOD_ALT));  // F12
  EXPECT_FALSE(IsFullScreenToggleKey(KEY_LALT, MOD_ALT));
  EXPECT_FALSE(IsFullScreenToggleKey('J', MOD_ALT));
}

TEST_F(InputTest, TheCloseRequestIsReportedOnce) {
  EXPECT_EQ(TakeCloseRequest(), 0);
  Send(EVENT_APPTERMINATE);
  EXPECT_EQ(TakeCloseRequest(), 1);
  EXPECT_EQ(TakeCloseRequest(), 0);
}

TEST_F(InputTest, TypedCharactersQueueUpTo256) {
  for (int i = 0; i < 300; i++) {
    Send(EVENT_KEYCHAR, 'a' + i % 26);
  }
  int taken = 0;
  while (TakeChar() != 0) {
    taken++;
  }
  EXPECT_EQ(taken, 256);
  Send(EVENT_KEYCHAR, 'x');
  ClearKeys();
  EXPECT_EQ(TakeChar(), 0);
}

TEST_F(InputTest, CodesOutsideTheTableAreNeitherStoredNorAnswered) {
  Send(EVENT_KEYDOWN, 300);
  Send(EVENT_KEYDOWN, -1);
  EXPECT_EQ(TakeKeyHits(300), 0);
  EXPECT_EQ(IsKeyDown(-1), 0);
  EXPECT_EQ(TakeKeyHits(300 - 256), 0);
}

TEST_F(InputTest, OnlyTheFilteredSourceIsHeardAndNothingAfterDisabling) {
  int window = 0;
  int other = 0;
  EnablePolledInput(&window);
  Send(EVENT_KEYDOWN, 'Q', &other);
  Send(EVENT_KEYDOWN, 'W', &window);
  EXPECT_EQ(IsKeyDown('Q'), 0);
  EXPECT_EQ(IsKeyDown('W'), 1);
  DisablePolledInput();
  EXPECT_EQ(IsKeyDown('W'), 0);
  Send(EVENT_KEYDOWN, 'E');
  EXPECT_EQ(TakeKeyHits('E'), 0);
}

#include "controls/commands.h"

#include <gtest/gtest.h>

#include "shared/game_state.h"
#include "support/fake_control.h"
#include "support/game_fixture.h"

namespace {

class CommandsTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    for (int32_t i = 0; i < COMMAND_COUNT; i++) {
      keys[static_cast<size_t>(i)] = TFakeControl::Create();
      KeyBindings[static_cast<size_t>(i)] = keys[static_cast<size_t>(i)];
    }
    for (int32_t i = 0; i < COMMAND_COUNT; i++) {
      pads[static_cast<size_t>(i)] = TFakeControl::Create();
      PadBindings[static_cast<size_t>(i)] = pads[static_cast<size_t>(i)];
    }
  }
  std::array<std::shared_ptr<TFakeControl>, COMMAND_COUNT> keys;
  std::array<std::shared_ptr<TFakeControl>, COMMAND_COUNT> pads;
};

}  // namespace

TEST_F(CommandsTest, TheKeyBindingAnswersFirstAndThePadOnlyWhenTheKeySaysNothing) {
  keys[COMMAND_UP]->Press();
  keys[COMMAND_UP]->Press();
  pads[COMMAND_UP]->Press();
  pads[COMMAND_DOWN]->Press();
  TControl::Update();
  EXPECT_EQ(CommandHit(COMMAND_UP), 2);  // the key's count; the pad's hit is not looked at
  EXPECT_EQ(CommandHit(COMMAND_DOWN), 1);
  EXPECT_EQ(CommandDown(COMMAND_DOWN), 1);
  EXPECT_EQ(CommandHit(COMMAND_FORWARD), 0);
  EXPECT_EQ(CommandDown(COMMAND_FORWARD), 0);
}

TEST_F(CommandsTest, AnyCommandHitLooksOnlyAtTheFirstCountCommands) {
  keys[COMMAND_PAUSE]->Press();
  TControl::Update();
  EXPECT_EQ(AnyCommandHit(6), 0);
  EXPECT_EQ(AnyCommandHit(7), 1);
  pads[COMMAND_BACKWARD]->Press();
  TControl::Update();
  EXPECT_EQ(AnyCommandHit(4), 1);
  EXPECT_EQ(AnyCommandHit(3), 0);
}

TEST_F(CommandsTest, LockingDoesNotFlushButUnlockingAlwaysDoes) {
  keys[COMMAND_LEFT_HAND]->Press();
  TControl::Update();
  SetInputLock(1);
  EXPECT_EQ(InputLock, 1);
  EXPECT_EQ(CommandHit(COMMAND_LEFT_HAND), 1);
  EXPECT_EQ(CommandDown(COMMAND_LEFT_HAND), 1);
  SetInputLock(0);
  EXPECT_EQ(InputLock, 0);
  EXPECT_EQ(CommandHit(COMMAND_LEFT_HAND), 0);
  EXPECT_EQ(CommandDown(COMMAND_LEFT_HAND), 0);
  // Unlocking when nothing was locked flushes too.
  keys[COMMAND_RIGHT_HAND]->Press();
  TControl::Update();
  SetInputLock(0);
  EXPECT_EQ(CommandHit(COMMAND_RIGHT_HAND), 0);
  TControl::Update();
  EXPECT_EQ(CommandDown(COMMAND_RIGHT_HAND), 0);  // still held since the flush
}

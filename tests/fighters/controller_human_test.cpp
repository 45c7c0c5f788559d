// The player's controller: what the commands do in each action of the fighter.
#include "fighters/controller_human.h"

#include <gtest/gtest.h>

#include "fighters/figure.h"
#include "shared/game_state.h"
#include "support/fake_control.h"
#include "support/game_fixture.h"

namespace {

class HumanControllerTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    for (int32_t i = 0; i < COMMAND_COUNT; i++) {
      keys[static_cast<size_t>(i)] = TFakeControl::Create();
      KeyBindings[static_cast<size_t>(i)] = keys[static_cast<size_t>(i)];
      PadBindings[static_cast<size_t>(i)] = TFakeControl::Create();
    }
    me = TFigure::Create(human, 200, 32, 255, 64, 0);
    other = TFigure::Create(nullptr, 200, 255, 255, 255, 1);
    TFigure::Fight(me, other);
  }
  // Starts a new frame: the bindings read what was pressed and held, then the controller decides.
  void Decide() {
    TControl::Update();
    human->Update();
  }
  void Press(int32_t command) { keys[static_cast<size_t>(command)]->Press(); }
  void Release(int32_t command) { keys[static_cast<size_t>(command)]->Release(); }
  // Held since an earlier frame, whose update already reported the press.
  void HoldFromBefore(int32_t command) {
    Press(command);
    TControl::Update();
  }
  void Tap(int32_t command) {
    Press(command);
    Release(command);
  }

  std::array<std::shared_ptr<TFakeControl>, COMMAND_COUNT> keys;
  std::shared_ptr<TControllerHuman> human = std::make_shared<TControllerHuman>();
  std::shared_ptr<TFigure> me;
  std::shared_ptr<TFigure> other;
};

}  // namespace

TEST_F(HumanControllerTest, WithNothingHeldTheFighterGuardsInTheMiddle) {
  me->action = ACTION_FORWARD;
  me->height = 0;
  Decide();
  EXPECT_EQ(me->action, ACTION_GUARD);
  EXPECT_EQ(me->height, 1);
}

TEST_F(HumanControllerTest, UpWinsOverDownAndForwardOverBackward) {
  Press(COMMAND_UP);
  Press(COMMAND_DOWN);
  Decide();
  EXPECT_EQ(me->height, 0);
  Release(COMMAND_UP);
  Decide();
  EXPECT_EQ(me->height, 2);
  EXPECT_EQ(me->action, ACTION_GUARD);
  Release(COMMAND_DOWN);
  Press(COMMAND_FORWARD);
  Press(COMMAND_BACKWARD);
  Decide();
  EXPECT_EQ(me->action, ACTION_FORWARD);
  EXPECT_EQ(me->height, 1);
  Release(COMMAND_FORWARD);
  Decide();
  EXPECT_EQ(me->action, ACTION_BACK);
}

TEST_F(HumanControllerTest, HoldingUpAndPressingRightHandPunchesHighInTheSameTick) {
  Press(COMMAND_UP);
  Tap(COMMAND_RIGHT_HAND);
  Decide();
  EXPECT_EQ(me->action, ACTION_PUNCH);
  EXPECT_EQ(me->height, 0);
  EXPECT_EQ(me->side, 0);
}

TEST_F(HumanControllerTest, BothHandsInOneFrameThrowTheLeft) {
  Tap(COMMAND_RIGHT_HAND);
  Tap(COMMAND_LEFT_HAND);
  Decide();
  EXPECT_EQ(me->action, ACTION_PUNCH);
  EXPECT_EQ(me->side, 1);
}

TEST_F(HumanControllerTest, WhileRecoveringOnlyANewPressActs) {
  HoldFromBefore(COMMAND_UP);
  me->action = ACTION_RECOVER;
  me->side = 0;
  me->height = 1;
  Decide();
  EXPECT_EQ(me->action, ACTION_RECOVER);
  EXPECT_EQ(me->height, 1);
  // The same hand again throws nothing, but the height follows the direction held.
  Tap(COMMAND_RIGHT_HAND);
  Decide();
  EXPECT_EQ(me->action, ACTION_RECOVER);
  EXPECT_EQ(me->height, 0);
  // The other hand throws at once, at the height held: a combination.
  Tap(COMMAND_LEFT_HAND);
  Decide();
  EXPECT_EQ(me->action, ACTION_PUNCH);
  EXPECT_EQ(me->side, 1);
  EXPECT_EQ(me->height, 0);
}

TEST_F(HumanControllerTest, WhileRecoveringANewUpPressEndsTheRecoveryIntoAGuard) {
  me->action = ACTION_RECOVER;
  Tap(COMMAND_UP);
  Press(COMMAND_UP);
  Decide();
  EXPECT_EQ(me->action, ACTION_GUARD);
  EXPECT_EQ(me->height, 0);
}

TEST_F(HumanControllerTest, WhileRecoveringALeftPressWithNoDirectionSetsTheMiddle) {
  me->action = ACTION_RECOVER;
  me->side = 0;
  me->height = 0;
  Tap(COMMAND_LEFT_HAND);
  Decide();
  EXPECT_EQ(me->height, 1);
  EXPECT_EQ(me->action, ACTION_PUNCH);
}

TEST_F(HumanControllerTest, WhileRecoveringAHeldWalkStartsOnANewPress) {
  HoldFromBefore(COMMAND_BACKWARD);
  me->action = ACTION_RECOVER;
  Decide();
  EXPECT_EQ(me->action, ACTION_RECOVER);
  Tap(COMMAND_FORWARD);  // a new press of another command lets the held walk through
  Decide();
  EXPECT_EQ(me->action, ACTION_BACK);
}

TEST_F(HumanControllerTest, WhileStaggeredOnlyANewDirectionActs) {
  HoldFromBefore(COMMAND_BACKWARD);
  me->action = ACTION_HURT;
  Decide();
  EXPECT_EQ(me->action, ACTION_HURT);
  // Punch keys alone do nothing.
  Tap(COMMAND_RIGHT_HAND);
  Decide();
  EXPECT_EQ(me->action, ACTION_HURT);
  // A direction pressed anew: the held Backward starts the retreat.
  Release(COMMAND_BACKWARD);
  Decide();
  Press(COMMAND_BACKWARD);
  Decide();
  EXPECT_EQ(me->action, ACTION_BACK);
}

TEST_F(HumanControllerTest, ADirectionTappedDuringAStaggerButNotHeldLeavesItStaggered) {
  me->action = ACTION_HURT;
  Tap(COMMAND_FORWARD);
  Decide();
  EXPECT_EQ(me->action, ACTION_HURT);
  EXPECT_EQ(me->height, 1);
}

TEST_F(HumanControllerTest, UpAndRightHandPressedTogetherEndTheStaggerWithAHighPunch) {
  me->action = ACTION_HURT;
  Press(COMMAND_UP);
  Tap(COMMAND_RIGHT_HAND);
  Decide();
  EXPECT_EQ(me->action, ACTION_PUNCH);
  EXPECT_EQ(me->height, 0);
  EXPECT_EQ(me->side, 0);
}

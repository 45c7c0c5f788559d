// The computer's controller: its decisions, its timing, its patience.
#include "fighters/controller_ai.h"

#include <gtest/gtest.h>

#include "fighters/figure.h"
#include "media/core/random.h"
#include "support/fighter_fixture.h"

namespace {

class AIControllerTest : public FighterTest {
protected:
  void SetUp() override {
    FighterTest::SetUp();
    // The computer steers the right fighter; the left one stands still.
    const int32_t params[] = {100, 50, 10, 1000, 3, 0, 99, 99, 99, 99};
    ai = TControllerAI::Create(params);
    b->controller = ai;
    ai->fig = b.get();
  }
  // Builds the left fighter's matrix for this tick as its Control would.
  void Defender(int32_t action, int32_t height, int32_t side = 0) {
    a->action = action;
    a->height = height;
    a->side = side;
    a->time = clock.Now();
    int32_t x = a->x;
    a->Control();
    a->x = x;
  }
  std::shared_ptr<TControllerAI> ai;
};

}  // namespace

TEST_F(AIControllerTest, CreateTakesTheFirstSixParameters) {
  EXPECT_EQ(ai->t_pose, 100);
  EXPECT_EQ(ai->t_punch, 50);
  EXPECT_EQ(ai->t_decide, 10);
  EXPECT_EQ(ai->t_vthresh, 1000);
  EXPECT_EQ(ai->vthresh, 3);
  EXPECT_EQ(ai->aggressive, 0);
  EXPECT_EQ(ai->state, AI_DECIDE);
}

TEST_F(AIControllerTest, AgainstAMiddleGuardItWaitsOutItsPatienceThenPunchesHighWithTheRight) {
  Place(100, 175);
  Defender(ACTION_GUARD, 1);
  ai->Update();  // the first tick decides: the best e is 10, below 18
  EXPECT_EQ(ai->state, AI_EXECUTE);
  EXPECT_EQ(ai->action, ACTION_GUARD);
  EXPECT_EQ(ai->height, 1);
  EXPECT_EQ(ai->vtime, clock.Now() + 1000);
  clock.Advance(101);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_GUARD);
  EXPECT_EQ(b->height, 1);
  EXPECT_EQ(ai->state, AI_DECIDE);
  // Decisions before the patience runs out keep guarding.
  clock.Advance(11);
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_GUARD);
  // The first decision after it punches at threshold 2 (e >= 9): high, hand 0, and clears the timer.
  clock.Set(ai->vtime + 1);
  ai->state = AI_DECIDE;
  ai->dtime = 0;
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_PUNCH);
  EXPECT_EQ(ai->height, 0);
  EXPECT_EQ(ai->side, 0);
  EXPECT_EQ(ai->vtime, 0);
  EXPECT_EQ(ai->vthresh, 3);
}

TEST_F(AIControllerTest, AgainstARecoveringOpponentItPunchesTheOpenSideAtFullPower) {
  Place(100, 175);
  Defender(ACTION_RECOVER, 1, 0);  // e is 20 at heights 0 and 2 for hand 0
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_PUNCH);
  EXPECT_EQ(ai->height, 0);
  EXPECT_EQ(ai->side, 0);
  // Below 90 power it would expect 17 or less: not enough at threshold 3.
  ai->state = AI_DECIDE;
  ai->dtime = 0;
  b->power[0] = 89;
  b->power[1] = 89;
  clock.Advance(1);
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_GUARD);
}

TEST_F(AIControllerTest, APunchAtAnotherHeightWaitsForTheGuardChangeFirst) {
  Place(100, 175);
  Defender(ACTION_RECOVER, 1, 0);
  b->height = 1;
  int32_t decided = clock.Now();
  ai->Update();
  clock.Set(decided + 100);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_GUARD);  // not yet: strictly later than t_pose
  clock.Set(decided + 101);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_GUARD);
  EXPECT_EQ(b->height, 0);
  EXPECT_EQ(ai->state, AI_DELAYED_PUNCH);
  EXPECT_EQ(ai->atime, decided + 150);  // t_punch added to the planned time, not to now
  clock.Set(decided + 150);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_GUARD);
  clock.Set(decided + 151);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_PUNCH);
  EXPECT_EQ(ai->state, AI_DECIDE);
  EXPECT_EQ(ai->dtime, decided + 161);
}

TEST_F(AIControllerTest, APunchAtTheCurrentHeightGoesOutAfterTheReactionDelayAlone) {
  Place(100, 175);
  Defender(ACTION_RECOVER, 1, 0);
  b->height = 0;
  int32_t decided = clock.Now();
  ai->Update();
  clock.Set(decided + 101);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_PUNCH);
  EXPECT_EQ(b->side, 0);
}

TEST_F(AIControllerTest, OutOfReachItWalksInUnlessThePunchOfTheOpponentIsOut) {
  b->mayslide = 0;
  Place(100, 185);  // 85: out of reach
  Defender(ACTION_RECOVER, 1);
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_GUARD);
  EXPECT_EQ(ai->height, 1);
  ai->state = AI_DECIDE;
  Place(100, 191);
  clock.Advance(1);
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_FORWARD);
  ai->state = AI_DECIDE;
  Place(100, 185);
  Defender(ACTION_GUARD, 1);
  clock.Advance(1);
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_FORWARD);
}

TEST_F(AIControllerTest, AForwardWalkStopsAt82WhateverTheState) {
  b->action = ACTION_FORWARD;
  ai->state = AI_EXECUTE;
  ai->atime = clock.Now() + 10000;
  Place(100, 183);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_FORWARD);
  Place(100, 182);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_GUARD);
}

TEST_F(AIControllerTest, StaggeredItBacksOffWhenMirroringElseGuardsAtTheOpponentsHeight) {
  Place(100, 175);
  Defender(ACTION_GUARD, 2);
  b->action = ACTION_HURT;
  b->height = 0;
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_GUARD);
  EXPECT_EQ(ai->height, 2);
  clock.Advance(101);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_GUARD);  // carrying it out ends the stagger
  EXPECT_EQ(b->height, 2);
  b->action = ACTION_HURT;
  clock.Advance(11);
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_BACK);
  clock.Advance(101);
  ai->Update();
  EXPECT_EQ(b->action, ACTION_BACK);
}

TEST_F(AIControllerTest, AnAggressiveOpponentShiftsItsGuardOffItsLastLungeHeight) {
  ai->aggressive = 1;
  b->slideh = 1;
  b->mayslide = 0;
  Place(100, 185);
  Defender(ACTION_RECOVER, 1);
  SeedRandom(77);
  int32_t shift = RandomInt(-1, 1);
  SeedRandom(77);
  ai->Update();
  EXPECT_EQ(ai->height, (1 + shift + 3) % 3);
  // Not aggressive: it simply mirrors.
  ai->aggressive = 0;
  ai->state = AI_DECIDE;
  int32_t state = RandomState();
  clock.Advance(1);
  ai->Update();
  EXPECT_EQ(ai->height, 1);
  EXPECT_EQ(RandomState(), state);
}

TEST_F(AIControllerTest, WithThresholdZeroAndNoPatienceLeftItStillUsesLevelZero) {
  ai->vthresh = 0;
  ai->vtime = clock.Now() - 1;
  Place(100, 175);
  Defender(ACTION_GUARD, 1);
  b->power = {0, 0};  // every expected damage is 0, below 0.9
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_GUARD);
  b->power = {100, 100};
  ai->state = AI_DECIDE;
  clock.Advance(1);
  ai->Update();
  EXPECT_EQ(ai->action, ACTION_PUNCH);
}

TEST_F(AIControllerTest, TheTrainingPartnerActsAboutOnceEvery900Milliseconds) {
  const int32_t partner[] = {800, 800, 100, 800, 3, 1};
  ai = TControllerAI::Create(partner);
  b->controller = ai;
  ai->fig = b.get();
  Place(0, 200);
  int32_t start = clock.Now();
  ai->Update();  // decides at once: walk in
  EXPECT_EQ(ai->action, ACTION_FORWARD);
  int32_t walked = -1;
  int32_t decided = -1;
  for (int tick = 0; tick < 100; tick++) {
    clock.Advance(20);
    ai->Update();
    if (walked < 0 && b->action == ACTION_FORWARD) {
      walked = clock.Now() - start;
    }
    if (walked >= 0 && decided < 0 && ai->state == AI_EXECUTE) {
      decided = clock.Now() - start;
    }
  }
  EXPECT_EQ(walked, 820);   // the first tick later than 800 ms
  EXPECT_EQ(decided, 940);  // and the next decision the first tick later than a further 100 ms
}

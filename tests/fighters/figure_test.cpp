// Creating fighters and the operations controllers steer them with.
#include "fighters/figure.h"

#include <gtest/gtest.h>

#include "support/fighter_fixture.h"

using FigureTest = FighterTest;

TEST_F(FigureTest, CreateSetsCornerFacingTintHealthAndTheControllersFighter) {
  EXPECT_EQ(a->x, 0);
  EXPECT_EQ(a->dir, 1);
  EXPECT_EQ(b->x, 200);
  EXPECT_EQ(b->dir, -1);
  EXPECT_EQ(a->y, 232);
  EXPECT_EQ(aControl->fig, a.get());
  EXPECT_EQ(a->controller, aControl);
  EXPECT_EQ(a->colg, 255);
  EXPECT_EQ(a->health, 1000);
  EXPECT_EQ(a->maxhealth, 1000);
  EXPECT_EQ(a->height, 1);
  EXPECT_EQ(a->action, ACTION_GUARD);
  EXPECT_EQ(a->power[0], 100);
  EXPECT_EQ(a->power[1], 100);
  EXPECT_EQ(a->opp, b.get());
  EXPECT_EQ(b->opp, a.get());
}

TEST_F(FigureTest, ResetRestoresHealthPowerPlaceAndGuardButKeepsTheRest) {
  b->health = 3;
  b->power = {10, 0};
  b->x = 120;
  b->height = 2;
  b->action = ACTION_DOWN;
  b->recoil = 7;
  b->mayslide = 1;
  b->slideh = 2;
  b->time = 1234;
  b->wtime = 5678;
  b->side = 1;
  b->Reset();
  EXPECT_EQ(b->health, 1000);
  EXPECT_EQ(b->power[0], 100);
  EXPECT_EQ(b->power[1], 100);
  EXPECT_EQ(b->x, 200);
  EXPECT_EQ(b->height, 1);
  EXPECT_EQ(b->action, ACTION_GUARD);
  EXPECT_EQ(b->recoil, 7);
  EXPECT_EQ(b->mayslide, 1);
  EXPECT_EQ(b->slideh, 2);
  EXPECT_EQ(b->time, 1234);
  EXPECT_EQ(b->wtime, 5678);
  EXPECT_EQ(b->side, 1);
}

TEST_F(FigureTest, WalkStartsTheAnimationClockOnlyWhenTheWalkChanges) {
  a->Walk(ACTION_FORWARD);
  EXPECT_EQ(a->action, ACTION_FORWARD);
  EXPECT_EQ(a->wtime, 100000);
  clock.Advance(40);
  a->Walk(ACTION_FORWARD);
  EXPECT_EQ(a->wtime, 100000);
  a->Walk(ACTION_BACK);
  EXPECT_EQ(a->wtime, 100040);
}

TEST_F(FigureTest, WalkEndsAStaggerOrARecovery) {
  a->action = ACTION_HURT;
  a->Walk(ACTION_BACK);
  EXPECT_EQ(a->action, ACTION_BACK);
  a->action = ACTION_RECOVER;
  a->Walk(ACTION_FORWARD);
  EXPECT_EQ(a->action, ACTION_FORWARD);
}

TEST_F(FigureTest, AttackThrowsFromGuardOrWalkButNotWhileStaggeredOrWithTheSameHandOut) {
  clock.Set(5000);
  a->Attack(1);
  EXPECT_EQ(a->action, ACTION_PUNCH);
  EXPECT_EQ(a->side, 1);
  EXPECT_EQ(a->time, 5000);

  a->action = ACTION_RECOVER;
  a->side = 0;
  clock.Advance(10);
  a->Attack(0);  // that hand is still out
  EXPECT_EQ(a->action, ACTION_RECOVER);
  EXPECT_EQ(a->time, 5000);
  a->Attack(1);  // the other hand: a combination
  EXPECT_EQ(a->action, ACTION_PUNCH);
  EXPECT_EQ(a->side, 1);
  EXPECT_EQ(a->time, 5010);

  a->action = ACTION_HURT;
  a->Attack(0);
  EXPECT_EQ(a->action, ACTION_HURT);
  EXPECT_EQ(a->side, 1);

  a->action = ACTION_FORWARD;
  a->Attack(0);
  EXPECT_EQ(a->action, ACTION_PUNCH);
}

TEST_F(FigureTest, SetVulnSetsOneEntryOrBothHandsOfARow) {
  a->vuln = {};
  a->SetVuln(2, -1, 3);
  EXPECT_EQ(a->vuln[2][0], 3);
  EXPECT_EQ(a->vuln[2][1], 3);
  EXPECT_EQ(a->vuln[0][0] + a->vuln[0][1] + a->vuln[1][0] + a->vuln[1][1], 0);
  a->SetVuln(1, 1, 2);
  EXPECT_EQ(a->vuln[1][0], 0);
  EXPECT_EQ(a->vuln[1][1], 2);
}

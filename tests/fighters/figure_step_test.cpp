// The per-tick step of a fighter and the resolution of hits.
#include <gtest/gtest.h>

#include <array>

#include "fighters/figure.h"
#include "media/audio/audio.h"
#include "shared/game_state.h"
#include "support/fighter_fixture.h"

namespace {

using Matrix = std::array<std::array<int32_t, 2>, 3>;

class FigureStepTest : public FighterTest {
protected:
  // The matrix the left fighter builds in one Control step with the given action, height and side, far from
  // its opponent and within its 300 ms.
  Matrix MatrixOf(int32_t action, int32_t height, int32_t side) {
    Place(0, 200);
    a->action = action;
    a->height = height;
    a->side = side;
    a->time = clock.Now();
    a->Control();
    return a->vuln;
  }
};

}  // namespace

TEST_F(FigureStepTest, GuardBlocksItsHeightAndOpensTheOppositeEnd) {
  EXPECT_EQ(MatrixOf(ACTION_GUARD, 0, 0), (Matrix{{{0, 0}, {2, 2}, {3, 3}}}));
  EXPECT_EQ(MatrixOf(ACTION_GUARD, 1, 0), (Matrix{{{2, 2}, {0, 0}, {2, 2}}}));
  EXPECT_EQ(MatrixOf(ACTION_GUARD, 2, 1), (Matrix{{{3, 3}, {2, 2}, {0, 0}}}));
}

TEST_F(FigureStepTest, WalkingIsWeakAboveAndMediumBelowAtAnyHeight) {
  for (int32_t walk : {ACTION_FORWARD, ACTION_BACK}) {
    for (int32_t height = 0; height < 3; height++) {
      EXPECT_EQ(MatrixOf(walk, height, 0), (Matrix{{{1, 1}, {1, 1}, {2, 2}}})) << walk << " " << height;
    }
  }
}

TEST_F(FigureStepTest, RecoveryGuardsWithTheOtherHandAndOpensThePunchingSide) {
  EXPECT_EQ(MatrixOf(ACTION_RECOVER, 1, 0), (Matrix{{{3, 2}, {2, 0}, {3, 2}}}));
  EXPECT_EQ(MatrixOf(ACTION_RECOVER, 0, 1), (Matrix{{{0, 2}, {2, 3}, {2, 3}}}));
  EXPECT_EQ(MatrixOf(ACTION_RECOVER, 2, 0), (Matrix{{{3, 2}, {3, 2}, {2, 0}}}));
}

TEST_F(FigureStepTest, StaggerIsWeakToTheHandThatHitAtItsHeightAndHardToTheOtherElsewhere) {
  EXPECT_EQ(MatrixOf(ACTION_HURT, 0, 0), (Matrix{{{1, 2}, {2, 3}, {2, 3}}}));
  EXPECT_EQ(MatrixOf(ACTION_HURT, 2, 1), (Matrix{{{3, 2}, {3, 2}, {2, 1}}}));
}

TEST_F(FigureStepTest, PunchingWinningAndKnockedOutAreMediumEverywhere) {
  Matrix medium{{{2, 2}, {2, 2}, {2, 2}}};
  EXPECT_EQ(MatrixOf(ACTION_PUNCH, 0, 0), medium);
  EXPECT_EQ(a->action, ACTION_RECOVER);  // the punch became a recovery in the same step
  EXPECT_EQ(MatrixOf(ACTION_WIN, 0, 0), medium);
  EXPECT_EQ(MatrixOf(ACTION_DOWN, 2, 1), medium);
}

TEST_F(FigureStepTest, ThePunchingTickIsMediumAndTheRecoveryPatternFollowsInTheNextTick) {
  Place(0, 200);
  a->height = 1;
  a->Attack(0);
  a->Control();
  EXPECT_EQ(a->vuln, (Matrix{{{2, 2}, {2, 2}, {2, 2}}}));
  a->Control();
  EXPECT_EQ(a->vuln, (Matrix{{{3, 2}, {2, 0}, {3, 2}}}));
}

TEST_F(FigureStepTest, APunchLandsBelowAReachOf80AndMissesAt80) {
  Place(50, 129);  // 79 apart
  a->Attack(0);
  a->Control();
  EXPECT_EQ(b->hit, 1);
  EXPECT_EQ(b->hith, 1);
  EXPECT_EQ(b->hits, 0);
  EXPECT_EQ(b->hitp, 100);
  EXPECT_EQ(a->action, ACTION_RECOVER);
  EXPECT_EQ(a->power[0], 100);

  b->hit = 0;
  NullAudioLog().Clear();
  Place(50, 130);  // 80 apart
  a->action = ACTION_GUARD;
  a->Attack(1);
  a->Control();
  EXPECT_EQ(b->hit, 0);
  EXPECT_EQ(a->action, ACTION_RECOVER);
  EXPECT_EQ(a->power[1], 50);
  EXPECT_EQ(LastFightSoundKind(), FIGHT_SOUND_WOOSH);
  EXPECT_EQ(LastVolume(), 1.0f);
}

TEST_F(FigureStepTest, AMissAtPower30EmptiesTheHandAndWhooshesAtThatVolume) {
  Place(0, 200);
  a->power = {30, 100};
  a->Attack(0);
  a->Control();
  EXPECT_EQ(a->power[0], 0);
  EXPECT_EQ(LastFightSoundKind(), FIGHT_SOUND_WOOSH);
  EXPECT_FLOAT_EQ(LastVolume(), 0.3f);
}

TEST_F(FigureStepTest, APunchAfterWalkingLungesTwentyUnits) {
  // From 95 the lunge closes to 75 and lands.
  Place(0, 95);
  a->mayslide = 1;
  a->recoil = 4;
  a->height = 0;
  a->Attack(0);
  a->Control();
  EXPECT_EQ(a->x, 20);
  EXPECT_EQ(a->recoil, 0);  // the lunge ends any drift
  EXPECT_EQ(a->mayslide, 0);
  EXPECT_EQ(a->slideh, 0);
  EXPECT_EQ(b->hit, 1);

  // From 85 it would close to 65: pushed back to 70, and lands.
  b->hit = 0;
  Place(0, 85);
  a->action = ACTION_GUARD;
  a->mayslide = 1;
  a->Attack(1);
  a->Control();
  EXPECT_EQ(a->x, 15);
  EXPECT_EQ(b->hit, 1);
}

TEST_F(FigureStepTest, WalkingOrANewGuardHeightArmsTheLunge) {
  Place(0, 200);
  a->Walk(ACTION_FORWARD);
  a->Control();
  EXPECT_EQ(a->mayslide, 1);
  a->mayslide = 0;
  a->slideh = 1;
  a->action = ACTION_GUARD;
  a->height = 1;
  a->Control();
  EXPECT_EQ(a->mayslide, 0);  // guarding where the last lunge was made
  a->height = 2;
  a->Control();
  EXPECT_EQ(a->mayslide, 1);
}

TEST_F(FigureStepTest, AWalkingFighterStopsSeventyUnitsFromItsOpponent) {
  Place(0, 75);
  a->Walk(ACTION_FORWARD);
  for (int tick = 0; tick < 20; tick++) {
    a->Control();
    ASSERT_GE(b->x - a->x, 70);
  }
  EXPECT_EQ(b->x - a->x, 70);
  // The right fighter walks towards falling x.
  Place(0, 200);
  b->Walk(ACTION_FORWARD);
  b->Control();
  EXPECT_EQ(b->x, 198);
  b->Walk(ACTION_BACK);
  b->Control();
  EXPECT_EQ(b->x, 200);
}

TEST_F(FigureStepTest, TheRingEndsHoldFightersPushedBack) {
  Place(0, 150);
  a->recoil = 3;
  a->Control();
  EXPECT_EQ(a->x, 0);
  EXPECT_EQ(a->recoil, 2);
  Place(100, 200);
  b->Walk(ACTION_BACK);
  b->Control();
  EXPECT_EQ(b->x, 200);
  Place(0, 30);  // too close: the left fighter is pushed back to 0, not past it
  a->Control();
  EXPECT_EQ(a->x, 0);
}

TEST_F(FigureStepTest, PowerComesBackOneAPerTickUpTo100ButNotWhilePunching) {
  Place(0, 200);
  a->power = {98, -5};
  a->Control();
  EXPECT_EQ(a->power[0], 99);
  EXPECT_EQ(a->power[1], 1);  // negative becomes 0 first
  a->Control();
  a->Control();
  EXPECT_EQ(a->power[0], 100);
  a->action = ACTION_RECOVER;
  a->time = clock.Now();
  a->power = {40, 40};
  a->Control();
  EXPECT_EQ(a->power[0], 40);
  EXPECT_EQ(a->power[1], 40);
}

TEST_F(FigureStepTest, PunchesAndStaggersEnd300MillisecondsAfterTheirTime) {
  Place(0, 200);
  a->Attack(0);
  a->Control();
  clock.Advance(299);
  a->Control();
  EXPECT_EQ(a->action, ACTION_RECOVER);
  clock.Advance(1);
  a->Control();
  EXPECT_EQ(a->action, ACTION_GUARD);

  a->action = ACTION_HURT;
  a->time = clock.Now();
  clock.Advance(200);
  // A second hit restarts the 300 ms.
  a->hit = 1;
  a->hith = 1;
  a->hits = 0;
  a->hitp = 10;
  a->vuln = Matrix{{{2, 2}, {2, 2}, {2, 2}}};
  a->Update();
  clock.Advance(200);
  a->Control();
  EXPECT_EQ(a->action, ACTION_HURT);
  clock.Advance(100);
  a->Control();
  EXPECT_EQ(a->action, ACTION_GUARD);
}

TEST_F(FigureStepTest, TheControllerIsAskedOnlyBelowTheWinningAction) {
  Place(0, 200);
  a->Control();
  a->action = ACTION_HURT;
  a->time = clock.Now();
  a->Control();
  EXPECT_EQ(aControl->calls, 2);
  a->action = ACTION_WIN;
  a->Control();
  a->action = ACTION_DOWN;
  a->Control();
  EXPECT_EQ(aControl->calls, 2);
}

TEST_F(FigureStepTest, AMediumHitStaggersTakesTenDrainsTheHandByTenAndDriftsNineUnits) {
  Place(0, 75);
  b->height = 1;
  a->height = 0;
  a->Attack(0);
  Tick();
  EXPECT_EQ(b->health, 990);
  EXPECT_EQ(a->power[0], 90);
  EXPECT_EQ(b->action, ACTION_HURT);
  EXPECT_EQ(b->recoil, 9);
  EXPECT_EQ(b->height, 0);
  EXPECT_EQ(b->side, 0);
  EXPECT_EQ(b->time, clock.Now());
  EXPECT_EQ(LastFightSoundKind(), FIGHT_SOUND_PUNCH_MEDIUM);
  EXPECT_EQ(LastVolume(), 1.0f);
  for (int tick = 0; tick < 12; tick++) {
    b->Control();
  }
  EXPECT_EQ(b->x, 84);
  EXPECT_EQ(b->recoil, 0);
}

TEST_F(FigureStepTest, AHardHitTakesTwentyDrainsFiveAndRecoilsSixteen) {
  Place(0, 75);
  b->height = 0;
  a->height = 2;
  a->Attack(1);
  Tick();
  EXPECT_EQ(b->health, 980);
  EXPECT_EQ(a->power[1], 95);
  EXPECT_EQ(b->recoil, 16);
  EXPECT_EQ(b->action, ACTION_HURT);
  EXPECT_EQ(LastFightSoundKind(), FIGHT_SOUND_PUNCH_HARD);
}

TEST_F(FigureStepTest, ABlockedPunchCostsOneHealthThirtyPowerAndDoesNotStagger) {
  Place(0, 75);
  b->height = 1;
  a->height = 1;
  a->Attack(0);
  Tick();
  EXPECT_EQ(b->health, 999);
  EXPECT_EQ(a->power[0], 70);
  EXPECT_EQ(b->action, ACTION_GUARD);
  EXPECT_EQ(b->recoil, 1);
  EXPECT_EQ(b->time, clock.Now());  // the defender's clock restarts even so
  EXPECT_EQ(LastFightSoundKind(), FIGHT_SOUND_BLOCK);
}

TEST_F(FigureStepTest, AWeakHitOnAWalkingFighter) {
  Place(0, 75);
  b->Walk(ACTION_BACK);
  a->height = 0;
  a->Attack(0);
  a->power[0] = 60;
  Tick();
  EXPECT_EQ(b->health, 1000 - 3);  // 5 * 60 / 100
  EXPECT_EQ(a->power[0], 40);
  EXPECT_EQ(b->recoil, 4);
  EXPECT_EQ(b->action, ACTION_HURT);
  EXPECT_EQ(LastFightSoundKind(), FIGHT_SOUND_PUNCH_WEAK);
  EXPECT_FLOAT_EQ(LastVolume(), 0.6f);
}

TEST_F(FigureStepTest, DamageIsAFractionTruncatedTowardZero) {
  b->health = 200;
  b->hit = 1;
  b->hith = 0;
  b->hits = 1;
  b->hitp = 37;
  b->vuln = Matrix{{{2, 2}, {2, 2}, {2, 2}}};
  b->Update();
  EXPECT_EQ(b->health, 196);  // 200 - 3.7
  EXPECT_EQ(b->hit, 0);
  EXPECT_EQ(b->hith, 0);
}

TEST_F(FigureStepTest, ABlockedPunchAtHealthOneKnocksOut) {
  b->health = 1;
  b->hit = 1;
  b->hith = 1;
  b->hits = 0;
  b->hitp = 37;
  b->vuln = Matrix{{{2, 2}, {0, 0}, {2, 2}}};
  b->Update();
  EXPECT_EQ(b->health, 0);  // 1 - 0.37 = 0.63, truncated
  EXPECT_EQ(b->action, ACTION_DOWN);
}

TEST_F(FigureStepTest, APunchThatTakesMoreThanIsLeftStopsHealthAtZero) {
  Place(0, 75);
  b->health = 15;
  b->height = 2;
  a->height = 0;
  a->Attack(0);
  Tick();
  EXPECT_EQ(b->health, 0);
  EXPECT_EQ(b->action, ACTION_DOWN);
  b->Control();
  EXPECT_EQ(bControl->calls, 1);  // knocked out: no longer steered
}

TEST_F(FigureStepTest, BothFightersPunchingInOneTickBothLandAtMedium) {
  Place(0, 75);
  a->height = 1;
  b->height = 1;
  a->Attack(0);
  b->Attack(1);
  Tick();
  EXPECT_EQ(a->health, 990);
  EXPECT_EQ(b->health, 990);
  EXPECT_EQ(a->action, ACTION_HURT);
  EXPECT_EQ(b->action, ACTION_HURT);
  EXPECT_EQ(a->side, 1);  // the hand that hit it
  EXPECT_EQ(b->side, 0);
  EXPECT_EQ(a->power[0], 90);
  EXPECT_EQ(b->power[1], 90);
}

TEST_F(FigureStepTest, BothFightersCanBeKnockedOutInOneTick) {
  Place(0, 75);
  a->health = 5;
  b->health = 5;
  a->Attack(0);
  b->Attack(0);
  Tick();
  EXPECT_EQ(a->health, 0);
  EXPECT_EQ(b->health, 0);
  EXPECT_EQ(a->action, ACTION_DOWN);
  EXPECT_EQ(b->action, ACTION_DOWN);
}

TEST_F(FigureStepTest, HugeHealthFromARosterDoesNotOverflow) {
  b->health = 2000000000;
  b->hit = 1;
  b->hitp = 100;
  b->vuln = Matrix{{{3, 3}, {3, 3}, {3, 3}}};
  b->Update();
  EXPECT_EQ(b->health, 1999999980);
}

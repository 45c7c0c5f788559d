// Matches of two players between models of players, through the two-player match's input frames: each model
// plays either side, and the matches pass the sync check.
#include <gtest/gtest.h>

#include "app/match_simulation.h"
#include "media/core/random.h"
#include "support/game_fixture.h"

namespace {

class VersusSimulation : public GameTest {};

// Under the sanitizers a match of two newcomers, played again eight ticks deep after every tick, takes some
// 0.15 s: the thousand matches are the simulator's test in the optimised build.
constexpr int kCheckedMatches = 20;

}  // namespace

TEST_F(VersusSimulation, TwoNewcomersMatchesPassTheSyncCheckAndComeOutAsWithoutIt) {
  const TPlayerModel newcomer = TPlayerModel::Newcomer();
  SeedRandom(2024);
  TVersusMatches checked;
  TVersusSyncFailure failure;
  ASSERT_TRUE(SimulateVersus(newcomer, newcomer, kCheckedMatches, 8, checked, &failure))
      << "match " << failure.match << ", tick " << failure.tick;
  EXPECT_GT(checked.checkedTicks, kCheckedMatches * 2000L);
  EXPECT_EQ(checked.stalled, 0);
  // The check plays ticks again but never asks the players again: the same seed plays the same matches.
  SeedRandom(2024);
  TVersusMatches plain;
  ASSERT_TRUE(SimulateVersus(newcomer, newcomer, kCheckedMatches, 0, plain));
  EXPECT_EQ(plain.wins, checked.wins);
  EXPECT_EQ(plain.leftWins, checked.leftWins);
  EXPECT_EQ(plain.ticks, checked.ticks);
  EXPECT_EQ(plain.checkedTicks, 0);
}

TEST_F(VersusSimulation, EachModelFightsFromEitherSide) {
  // The stronger model wins from the right as from the left; between equals, either side wins.
  SeedRandom(7);
  TVersusMatches informed;
  SimulateVersus(TPlayerModel::Informed(220), TPlayerModel::Newcomer(), 20, 0, informed);
  EXPECT_EQ(informed.wins[0], 20);
  EXPECT_EQ(informed.leftWins, 10);
  TVersusMatches reference;
  SimulateVersus(TPlayerModel(), TPlayerModel::Newcomer(), 20, 0, reference);
  EXPECT_GE(reference.wins[0], 18);
  EXPECT_GE(reference.wins[0] - reference.leftWins, 8) << "won on the right";
  TVersusMatches equals;
  SimulateVersus(TPlayerModel::Informed(250), TPlayerModel::Informed(250), 40, 0, equals);
  EXPECT_EQ(equals.stalled, 0);
  EXPECT_GE(equals.leftWins, 10);
  EXPECT_LE(equals.leftWins, 30);
}

// The delivered roster, fought by the models of players of the match simulator: every kind of player climbs it a
// step at a time. The first levels are won by all who know the rules, each level is a little harder than the one
// before and none is a wall, the last is a challenge for the quick and out of reach of the slow, and every model's
// matches end.
#include <gtest/gtest.h>

#include <vector>

#include "app/match_simulation.h"
#include "app/startup.h"
#include "fighters/opponent.h"
#include "media/audio/audio.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "shared/game_state.h"
#include "support/shipped_roster.h"

namespace {

// Seeded and a few hundred matches a level: enough for the shape to show, few enough for the sanitizers.
constexpr int kMatches = 200;
// The rate of 200 matches wanders by some 3.5 points near a half, the difference of two levels by 5: a level may
// come out this much easier than the one before, and each bound below is this much wider than the thousand
// matches' of the balance.
constexpr double kNoise = 7;

// One kind of player's climb, in per cent of the matches won.
struct TClimb {
  int firstLevels;      // the first levels, each won...
  double firstWon;      // ...at least this often
  double lastWonLeast;  // the last level, won at least...
  double lastWonMost;   // ...and at most this often
  double steepestStep;  // the most a level may be harder than the one before
};

class RosterDifficulty : public ::testing::Test {
protected:
  void SetUp() override {
    ResetGame();  // before loading: it empties the roster too
    LoadShippedRoster();
    ASSERT_EQ(Opponents.size(), 10U);
    SelectAudioDriver(u"Null");
    SetClockSource(&clock);
  }
  void TearDown() override {
    SetClockSource(nullptr);
    Opponents.clear();
    ResetGame();
  }

  // The player's win rate on every level, none of the matches stalled.
  std::vector<double> WonByLevel(const TPlayerModel& player) {
    SeedRandom(2024);
    std::vector<double> won;
    for (size_t level = 0; level < Opponents.size(); level++) {
      TSimulatedMatches result;
      SimulateMatches(player, *Opponents[level], kMatches, clock, result);
      EXPECT_EQ(result.stalled, 0) << player.Name() << " at level " << level + 1;
      won.push_back(100.0 * result.wins / kMatches);
    }
    return won;
  }

  // The player's climb, its rates given back for what else is to be seen in them.
  std::vector<double> ExpectClimb(const TPlayerModel& player, const TClimb& climb) {
    std::vector<double> won = WonByLevel(player);
    for (size_t level = 0; level < static_cast<size_t>(climb.firstLevels); level++) {
      EXPECT_GE(won[level], climb.firstWon - kNoise) << player.Name() << ": level " << level + 1;
    }
    for (size_t level = 1; level < won.size(); level++) {
      double harder = won[level - 1] - won[level];
      EXPECT_LE(harder, climb.steepestStep + kNoise) << player.Name() << ": level " << level + 1 << " is a wall";
      EXPECT_GE(harder, -kNoise) << player.Name() << ": level " << level + 1 << " is easier than the one before";
    }
    EXPECT_GE(won.back(), climb.lastWonLeast - kNoise) << player.Name() << ": level 10";
    EXPECT_LE(won.back(), climb.lastWonMost + kNoise) << player.Name() << ": level 10";
    return won;
  }

  TManualClock clock{1000};
};

}  // namespace

TEST_F(RosterDifficulty, TheQuickInformedPlayerWinsTheFirstLevelAndTheLastNowAndThen) {
  ExpectClimb(TPlayerModel::Informed(220),
              {.firstLevels = 1, .firstWon = 99, .lastWonLeast = 20, .lastWonMost = 40, .steepestStep = 25});
}

TEST_F(RosterDifficulty, TheSlowInformedPlayerWinsTheFirstThreeLevelsAndHardlyEverTheLast) {
  ExpectClimb(TPlayerModel::Informed(350),
              {.firstLevels = 3, .firstWon = 90, .lastWonLeast = 0, .lastWonMost = 10, .steepestStep = 25});
}

TEST_F(RosterDifficulty, TheNewcomerWinsTheFirstTwoLevelsMostly) {
  std::vector<double> won =
      ExpectClimb(TPlayerModel::Newcomer(),
                  {.firstLevels = 1, .firstWon = 90, .lastWonLeast = 0, .lastWonMost = 2, .steepestStep = 35});
  EXPECT_GE(won[1], 70 - kNoise) << "level 2";
}

// Combinations get past the computer's guard, which follows the attacker's: no numbers of the computer's that
// leave the quick informed player a chance at level 10 beat this player there in more than about three matches of
// ten.
TEST_F(RosterDifficulty, ThePlayerOfCombinationsClimbsToo) {
  ExpectClimb(TPlayerModel::Combo(350),
              {.firstLevels = 3, .firstWon = 90, .lastWonLeast = 0, .lastWonMost = 75, .steepestStep = 30});
}

TEST_F(RosterDifficulty, TheComputersOwnControllerWinsTheFirstLevelAndLosesTheLast) {
  std::vector<double> won = WonByLevel(TPlayerModel());
  EXPECT_GE(won.front(), 95);
  EXPECT_LE(won.back(), 10);
}

// The delivered roster, fought by the models of players of the match simulator: for the quick informed player
// every level at least as hard as the one before, the first a sure win and the last won now and then; the slow
// informed player wins the first levels and hardly ever the last; the newcomer wins the first levels too; and
// every model's matches end.
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

// Seeded and a few hundred matches a level: enough for the ordering to show, few enough for the sanitizers.
constexpr int kMatches = 200;

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

  // The player's wins on every level, none of the matches stalled.
  std::vector<int> WinsByLevel(const TPlayerModel& player) {
    SeedRandom(2024);
    std::vector<int> wins;
    for (size_t level = 0; level < Opponents.size(); level++) {
      TSimulatedMatches result;
      SimulateMatches(player, *Opponents[level], kMatches, clock, result);
      EXPECT_EQ(result.stalled, 0) << player.Name() << " at level " << level + 1;
      wins.push_back(result.wins);
    }
    return wins;
  }

  TManualClock clock{1000};
};

}  // namespace

TEST_F(RosterDifficulty, ForTheQuickInformedPlayerEachLevelIsAtLeastAsHardAsTheOneBefore) {
  std::vector<int> wins = WinsByLevel(TPlayerModel::Informed(220));
  ASSERT_EQ(wins.size(), 10U);
  // Noise of 200 matches: a later level may come out a few matches easier where both are nearly always won.
  constexpr int kNoise = 6;
  for (size_t level = 1; level < wins.size(); level++) {
    EXPECT_LE(wins[level], wins[level - 1] + kNoise) << "level " << level + 1 << " is easier than the one before";
  }
  EXPECT_GE(wins.front(), kMatches * 98 / 100) << "level 1 must be a sure win";
  // Won 20 to 40 times in 100 over a thousand matches; 200 allow a little more either way.
  EXPECT_GE(wins.back(), kMatches * 15 / 100) << "level 10 must be winnable";
  EXPECT_LE(wins.back(), kMatches * 45 / 100) << "level 10 must be a real challenge";
  EXPECT_LT(wins[8], kMatches * 80 / 100) << "the last levels must all challenge a quick player";
}

TEST_F(RosterDifficulty, TheSlowInformedPlayerWinsTheFirstLevelsAndHardlyEverTheLast) {
  std::vector<int> wins = WinsByLevel(TPlayerModel::Informed(350));
  ASSERT_EQ(wins.size(), 10U);
  for (size_t level = 0; level < 3; level++) {
    EXPECT_GE(wins[level], kMatches * 88 / 100) << "level " << level + 1;
  }
  EXPECT_LE(wins.back(), kMatches * 12 / 100);
}

TEST_F(RosterDifficulty, TheNewcomerAndTheReferencePlayerWinTheFirstLevelAndLoseTheLast) {
  for (const TPlayerModel& player : {TPlayerModel::Newcomer(), TPlayerModel()}) {
    std::vector<int> wins = WinsByLevel(player);
    ASSERT_EQ(wins.size(), 10U);
    EXPECT_GE(wins.front(), kMatches * 95 / 100) << player.Name();
    EXPECT_LE(wins.back(), kMatches / 10) << player.Name();
  }
}

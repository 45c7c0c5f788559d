// The informed player of the match simulator playing through the game's own frames: the same controller in
// fighter 0's place, the delivered roster, every frame drawn, rounds gone on from with a key as a person would.
// What the simulator finds is what the game does.
#include <gtest/gtest.h>

#include <cmath>

#include "app/match_simulation.h"
#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "support/game_folder.h"
#include "support/headless_game.h"
#include "support/shipped_roster.h"

namespace {

constexpr int32_t kGoOnKey = 'J';

class PlayerModelMatchTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    LoadShippedRoster();
    ASSERT_EQ(Opponents.size(), static_cast<size_t>(LEVEL_COUNT));
  }

  // A tournament match at a level with the model in the player's place, played to its end. Counts the punches
  // the player blocked.
  void PlayTournament(int32_t level, const TPlayerModel& player) {
    StartTournament(level);
    Fighters[0] = TFigure::Create(player.CreateController(), Fighters[0]->maxhealth, 32, 255, 64, 0);
    TFigure::Fight(Fighters[0], Fighters[1]);
    for (int frame = 0; GameState != GAMESTATE_OVER && frame < 200000; frame++) {
      if (GameState == GAMESTATE_WAIT) {
        Tap(kGoOnKey);
      }
      auto power = Fighters[1]->power;
      RunFrame();
      // A punch into a guard, and only that, costs the hand 30 (the arm being out, nothing comes back in that tick).
      for (size_t hand = 0; hand < power.size(); hand++) {
        blockedPunches += power[hand] - Fighters[1]->power[hand] == 30 ? 1 : 0;
      }
    }
  }

  ScopedGameFolder folder;  // where the progress is saved
  int blockedPunches = 0;
};

}  // namespace

TEST_F(PlayerModelMatchTest, TheQuickInformedPlayerWinsTheFirstLevelAndKeepsTheCup) {
  SeedRandom(17);
  PlayTournament(0, TPlayerModel::Informed(220));
  ASSERT_EQ(GameState, GAMESTATE_OVER);
  EXPECT_EQ(RoundsWon[0], ROUNDS_TO_WIN);
  EXPECT_EQ(Progress[0], RoundsWon[0] - RoundsWon[1]);
  EXPECT_GT(blockedPunches, 0) << "it guarded where the opponent punched";
}

TEST_F(PlayerModelMatchTest, TheSlowInformedPlayerLosesTheLastLevel) {
  SeedRandom(17);
  PlayTournament(LEVEL_COUNT - 1, TPlayerModel::Informed(350));
  ASSERT_EQ(GameState, GAMESTATE_OVER);
  EXPECT_EQ(RoundsWon[1], ROUNDS_TO_WIN);
  EXPECT_EQ(Progress[LEVEL_COUNT - 1], 0);
}

// A level that the quick informed player wins about six times in ten: four hundred matches played frame by frame
// come out as the simulator's two thousand do, within what chance allows (2.5 standard deviations of the
// difference of the two rates, some 6.5 points), so a drift of a few points between the two shows.
TEST_F(PlayerModelMatchTest, MatchesThroughTheFramesComeOutAsTheSimulatorSays) {
  constexpr int32_t kLevel = 8;
  constexpr int kSimulated = 2000;
  constexpr int kThroughFrames = 400;
  const TPlayerModel player = TPlayerModel::Informed(220);
  SeedRandom(5);
  TSimulatedMatches simulated;
  TManualClock simulatorClock(1000);
  SetClockSource(&simulatorClock);
  SimulateMatches(player, *Opponents[kLevel], kSimulated, simulatorClock, simulated);
  SetClockSource(&clock);
  const double simulatedRate = simulated.wins / double{kSimulated};
  ASSERT_GT(simulatedRate, 0.3);
  ASSERT_LT(simulatedRate, 0.9);

  int won = 0;
  for (int match = 0; match < kThroughFrames; match++) {
    PlayTournament(kLevel, player);
    ASSERT_EQ(GameState, GAMESTATE_OVER) << "match " << match;
    won += RoundsWon[0] == ROUNDS_TO_WIN ? 1 : 0;
  }
  const double chance = std::sqrt(simulatedRate * (1 - simulatedRate) * (1.0 / kThroughFrames + 1.0 / kSimulated));
  EXPECT_NEAR(won / double{kThroughFrames}, simulatedRate, 2.5 * chance)
      << won << " of " << kThroughFrames << " against " << simulated.wins << " of " << kSimulated;
}

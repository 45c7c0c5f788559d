// The delivered roster, fought by the reference computer player: every level at least as hard as the one before,
// the first clearly winnable, the last a real challenge.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/match_simulation.h"
#include "app/startup.h"
#include "fighters/opponent.h"
#include "media/audio/audio.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "shared/game_state.h"

TEST(RosterDifficulty, EachLevelIsAtLeastAsHardAsTheOneBefore) {
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(MORVIK_DATA_DIR);
  TOpponent::Load();
  std::filesystem::current_path(previous);
  ResetGame();
  SelectAudioDriver(u"Null");
  TManualClock clock(1000);
  SetClockSource(&clock);
  SeedRandom(2024);

  constexpr int kMatches = 200;
  // Noise of 200 matches: a later level may come out a few matches easier where both are nearly always won.
  constexpr int kNoise = 6;
  int previousWins = kMatches;
  for (size_t level = 0; level < Opponents.size(); level++) {
    TSimulatedMatches result;
    SimulateMatches(TPlayerModel(), *Opponents[level], kMatches, clock, result);
    EXPECT_EQ(result.stalled, 0) << "level " << level + 1;
    EXPECT_LE(result.wins, previousWins + kNoise) << "level " << level + 1 << " is easier than the one before";
    if (level == 0) {
      EXPECT_GE(result.wins, kMatches * 95 / 100) << "level 1 must be clearly winnable";
    }
    if (level + 1 == Opponents.size()) {
      EXPECT_LE(result.wins, kMatches / 2) << "level 10 must be a real challenge";
    }
    previousWins = result.wins;
  }
  SetClockSource(nullptr);
  Opponents.clear();
  ResetGame();
}

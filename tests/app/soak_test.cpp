// One simulated hour of training between two computer players, through the real frame body: every round, the
// knockouts, the sparring partner's adaptation, the drawing of every frame. Memory must stay flat, and the run
// must end without a leak (the test executable runs under LeakSanitizer in the sanitizer build).
#include <gtest/gtest.h>

#include <algorithm>

#include "app/game.h"
#include "app/match_simulation.h"
#include "fighters/controller_ai.h"
#include "fighters/figure.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/audio/audio.h"
#include "shared/game_state.h"
#include "support/headless_game.h"
#include "headless/allocation_meter.h"

namespace {

constexpr int kFramesPerHour = 50 * 60 * 60;

class Soak : public HeadlessGameTest {};

}  // namespace

TEST_F(Soak, AnHourOfTrainingBetweenComputerPlayersKeepsMemoryFlat) {
  for (auto& kind : FightSounds) {
    for (auto& sound : kind) {
      sound = CurrentAudioDriver().CreateSound(nullptr, 0);
    }
  }
  StartTraining();
  // The player's fighter is steered by the computer too.
  auto player = TControllerAI::Create(REFERENCE_PLAYER);
  Fighters[0]->controller = player;
  player->fig = Fighters[0].get();

  int rounds = 0;
  int64_t afterWarmUp = -1;
  int64_t highest = 0;
  int64_t lowest = INT64_MAX;
  driver.log.reserve(4096);
  for (int frame = 0; frame < kFramesPerHour; frame++) {
    if (GameState == GAMESTATE_WAIT) {
      Tap('W');  // the player presses on after every round
      rounds++;
    }
    driver.log.clear();
    Game::Frame();
    // Memory is measured at the same moment of every round: the first frame of its countdown.
    bool countdownBegan = GameState == GAMESTATE_COUNTDOWN && StateTime == clock.Now();
    clock.Advance(20);
    if (countdownBegan) {
      int64_t live = LiveHeapBytes();
      // Warm-up: each glyph of the font gets its drawable frame on its first use ("Round 9" brings the 9).
      if (rounds >= 12) {
        afterWarmUp = afterWarmUp < 0 ? live : afterWarmUp;
        highest = std::max(highest, live);
        lowest = std::min(lowest, live);
      }
    }
  }
  RecordProperty("rounds", rounds);
  EXPECT_GT(rounds, 30) << "an hour of training is many rounds";
  ASSERT_GE(afterWarmUp, 0);
  EXPECT_EQ(highest, lowest) << "bytes held at the start of a round grew from " << lowest << " to " << highest;
  EXPECT_LE(RoundsWon[0] + RoundsWon[1], rounds);  // drawn rounds score for nobody
}

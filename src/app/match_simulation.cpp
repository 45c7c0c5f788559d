// Tournament matches played headless between two computer players.
#include "app/match_simulation.h"

#include "app/game.h"
#include "fighters/controller_ai.h"
#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

constexpr int32_t kBetweenRoundsMillis = 6000;  // the round-over pause and the next countdown
// A player is not a machine: in each match the reference player's three delays are its own, give or take this
// many percent, which is what makes matches differ (every timer of the game is relative to the frame ticks, so
// two computer players alone would fight the same match every time).
constexpr int32_t kPlayerJitterPercent = 15;
// Two computer players can be patient, or even, for ever, where a person would not.
constexpr int32_t kRoundLimitTicks = 50 * 180;
constexpr int32_t kMatchLimitRounds = 20;

// One round, fought tick by tick through the match loop's own step. False when nobody ended it in time.
bool FightRound(TManualClock& clock, TSimulatedMatches& result) {
  GameState = GAMESTATE_FIGHT;
  for (int tick = 0; tick < kRoundLimitTicks; tick++) {
    clock.Advance(FRAME_MILLIS);
    Game::Update();
    result.ticks++;
    if (GameState != GAMESTATE_FIGHT) {
      return true;
    }
  }
  return false;
}

void PlayMatch(const std::array<int32_t, 6>& reference, const TOpponent& opponent, TManualClock& clock,
               TSimulatedMatches& result) {
  const auto& p = opponent.params;
  std::array<int32_t, 6> player = reference;
  for (size_t delay = 0; delay < 3; delay++) {
    player[delay] = player[delay] * RandomInt(100 - kPlayerJitterPercent, 100 + kPlayerJitterPercent) / 100;
  }
  Fighters[0] = TFigure::Create(TControllerAI::Create(player), p[9], 32, 255, 64, 0);
  Fighters[1] = TFigure::Create(TControllerAI::Create(p), p[9], p[6], p[7], p[8], 1);
  TFigure::Fight(Fighters[0], Fighters[1]);
  RoundsWon = {0, 0};
  Round = 1;
  while (RoundsWon[0] < 3 && RoundsWon[1] < 3) {
    clock.Advance(kBetweenRoundsMillis);
    if (Round > kMatchLimitRounds || !FightRound(clock, result)) {
      result.stalled++;
      return;
    }
    result.rounds++;
    Fighters[0]->Reset();
    Fighters[1]->Reset();
  }
  (RoundsWon[0] == 3 ? result.wins : result.losses)++;
}

}  // namespace

void SimulateMatches(const std::array<int32_t, 6>& player, const TOpponent& opponent, int matches, TManualClock& clock,
                     TSimulatedMatches& result) {
  for (int match = 0; match < matches; match++) {
    PlayMatch(player, opponent, clock, result);
  }
}

// Starting matches from the menu.
#include "frontend/match_start.h"

#include <array>

#include "controls/commands.h"
#include "fighters/controller_ai.h"
#include "fighters/controller_human.h"
#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "frontend/menu.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

// The sparring partner: slow to start with, and quick to punish a wide-open guard.
constexpr std::array<int32_t, 6> kSparringPartner = {800, 800, 100, 800, 3, 1};

void SetUpMatch(int32_t training, int32_t level) {
  Training = training;
  Versus = VERSUS_NONE;
  RoundsWon = {0, 0};
  Round = 1;
  Level = level;
  GameState = GAMESTATE_SETUP;
  MenuState = MENUSTATE_SLIDING_OUT;
}

std::shared_ptr<TFigure> PlayersFighter(int32_t health) {
  return TFigure::Create(std::make_shared<TControllerHuman>(), health, 32, 255, 64, 0);
}

}  // namespace

void StartTrainingMatch() {
  SetUpMatch(1, 0);
  Fighters[0] = PlayersFighter(TRAINING_HEALTH);
  Fighters[1] = TFigure::Create(TControllerAI::Create(kSparringPartner), TRAINING_HEALTH, 255, 255, 255, 1);
  TFigure::Fight(Fighters[0], Fighters[1]);
  SetInputLock(1);
}

void StartTournamentMatch(int32_t level) {
  if (level < 0 || level >= static_cast<int32_t>(Opponents.size())) {
    return;
  }
  const auto& p = Opponents[static_cast<size_t>(level)]->params;
  SetUpMatch(0, level);
  Fighters[0] = PlayersFighter(p[9]);
  Fighters[1] = TFigure::Create(TControllerAI::Create(p), p[9], p[6], p[7], p[8], 1);
  TFigure::Fight(Fighters[0], Fighters[1]);
  SetInputLock(1);
}

void StartVersusMatch(int32_t versus, int32_t ring) {
  SetUpMatch(0, ring);
  Versus = versus;
  SetInputLock(1);
}

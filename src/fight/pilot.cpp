// The copies pilots decide on.
#include "fight/pilot.h"

#include "shared/game_state.h"

TShadowFighters::TShadowFighters() {
  self.ring = &_ring;
  opponent.ring = &_ring;
  TFigure::Fight(self, opponent);
}

void TShadowFighters::Take(const TFight& fight, int32_t side) {
  static_cast<TFigureState&>(self) = fight.Fighter(side);
  static_cast<TFigureState&>(opponent) = fight.Fighter(1 - side);
  _ring.now = fight.Now();
}

TInputFrame GoOnInput(const TFight& fight) {
  return fight.Tick() % 2 == 0 ? MakeInput({COMMAND_RIGHT_HAND}, {COMMAND_RIGHT_HAND}) : INPUT_NONE;
}

// The computer's decisions as a player's keys.
#include "fight/ai_pilot.h"

#include "fighters/controller_ai.h"
#include "shared/game_state.h"

TAIPilot::TAIPilot(std::span<const int32_t> params) : _ai(TControllerAI::Create(params)) {
  _ai->fig = &_shadow.self;
}

TInputFrame TAIPilot::Next(const TFight& fight, int32_t side) {
  if (fight.Phase() == FIGHT_WAIT) {
    _held = GoOnInput(fight);
    return _held;
  }
  if (fight.Phase() != FIGHT_ROUND) {
    _held = INPUT_NONE;
    return _held;
  }
  _shadow.Take(fight, side);
  TFigure& self = _shadow.self;
  if (self.action < ACTION_WIN) {
    _ai->Update();
  }
  // What the decision did to the copy, as keys: its guard height held (a walk only with neither), a walk held, a
  // punch thrown pressed.
  bool walking = self.action == ACTION_FORWARD || self.action == ACTION_BACK;
  TInputFrame held = INPUT_NONE;
  if (walking) {
    held = MakeInput({self.action == ACTION_FORWARD ? COMMAND_FORWARD : COMMAND_BACKWARD});
  } else if (self.height == 0) {
    held = MakeInput({COMMAND_UP});
  } else if (self.height == 2) {
    held = MakeInput({COMMAND_DOWN});
  }
  TInputFrame frame = held;
  for (int32_t command = 0; command < COMMAND_RIGHT_HAND; command++) {
    if (InputHeld(held, command) && !InputHeld(_held, command)) {
      frame |= MakeInput({}, {command});
    }
  }
  if (self.action == ACTION_PUNCH) {
    frame |= MakeInput({}, {self.side == 0 ? COMMAND_RIGHT_HAND : COMMAND_LEFT_HAND});
  }
  _held = held;
  return frame;
}

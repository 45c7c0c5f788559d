// The computer's decisions as a player's keys.
#include "fight/ai_pilot.h"

#include "fighters/controller_ai.h"
#include "shared/game_state.h"

TAIPilot::TAIPilot(std::span<const int32_t> params) : _ai(TControllerAI::Create(params)) {
  _ai->fig = &_self;
  _self.ring = &_ring;
  _opponent.ring = &_ring;
  TFigure::Fight(_self, _opponent);
}

TInputFrame TAIPilot::Next(const TFight& fight, int32_t side) {
  if (fight.Phase() == FIGHT_WAIT) {
    // A knockout: go on, pressing the right hand anew every other tick.
    _held = (fight.Tick() % 2 == 0) ? MakeInput({COMMAND_RIGHT_HAND}, {COMMAND_RIGHT_HAND}) : INPUT_NONE;
    return _held;
  }
  if (fight.Phase() != FIGHT_ROUND) {
    _held = INPUT_NONE;
    return _held;
  }
  static_cast<TFigureState&>(_self) = fight.Fighter(side);
  static_cast<TFigureState&>(_opponent) = fight.Fighter(1 - side);
  _ring.now = fight.Now();
  if (_self.action < ACTION_WIN) {
    _ai->Update();
  }
  // What the decision did to the copy, as keys: its guard height held (a walk only with neither), a walk held, a
  // punch thrown pressed.
  bool walking = _self.action == ACTION_FORWARD || _self.action == ACTION_BACK;
  TInputFrame held = INPUT_NONE;
  if (walking) {
    held = MakeInput({_self.action == ACTION_FORWARD ? COMMAND_FORWARD : COMMAND_BACKWARD});
  } else if (_self.height == 0) {
    held = MakeInput({COMMAND_UP});
  } else if (_self.height == 2) {
    held = MakeInput({COMMAND_DOWN});
  }
  TInputFrame frame = held;
  for (int32_t command = 0; command < COMMAND_RIGHT_HAND; command++) {
    if (InputHeld(held, command) && !InputHeld(_held, command)) {
      frame |= MakeInput({}, {command});
    }
  }
  if (_self.action == ACTION_PUNCH) {
    frame |= MakeInput({}, {_self.side == 0 ? COMMAND_RIGHT_HAND : COMMAND_LEFT_HAND});
  }
  _held = held;
  return frame;
}

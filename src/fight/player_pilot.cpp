// A model of a person at the keys of a match of two players.
#include "fight/player_pilot.h"

#include <utility>

#include "fighters/controller_player.h"

TPlayerPilot::TPlayerPilot(std::shared_ptr<TControllerPlayer> player) : _player(std::move(player)) {
  _player->fig = &_shadow.self;
}

TInputFrame TPlayerPilot::Next(const TFight& fight, int32_t side) {
  if (fight.Phase() == FIGHT_WAIT) {
    return GoOnInput(fight);
  }
  if (fight.Phase() != FIGHT_ROUND) {
    // Nothing is looked at between rounds: the model's memory of the last round lapses, as a person's would.
    return INPUT_NONE;
  }
  _shadow.Take(fight, side);
  if (_shadow.self.action >= ACTION_WIN) {
    return INPUT_NONE;  // the fighter takes no commands any more
  }
  _player->Update();
  return PackInput(_player->Commands(), false, false);
}

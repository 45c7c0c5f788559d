// The player's controller.
#include "fighters/controller_human.h"

#include <cstdlib>

#include "controls/commands.h"
#include "fighters/figure.h"
#include "shared/game_state.h"

int32_t TControllerHuman::_MayAct() {
  if (std::abs(fig->action) == ACTION_PUNCH) {
    return AnyCommandHit(COMMAND_LEFT_HAND + 1);
  }
  if (fig->action == ACTION_HURT) {
    return AnyCommandHit(COMMAND_BACKWARD + 1);
  }
  return 1;
}

int32_t TControllerHuman::Update() {
  bool punching = std::abs(fig->action) == ACTION_PUNCH;
  bool free = !punching && fig->action != ACTION_HURT;
  if (_MayAct() == 0) {
    return 0;
  }

  if (CommandDown(COMMAND_UP) != 0) {
    fig->height = 0;
    // An arm that is out stays out unless Up was pressed anew.
    if (std::abs(fig->action) != ACTION_PUNCH || CommandHit(COMMAND_UP) != 0) {
      fig->action = ACTION_GUARD;
    }
  } else if (CommandDown(COMMAND_DOWN) != 0) {
    fig->height = 2;
    if (std::abs(fig->action) != ACTION_PUNCH || CommandHit(COMMAND_DOWN) != 0) {
      fig->action = ACTION_GUARD;
    }
  } else {
    fig->height = 1;
    if (CommandDown(COMMAND_FORWARD) != 0) {
      fig->Walk(ACTION_FORWARD);
    } else if (CommandDown(COMMAND_BACKWARD) != 0) {
      fig->Walk(ACTION_BACK);
    } else if (free) {
      fig->action = ACTION_GUARD;
    }
  }

  if (CommandHit(COMMAND_LEFT_HAND) != 0) {
    fig->Attack(1);
  } else if (CommandHit(COMMAND_RIGHT_HAND) != 0) {
    fig->Attack(0);
  }
  return 0;
}

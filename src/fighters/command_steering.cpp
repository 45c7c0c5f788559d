// The fighting commands turned into a guard height, a walk and a punch.
#include "fighters/command_steering.h"

#include <cstdlib>

#include "fighters/figure.h"

bool TCommandFrame::AnyHit(int32_t count) const {
  for (int32_t command = 0; command < count && command < COMMAND_PAUSE; command++) {
    if (hit[static_cast<size_t>(command)]) {
      return true;
    }
  }
  return false;
}

bool MayAct(const TFigure& fig, const TCommandFrame& commands) {
  if (std::abs(fig.action) == ACTION_PUNCH) {
    return commands.AnyHit(COMMAND_LEFT_HAND + 1);
  }
  if (fig.action == ACTION_HURT) {
    return commands.AnyHit(COMMAND_BACKWARD + 1);
  }
  return true;
}

void SteerByCommands(TFigure& fig, const TCommandFrame& commands) {
  bool punching = std::abs(fig.action) == ACTION_PUNCH;
  bool free = !punching && fig.action != ACTION_HURT;
  if (!MayAct(fig, commands)) {
    return;
  }

  if (commands.down[COMMAND_UP]) {
    fig.height = 0;
    // An arm that is out stays out unless Up was pressed anew.
    if (!punching || commands.hit[COMMAND_UP]) {
      fig.action = ACTION_GUARD;
    }
  } else if (commands.down[COMMAND_DOWN]) {
    fig.height = 2;
    if (!punching || commands.hit[COMMAND_DOWN]) {
      fig.action = ACTION_GUARD;
    }
  } else {
    fig.height = 1;
    if (commands.down[COMMAND_FORWARD]) {
      fig.Walk(ACTION_FORWARD);
    } else if (commands.down[COMMAND_BACKWARD]) {
      fig.Walk(ACTION_BACK);
    } else if (free) {
      fig.action = ACTION_GUARD;
    }
  }

  if (commands.hit[COMMAND_LEFT_HAND]) {
    fig.Attack(1);
  } else if (commands.hit[COMMAND_RIGHT_HAND]) {
    fig.Attack(0);
  }
}

// What the six fighting commands do to the player's fighter in one tick, whoever presses them: the player through
// the key and pad bindings, or a model of a player in the match simulator and the tests. Both go through the same
// rules, so a model can do nothing a person at the keyboard could not.
#pragma once

#include <array>
#include <cstdint>

#include "shared/game_state.h"

class TFigure;

// The commands of one frame: held, and newly pressed since the last frame (a key tapped and released within one
// frame is pressed without being held). Pause is left to the match loop.
struct TCommandFrame {
  std::array<bool, COMMAND_PAUSE> down{};
  std::array<bool, COMMAND_PAUSE> hit{};

  // True if any of the commands 0 to count - 1 was newly pressed.
  bool AnyHit(int32_t count) const;
};

// Whether the commands may act now: always while guarding or walking; with a punch out only on a new press of a
// direction or a hand; while staggered only on a new press of a direction.
bool MayAct(const TFigure& fig, const TCommandFrame& commands);

// Height and movement first (Up over Down, Forward over Backward), then a punch (Left Hand over Right Hand), so a
// punch goes out at the height held in the same tick.
void SteerByCommands(TFigure& fig, const TCommandFrame& commands);

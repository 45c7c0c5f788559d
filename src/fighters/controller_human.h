// The player's controller: turns the commands held and newly pressed in this frame into a guard height, a walk
// and a punch for fighter 0 (see command_steering.h). It keeps no state of its own.
#pragma once

#include "fighters/controller.h"

class TControllerHuman : public TController {
public:
  // Height and movement first (Up over Down, Forward over Backward), then a punch (Left Hand over Right Hand), so
  // a punch goes out at the height held in the same tick.
  int32_t Update() override;
  // Whether the player may act now: always while guarding or walking; with a punch out only on a new press of a
  // direction or a hand; while staggered only on a new press of a direction.
  int32_t _MayAct();
};

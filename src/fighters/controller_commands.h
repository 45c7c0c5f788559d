// A fighter steered by the commands it is handed for each tick, whoever pressed them: a player at the keyboard, a
// model of one, the computer steering as a player would, or the other side of a network. It keeps no state.
#pragma once

#include "fighters/command_steering.h"
#include "fighters/controller.h"

class TControllerCommands : public TController {
public:
  // Steers by frame (see SteerByCommands).
  int32_t Update() override;

  TCommandFrame frame;  // the commands of the present tick
};

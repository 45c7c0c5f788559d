// Steering by the commands of the tick.
#include "fighters/controller_commands.h"

int32_t TControllerCommands::Update() {
  SteerByCommands(*fig, frame);
  return 0;
}

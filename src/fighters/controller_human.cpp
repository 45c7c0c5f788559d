// The player's controller.
#include "fighters/controller_human.h"

#include "controls/commands.h"
#include "fighters/command_steering.h"
#include "fighters/figure.h"

namespace {

// The fighting commands as the bindings read them in this frame.
TCommandFrame ReadCommands() {
  TCommandFrame commands;
  for (int32_t command = 0; command < COMMAND_PAUSE; command++) {
    commands.down[static_cast<size_t>(command)] = CommandDown(command) != 0;
    commands.hit[static_cast<size_t>(command)] = CommandHit(command) != 0;
  }
  return commands;
}

}  // namespace

int32_t TControllerHuman::_MayAct() {
  return MayAct(*fig, ReadCommands()) ? 1 : 0;
}

int32_t TControllerHuman::Update() {
  SteerByCommands(*fig, ReadCommands());
  return 0;
}

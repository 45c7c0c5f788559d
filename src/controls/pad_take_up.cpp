// Gamepads plugged in while the game runs.
#include "controls/pad_take_up.h"

#include <algorithm>

#include "controls/control.h"
#include "controls/default_bindings.h"
#include "media/input/gamepad.h"
#include "shared/game_state.h"

namespace {

// A pad is in use while a pad binding refers to a port that holds one. Only that decides: bindings the player
// spread over two pads stay where they are while either pad is there.
bool PadInUse(int32_t ports) {
  return std::any_of(PadBindings.begin(), PadBindings.end(), [ports](const std::shared_ptr<TControl>& binding) {
    return binding != nullptr && binding->port >= 0 && binding->port < ports;
  });
}

// As a flush does: a button held as the pad comes in (or as the bindings move to it) presses nothing.
void SilenceUntilReleased(const TBindings& bindings) {
  for (const std::shared_ptr<TControl>& binding : bindings) {
    if (binding != nullptr) {
      binding->_flush = 1;
      binding->_hit = 0;
      binding->_down = 0;
    }
  }
}

}  // namespace

void TakeUpGamepads(int32_t count) {
  int32_t ports = std::min(count, PAD_PORTS);
  if (ports <= 0) {
    return;
  }
  PadPresent = 1;
  if (PadInUse(ports)) {
    return;
  }
  // The last pad: the one just plugged in, as a platform lists it last, or at start-up the last pad found.
  MovePadBindings(0, ports - 1);
}

void MovePadBindings(int32_t player, int32_t port) {
  TBindings& bindings = PlayerPadBindings(player);
  if (PadBindingsUntouched(player)) {
    InstallDefaultPadBindings(port, player);
  } else {
    for (const std::shared_ptr<TControl>& binding : bindings) {
      if (binding != nullptr) {
        binding->port = port;
      }
    }
  }
  SilenceUntilReleased(bindings);
}

void FollowGamepads() {
  if (TakeGamepadsChange()) {
    TakeUpGamepads(CountGamepads());
  }
}

// The default control bindings.
#include "app/bindings.h"

#include <array>

#include "app/game_state.h"
#include "controls/control_kinds.h"
#include "media/key_codes.h"

namespace {

constexpr std::array<int32_t, COMMAND_COUNT> kDefaultKeys = {KEY_A + ('W' - 'A'), KEY_A + ('S' - 'A'),
                                                              KEY_A + ('D' - 'A'), KEY_A + ('A' - 'A'),
                                                              KEY_A + ('J' - 'A'), KEY_A + ('I' - 'A'),
                                                              KEY_ESCAPE};

}  // namespace

void InstallDefaultBindings(int32_t padPort) {
  for (int32_t command = 0; command < COMMAND_COUNT; command++) {
    KeyBindings[static_cast<size_t>(command)] = TControlKey::Create(kDefaultKeys[static_cast<size_t>(command)]);
  }
  PadBindings[COMMAND_UP] = TControlJoyHat::Create(padPort, 0.0f);
  PadBindings[COMMAND_DOWN] = TControlJoyHat::Create(padPort, 0.5f);
  PadBindings[COMMAND_FORWARD] = TControlJoyHat::Create(padPort, 0.25f);
  PadBindings[COMMAND_BACKWARD] = TControlJoyHat::Create(padPort, 0.75f);
  PadBindings[COMMAND_RIGHT_HAND] = TControlJoyButton::Create(padPort, 1);
  PadBindings[COMMAND_LEFT_HAND] = TControlJoyButton::Create(padPort, 2);
  PadBindings[COMMAND_PAUSE] = TControlJoyButton::Create(padPort, 9);
}

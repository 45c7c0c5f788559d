// Reading the player's commands.
#include "controls/commands.h"

#include "controls/control.h"
#include "controls/control_kinds.h"
#include "media/input/gamepad.h"
#include "media/input/input.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"

namespace {

// The commands the menus read: the four directions move, the two hands confirm.
constexpr int32_t kMenuCommands = COMMAND_PAUSE;

// Hits that the update of this frame gave to bindings of the kind T for which same(binding) holds: the input's
// presses went to them, not to whoever asks the input layer afterwards.
template <typename T, typename Same>
int32_t BoundHits(Same same) {
  int32_t hits = 0;
  for (const std::shared_ptr<TControl>& control : AttachedControls) {
    if (auto* bound = dynamic_cast<T*>(control.get()); bound != nullptr && same(*bound)) {
      hits += bound->Hit();
    }
  }
  return hits;
}

bool MenuCommandOnButton(int32_t port, int32_t button) {
  for (const TBindings* bindings : {&PadBindings, &PadBindings2}) {
    for (int32_t command = 0; command < kMenuCommands; command++) {
      auto* bound = dynamic_cast<TControlJoyButton*>((*bindings)[static_cast<size_t>(command)].get());
      if (bound != nullptr && bound->port == port && bound->key == button) {
        return true;
      }
    }
  }
  return false;
}

// A binding's hits unless it is on a key the menus keep for themselves.
int32_t HitsForMenus(const std::shared_ptr<TControl>& binding) {
  if (binding == nullptr || (dynamic_cast<TControlKey*>(binding.get()) != nullptr && MenuOwnsKey(binding->key))) {
    return 0;
  }
  return binding->Hit();
}

int32_t PadBackHits() {
  if (PadPresent == 0) {
    return 0;
  }
  int32_t hits = 0;
  int32_t ports = GamepadsFound();
  for (int32_t port = 0; port < ports && port < PAD_PORTS; port++) {
    TPadLayout layout;
    if (!GamepadLayout(port, &layout)) {
      continue;
    }
    for (int32_t standard : {PAD_BUTTON_B, PAD_BUTTON_BACK}) {
      const TPadSource& source = layout.buttons[static_cast<size_t>(standard)];
      if (source.kind != PAD_SOURCE_BUTTON || MenuCommandOnButton(port, source.index)) {
        continue;
      }
      hits += PadButtonHits(port, source.index);
    }
  }
  return hits;
}

}  // namespace

int32_t CommandHit(int32_t command) {
  int32_t hits = KeyBindings[static_cast<size_t>(command)]->Hit();
  if (hits != 0) {
    return hits;
  }
  return PadBindings[static_cast<size_t>(command)]->Hit();
}

int32_t CommandDown(int32_t command) {
  int32_t down = KeyBindings[static_cast<size_t>(command)]->Down();
  if (down != 0) {
    return down;
  }
  return PadBindings[static_cast<size_t>(command)]->Down();
}

int32_t AnyCommandHit(int32_t count) {
  for (int32_t command = 0; command < count; command++) {
    if (CommandHit(command) != 0) {
      return 1;
    }
  }
  return 0;
}

bool MenuOwnsKey(int32_t key) {
  return key == KEY_ENTER || key == KEY_ESCAPE;
}

int32_t MenuCommandHit(int32_t command) {
  auto index = static_cast<size_t>(command);
  if (int32_t hits = HitsForMenus(KeyBindings[index]); hits != 0) {
    return hits;
  }
  if (int32_t hits = HitsForMenus(PadBindings[index]); hits != 0) {
    return hits;
  }
  // Player 2 faces the other way: its walk in is leftwards. Its keys move nothing here, as they are the cursor keys
  // the menus read as such; its hands confirm.
  int32_t mirrored = command == COMMAND_FORWARD    ? COMMAND_BACKWARD
                     : command == COMMAND_BACKWARD ? COMMAND_FORWARD
                                                   : command;
  if (int32_t hits = HitsForMenus(PadBindings2[static_cast<size_t>(mirrored)]); hits != 0) {
    return hits;
  }
  if (command == COMMAND_RIGHT_HAND || command == COMMAND_LEFT_HAND) {
    return HitsForMenus(KeyBindings2[index]);
  }
  return 0;
}

int32_t PadButtonHits(int32_t port, int32_t button) {
  return TakePadButtonHits(button, port) + BoundHits<TControlJoyButton>([&](const TControlJoyButton& bound) {
           return bound.port == port && bound.key == button;
         });
}

int32_t MenuKeyHits(int32_t key) {
  return TakeKeyHits(key) + BoundHits<TControlKey>([key](const TControlKey& bound) { return bound.key == key; });
}

int32_t MenuBackHits() {
  return MenuKeyHits(KEY_ESCAPE) + PadBackHits();
}

int32_t AnyPress() {
  int32_t pressed = 0;
  for (const std::shared_ptr<TControl>& control : AttachedControls) {
    pressed |= control->Hit() != 0 ? 1 : 0;
  }
  for (int32_t key = 0; key < KEY_CODES; key++) {
    pressed |= TakeKeyHits(key) != 0 ? 1 : 0;
  }
  int32_t ports = PadPresent != 0 ? GamepadsFound() : 0;
  for (int32_t port = 0; port < ports && port < PAD_PORTS; port++) {
    for (int32_t button = 0; button < PAD_COUNTED_BUTTONS; button++) {
      pressed |= TakePadButtonHits(button, port) != 0 ? 1 : 0;
    }
  }
  return pressed;
}

int32_t SetInputLock(int32_t locked) {
  InputLock = locked;
  if (locked == 0) {
    TControl::Flush();
    DropPendingPresses();
  }
  return 0;
}

void DropPendingPresses() {
  DropKeyPresses();
  DropPadPresses();
  TControl::DropHits();
}

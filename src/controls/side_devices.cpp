// The devices of a two-player match's sides.
#include "controls/side_devices.h"

#include "controls/commands.h"
#include "controls/control.h"
#include "controls/control_kinds.h"
#include "controls/default_bindings.h"
#include "controls/pad_take_up.h"
#include "media/core/text.h"
#include "media/input/gamepad.h"
#include "shared/game_state.h"

std::array<TSideDevice, 2> SideDevices;

namespace {

constexpr int32_t kNotParked = -2;
// Where each player's pad bindings were before a match of two parked them: a pad reports each press once, so
// two players' bindings on one pad would share its presses out between them.
std::array<int32_t, 2> parkedFrom = {kNotParked, kNotParked};

bool OnPort(int32_t player, int32_t port) {
  for (const std::shared_ptr<TControl>& binding : PlayerPadBindings(player)) {
    if (binding != nullptr && binding->port == port) {
      return true;
    }
  }
  return false;
}

// An unknown pad's right hand by default: its second button.
constexpr int32_t kUnknownPadRightHand = 1;

bool Taken(const TSideDevice& device) {
  return SideDevices[0] == device || SideDevices[1] == device;
}

bool PadTaken(int32_t padId) {
  for (const TSideDevice& side : SideDevices) {
    if (side.kind == DEVICE_PAD && side.padId == padId) {
      return true;
    }
  }
  return false;
}

// The button of either player's right hand on the pad at port, when a binding puts it there.
bool RightHandPressedOnPad(int32_t port) {
  int32_t hits = 0;
  bool bound = false;
  for (int32_t player = 0; player < 2; player++) {
    auto* button = dynamic_cast<TControlJoyButton*>(PlayerPadBindings(player)[COMMAND_RIGHT_HAND].get());
    if (button != nullptr && button->port == port) {
      hits += PadButtonHits(port, button->key);
      bound = true;
    }
  }
  if (!bound) {
    TPadLayout layout;
    const TPadSource* south = GamepadLayout(port, &layout) ? &layout.buttons[PAD_BUTTON_A] : nullptr;
    hits +=
        PadButtonHits(port, south != nullptr && south->kind == PAD_SOURCE_BUTTON ? south->index : kUnknownPadRightHand);
  }
  return hits != 0;
}

// A keyboard on the side its player does not stand on walks the other way: its walk in is still towards the
// opponent.
int32_t KeyCommand(int32_t side, const TSideDevice& device, int32_t command) {
  bool natural = (device.kind == DEVICE_KEYBOARD) == (side == 0);
  if (natural) {
    return command;
  }
  return command == COMMAND_FORWARD ? COMMAND_BACKWARD : command == COMMAND_BACKWARD ? COMMAND_FORWARD : command;
}

}  // namespace

bool TakeJoinPress(TSideDevice* device) {
  for (int32_t kind : {DEVICE_KEYBOARD, DEVICE_KEYBOARD_2}) {
    const TBindings& keys = kind == DEVICE_KEYBOARD ? KeyBindings : KeyBindings2;
    TSideDevice keyboard{kind, -1, -1};
    if (!Taken(keyboard) && keys[COMMAND_RIGHT_HAND]->Hit() != 0) {
      *device = keyboard;
      return true;
    }
  }
  int32_t ports = PadPresent != 0 ? GamepadsFound() : 0;
  for (int32_t port = 0; port < ports && port < PAD_PORTS; port++) {
    int32_t padId = GamepadDeviceId(port);
    if (!PadTaken(padId) && RightHandPressedOnPad(port)) {
      *device = TSideDevice{DEVICE_PAD, padId, port};
      return true;
    }
  }
  return false;
}

std::u16string DeviceName(const TSideDevice& device) {
  switch (device.kind) {
    case DEVICE_KEYBOARD:
      return u"Keyboard";
    case DEVICE_KEYBOARD_2:
      return u"Keyboard 2";
    case DEVICE_PAD:
      return device.port < 0 ? u"Gamepad (pulled out)" : BytesToText(GamepadName(device.port));
    default:
      return {};
  }
}

void GiveDevice(int32_t side, const TSideDevice& device) {
  SideDevices[static_cast<size_t>(side)] = device;
  if (device.kind != DEVICE_PAD) {
    return;
  }
  int32_t other = 1 - side;
  if (SideDevices[static_cast<size_t>(other)].kind != DEVICE_PAD && OnPort(other, device.port) &&
      parkedFrom[static_cast<size_t>(other)] == kNotParked) {
    parkedFrom[static_cast<size_t>(other)] = device.port;
    MovePadBindings(other, -1);
  }
  MovePadBindings(side, device.port);
}

void FollowSidePads() {
  for (int32_t side = 0; side < 2; side++) {
    TSideDevice& device = SideDevices[static_cast<size_t>(side)];
    if (device.kind != DEVICE_PAD || (device.port >= 0 && GamepadDeviceId(device.port) == device.padId)) {
      continue;
    }
    int32_t ports = GamepadsFound();
    int32_t found = -1;
    for (int32_t port = 0; port < ports && port < PAD_PORTS && found < 0; port++) {
      if (GamepadDeviceId(port) == device.padId) {
        found = port;
      }
    }
    // Its own pad is gone: the first pad nobody has takes its place (as a rule the same pad plugged back in).
    for (int32_t port = 0; port < ports && port < PAD_PORTS && found < 0 && device.port < 0; port++) {
      if (!PadTaken(GamepadDeviceId(port))) {
        found = port;
        device.padId = GamepadDeviceId(port);
      }
    }
    if (found != device.port) {
      device.port = found;
      MovePadBindings(side, found);
    }
  }
}

TControl* SideBinding(int32_t side, int32_t command) {
  const TSideDevice& device = SideDevices[static_cast<size_t>(side)];
  switch (device.kind) {
    case DEVICE_KEYBOARD:
    case DEVICE_KEYBOARD_2: {
      // Escape pauses for both: player 2's keyboard has no pause key of its own.
      const TBindings& keys = command == COMMAND_PAUSE || device.kind == DEVICE_KEYBOARD ? KeyBindings : KeyBindings2;
      return keys[static_cast<size_t>(KeyCommand(side, device, command))].get();
    }
    case DEVICE_PAD:
      return device.port < 0 ? nullptr : PlayerPadBindings(side)[static_cast<size_t>(command)].get();
    default:
      return nullptr;
  }
}

int32_t SideCommandHit(int32_t side, int32_t command) {
  TControl* binding = SideBinding(side, command);
  return binding != nullptr ? binding->Hit() : 0;
}

int32_t SideCommandDown(int32_t side, int32_t command) {
  TControl* binding = SideBinding(side, command);
  return binding != nullptr ? binding->Down() : 0;
}

void ResetSideDevices() {
  SideDevices = {};
  for (int32_t player = 0; player < 2; player++) {
    if (parkedFrom[static_cast<size_t>(player)] != kNotParked) {
      MovePadBindings(player, parkedFrom[static_cast<size_t>(player)]);
      parkedFrom[static_cast<size_t>(player)] = kNotParked;
    }
  }
}

void ForgetSideDevices() {
  SideDevices = {};
  parkedFrom = {kNotParked, kNotParked};
}

// Reading the player's commands.
#include "controls/commands.h"

#include "controls/control.h"
#include "media/input/gamepad.h"
#include "media/input/input.h"
#include "shared/game_state.h"

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

// The keyboard and gamepad screens: a row per command with its binding; confirming a row waits for the new key
// or pad input (input stays locked meanwhile, and the row turns yellow), Escape cancels.
#include <array>
#include <cmath>

#include "app/commands.h"
#include "app/game_state.h"
#include "controls/control_kinds.h"
#include "frontend/menu.h"
#include "media/gamepad.h"
#include "media/input.h"
#include "media/key_codes.h"

namespace {

constexpr int32_t kVisibleRows = 6;
constexpr int32_t kFirstRowY = 30;
constexpr int32_t kRowStep = 48;
// Keys the screen can bind: Backspace to the quote key. The codes outside cannot come from a common keyboard.
constexpr int32_t kFirstBindableKey = KEY_BACKSPACE;
constexpr int32_t kLastBindableKey = KEY_QUOTE;
constexpr int32_t kAxes = 10;  // axis slots scanned for a pad input; slot 9 is the hat, scanned as such
constexpr float kAxisMove = 0.5f;

// Where every pad axis rested when the wait for a new input began.
std::array<std::array<float, kAxes>, PAD_PORTS> restingAxes{};

// Keeps the selected row among the six rows on the screen.
void Scroll(int32_t& scroll) {
  if (SubCursor > scroll + kVisibleRows - 1) {
    scroll = SubCursor - (kVisibleRows - 1);
  } else if (SubCursor < scroll) {
    scroll = SubCursor;
  }
}

// While waiting: every key pressed, in ascending order of code; Escape cancels, any other is bound, so of
// several keys pressed in one frame the highest wins (and a key below Escape pressed with it still counts). Input
// is unlocked once all of them have been taken: unlocking drops whatever presses are left.
void TakeNewKey() {
  int32_t newKey = 0;
  bool answered = false;
  for (int32_t code = kFirstBindableKey; code <= kLastBindableKey; code++) {
    if (TakeKeyHits(code) == 0) {
      continue;
    }
    answered = true;
    if (code == KEY_ESCAPE) {
      break;
    }
    newKey = code;
  }
  if (!answered) {
    return;
  }
  if (newKey != 0) {
    KeyBindings[static_cast<size_t>(RebindIndex)]->Detach();
    KeyBindings[static_cast<size_t>(RebindIndex)] = TControlKey::Create(newKey);
  }
  SetInputLock(0);
}

}  // namespace

namespace Menu {

int32_t KeyboardMenu() {
  if (InputLock != 0) {
    TakeNewKey();
  }
  SubCursor = ((SubCursor + NavigateUD()) % 7 + 7) % 7;
  Scroll(KeyScroll);
  int32_t y = kFirstRowY - kRowStep * KeyScroll;
  // Pause keeps its key: the game must always be able to stop.
  for (int32_t command = 0; command < COMMAND_PAUSE; command++, y += kRowStep) {
    if (ButtonTab(CommandNames[static_cast<size_t>(command)], KeyBindings[static_cast<size_t>(command)]->GetCaption(),
                  y, SubCursor == command) != 0) {
      RebindIndex = command;
      SetInputLock(1);
      ClearKeys();  // the confirming key is not the new one
      DropPendingPresses();
    }
  }
  if (Button(u"Back", y, SubCursor == COMMAND_PAUSE) != 0) {
    Save();
    ShowScreen(MENU_MAIN);
  }
  return 0;
}

int32_t GamepadMenu() {
  if (InputLock != 0) {
    if (TakeKeyHits(KEY_ESCAPE) != 0) {
      SetInputLock(0);
    } else if (std::shared_ptr<TControl> input = _ScanPads(); input != nullptr) {
      PadBindings[static_cast<size_t>(RebindIndex)]->Detach();
      PadBindings[static_cast<size_t>(RebindIndex)] = input;
      SetInputLock(0);
    }
  }
  SubCursor = ((SubCursor + NavigateUD()) % 8 + 8) % 8;
  Scroll(PadScroll);
  int32_t y = kFirstRowY - kRowStep * PadScroll;
  for (int32_t command = 0; command < COMMAND_COUNT; command++, y += kRowStep) {
    if (ButtonTab(CommandNames[static_cast<size_t>(command)], PadBindings[static_cast<size_t>(command)]->GetCaption(),
                  y, SubCursor == command) != 0) {
      RebindIndex = command;
      SetInputLock(1);
      ClearGamepads(-1);
      // After the clear: the button that confirmed the row, still held, is not taken as the new input, and an
      // Escape tapped before does not cancel the wait.
      DropPendingPresses();
      _RecordRestingAxes();
    }
  }
  if (Button(u"Back", y, SubCursor == COMMAND_COUNT) != 0) {
    Save();
    ShowScreen(MENU_MAIN);
  }
  return 0;
}

void _RecordRestingAxes() {
  int32_t ports = CountGamepads();
  for (int32_t port = 0; port < ports && port < PAD_PORTS; port++) {
    for (int32_t axis = 0; axis < kAxes; axis++) {
      restingAxes[static_cast<size_t>(port)][static_cast<size_t>(axis)] = PadAxis(port, axis);
    }
  }
}

// Ports in order; on each, buttons, then the four hat directions, then the axes. An axis counts only once it has
// moved more than half its travel from where it rested when the wait began: triggers that rest at one end would
// otherwise be taken at once, and nothing else could ever be bound.
std::shared_ptr<TControl> _ScanPads() {
  int32_t ports = CountGamepads();
  for (int32_t port = 0; port < ports; port++) {
    for (int32_t button = 0; button < 16; button++) {
      if (TakePadButtonHits(button, port) != 0) {
        return TControlJoyButton::Create(port, button);
      }
    }
    for (int32_t k = 0; k < 4; k++) {
      float direction = static_cast<float>(k) * 0.25f;
      if (PadHat(port) == direction) {
        return TControlJoyHat::Create(port, direction);
      }
    }
    int32_t mask = GamepadAxisMask(port);
    for (int32_t axis = 0; axis < kAxes; axis++) {
      if ((mask & (1 << axis)) == 0 || axis == PAD_HAT_SLOT) {
        continue;
      }
      PollGamepad(port);
      float rest = port < PAD_PORTS ? restingAxes[static_cast<size_t>(port)][static_cast<size_t>(axis)] : 0.0f;
      float moved = PadAxis(port, axis) - rest;
      if (std::fabs(moved) > kAxisMove) {
        return TControlJoyAxis::Create(port, axis, moved > 0 ? 1 : -1);
      }
    }
  }
  return nullptr;
}

}  // namespace Menu

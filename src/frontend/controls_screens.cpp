// The keyboard and gamepad screens of either player (ControlsPlayer): a row per command with its binding;
// confirming a row waits for the new key or pad input (input stays locked meanwhile, and the row turns yellow),
// Escape cancels. With no pad there, the gamepad screen says so and waits for nothing.
#include <array>
#include <cmath>
#include <string>

#include "controls/commands.h"
#include "controls/control_kinds.h"
#include "controls/default_bindings.h"
#include "controls/pad_names.h"
#include "frontend/font.h"
#include "frontend/menu.h"
#include "media/graphics/graphics.h"
#include "media/input/gamepad.h"
#include "media/input/input.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

constexpr int32_t kVisibleRows = 6;
constexpr int32_t kFirstRowY = 30;
constexpr int32_t kRowStep = 48;
// Keys the screen can bind: Backspace to the quote key. The codes outside cannot come from a common keyboard.
constexpr int32_t kFirstBindableKey = KEY_BACKSPACE;
constexpr int32_t kLastBindableKey = KEY_QUOTE;
constexpr int32_t kAxes = 10;  // axis slots scanned for a pad input; slot 9 is the hat, scanned as such
constexpr float kAxisMove = 0.5f;

constexpr int32_t kSignHalfWidth = 9;  // the scroll signs: small triangles in the free strips above and below the rows
constexpr int32_t kSignHeight = 6;
// What a waiting row asks for, in two short lines of the small font beside the command's name.
constexpr const char16_t* kKeyPrompt = u"Press a key";
constexpr const char16_t* kPadPrompt = u"Press a pad input";
constexpr const char16_t* kCancelPrompt = u"Escape cancels";
// Enter pressed while a key is awaited: it stays the menus' confirm, and the row says so while it waits on.
constexpr const char16_t* kEnterRefused = u"Enter stays the menus' key";
// A key the other player has: in a fight of two players it would serve both, so it is refused the same way.
constexpr const char16_t* kOtherPlayersKey[2] = {u"Player 2 has that key", u"Player 1 has that key"};
constexpr int32_t kPromptLineOffset = 7;
// With no pad there, the gamepad rows show a dash, and the selected one why, in the same two lines. A single line
// of the whole sentence would run under the commands' names at zoom 1.
constexpr const char16_t* kNoPadValue = u"-";
constexpr const char16_t* kNoPadFound = u"No gamepad found:";
constexpr const char16_t* kPlugOneIn = u"plug one in to bind it";

// Where every pad axis rested when the wait for a new input began.
std::array<std::array<float, kAxes>, PAD_PORTS> restingAxes{};
// What refused a key during the present wait: none, Enter, or a key of the other player's.
enum : int32_t { REFUSED_NONE = 0, REFUSED_ENTER = 1, REFUSED_OTHERS = 2 };
int32_t refused = REFUSED_NONE;

bool OtherPlayerHas(int32_t key) {
  for (const std::shared_ptr<TControl>& binding : PlayerKeyBindings(1 - ControlsPlayer)) {
    if (binding != nullptr && binding->key == key && dynamic_cast<TControlKey*>(binding.get()) != nullptr) {
      return true;
    }
  }
  return false;
}

const char16_t* KeyPromptNote() {
  switch (refused) {
    case REFUSED_ENTER:
      return kEnterRefused;
    case REFUSED_OTHERS:
      return kOtherPlayersKey[ControlsPlayer];
    default:
      return kKeyPrompt;
  }
}

// Keeps the selected row among the six rows on the screen.
void Scroll(int32_t& scroll) {
  if (SubCursor > scroll + kVisibleRows - 1) {
    scroll = SubCursor - (kVisibleRows - 1);
  } else if (SubCursor < scroll) {
    scroll = SubCursor;
  }
}

// Two lines of the small font in a row's value column.
void DrawRowNote(int32_t y, const char16_t* first, const char16_t* second) {
  SmallFont->Draw(first, 390, y - kPromptLineOffset, ALIGN_RIGHT, ALIGN_CENTER);
  SmallFont->Draw(second, 390, y + kPromptLineOffset, ALIGN_RIGHT, ALIGN_CENTER);
}

// A command's row. While the row waits for its new input it says so in place of the binding's caption. A row whose
// input cannot be bound now (no pad is there) shows a dash, and says why while it is selected.
int32_t BindingRow(int32_t command, const std::u16string& caption, int32_t y, const char16_t* prompt, bool bindable) {
  bool selected = SubCursor == command;
  bool waiting = InputLock != 0 && selected;
  bool explained = !bindable && selected && !waiting && SmallFont != nullptr;
  std::u16string value = waiting || explained ? std::u16string() : bindable ? caption : kNoPadValue;
  int32_t activated = Menu::ButtonTab(CommandNames[static_cast<size_t>(command)], value, y, selected);
  if (waiting && SmallFont != nullptr) {
    DrawRowNote(y, prompt == kKeyPrompt ? KeyPromptNote() : prompt, kCancelPrompt);
  } else if (explained) {
    DrawRowNote(y, kNoPadFound, kPlugOneIn);
  }
  return activated;
}

// Triangles pointing up and down while rows lie above or below the screen.
void DrawScrollSigns(int32_t scroll, int32_t rows) {
  for (int32_t line = 0; line < kSignHeight; line++) {
    float halfWidth = static_cast<float>(line * kSignHalfWidth / (kSignHeight - 1));
    if (scroll > 0) {
      DrawRect(200 - halfWidth, static_cast<float>(line), 2 * halfWidth + 1, 1);
    }
    if (scroll + kVisibleRows < rows) {
      DrawRect(200 - halfWidth, static_cast<float>(SCREEN_HEIGHT - 1 - line), 2 * halfWidth + 1, 1);
    }
  }
}

// While waiting: every key pressed, in ascending order of code; Escape cancels, Enter is refused (it stays the
// menus' key, and the wait goes on), any other is bound, so of several keys pressed in one frame the highest wins
// (and a key below Escape pressed with it still counts). Input is unlocked once all of them have been taken:
// unlocking drops whatever presses are left.
void TakeNewKey() {
  int32_t newKey = 0;
  bool answered = false;
  for (int32_t code = kFirstBindableKey; code <= kLastBindableKey; code++) {
    if (TakeKeyHits(code) == 0) {
      continue;
    }
    if (code == KEY_ENTER) {
      refused = REFUSED_ENTER;
      continue;
    }
    if (code != KEY_ESCAPE && OtherPlayerHas(code)) {
      refused = REFUSED_OTHERS;
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
    TBindings& keys = PlayerKeyBindings(ControlsPlayer);
    keys[static_cast<size_t>(RebindIndex)]->Detach();
    keys[static_cast<size_t>(RebindIndex)] = TControlKey::Create(newKey);
  }
  SetInputLock(0);
}

}  // namespace

namespace Menu {

int32_t KeyboardMenu() {
  if (InputLock != 0) {
    TakeNewKey();
  }
  SubCursor = Wrap(SubCursor, NavigateUD(), COMMAND_PAUSE + 1);  // the six commands but Pause, and "Back"
  Scroll(KeyScroll);
  int32_t y = kFirstRowY - kRowStep * KeyScroll;
  // Pause keeps its key: the game must always be able to stop.
  for (int32_t command = 0; command < COMMAND_PAUSE; command++, y += kRowStep) {
    const std::shared_ptr<TControl>& binding = PlayerKeyBindings(ControlsPlayer)[static_cast<size_t>(command)];
    if (BindingRow(command, binding->GetCaption(), y, kKeyPrompt, true) != 0) {
      RebindIndex = command;
      SetInputLock(1);
      refused = REFUSED_NONE;
      ClearKeys();  // the confirming key is not the new one
      DropPendingPresses();
    }
  }
  if (Button(u"Back", y, SubCursor == COMMAND_PAUSE) != 0 || Back() != 0) {
    Save();
    ShowScreen(MENU_CONTROLS);
    SubCursor = 2 * ControlsPlayer;  // back on the row the screen was opened from
  }
  DrawScrollSigns(KeyScroll, COMMAND_PAUSE + 1);
  return 0;
}

int32_t GamepadMenu() {
  if (InputLock != 0) {
    if (TakeKeyHits(KEY_ESCAPE) != 0) {
      SetInputLock(0);
    } else if (std::shared_ptr<TControl> input = _ScanPads(); input != nullptr) {
      TBindings& pad = PlayerPadBindings(ControlsPlayer);
      pad[static_cast<size_t>(RebindIndex)]->Detach();
      pad[static_cast<size_t>(RebindIndex)] = input;
      SetInputLock(0);
    }
  }
  SubCursor = Wrap(SubCursor, NavigateUD(), COMMAND_COUNT + 1);  // the seven commands and "Back"
  Scroll(PadScroll);
  // Counted when a pad comes or goes, not here: this screen enumerates nothing while it only shows the rows.
  bool padFound = GamepadsFound() != 0;
  int32_t y = kFirstRowY - kRowStep * PadScroll;
  TPadNames names;
  for (int32_t command = 0; command < COMMAND_COUNT; command++, y += kRowStep) {
    std::u16string caption =
        padFound ? names.Of(*PlayerPadBindings(ControlsPlayer)[static_cast<size_t>(command)]) : std::u16string();
    // Without a pad no input could end a wait: only Escape would.
    if (BindingRow(command, caption, y, kPadPrompt, padFound) != 0 && padFound) {
      RebindIndex = command;
      SetInputLock(1);
      ClearGamepads(-1);
      // After the clear: the button that confirmed the row, still held, is not taken as the new input, and an
      // Escape tapped before does not cancel the wait.
      DropPendingPresses();
      _RecordRestingAxes();
    }
  }
  if (Button(u"Back", y, SubCursor == COMMAND_COUNT) != 0 || Back() != 0) {
    Save();
    ShowScreen(MENU_CONTROLS);
    SubCursor = 2 * ControlsPlayer + 1;
  }
  DrawScrollSigns(PadScroll, COMMAND_COUNT + 1);
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

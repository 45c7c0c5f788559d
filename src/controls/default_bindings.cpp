// The default control bindings.
#include "controls/default_bindings.h"

#include <algorithm>
#include <array>
#include <utility>

#include "controls/control_kinds.h"
#include "media/input/gamepad.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"

namespace {

constexpr std::array<int32_t, COMMAND_COUNT> kDefaultKeys = {
    KEY_A + ('W' - 'A'), KEY_A + ('S' - 'A'), KEY_A + ('D' - 'A'), KEY_A + ('A' - 'A'),
    KEY_A + ('J' - 'A'), KEY_A + ('I' - 'A'), KEY_ESCAPE};
// Player 2 stands on the right: Left walks in. Its Pause is no key of its own (code 0 is never pressed).
constexpr std::array<int32_t, COMMAND_COUNT> kDefaultKeys2 = {KEY_UP,       KEY_DOWN,   KEY_LEFT, KEY_RIGHT,
                                                              KEY_RCONTROL, KEY_RSHIFT, 0};

// What a pad binding is, whatever its port: the kinds as the settings file numbers them, and the fields they use.
enum : int32_t {
  FORM_BUTTON = 0,
  FORM_HAT = 1,
  FORM_AXIS = 2,
  FORM_OTHER = 3,
};

struct TPadForm {
  int32_t kind = FORM_OTHER;
  int32_t key = 0;
  int32_t axis = 0;
  float dir = 0.0f;
  bool operator==(const TPadForm&) const = default;
};

using TPadForms = std::array<TPadForm, COMMAND_COUNT>;

// An unknown pad's: the hat's four directions, then buttons 1, 2 and 9.
constexpr TPadForms kUnknownPadForms = {{
    {FORM_HAT, 0, 0, 0.0f},
    {FORM_HAT, 0, 0, 0.5f},
    {FORM_HAT, 0, 0, 0.25f},
    {FORM_HAT, 0, 0, 0.75f},
    {FORM_BUTTON, 1, 0, 0.0f},
    {FORM_BUTTON, 2, 0, 0.0f},
    {FORM_BUTTON, 9, 0, 0.0f},
}};

constexpr int32_t kNoButton = -1;

// The standard buttons a known pad's default takes for each command, the first it has. The right hand is the
// button under the thumb (A, south); the left hand is the one beside it on the left (X, west), so the two punches
// lie as the fists do. B (east) would cross them, and serves only a pad without X.
constexpr std::array<std::array<int32_t, 2>, COMMAND_COUNT> kStandardChoice = {{
    {PAD_DPAD_UP, kNoButton},
    {PAD_DPAD_DOWN, kNoButton},
    {PAD_DPAD_RIGHT, kNoButton},
    {PAD_DPAD_LEFT, kNoButton},
    {PAD_BUTTON_A, kNoButton},
    {PAD_BUTTON_X, PAD_BUTTON_B},
    {PAD_BUTTON_START, kNoButton},
}};

// Player 2's forms are player 1's with walking in and away mirrored.
TPadForms Mirrored(TPadForms forms) {
  std::swap(forms[COMMAND_FORWARD], forms[COMMAND_BACKWARD]);
  return forms;
}

// The forms of each player's pad bindings the game made last, for PadBindingsUntouched.
std::array<TPadForms, 2> lastMadeForms = {kUnknownPadForms, Mirrored(kUnknownPadForms)};

TPadForm FormOf(const TPadSource& source) {
  switch (source.kind) {
    case PAD_SOURCE_BUTTON:
      return {FORM_BUTTON, source.index, 0, 0.0f};
    case PAD_SOURCE_HAT:
      return {FORM_HAT, 0, 0, source.direction};
    case PAD_SOURCE_AXIS:
      return {FORM_AXIS, 0, source.index, source.direction};
    default:
      return {};
  }
}

TPadForm FormOf(TControl& binding) {
  TPadForm form{FORM_OTHER, binding.key, binding.axis, binding.dir};
  if (dynamic_cast<TControlJoyButton*>(&binding) != nullptr) {
    form.kind = FORM_BUTTON;
  } else if (dynamic_cast<TControlJoyHat*>(&binding) != nullptr) {
    form.kind = FORM_HAT;
  } else if (dynamic_cast<TControlJoyAxis*>(&binding) != nullptr) {
    form.kind = FORM_AXIS;
  }
  return form;
}

TPadForms DefaultFormsFor(int32_t port) {
  TPadForms forms = kUnknownPadForms;
  TPadLayout layout;
  if (!GamepadLayout(port, &layout)) {
    return forms;
  }
  for (size_t command = 0; command < forms.size(); command++) {
    for (int32_t standard : kStandardChoice[command]) {
      if (standard != kNoButton && layout.buttons[static_cast<size_t>(standard)].kind != PAD_SOURCE_NONE) {
        forms[command] = FormOf(layout.buttons[static_cast<size_t>(standard)]);
        break;
      }
    }
  }
  return forms;
}

std::shared_ptr<TControl> Create(int32_t port, const TPadForm& form) {
  switch (form.kind) {
    case FORM_BUTTON:
      return TControlJoyButton::Create(port, form.key);
    case FORM_AXIS:
      return TControlJoyAxis::Create(port, form.axis, static_cast<int32_t>(form.dir));
    default:
      return TControlJoyHat::Create(port, form.dir);
  }
}

}  // namespace

TBindings& PlayerPadBindings(int32_t player) {
  return player == 0 ? PadBindings : PadBindings2;
}

TBindings& PlayerKeyBindings(int32_t player) {
  return player == 0 ? KeyBindings : KeyBindings2;
}

void InstallDefaultBindings(int32_t padPort) {
  for (int32_t command = 0; command < COMMAND_COUNT; command++) {
    KeyBindings[static_cast<size_t>(command)] = TControlKey::Create(kDefaultKeys[static_cast<size_t>(command)]);
  }
  InstallDefaultPadBindings(padPort, 0);
  for (int32_t command = 0; command < COMMAND_COUNT; command++) {
    KeyBindings2[static_cast<size_t>(command)] = TControlKey::Create(kDefaultKeys2[static_cast<size_t>(command)]);
  }
  InstallDefaultPadBindings(-1, 1);
}

void InstallDefaultPadBindings(int32_t port, int32_t player) {
  TPadForms forms = player == 0 ? DefaultFormsFor(port) : Mirrored(DefaultFormsFor(port));
  TBindings& bindings = PlayerPadBindings(player);
  for (size_t command = 0; command < forms.size(); command++) {
    if (bindings[command] != nullptr) {
      bindings[command]->Detach();
    }
    bindings[command] = Create(port, forms[command]);
  }
  lastMadeForms[static_cast<size_t>(player)] = forms;
}

bool PadBindingsUntouched(int32_t player) {
  const TBindings& bindings = PlayerPadBindings(player);
  TPadForms forms;
  for (size_t command = 0; command < forms.size(); command++) {
    const std::shared_ptr<TControl>& binding = bindings[command];
    if (binding == nullptr || binding->port != bindings[0]->port) {
      return false;
    }
    forms[command] = FormOf(*binding);
  }
  TPadForms unknown = player == 0 ? kUnknownPadForms : Mirrored(kUnknownPadForms);
  return forms == unknown || forms == lastMadeForms[static_cast<size_t>(player)];
}

void UnbindSharedKeys() {
  for (std::shared_ptr<TControl>& second : KeyBindings2) {
    bool shared =
        std::any_of(KeyBindings.begin(), KeyBindings.end(), [&second](const std::shared_ptr<TControl>& first) {
          return first != nullptr && second != nullptr && second->key != 0 && first->key == second->key;
        });
    if (shared) {
      second->Detach();
      second = TControlKey::Create(0);
    }
  }
}

void ForgetDefaultPadBindings() {
  lastMadeForms = {kUnknownPadForms, Mirrored(kUnknownPadForms)};
}

// The platform's joysticks through SDL. Raw axes -32768..32767 are reported as 0..65535 with that range, and the
// hat as hundredths of a degree clockwise from up (above 36000 when centred).
//
// The game polls the devices and ignores SDL's joystick events; it notices pads plugged in or pulled out by
// comparing SDL's list of devices from frame to frame, which opens nothing.
#include "media/platform/sdl_gamepads.h"

#include <SDL.h>

#include <array>
#include <map>
#include <string>

#include "media/input/gamepad.h"

namespace {

constexpr int32_t kCentredHat = 65535;
constexpr int kComparedSlots = 256;  // devices whose identity is compared for a change; more only by their count

// Where the game's standard buttons are in SDL's controller database, and for a d-pad direction that SDL maps to
// an axis the side that presses it: SDL names the axis but not the side, so the usual one is taken (up and left
// negative, as a stick's are).
struct TStandardButton {
  int32_t button;
  SDL_GameControllerButton sdlButton;
  float axisSide;
};

constexpr std::array<TStandardButton, PAD_STANDARD_BUTTONS> kStandardButtons = {{
    {PAD_BUTTON_A, SDL_CONTROLLER_BUTTON_A, 1.0f},
    {PAD_BUTTON_B, SDL_CONTROLLER_BUTTON_B, 1.0f},
    {PAD_BUTTON_X, SDL_CONTROLLER_BUTTON_X, 1.0f},
    {PAD_BUTTON_Y, SDL_CONTROLLER_BUTTON_Y, 1.0f},
    {PAD_BUTTON_START, SDL_CONTROLLER_BUTTON_START, 1.0f},
    {PAD_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_UP, -1.0f},
    {PAD_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1.0f},
    {PAD_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1.0f},
    {PAD_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1.0f},
    {PAD_BUTTON_BACK, SDL_CONTROLLER_BUTTON_BACK, 1.0f},
    {PAD_BUTTON_GUIDE, SDL_CONTROLLER_BUTTON_GUIDE, 1.0f},
    {PAD_BUTTON_LEFT_STICK, SDL_CONTROLLER_BUTTON_LEFTSTICK, 1.0f},
    {PAD_BUTTON_RIGHT_STICK, SDL_CONTROLLER_BUTTON_RIGHTSTICK, 1.0f},
    {PAD_BUTTON_LB, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1.0f},
    {PAD_BUTTON_RB, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1.0f},
}};

// The sticks and triggers: SDL's axes go positive right, down and pressed.
struct TStandardAxis {
  int32_t axis;
  SDL_GameControllerAxis sdlAxis;
};

constexpr std::array<TStandardAxis, PAD_STANDARD_AXES> kStandardAxes = {{
    {PAD_LEFT_STICK_X, SDL_CONTROLLER_AXIS_LEFTX},
    {PAD_LEFT_STICK_Y, SDL_CONTROLLER_AXIS_LEFTY},
    {PAD_RIGHT_STICK_X, SDL_CONTROLLER_AXIS_RIGHTX},
    {PAD_RIGHT_STICK_Y, SDL_CONTROLLER_AXIS_RIGHTY},
    {PAD_LEFT_TRIGGER, SDL_CONTROLLER_AXIS_TRIGGERLEFT},
    {PAD_RIGHT_TRIGGER, SDL_CONTROLLER_AXIS_TRIGGERRIGHT},
}};

// A hat direction as a fraction of a clockwise turn from up; -1 for a diagonal or none.
float HatDirection(int hatMask) {
  switch (hatMask) {
    case SDL_HAT_UP:
      return 0.0f;
    case SDL_HAT_RIGHT:
      return 0.25f;
    case SDL_HAT_DOWN:
      return 0.5f;
    case SDL_HAT_LEFT:
      return 0.75f;
    default:
      return -1.0f;
  }
}

TPadSource SourceOf(const SDL_GameControllerButtonBind& bind, float axisSide) {
  TPadSource source;
  switch (bind.bindType) {
    case SDL_CONTROLLER_BINDTYPE_BUTTON:
      source.kind = PAD_SOURCE_BUTTON;
      source.index = bind.value.button;
      break;
    case SDL_CONTROLLER_BINDTYPE_HAT:
      source.kind = PAD_SOURCE_HAT;
      source.index = bind.value.hat.hat;
      source.direction = HatDirection(bind.value.hat.hat_mask);
      break;
    case SDL_CONTROLLER_BINDTYPE_AXIS:
      source.kind = PAD_SOURCE_AXIS;
      source.index = bind.value.axis;
      source.direction = axisSide;
      break;
    default:
      break;
  }
  return source;
}

class TSDLPadPlatform : public TPadPlatform {
public:
  int32_t SlotCount() override {
    ForgetDevicesPulledOut();
    return SDL_NumJoysticks();
  }

  bool Probe(int32_t slot, int32_t* id) override {
    SDL_Joystick* joystick = SDL_JoystickOpen(slot);
    if (joystick == nullptr) {
      return false;
    }
    SDL_JoystickID instance = SDL_JoystickInstanceID(joystick);
    auto [place, added] = _open.emplace(instance, joystick);
    if (!added) {
      SDL_JoystickClose(joystick);  // already open: drop the extra reference this probe took
    }
    *id = instance;
    return true;
  }

  bool Capabilities(int32_t id, TPadCaps* caps) override {
    SDL_Joystick* joystick = Find(id);
    if (joystick == nullptr) {
      return false;
    }
    int axes = SDL_JoystickNumAxes(joystick);
    caps->axes = axes < 0 ? 0 : axes > PAD_AXES ? PAD_AXES : axes;
    caps->hat = SDL_JoystickNumHats(joystick) > 0;
    for (int axis = 0; axis < PAD_AXES; axis++) {
      caps->axisMin[axis] = 0;
      caps->axisMax[axis] = 65535;
    }
    return true;
  }

  bool Read(int32_t id, TPadReading* reading) override {
    SDL_Joystick* joystick = Find(id);
    if (joystick == nullptr) {
      return false;
    }
    SDL_JoystickUpdate();
    if (SDL_JoystickGetAttached(joystick) == SDL_FALSE) {
      return false;
    }
    int axes = SDL_JoystickNumAxes(joystick);
    for (int axis = 0; axis < PAD_AXES; axis++) {
      reading->axis[axis] = axis < axes ? SDL_JoystickGetAxis(joystick, axis) + 32768 : 32768;
    }
    reading->buttons = 0;
    int buttons = SDL_JoystickNumButtons(joystick);
    for (int button = 0; button < buttons && button < 32; button++) {
      if (SDL_JoystickGetButton(joystick, button) != 0) {
        reading->buttons |= 1u << button;
      }
    }
    reading->hat = SDL_JoystickNumHats(joystick) > 0 ? HatHundredths(SDL_JoystickGetHat(joystick, 0)) : kCentredHat;
    return true;
  }

  bool Attached(int32_t id) override {
    SDL_Joystick* joystick = Find(id);
    return joystick != nullptr && SDL_JoystickGetAttached(joystick) == SDL_TRUE;
  }

  uint32_t DeviceGeneration() override {
    SDL_JoystickUpdate();  // where SDL notices devices plugged in or pulled out
    int count = SDL_NumJoysticks();
    bool changed = count != _seenCount;
    _seenCount = count;
    // Every connection gets an identifier of its own, so a pad swapped for another between two frames shows too.
    for (int slot = 0; slot < count && slot < kComparedSlots; slot++) {
      SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(slot);
      if (instance != _seenIds[static_cast<size_t>(slot)]) {
        _seenIds[static_cast<size_t>(slot)] = instance;
        changed = true;
      }
    }
    if (changed) {
      _generation++;
    }
    return _generation;
  }

  std::string Name(int32_t id) override {
    SDL_Joystick* joystick = Find(id);
    const char* name = joystick != nullptr ? SDL_JoystickName(joystick) : nullptr;
    return name != nullptr ? std::string(name) : std::string();
  }

  bool Layout(int32_t id, TPadLayout* layout) override {
    int index = DeviceIndexOf(id);
    if (!_controllers || index < 0 || SDL_IsGameController(index) == SDL_FALSE) {
      return false;
    }
    SDL_GameController* controller = SDL_GameControllerOpen(index);
    if (controller == nullptr) {
      return false;
    }
    for (const TStandardButton& standard : kStandardButtons) {
      layout->buttons[static_cast<size_t>(standard.button)] =
          SourceOf(SDL_GameControllerGetBindForButton(controller, standard.sdlButton), standard.axisSide);
    }
    for (const TStandardAxis& standard : kStandardAxes) {
      layout->axes[static_cast<size_t>(standard.axis)] =
          SourceOf(SDL_GameControllerGetBindForAxis(controller, standard.sdlAxis), 1.0f);
    }
    SDL_GameControllerClose(controller);
    return true;
  }

  // Whether SDL's game controller database is there to ask.
  void SetControllers(bool controllers) { _controllers = controllers; }

  // Closes every device; SDL's joysticks are about to stop.
  void CloseAll() {
    for (auto& [instance, joystick] : _open) {
      SDL_JoystickClose(joystick);
    }
    _open.clear();
    _seenCount = -1;
  }

private:
  static int32_t HatHundredths(Uint8 hat) {
    switch (hat) {
      case SDL_HAT_UP:
        return 0;
      case SDL_HAT_RIGHTUP:
        return 4500;
      case SDL_HAT_RIGHT:
        return 9000;
      case SDL_HAT_RIGHTDOWN:
        return 13500;
      case SDL_HAT_DOWN:
        return 18000;
      case SDL_HAT_LEFTDOWN:
        return 22500;
      case SDL_HAT_LEFT:
        return 27000;
      case SDL_HAT_LEFTUP:
        return 31500;
      default:
        return kCentredHat;
    }
  }

  SDL_Joystick* Find(int32_t id) {
    auto found = _open.find(id);
    return found != _open.end() ? found->second : nullptr;
  }

  static int DeviceIndexOf(int32_t id) {
    int count = SDL_NumJoysticks();
    for (int index = 0; index < count; index++) {
      if (SDL_JoystickGetDeviceInstanceID(index) == id) {
        return index;
      }
    }
    return -1;
  }

  // A device pulled out never comes back under the same identifier: its handle is closed before a new
  // enumeration, and its port reads as pulled out until then.
  void ForgetDevicesPulledOut() {
    for (auto it = _open.begin(); it != _open.end();) {
      if (SDL_JoystickGetAttached(it->second) == SDL_FALSE) {
        SDL_JoystickClose(it->second);
        it = _open.erase(it);
      } else {
        ++it;
      }
    }
  }

  std::map<SDL_JoystickID, SDL_Joystick*> _open;
  bool _controllers = false;
  uint32_t _generation = 0;
  int _seenCount = -1;
  std::array<SDL_JoystickID, kComparedSlots> _seenIds{};
};

TSDLPadPlatform& Platform() {
  static auto* platform = new TSDLPadPlatform();
  return *platform;
}

bool started = false;
bool controllersStarted = false;

}  // namespace

bool StartSDLPads() {
  if (started) {
    return true;
  }
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    return false;
  }
  // Without the database every pad is an unknown one, and gets the defaults of an unknown pad.
  controllersStarted = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (controllersStarted) {
    SDL_GameControllerEventState(SDL_IGNORE);
  }
  SDL_JoystickEventState(SDL_IGNORE);  // pads are polled; their events would only fill the queue
  started = true;
  Platform().SetControllers(controllersStarted);
  SetPadPlatform(&Platform());
  return true;
}

void StopSDLPads() {
  if (!started) {
    return;
  }
  SetPadPlatform(nullptr);
  Platform().CloseAll();
  Platform().SetControllers(false);
  if (controllersStarted) {
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    controllersStarted = false;
  }
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  started = false;
}

// The platform's joysticks through SDL. Raw axes -32768..32767 are reported as 0..65535 with that range, and the
// hat as hundredths of a degree clockwise from up (above 36000 when centred).
#include "media/sdl_gamepads.h"

#include <SDL.h>

#include <map>

namespace {

class TSDLPadPlatform : public TPadPlatform {
public:
  int32_t SlotCount() override { return SDL_NumJoysticks(); }

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
    reading->hat = SDL_JoystickNumHats(joystick) > 0 ? HatHundredths(SDL_JoystickGetHat(joystick, 0)) : 65535;
    return true;
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
        return 65535;
    }
  }

  SDL_Joystick* Find(int32_t id) {
    auto found = _open.find(id);
    return found != _open.end() ? found->second : nullptr;
  }

  std::map<SDL_JoystickID, SDL_Joystick*> _open;
};

}  // namespace

TPadPlatform* SDLPadPlatform() {
  static auto* platform = new TSDLPadPlatform();
  return platform;
}

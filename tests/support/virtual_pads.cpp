#include "support/virtual_pads.h"

#include <SDL.h>

#include <cstdio>
#include <set>

static_assert(VIRTUAL_HAT_UP == SDL_HAT_UP && VIRTUAL_HAT_RIGHT == SDL_HAT_RIGHT && VIRTUAL_HAT_DOWN == SDL_HAT_DOWN &&
              VIRTUAL_HAT_LEFT == SDL_HAT_LEFT && VIRTUAL_HAT_CENTRED == SDL_HAT_CENTERED);
static_assert(VIRTUAL_A == int{SDL_CONTROLLER_BUTTON_A} && VIRTUAL_X == int{SDL_CONTROLLER_BUTTON_X} &&
              VIRTUAL_START == int{SDL_CONTROLLER_BUTTON_START} &&
              VIRTUAL_DPAD_UP == int{SDL_CONTROLLER_BUTTON_DPAD_UP} &&
              VIRTUAL_DPAD_RIGHT == int{SDL_CONTROLLER_BUTTON_DPAD_RIGHT});

namespace {

// The instances of the virtual pads attached and not yet pulled out.
std::set<SDL_JoystickID>& OwnPads() {
  static std::set<SDL_JoystickID> pads;
  return pads;
}

// The new joystick, opened so that its values can be set; null when SDL refused.
SDL_Joystick* Attach(const SDL_VirtualJoystickDesc& desc) {
  int index = SDL_JoystickAttachVirtualEx(&desc);
  SDL_Joystick* joystick = index < 0 ? nullptr : SDL_JoystickOpen(index);
  if (joystick == nullptr) {
    std::fprintf(stderr, "cannot attach a virtual joystick: %s\n", SDL_GetError());
  }
  return joystick;
}

int DeviceIndexOf(SDL_JoystickID instance) {
  for (int index = 0; index < SDL_NumJoysticks(); index++) {
    if (SDL_JoystickGetDeviceInstanceID(index) == instance) {
      return index;
    }
  }
  return -1;
}

}  // namespace

std::string OtherJoysticks() {
  std::string others;
  for (int index = 0; index < SDL_NumJoysticks(); index++) {
    if (OwnPads().count(SDL_JoystickGetDeviceInstanceID(index)) == 0) {
      const char* name = SDL_JoystickNameForIndex(index);
      others += std::string(others.empty() ? "" : ", ") + "\"" + (name != nullptr ? name : "unnamed") + "\"";
    }
  }
  return others;
}

TVirtualPad::TVirtualPad(SDL_Joystick* joystick) : _joystick(joystick), _instance(SDL_JoystickInstanceID(joystick)) {
  OwnPads().insert(_instance);
}

TVirtualPad::~TVirtualPad() {
  Detach();
}

std::unique_ptr<TVirtualPad> TVirtualPad::AttachController() {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
  desc.button_mask = (1u << (SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1)) - 1;
  desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  desc.name = "Morvik test controller";
  SDL_Joystick* joystick = Attach(desc);
  return joystick == nullptr ? nullptr : std::unique_ptr<TVirtualPad>(new TVirtualPad(joystick));
}

std::unique_ptr<TVirtualPad> TVirtualPad::AttachUnknown(uint16_t vendor, uint16_t product) {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
  desc.naxes = 2;
  desc.nbuttons = 12;
  desc.nhats = 1;
  desc.vendor_id = vendor;
  desc.product_id = product;
  desc.name = "Morvik test joystick";
  SDL_Joystick* joystick = Attach(desc);
  return joystick == nullptr ? nullptr : std::unique_ptr<TVirtualPad>(new TVirtualPad(joystick));
}

bool TVirtualPad::MapWithHatDpad() {
  char guid[33];
  SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(_joystick), guid, sizeof guid);
  char mapping[256];
  std::snprintf(mapping, sizeof mapping,
                "%s,Morvik test pad,a:b0,b:b1,x:b2,y:b3,start:b7,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,"
                "leftx:a0,lefty:a1,platform:Linux",
                guid);
  return SDL_GameControllerAddMapping(mapping) >= 0;
}

void TVirtualPad::SetButton(int32_t button, bool down) {
  SDL_JoystickSetVirtualButton(_joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
}

void TVirtualPad::SetHat(uint8_t position) {
  SDL_JoystickSetVirtualHat(_joystick, 0, position);
}

void TVirtualPad::SetAxis(int32_t axis, int16_t value) {
  SDL_JoystickSetVirtualAxis(_joystick, axis, value);
}

void TVirtualPad::Detach() {
  if (!_attached) {
    return;
  }
  _attached = false;
  OwnPads().erase(_instance);
  int index = DeviceIndexOf(_instance);
  if (index >= 0) {
    SDL_JoystickDetachVirtual(index);
  }
  SDL_JoystickClose(_joystick);
}

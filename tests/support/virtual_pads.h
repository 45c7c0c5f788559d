// Pads made by SDL itself, its virtual joysticks: the game reads them through SDL's real joystick and game
// controller code, as it reads a pad plugged into the machine. SDL's joysticks must be running (StartSDLPads);
// no display is needed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Hat positions as the virtual joystick takes them.
enum : uint8_t {
  VIRTUAL_HAT_CENTRED = 0,
  VIRTUAL_HAT_UP = 1,
  VIRTUAL_HAT_RIGHT = 2,
  VIRTUAL_HAT_DOWN = 4,
  VIRTUAL_HAT_LEFT = 8,
};

// A standard controller's buttons as SDL numbers them on a virtual one it knows as a game controller.
enum : int32_t {
  VIRTUAL_A = 0,
  VIRTUAL_B = 1,
  VIRTUAL_X = 2,
  VIRTUAL_Y = 3,
  VIRTUAL_START = 6,
  VIRTUAL_DPAD_UP = 11,
  VIRTUAL_DPAD_DOWN = 12,
  VIRTUAL_DPAD_LEFT = 13,
  VIRTUAL_DPAD_RIGHT = 14,
};

// The joysticks SDL lists that are not a test's own virtual pads (a pad plugged into the machine, or one that
// whatever runs the tests attached), named; empty when there are none. A test that counts pads or reads port 0
// cannot run beside them, and skips saying so.
std::string OtherJoysticks();

class TVirtualPad {
public:
  // A pad SDL knows as a game controller, all of whose standard buttons are buttons (VIRTUAL_A...), six axes.
  static std::unique_ptr<TVirtualPad> AttachController();
  // A joystick of two axes, twelve buttons and a hat that SDL's database does not know (a vendor and product of
  // its own).
  static std::unique_ptr<TVirtualPad> AttachUnknown(uint16_t vendor, uint16_t product);
  // Pulled out, if it is still in.
  ~TVirtualPad();
  TVirtualPad(const TVirtualPad&) = delete;
  TVirtualPad& operator=(const TVirtualPad&) = delete;

  // Adds this joystick to SDL's controller database as a pad with its d-pad on the hat, A, B, X and Y on buttons
  // 0 to 3 and Start on button 7. True when SDL took the mapping.
  bool MapWithHatDpad();
  // Values as the device reports them; SDL reads them at its next joystick update.
  void SetButton(int32_t button, bool down);
  void SetHat(uint8_t position);
  void SetAxis(int32_t axis, int16_t value);
  // Pulls the pad out.
  void Detach();

private:
  explicit TVirtualPad(struct _SDL_Joystick* joystick);
  struct _SDL_Joystick* _joystick;
  int32_t _instance;
  bool _attached = true;
};

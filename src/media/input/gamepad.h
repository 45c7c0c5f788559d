// The polled gamepads: buttons, six axes and a hat per port, read from the devices whenever they are asked.
//
// Port p is the p-th device found present by the last CountGamepads. Only ports 0 to 15 have state; any query for
// another port, a button beyond the counted ones or an axis slot beyond 15 answers 0 (the hat: centred) and
// disturbs nothing. A pad pulled out reads as released and centred; pads plugged in or pulled out are noticed
// cheaply (TakeGamepadsChange) and become ports at the next CountGamepads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int32_t PAD_PORTS = 16;  // ports with state
constexpr int32_t PAD_AXIS_SLOTS = 16;
constexpr int32_t PAD_AXES = 6;              // X, Y, Z, R, U, V
constexpr int32_t PAD_HAT_SLOT = 9;          // the hat's axis slot (and its bit in the axis mask)
constexpr int32_t PAD_COUNTED_BUTTONS = 16;  // buttons whose presses are counted

// A device's capabilities: how many of the six axes it has and their raw ranges, and whether it has a hat.
struct TPadCaps {
  int32_t axes = 0;
  bool hat = false;
  int32_t axisMin[PAD_AXES] = {};
  int32_t axisMax[PAD_AXES] = {};
};

// A device's state: raw axis positions, the button word (bit b while button b is held) and the hat in hundredths
// of a degree clockwise from up, or a value above 36000 when centred.
struct TPadReading {
  int32_t axis[PAD_AXES] = {};
  uint32_t buttons = 0;
  int32_t hat = 65535;
};

// Where one button of a standard pad lies on the device: one of its buttons, a direction of its hat, or one side of
// an axis.
enum : int32_t {
  PAD_SOURCE_NONE = 0,  // the pad has no such button, or not where the polled gamepads can read it
  PAD_SOURCE_BUTTON = 1,
  PAD_SOURCE_HAT = 2,
  PAD_SOURCE_AXIS = 3,
};

struct TPadSource {
  int32_t kind = PAD_SOURCE_NONE;
  int32_t index = 0;       // the number of the button, hat or axis on the device
  float direction = 0.0f;  // hat: a fraction of a clockwise turn from up; axis: -1 or +1, the side that presses
};

// The buttons of a standard pad, by their place: the face buttons (A south, B east, X west, Y north), Start, the
// four directions of the d-pad, then Back, Guide, the two sticks pressed in and the two shoulder buttons.
enum : int32_t {
  PAD_BUTTON_A = 0,
  PAD_BUTTON_B = 1,
  PAD_BUTTON_X = 2,
  PAD_BUTTON_Y = 3,
  PAD_BUTTON_START = 4,
  PAD_DPAD_UP = 5,
  PAD_DPAD_DOWN = 6,
  PAD_DPAD_LEFT = 7,
  PAD_DPAD_RIGHT = 8,
  PAD_BUTTON_BACK = 9,
  PAD_BUTTON_GUIDE = 10,
  PAD_BUTTON_LEFT_STICK = 11,
  PAD_BUTTON_RIGHT_STICK = 12,
  PAD_BUTTON_LB = 13,
  PAD_BUTTON_RB = 14,
  PAD_STANDARD_BUTTONS = 15,
};

// The sticks' axes and the triggers of a standard pad. A stick's source names the device axis whose positive side
// is right or down; a trigger's, the side that presses it.
enum : int32_t {
  PAD_LEFT_STICK_X = 0,
  PAD_LEFT_STICK_Y = 1,
  PAD_RIGHT_STICK_X = 2,
  PAD_RIGHT_STICK_Y = 3,
  PAD_LEFT_TRIGGER = 4,
  PAD_RIGHT_TRIGGER = 5,
  PAD_STANDARD_AXES = 6,
};

// A known pad's layout: where each standard button and axis lies on the device.
struct TPadLayout {
  std::array<TPadSource, PAD_STANDARD_BUTTONS> buttons{};
  std::array<TPadSource, PAD_STANDARD_AXES> axes{};
};

// How the platform's joysticks are reached. Tests install fake pads through it.
class TPadPlatform {
public:
  virtual ~TPadPlatform() = default;
  // The number of joystick device slots. An enumeration begins with this call.
  virtual int32_t SlotCount() = 0;
  // True when a device answers at slot; *id is then its identifier for the calls below.
  virtual bool Probe(int32_t slot, int32_t* id) = 0;
  virtual bool Capabilities(int32_t id, TPadCaps* caps) = 0;
  virtual bool Read(int32_t id, TPadReading* reading) = 0;
  // False once the device has been pulled out; a device that only fails to answer is still attached.
  virtual bool Attached(int32_t id) {
    static_cast<void>(id);
    return true;
  }
  // A number that changes whenever a device is plugged in or pulled out. Asked every frame, so it opens no device
  // and allocates nothing.
  virtual uint32_t DeviceGeneration() { return 0; }
  // The device's name as its maker gives it (UTF-8), or empty when the platform has none.
  virtual std::string Name(int32_t id) {
    static_cast<void>(id);
    return {};
  }
  // The layout of a device the platform knows as a standard pad; false for any other.
  virtual bool Layout(int32_t id, TPadLayout* layout) {
    static_cast<void>(id);
    static_cast<void>(layout);
    return false;
  }
};

// Installs the platform; null means no joysticks at all. Forgets the ports found before.
void SetPadPlatform(TPadPlatform* platform);

// Enumerates the devices again and returns how many answer (up to 256 are recorded as ports). A port that now
// holds another device than before starts afresh: released, centred, no presses.
int32_t CountGamepads();
// The number of ports the last CountGamepads found; enumerates nothing.
int32_t GamepadsFound();
// True once after a pad was plugged in or pulled out (since the platform was installed or this was last asked).
// Cheap enough for every frame: it opens no device. The ports change only at the next CountGamepads.
bool TakeGamepadsChange();
// The layout of the pad at port when the platform knows it as a standard pad; false otherwise. A button that lies
// where the polled gamepads cannot read it whole (a button beyond the sixteenth, whose presses are not counted, a
// second hat, an axis beyond the sixth, a diagonal) is reported as PAD_SOURCE_NONE.
bool GamepadLayout(int32_t port, TPadLayout* layout);
// Every button press the polls have found so far, on any pad, whether or not anything took it.
uint32_t PadPressCount();
// The name of the pad at port as the platform gives it (UTF-8), "Gamepad" when it gives none, or empty for a port
// that holds no pad.
std::string GamepadName(int32_t port);
// A number that tells the device at port from every other plugged in during the run (the same pad pulled out and
// plugged back in gets a new one), or -1 for a port that holds none.
int32_t GamepadDeviceId(int32_t port);
// Bits 0 to n-1 for a device with n axes, plus bit 9 when it has a hat; 0 when it does not answer.
int32_t GamepadAxisMask(int32_t port);
// Reads the device now: buttons, axes scaled to -1..+1, the hat as a fraction of a turn, new presses counted.
// A device pulled out reads as released and centred (presses not yet taken stay); one that only fails to answer
// leaves the last known values.
void PollGamepad(int32_t port);
// Poll, then bit button (0..31) of the button word.
int32_t IsPadButtonDown(int32_t button, int32_t port);
// Poll, then the presses of button (0..15) since it was last asked; the count is cleared.
int32_t TakePadButtonHits(int32_t button, int32_t port);
// Poll, then the hat: -1.0 when centred (and for a port without state), else the direction as a fraction of a clockwise
// turn from up.
float PadHat(int32_t port);
// Poll, then axis slot slot (0 X, 1 Y, 2 Z, 3 R, 4 U, 5 V, 9 hat; the others read 0).
float PadAxis(int32_t port, int32_t slot);
// For every counted port whose bit is set in mask: poll, then forget its buttons and presses, so a button still
// held counts as a new press at the next poll.
void ClearGamepads(int32_t mask);
// Polls every counted port, then forgets the unread button presses of all of them, keeping the button words: a
// button still held is not pressed again by this.
void DropPadPresses();

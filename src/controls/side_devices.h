// The devices two players fight with: each side of a two-player match has the device that joined it (player 1's
// keys, player 2's keys, or one of the pads plugged in), and its commands are read from that device alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// What a side joined with.
enum : int32_t {
  DEVICE_NONE = 0,
  DEVICE_KEYBOARD = 1,    // player 1's keys (KeyBindings)
  DEVICE_KEYBOARD_2 = 2,  // player 2's keys (KeyBindings2)
  DEVICE_PAD = 3,         // a pad, read through the side's pad bindings
};

struct TSideDevice {
  int32_t kind = DEVICE_NONE;
  int32_t padId = -1;  // the pad's device number (GamepadDeviceId), which follows it from port to port
  int32_t port = -1;   // where the pad was last found; -1 while it is pulled out

  bool operator==(const TSideDevice& other) const { return kind == other.kind && padId == other.padId; }
};

// The devices of the two sides, 0 the left (player 1) and 1 the right.
extern std::array<TSideDevice, 2> SideDevices;

// A device none of the sides has that pressed its right hand in this frame: player 1's or player 2's right-hand
// key, or on a pad the button either player's pad binds to the right hand there, else the pad's own default right
// hand (A on a pad the platform knows, button 2 on any other). False when none did.
bool TakeJoinPress(TSideDevice* device);

// What the join screen calls the device: "Keyboard", "Keyboard 2", or the pad's name.
std::u16string DeviceName(const TSideDevice& device);

// Gives side the device: a pad's bindings of that side's player move to the pad (defaults become that pad's,
// the player's own keep their buttons), so either player's bindings serve whichever side the pad joined. The
// other player's pad bindings, when they are on that pad and that side has no pad, are parked on no pad until
// ResetSideDevices: a pad's presses go to one binding only.
void GiveDevice(int32_t side, const TSideDevice& device);

// Both sides' pads followed after pads were plugged in or pulled out (FollowGamepads counted them again): a pad
// that moved to another port takes the side's bindings along; a side whose pad was pulled out reads as released,
// and takes up the first pad plugged in that no side has. Cheap when nothing changed.
void FollowSidePads();

// The side's command: presses since the last update, and held now, on the side's device. A side's Pause is
// Escape on either keyboard, the pause binding on its pad.
int32_t SideCommandHit(int32_t side, int32_t command);
// The binding those read; null when the side has no device, or its pad is pulled out.
class TControl* SideBinding(int32_t side, int32_t command);
int32_t SideCommandDown(int32_t side, int32_t command);

// Both sides without a device, and any pad bindings parked by GiveDevice back where they were.
void ResetSideDevices();
// The side devices' state back to how start-up finds it, moving no binding (the bindings are reset with it).
void ForgetSideDevices();

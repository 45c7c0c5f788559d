// Gamepads plugged in while the game runs, or found at start-up while the saved bindings name no pad that is
// there: the pad bindings go where a pad is.
#pragma once

#include <cstdint>

// Takes the pads up, count being what CountGamepads returned. Once a pad is there its bindings are polled
// (PadPresent 1, for the rest of the run: a pad pulled out reads as released). When no pad binding refers to a
// port with a pad (one of the sixteen that can be polled), they all move to the last such port: bindings that are
// the game's untouched defaults become that pad's own defaults; the player's own keep their buttons, hat
// directions and axes and take its port. Moved bindings ignore whatever is held until it is released. Start-up
// calls it once the saved settings are read.
void TakeUpGamepads(int32_t count);

// Moves the player's (0 or 1) pad bindings to the pad at port: bindings that are the game's untouched defaults
// become that pad's own defaults, the player's own keep their buttons, hat directions and axes and take its port.
// Either way they ignore whatever is held until it is released.
void MovePadBindings(int32_t player, int32_t port);

// Called at the top of every frame. Cheap while nothing changes (no device is opened, nothing allocated); when a
// pad was plugged in or pulled out, the pads are enumerated again and taken up.
void FollowGamepads();

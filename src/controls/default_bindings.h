// The default control bindings: W S D A J I Escape on the keyboard; on a pad the platform knows by its layout, its
// d-pad, its south and west face buttons (A and X) and Start; on any other pad its hat and buttons 1, 2 and 9.
#pragma once

#include <cstdint>

// Fills KeyBindings and PadBindings with the defaults, keyboard first, so keys are updated before pads. The pad
// bindings are on padPort: the last pad found at start-up, or -1 when there is none (where a pad plugged in later
// takes them up).
void InstallDefaultBindings(int32_t padPort);

// Replaces the seven pad bindings with the defaults for the pad at port (an unknown pad's when port holds none).
// A known pad's d-pad gives the four directions, A (south) the right hand, X (west; B when it has none) the left
// hand and Start the pause; a command none of these gives keeps the unknown pad's default.
void InstallDefaultPadBindings(int32_t port);

// True when the seven pad bindings are all on one port and are defaults the game made: an unknown pad's (which a
// game without a pad makes too, on port -1), or the ones it made last for a known pad. Anything bound on the
// gamepad screen makes them the player's own.
bool PadBindingsUntouched();

// Forgets which defaults were made last, as a new run of the game has made none.
void ForgetDefaultPadBindings();

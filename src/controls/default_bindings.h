// The default control bindings: W S D A J I Escape on the keyboard; on a pad the platform knows by its layout, its
// d-pad, its south and west face buttons (A and X) and Start; on any other pad its hat and buttons 1, 2 and 9.
// Player 2 shares the keyboard: the arrow keys (Left walks in, as player 2 stands on the right), Right Ctrl the
// right hand and Right Shift the left; Escape pauses for both. On a pad player 2's d-pad is mirrored the same way.
#pragma once

#include <cstdint>

#include "shared/game_state.h"

// Fills KeyBindings and PadBindings with the defaults, keyboard first, so keys are updated before pads, and then
// player 2's (KeyBindings2, PadBindings2). Player 1's pad bindings are on padPort: the last pad found at start-up,
// or -1 when there is none (where a pad plugged in later takes them up); player 2's on -1 until a pad is given to
// player 2.
void InstallDefaultBindings(int32_t padPort);

// The player's (0 or 1) pad bindings: PadBindings or PadBindings2.
TBindings& PlayerPadBindings(int32_t player);
// The player's key bindings: KeyBindings or KeyBindings2.
TBindings& PlayerKeyBindings(int32_t player);

// Replaces the player's seven pad bindings with the defaults for the pad at port (an unknown pad's when port holds
// none). A known pad's d-pad gives the four directions, A (south) the right hand, X (west; B when it has none) the
// left hand and Start the pause; a command none of these gives keeps the unknown pad's default.
void InstallDefaultPadBindings(int32_t port, int32_t player = 0);

// True when the player's seven pad bindings are all on one port and are defaults the game made: an unknown pad's
// (which a game without a pad makes too, on port -1), or the ones it made last for a known pad. Anything bound on
// the gamepad screen makes them the player's own.
bool PadBindingsUntouched(int32_t player = 0);

// Unbinds each of player 2's keys that player 1 has too: a key must serve one player in a fight. Settings from
// before player 2 had keys may have given player 1 an arrow key.
void UnbindSharedKeys();

// Forgets which defaults were made last, as a new run of the game has made none.
void ForgetDefaultPadBindings();

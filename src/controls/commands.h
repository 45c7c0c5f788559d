// Reading the player's commands through both of their bindings, and freezing them while the screen changes.
#pragma once

#include <cstdint>

// Presses of the command since the last update: its keyboard binding's if any, else its gamepad binding's.
// Used as a truth value; reading it consumes nothing.
int32_t CommandHit(int32_t command);

// Non-zero while the command is held on its keyboard binding, else on its gamepad binding.
int32_t CommandDown(int32_t command);

// 1 when any of the commands 0 to count - 1 was hit, tried in order.
int32_t AnyCommandHit(int32_t count);

// Stores the lock. Unlocking flushes every binding and drops every pending press, so nothing pressed while input
// was locked, or still held, counts as a new command.
int32_t SetInputLock(int32_t locked);

// Drops every press made so far, of keys and pad buttons alike, whether a binding or a menu would have read it:
// called whenever a menu or screen becomes ready for input, so that a press acts only where it was made. A tap
// of Enter in a fight must not choose a row of the pause menu opened later. Held inputs stay held.
void DropPendingPresses();

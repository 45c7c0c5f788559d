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

// The menus own Enter (confirm) and Escape (back): whatever a settings file binds to them, in the menus they keep
// those meanings. True for those two keys.
bool MenuOwnsKey(int32_t key);

// CommandHit as the menus read it: a keyboard binding on a key the menus own is passed over (its key confirms or
// goes back instead), so Down bound to Enter does not move the cursor when the player means to choose. Either
// player drives the menus: player 2's pad (its walk in is leftwards) and player 2's hands too.
int32_t MenuCommandHit(int32_t command);

// Presses of a pad's button since it was last asked, whether a binding took them in this frame's update or they
// are still pending.
int32_t PadButtonHits(int32_t port, int32_t button);

// Presses of key since it was last asked, whether a binding took them in this frame's update or they are still
// pending: the menus' own keys (Enter, Escape, the cursor keys) answer even while a command is bound to them.
int32_t MenuKeyHits(int32_t key);

// Presses of the menus' "back": Escape, or the B or Back button of a pad whose layout the platform knows, as long
// as that button is not bound to a command the menus read (a left hand on B confirms instead).
int32_t MenuBackHits();

// 1 when anything was pressed since the last update: a command, any key, any button of a pad. What was read stays
// read; a caller that acts on it drops the rest (DropPendingPresses).
int32_t AnyPress();

// Drops every press made so far, of keys and pad buttons alike, whether a binding or a menu would have read it:
// called whenever a menu or screen becomes ready for input, so that a press acts only where it was made. A tap
// of Enter in a fight must not choose a row of the pause menu opened later. Held inputs stay held.
void DropPendingPresses();

// The polled keyboard and window state: which keys are held, how often each was pressed since it was last asked,
// typed characters, and whether the player asked to close the window.
//
// It is fed by events (key down, key up, character, close, suspend, resume) through the event hook list, once the
// window has enabled it. Every query first takes pending messages, so the answer is as fresh as it can be.
#pragma once

#include <cstdint>

// Attaches the polled state to the event stream, accepting events from source only (null accepts every source),
// and clears keys. Opening the window does this.
void EnablePolledInput(const void* source);
// Detaches it and clears keys; queries then answer 0.
void DisablePolledInput();

// Presses of key (a key code 0..255) since it was last asked; the count is then cleared. A key held across many
// frames is one press: the keyboard's auto-repeat is ignored.
int32_t TakeKeyHits(int32_t key);
// Every key press the window has sent so far, counted whether or not anything took it: watching for any input
// without taking it from whoever reads it.
uint32_t KeyPressCount();
// 1 while key is held.
int32_t IsKeyDown(int32_t key);
// Forgets every held key, unread press and typed character.
void ClearKeys();
// Forgets every unread press but keeps the keys held: nothing pressed so far counts as a new press, while a key
// that is still down stays down until it is released. Pending messages are taken first: a press the window system
// already holds was made before this moment too.
void DropKeyPresses();
// 1 when the player asked to close the window since the last call.
int32_t TakeCloseRequest();
// The oldest typed character not yet taken, or 0.
int32_t TakeChar();
// 1 while the window has lost activation to another program.
int32_t InputSuspended();
// 1 when the window lost activation (or was minimised) since the last call.
int32_t TakeFocusLoss();
// 1 when the player asked to switch between the window and full screen (F11, Alt+Enter) since the last call.
int32_t TakeFullScreenToggle();
// Asks for that switch as F11 does: a menu's "Full screen" row.
void RequestFullScreenToggle();

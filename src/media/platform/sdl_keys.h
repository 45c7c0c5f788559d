// The game's key code of each physical key, as SDL numbers them (USB usage codes).
#pragma once

#include <cstdint>

// 0 for a key the game does not know; never the generic Shift, Control or Alt codes 16, 17 and 18.
int32_t KeyCodeOfScancode(int32_t scancode);

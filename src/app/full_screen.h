// The switch between the window and full screen that the player asks for with F11 or Alt+Enter.
#pragma once

#include <cstdint>

// Switches between the window and full screen when the player asked for it since the last frame, and saves the
// settings with the new switch. The frame loop calls it first thing in every frame.
int32_t TakeFullScreenRequest();

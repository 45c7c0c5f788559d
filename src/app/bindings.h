// The default control bindings: W S D A J I Escape on the keyboard, the hat and buttons 1, 2 and 9 of a pad.
#pragma once

#include <cstdint>

// Fills KeyBindings and PadBindings with the defaults, keyboard first, so keys are updated before pads. The pad
// bindings are on padPort: the last pad found at start-up, or -1 when there is none (never polled then).
void InstallDefaultBindings(int32_t padPort);

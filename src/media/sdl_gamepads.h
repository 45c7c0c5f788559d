// The platform's joysticks through SDL, for the polled gamepads.
#pragma once

#include "media/gamepad.h"

// The SDL joystick platform; its joystick subsystem must be running.
TPadPlatform* SDLPadPlatform();

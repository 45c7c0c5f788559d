// The platform's joysticks through SDL, for the polled gamepads.
#pragma once

// Starts SDL's joysticks, and its game controller database, which tells the layout of the pads it knows, and
// installs them as the pad platform. False when SDL has no joysticks here: the game then plays on the keyboard
// alone.
bool StartSDLPads();
// Uninstalls the platform, closes every device it opened and stops what StartSDLPads started. Nothing when it
// did not start.
void StopSDLPads();

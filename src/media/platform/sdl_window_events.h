// Turns the SDL events of the game's window into the game's events (keys, characters, close, focus).
#pragma once

// Installs the translation in the game thread's message dispatch; part of the media layer's start-up.
void InstallWindowEvents();

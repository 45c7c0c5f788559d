// The OpenGL 1.1 drawing driver in an SDL window: the game's real screen.
#pragma once

#include <cstdint>
#include <string>

#include "media/graphics/graphics_driver.h"

// The one OpenGL driver of the program.
TPlaxDriver* GLPlaxDriver();

// Starts SDL's video (the connection to the display) ahead of the first window, so the game can do it while its
// data loads on another thread. A failure is not reported here: opening the window tries again and says why.
void StartVideoEarly();

// Why the last window or context could not be made (SDL's own words), or empty.
const std::string& LastGraphicsError();

// How many times the driver changed the GL's blend state, its bound texture and texturing: a request that
// repeats the current state costs no GL call, and these show it.
struct TGLStateChanges {
  int64_t blend = 0;
  int64_t textureBinds = 0;
  int64_t texturing = 0;
};
const TGLStateChanges& GLStateChanges();

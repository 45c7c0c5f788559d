// The OpenGL 1.1 drawing driver in an SDL window: the game's real screen.
#pragma once

#include <string>

#include "media/graphics_driver.h"

// The one OpenGL driver of the program.
TPlaxDriver* GLPlaxDriver();

// Why the last window or context could not be made (SDL's own words), or empty.
const std::string& LastGraphicsError();

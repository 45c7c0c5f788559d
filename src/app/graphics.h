// Opening the game window at the current zoom.
#pragma once

#include <cstdint>

// Opens, or re-opens at a new Zoom, the window of Zoom * 400 by Zoom * 300 pixels over a logical screen of 400
// by 300, with alpha blending. The frame loop calls it on entry; the settings screen after a change of zoom.
int32_t SetupGraphics();

// Opening the game window at the current zoom, in a window or full screen.
#pragma once

#include <cstdint>

// Opens, or re-opens at a new Zoom, the window of Zoom * 400 by Zoom * 300 pixels over a logical screen of 400
// by 300, with alpha blending; full screen instead when FullScreen is set. A zoom whose window would not fit the
// desktop opens at the largest that fits, Zoom itself unchanged. The frame loop calls it on entry; the settings
// screen after a change of zoom.
int32_t SetupGraphics();

// The largest zoom up to zoom whose window fits a desktop of usable_width by usable_height (1 at least).
int32_t FittingZoom(int32_t zoom, int32_t usableWidth, int32_t usableHeight);

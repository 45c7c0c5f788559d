// Opening the game window, and the switch between the window and full screen.
#include "shared/window.h"

#include <string>

#include "media/core/runtime_error.h"
#include "media/graphics/graphics.h"
#include "media/graphics/picture_fit.h"
#include "media/platform/gl_driver.h"
#include "media/platform/media.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

constexpr int32_t kBackBuffer = 2;

}  // namespace

int32_t FittingZoom(int32_t zoom, int32_t usableWidth, int32_t usableHeight) {
  return LargestWholeFactor(SCREEN_WIDTH, SCREEN_HEIGHT, usableWidth, usableHeight, zoom);
}

int32_t SetupGraphics() {
  SelectGraphicsDriver(GameGraphicsDriver(), kBackBuffer);
  // A window larger than the desktop would hide part of the ring; the player's choice is kept for a larger one.
  int32_t zoom = Zoom;
  int32_t usableWidth = 0;
  int32_t usableHeight = 0;
  if (DesktopSize(1, &usableWidth, &usableHeight) != 0) {
    zoom = FittingZoom(Zoom, usableWidth, usableHeight);
  }
  int32_t flags = FullScreen != 0 ? GRAPHICS_FULLSCREEN : 0;
  // Without a window nothing the game draws can be seen: stop rather than run blind.
  if (OpenGraphics(zoom * SCREEN_WIDTH, zoom * SCREEN_HEIGHT, 0, 60, flags) == nullptr) {
    throw TRuntimeError("cannot open the game window: " + LastGraphicsError());
  }
  SetLogicalSize(SCREEN_WIDTH, SCREEN_HEIGHT);
  SetBlend(BLEND_ALPHA);
  return 0;
}

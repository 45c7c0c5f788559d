// Opening the game window, and the switch between the window and full screen.
#include "app/graphics.h"

#include <string>

#include "app/game_state.h"
#include "frontend/menu.h"
#include "media/gl_driver.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/media.h"
#include "media/picture_fit.h"
#include "media/runtime_error.h"

namespace {

constexpr int32_t kLogicalWidth = 400;
constexpr int32_t kLogicalHeight = 300;
constexpr int32_t kBackBuffer = 2;

}  // namespace

int32_t FittingZoom(int32_t zoom, int32_t usableWidth, int32_t usableHeight) {
  return LargestWholeFactor(kLogicalWidth, kLogicalHeight, usableWidth, usableHeight, zoom);
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
  if (OpenGraphics(zoom * kLogicalWidth, zoom * kLogicalHeight, 0, 60, flags) == nullptr) {
    throw TRuntimeError("cannot open the game window: " + LastGraphicsError());
  }
  SetLogicalSize(kLogicalWidth, kLogicalHeight);
  SetBlend(BLEND_ALPHA);
  return 0;
}

int32_t TakeFullScreenRequest() {
  if (TakeFullScreenToggle() == 0) {
    return 0;
  }
  int32_t wanted = 1 - GraphicsFullScreen();
  // A switch the window system refuses leaves the window, and the setting, as they were.
  if (SetGraphicsFullScreen(wanted) == 0) {
    const std::string& reason = LastGraphicsError();
    ReportWarning("cannot switch to " + std::string(wanted != 0 ? "full screen" : "the window") +
                  (reason.empty() ? "" : ": " + reason));
    return 0;
  }
  FullScreen = wanted;
  Menu::SaveFullScreen();
  return 0;
}

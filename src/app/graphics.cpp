// Opening the game window.
#include "app/graphics.h"

#include "app/game_state.h"
#include "media/gl_driver.h"
#include "media/graphics.h"
#include "media/runtime_error.h"

namespace {

constexpr int32_t kLogicalWidth = 400;
constexpr int32_t kLogicalHeight = 300;
constexpr int32_t kBackBuffer = 2;

}  // namespace

int32_t SetupGraphics() {
  SelectGraphicsDriver(GameGraphicsDriver(), kBackBuffer);
  // Without a window nothing the game draws can be seen: stop rather than run blind.
  if (OpenGraphics(Zoom * kLogicalWidth, Zoom * kLogicalHeight, 0, 60, 0) == nullptr) {
    throw TRuntimeError("cannot open the game window: " + LastGraphicsError());
  }
  SetLogicalSize(kLogicalWidth, kLogicalHeight);
  SetBlend(BLEND_ALPHA);
  return 0;
}

// The switch between the window and full screen, kept in the settings.
#include "app/full_screen.h"

#include <string>

#include "frontend/menu.h"
#include "media/graphics/graphics.h"
#include "media/input/input.h"
#include "media/platform/gl_driver.h"
#include "media/platform/media.h"
#include "shared/game_state.h"

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

// Opening the game window.
#include "app/graphics.h"

int32_t SetupGraphics() {
  // Does nothing yet: the game has no window until its drawing layer is built.
  return 0;
}

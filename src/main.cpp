// Morvik: a small 2D boxing game.
#include "app/startup.h"

int main() {
  return RunGame();
}

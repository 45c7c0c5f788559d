// The base controller.
#include "fighters/controller.h"

int32_t TController::Update() {
  return 0;
}

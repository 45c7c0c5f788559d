// Fuzzes the progress reader: the input is bin/progress.dat, read by Menu::Load. Every margin it keeps must be one
// the tournament screen can show as a cup (0 for none, 1 to 3).
#include <cstddef>
#include <cstdint>

#include "app/startup.h"
#include "controls/default_bindings.h"
#include "frontend/menu.h"
#include "fuzz_input.h"
#include "shared/game_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzInput("bin/progress.dat", data, size);
  ResetGame();
  InstallDefaultBindings(-1);
  Menu::Load();
  for (int32_t margin : Progress) {
    if (margin < 0 || margin > 3) {
      __builtin_trap();
    }
  }
  return 0;
}

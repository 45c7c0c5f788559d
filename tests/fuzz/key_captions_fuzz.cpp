// Fuzzes the key-caption reader: the input is bin/keyboard.dat, read by TControl::Init into the caption table,
// whose captions the controls screens then show for the bound keys.
#include <cstddef>
#include <cstdint>

#include "app/startup.h"
#include "controls/control.h"
#include "controls/default_bindings.h"
#include "fuzz_input.h"
#include "shared/game_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzInput("bin/keyboard.dat", data, size);
  ResetGame();
  InstallDefaultBindings(-1);
  TControl::Init(u"bin/keyboard.dat");
  for (const auto& binding : KeyBindings) {
    binding->GetCaption();
  }
  return 0;
}

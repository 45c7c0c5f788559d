// Fuzzes the key-caption reader: the input is bin/keyboard.dat, read by TControl::Init into the caption table,
// whose captions the controls screens then show for the bound keys.
#include <cstddef>
#include <cstdint>

#include "app/bindings.h"
#include "app/game_state.h"
#include "controls/control.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzInput("bin/keyboard.dat", data, size);
  ResetGameState();
  InstallDefaultBindings(-1);
  TControl::Init(u"bin/keyboard.dat");
  for (const auto& binding : KeyBindings) {
    binding->GetCaption();
  }
  return 0;
}

// Fuzzes the settings reader: the input is bin/settings.dat, read by Menu::Load over the default bindings with a
// gamepad present, then used as the controls screens and the frame loop use it (every caption, one update).
#include <cstddef>
#include <cstdint>

#include "app/startup.h"
#include "controls/control.h"
#include "controls/default_bindings.h"
#include "frontend/menu.h"
#include "fuzz_input.h"
#include "shared/game_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzInput("bin/settings.dat", data, size);
  ResetGame();
  PadPresent = 1;
  InstallDefaultBindings(0);
  Menu::Load();
  for (const auto& binding : KeyBindings) {
    binding->GetCaption();
  }
  for (const auto& binding : PadBindings) {
    binding->GetCaption();
  }
  TControl::Update();
  // The window is made Zoom times 400 by 300: the reader keeps it within what a screen can hold.
  if (Zoom < 1 || Zoom > 4 || (SoundOn != 0 && SoundOn != 1) || (FullScreen != 0 && FullScreen != 1)) {
    __builtin_trap();
  }
  return 0;
}

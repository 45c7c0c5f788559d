// The start-up sequence. Its order matters: the saved settings are read before the window opens (so the first
// window already has the saved zoom) and before the sounds are loaded; every image is loaded before the window
// exists, and the drawing layer keeps them drawable when the window is re-opened.
#include "app/startup.h"

#include <string>

#include "app/game_state.h"
#include "app/sounds.h"
#include "controls/control.h"
#include "media/clock.h"
#include "media/media.h"
#include "media/random.h"
#include "media/runtime_error.h"
#include "media/timer.h"

namespace {

constexpr float kFrameRate = 50.0f;

// Steps whose parts of the game are not built yet. Each does nothing yet; none pretends to have done its work.
void SetDefaultImageFlagsStep() {}  // images are loaded unmasked and unfiltered
void LoadGameFont() {}              // the bitmap font "gfx/font"
void InstallDefaultKeyBindings() {}  // W S D A J I Escape
int32_t CountGamepadsStep() {
  return 0;
}
void InstallDefaultPadBindings(int32_t) {}  // hat directions and buttons 1, 2, 9 of the last pad found
void HideCursorStep() {}
void SetWindowTitleStep() {}  // "Morvik 1.1"
void LoadFigureSheet() {}     // "gfx/figures.png"
void LoadMenu() {}            // menu pictures, saved settings and progress
void LoadBackgrounds() {}     // "gfx/bg0.png" to "gfx/bg9.png"
void LoadOpponents() {}       // the tournament roster "bin/tournament.dat"
void RunFrameLoop() {}        // the frame loop, until the window is closed

void StartUp() {
  ResetGameState();
  SetDefaultImageFlagsStep();
  FrameTimer = TTimer::Create(kFrameRate);
  if (FrameTimer == nullptr) {
    throw TRuntimeError("cannot start the frame timer");
  }
  LoadGameFont();
  InstallDefaultKeyBindings();
  int32_t pads = CountGamepadsStep();
  if (pads != 0) {
    PadPresent = 1;
  }
  InstallDefaultPadBindings(pads - 1);
  SeedRandom(ElapsedMillis());
  HideCursorStep();
  SetWindowTitleStep();
  TControl::Init(u"bin/keyboard.dat");
  LoadFigureSheet();
  LoadMenu();
  LoadBackgrounds();
  LoadOpponents();
  SetupAudio();
}

}  // namespace

int RunGame() {
  std::string error;
  if (!EnterGameFolder(&error) || !StartMedia(&error)) {
    ReportFatal(error);
    return 1;
  }
  int status = 0;
  try {
    StartUp();
    RunFrameLoop();
  } catch (const TRuntimeError& failure) {
    ReportFatal(failure.what());
    status = 1;
  }
  StopMedia();
  return status;
}

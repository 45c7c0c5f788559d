// The start-up sequence. Its order matters: the saved settings are read before the window opens (so the first
// window already has the saved zoom) and before the sounds are loaded; every image is loaded before the window
// exists, and the drawing layer keeps them drawable when the window is re-opened.
#include "app/startup.h"

#include <string>

#include "app/bindings.h"
#include "app/game.h"
#include "app/game_state.h"
#include "app/sounds.h"
#include "controls/control.h"
#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "frontend/font.h"
#include "frontend/menu.h"
#include "media/clock.h"
#include "media/frame_log.h"
#include "media/gamepad.h"
#include "media/image.h"
#include "media/media.h"
#include "media/random.h"
#include "media/runtime_error.h"
#include "media/timer.h"

namespace {

constexpr float kFrameRate = 50.0f;
constexpr int32_t kFontCellSize = 64;

void LoadGameFont() {
  GameFont = TFont::Load(u"gfx/font", kFontCellSize);
  // The game cannot show a word without its font.
  if (GameFont->_image == nullptr || GameFont->_charWidth[u'A'] == 0) {
    throw TRuntimeError("cannot load the font \"gfx/font.png\" with its metrics \"gfx/font.dat\"");
  }
}

}  // namespace

void StartUp() {
  ResetGameState();
  SetDefaultImageFlags(0);
  FrameTimer = TTimer::Create(kFrameRate);
  if (FrameTimer == nullptr) {
    throw TRuntimeError("cannot start the frame timer");
  }
  FrameLogStep("frame timer");
  LoadGameFont();
  FrameLogStep("font");
  int32_t pads = CountGamepads();
  if (pads != 0) {
    PadPresent = 1;
  }
  InstallDefaultBindings(pads - 1);
  SeedRandom(ElapsedMillis());
  HideCursor();
  SetAppTitle(u"Morvik 1.1");
  TControl::Init(u"bin/keyboard.dat");
  FrameLogStep("gamepads and bindings");
  TFigure::Load();
  FrameLogStep("sprite sheet");
  Menu::Load();
  FrameLogStep("menu pictures and settings");
  Game::Load();
  FrameLogStep("ring backgrounds");
  TOpponent::Load();
  FrameLogStep("roster");
  SetupAudio();
  FrameLogStep("sound effects");
}

int RunGame() {
  FrameLogStep("main");
  std::string error;
  if (!EnterGameFolder(&error) || !StartMedia(&error)) {
    ReportFatal(error);
    return 1;
  }
  int status = 0;
  try {
    StartUp();
    Game::Main();
  } catch (const TRuntimeError& failure) {
    ReportFatal(failure.what());
    status = 1;
  }
  StopMedia();
  FrameLogWrite();
  return status;
}

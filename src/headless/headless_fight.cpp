// The headless fight: start-up's loading without a window or a device, the training match set up as the menu
// does it, and the player's fighter handed to a computer controller.
#include "headless/headless_fight.h"

#include <array>
#include <filesystem>

#include "app/game.h"
#include "app/match_simulation.h"
#include "app/startup.h"
#include "fighters/controller_ai.h"
#include "fighters/figure.h"
#include "frontend/font.h"
#include "frontend/guidance.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/audio/audio.h"
#include "media/codecs/ogg_loader.h"
#include "media/core/events.h"
#include "media/core/random.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "media/input/key_codes.h"
#include "media/platform/media.h"
#include "media/platform/softmix_driver.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "shared/window.h"

namespace {

constexpr int32_t kGoOnKey = KEY_A + ('J' - 'A');  // the default Right Hand: any command but Pause goes on

// Each frame of an image gets its drawable on its first draw (a glyph the first time a text uses it). They are
// all made at once here, so that what the measured frames allocate is what every frame would.
void MakeDrawables(const std::shared_ptr<TImage>& image) {
  for (int32_t frame = 0; image != nullptr && frame < image->FrameCount(); frame++) {
    image->Frame(frame);
  }
}

}  // namespace

THeadlessFight::THeadlessFight(const std::string& gameFolder, bool softMix) {
  std::filesystem::current_path(gameFolder);
  SetClockSource(&clock);
  RegisterMediaLoaders();
  RegisterOggVorbisLoader();
  if (softMix) {
    RegisterSoftMixDrivers();
  }
  LoadGameData();
  SeedRandom(0);  // the same fight every run
  SetGameGraphicsDriver(&driver);
  SetupGraphics();
  for (const auto& image : {GameFont->_image, SmallFont != nullptr ? SmallFont->_image : nullptr, FigureSheet,
                            MenuBackground, CupImage, CardImage}) {
    MakeDrawables(image);
  }
  for (const auto& image : Backgrounds) {
    MakeDrawables(image);
  }

  HowToPlayRead = 1;  // the computer needs no card: the countdown counts at once
  StartTrainingMatch();
  Fighters[0] = TFigure::Create(TControllerAI::Create(REFERENCE_PLAYER), TRAINING_HEALTH, 32, 255, 64, 0);
  TFigure::Fight(Fighters[0], Fighters[1]);
}

THeadlessFight::~THeadlessFight() {
  ShutdownAudio();
  CloseGraphics();
  SetGameGraphicsDriver(nullptr);
  SetClockSource(nullptr);
  ResetGame();
}

void THeadlessFight::PressOnIfWaiting() {
  if (GameState == GAMESTATE_WAIT) {
    EmitEvent(TEvent{EVENT_KEYDOWN, nullptr, kGoOnKey, 0, 0, 0});
    EmitEvent(TEvent{EVENT_KEYUP, nullptr, kGoOnKey, 0, 0, 0});
  }
}

void THeadlessFight::EndFrame() {
  driver.log.clear();
  clock.Advance(FRAME_MILLIS);
}

// Shows one moment of a training match in the real game window, as a player would see it: the game starts as it
// always does, a training match is set up the way the menu does it, the countdown is run through on a clock
// moved by hand, and the fighters are placed 80 ring units apart, guarding. Then frames go on being drawn at the
// frame timer's pace until the window is closed, so the test can take its screenshot.
//
//   e2e_fight_frame GAME_DIR ZOOM[,ZOOM] READY_FILE
//
// With two zooms the window is opened at the first, a few frames are drawn, and it is opened again at the
// second, as the settings screen does: every image must still be drawable in the new window.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/game.h"
#include "app/startup.h"
#include "checks.h"
#include "fighters/figure.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/core/clock.h"
#include "media/core/runtime_error.h"
#include "media/input/input.h"
#include "media/platform/media.h"
#include "media/platform/timer.h"
#include "shared/game_state.h"
#include "shared/window.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: e2e_fight_frame GAME_DIR ZOOM READY_FILE\n");
    return 2;
  }
  std::string ready = std::filesystem::absolute(argv[3]).string();
  std::filesystem::current_path(argv[1]);
  std::string error;
  if (!StartMedia(&error)) {
    std::fprintf(stderr, "e2e_fight_frame: %s\n", error.c_str());
    return 1;
  }
  int status = 0;
  try {
    StartUp();
    std::string zooms = argv[2];
    Zoom = std::atoi(zooms.c_str());
    SetupGraphics();
    TManualClock clock(1000000);
    SetClockSource(&clock);
    RunATrainingMatchToTheFight(clock);
    if (size_t comma = zooms.find(','); comma != std::string::npos) {
      Zoom = std::atoi(zooms.c_str() + comma + 1);
      SetupGraphics();
    }
    Fighters[0]->x = 60;
    Fighters[1]->x = 140;
    // The round is over as far as the loop is concerned, so nothing moves; the picture is that of the fight.
    GameState = GAMESTATE_ROUND_OVER;
    StateTime = clock.Now();
    for (int frame = 0; TakeCloseRequest() == 0 && frame < 50 * 60; frame++) {
      Game::Frame();
      if (frame == 10) {
        std::ofstream(ready) << "ready\n";
      }
      FrameTimer->Wait();
    }
    SetClockSource(nullptr);
  } catch (const TRuntimeError& failure) {
    std::fprintf(stderr, "e2e_fight_frame: %s\n", failure.what());
    status = 1;
  }
  StopMedia();
  return status;
}

// A fight in the real window goes on when the window is opened again (as a new zoom does) or switched to full
// screen and back: the closed window's last messages, its loss of the focus among them, and whatever the switch
// stirs up in the window system are not the player leaving the game.
//
//   e2e_window_focus GAME_DIR
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/game.h"
#include "app/startup.h"
#include "checks.h"
#include "frontend/match_start.h"
#include "media/core/clock.h"
#include "media/core/runtime_error.h"
#include "media/graphics/graphics.h"
#include "media/platform/media.h"
#include "media/platform/timer.h"
#include "shared/game_state.h"
#include "shared/window.h"

namespace {

// Frames at the frame timer's pace, the clock moved by hand so the fight's phases do not run on.
void RunFrames(TManualClock& clock, int count) {
  for (int frame = 0; frame < count; frame++) {
    Game::Frame();
    clock.Advance(20);
    FrameTimer->Wait();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: e2e_window_focus GAME_DIR\n");
    return 2;
  }
  std::filesystem::current_path(argv[1]);
  std::string error;
  if (!StartMedia(&error)) {
    std::fprintf(stderr, "e2e_window_focus: %s\n", error.c_str());
    return 1;
  }
  try {
    StartUp();
    SetupGraphics();
    TManualClock clock(1000000);
    SetClockSource(&clock);
    RunATrainingMatchToTheFight(clock);
    Check(GameState == GAMESTATE_FIGHT, "the fight did not begin");
    RunFrames(clock, 25);  // the window's own first messages (shown, focus gained) are taken
    Check(GameState == GAMESTATE_FIGHT, "the fight paused by itself in a new window");

    // Half a second of frames after each change, time enough for the window system's messages to arrive.
    for (int32_t zoom : {3, 1, 2}) {
      Zoom = zoom;
      SetupGraphics();
      RunFrames(clock, 25);
      Check(GameState == GAMESTATE_FIGHT,
            "opening the window again at zoom " + std::to_string(zoom) + " paused the fight");
    }
    for (int32_t on : {1, 0, 1, 0}) {
      Check(SetGraphicsFullScreen(on) == 1, "the window did not switch");
      RunFrames(clock, 25);
      Check(GameState == GAMESTATE_FIGHT,
            std::string("switching to ") + (on != 0 ? "full screen" : "the window") + " paused the fight");
    }
    SetClockSource(nullptr);
  } catch (const TRuntimeError& failure) {
    std::fprintf(stderr, "e2e_window_focus: %s\n", failure.what());
    failures++;
  }
  StopMedia();
  if (failures == 0) {
    std::printf("a fight goes on through new windows and full-screen switches\n");
  }
  return failures == 0 ? 0 : 1;
}

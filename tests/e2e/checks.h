// What the real-window check programs share: each failed check prints one line and counts, and the program's
// status says whether any failed.
#pragma once

#include <cstdio>
#include <string>

#include "app/game.h"
#include "frontend/guidance.h"
#include "frontend/match_start.h"
#include "media/core/clock.h"
#include "shared/game_state.h"

inline int failures = 0;

inline void Check(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
    failures++;
  }
}

// Starts a training match (its card read already) and runs frames on the manual clock, 20 ms apart, until its first fight begins.
inline void RunATrainingMatchToTheFight(TManualClock& clock) {
  HowToPlayRead = 1;  // a player who has read the card: the countdown counts at once
  StartTrainingMatch();
  for (int frame = 0; frame < 1000 && GameState != GAMESTATE_FIGHT; frame++) {
    Game::Frame();
    clock.Advance(20);
  }
}

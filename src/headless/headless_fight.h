// A training match of the real game without a screen: the game's own data files, the recording drawing driver
// in an open "window", a manual clock, and both fighters steered by the computer, so that it goes on by itself
// for as long as frames are run. What a frame costs is measured on it.
#pragma once

#include <cstdint>
#include <string>

#include "headless/recording_driver.h"
#include "media/core/clock.h"

class THeadlessFight {
public:
  // Loads the game's data from gameFolder (the folder with gfx/, sfx/ and bin/) as start-up does and sets the
  // match up with the menu sliding away. Sounds play on the "Null" driver, or with softMix on the SoftMix driver
  // on SDL's audio device (set SDL_AUDIODRIVER=dummy for a silent one). Raises TRuntimeError when data is missing.
  THeadlessFight(const std::string& gameFolder, bool softMix);
  ~THeadlessFight();
  THeadlessFight(const THeadlessFight&) = delete;
  THeadlessFight& operator=(const THeadlessFight&) = delete;

  // Before a frame: when the round is over and the game waits for a command, a key is tapped so that the next
  // round begins in this frame. Nothing of it allocates.
  void PressOnIfWaiting();
  // After a frame: the drawing log is emptied (keeping its memory) and the clock moves on one tick (20 ms).
  void EndFrame();

  TRecordingDriver driver;
  TManualClock clock{100000};
};

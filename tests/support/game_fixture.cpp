#include "support/game_fixture.h"

#include "app/startup.h"
#include "media/audio/audio.h"
#include "media/core/random.h"
#include "media/input/gamepad.h"
#include "shared/game_state.h"

void GameTest::SetUp() {
  ResetGame();
  SetClockSource(&clock);
  SelectAudioDriver(u"Null");
  NullAudioLog().Clear();
  SeedRandom(0);
}

void GameTest::TearDown() {
  SetPadPlatform(nullptr);  // a test's fake pads go with it, also when it stopped half-way
  SetClockSource(nullptr);
  ResetGame();
}

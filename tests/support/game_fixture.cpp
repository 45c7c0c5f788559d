#include "support/game_fixture.h"

#include "app/game_state.h"
#include "media/audio.h"
#include "media/gamepad.h"
#include "media/random.h"

void GameTest::SetUp() {
  ResetGameState();
  SetClockSource(&clock);
  SelectAudioDriver(u"Null");
  NullAudioLog().Clear();
  SeedRandom(0);
}

void GameTest::TearDown() {
  SetPadPlatform(nullptr);  // a test's fake pads go with it, also when it stopped half-way
  SetClockSource(nullptr);
  ResetGameState();
}

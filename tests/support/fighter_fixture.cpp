#include "support/fighter_fixture.h"

#include "media/audio/audio.h"
#include "shared/game_state.h"

void FighterTest::SetUp() {
  GameTest::SetUp();
  for (auto& kind : FightSounds) {
    for (auto& sound : kind) {
      sound = CurrentAudioDriver().CreateSound(nullptr, 0);
    }
  }
  a = TFigure::Create(aControl, 1000, 32, 255, 64, 0);
  b = TFigure::Create(bControl, 1000, 255, 255, 255, 1);
  TFigure::Fight(a, b);
}

void FighterTest::Place(int32_t ax, int32_t bx) {
  a->x = ax;
  b->x = bx;
}

void FighterTest::Tick() {
  a->Control();
  b->Control();
  a->Update();
  b->Update();
}

int32_t FighterTest::LastFightSoundKind() const {
  auto plays = NullAudioLog().Recent();
  if (plays.empty()) {
    return -1;
  }
  for (int32_t kind = 0; kind < FIGHT_SOUND_KINDS; kind++) {
    for (const auto& sound : FightSounds[static_cast<size_t>(kind)]) {
      if (sound.get() == plays.back().sound) {
        return kind;
      }
    }
  }
  return -1;
}

float FighterTest::LastVolume() const {
  auto plays = NullAudioLog().Recent();
  return plays.empty() ? -1.0f : plays.back().volume;
}

#include "shared/sounds.h"

#include <gtest/gtest.h>

#include "media/audio/audio.h"
#include "media/core/random.h"
#include "shared/game_state.h"
#include "support/captured_warnings.h"
#include "support/game_fixture.h"
#include "support/temp_dir.h"

namespace {

class SoundsTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    for (auto& sound : Sfx) {
      sound = CurrentAudioDriver().CreateSound(nullptr, 0);
    }
    for (auto& kind : FightSounds) {
      for (auto& sound : kind) {
        sound = CurrentAudioDriver().CreateSound(nullptr, 0);
      }
    }
  }
};

}  // namespace

TEST_F(SoundsTest, FightSoundPlaysTheRandomVariantAtTheGivenVolume) {
  SeedRandom(321);
  int32_t variant = RandomInt(0, 3);
  SeedRandom(321);
  PlayFightSound(FIGHT_SOUND_PUNCH_MEDIUM, 0.37f);
  auto plays = NullAudioLog().Recent();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_EQ(plays[0].sound, FightSounds[FIGHT_SOUND_PUNCH_MEDIUM][static_cast<size_t>(variant)].get());
  EXPECT_EQ(plays[0].volume, 0.37f);
}

TEST_F(SoundsTest, EachFightSoundDrawsExactlyOneRandomNumberWhenSoundIsOn) {
  SeedRandom(555);
  RandomDouble();
  int32_t afterOneDraw = RandomState();
  SeedRandom(555);
  PlayFightSound(FIGHT_SOUND_WOOSH, 1.0f);
  EXPECT_EQ(RandomState(), afterOneDraw);
}

TEST_F(SoundsTest, WithSoundOffNothingPlaysAndNoRandomNumberIsDrawn) {
  SoundOn = 0;
  SeedRandom(555);
  PlayFightSound(FIGHT_SOUND_BLOCK, 1.0f);
  PlaySfx(SFX_FIGHT);
  EXPECT_EQ(RandomState(), 555);
  EXPECT_EQ(NullAudioLog().Count(), 0);
}

TEST_F(SoundsTest, SfxPlaysTheNumberedEffectOnANewChannel) {
  PlaySfx(SFX_ROUND_OVER);
  auto plays = NullAudioLog().Recent();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_EQ(plays[0].sound, Sfx[SFX_ROUND_OVER].get());
}

TEST_F(SoundsTest, ASoundThatDidNotLoadIsSilentButStillDrawsItsVariant) {
  Sfx[SFX_FIGHT] = nullptr;
  for (auto& sound : FightSounds[FIGHT_SOUND_PUNCH_HARD]) {
    sound = nullptr;
  }
  SeedRandom(555);
  RandomDouble();
  int32_t afterOneDraw = RandomState();
  SeedRandom(555);
  PlaySfx(SFX_FIGHT);
  PlayFightSound(FIGHT_SOUND_PUNCH_HARD, 1.0f);
  EXPECT_EQ(NullAudioLog().Count(), 0);
  EXPECT_EQ(RandomState(), afterOneDraw);
}

TEST_F(SoundsTest, SetupAudioFallsBackToNullAndWarnsOfEachMissingEffect) {
  ScopedTempDir dir;
  const std::string warnings = CaptureWarnings([] { SetupAudio(); }).text;
  EXPECT_EQ(CurrentAudioDriver().Name(), u"Null");
  for (const auto& sound : Sfx) {
    EXPECT_EQ(sound, nullptr);
  }
  // Loaded in the order sfx0, woosh0, block0, punchw0, punchm0, punchh0, sfx1, ...
  size_t sfx0 = warnings.find("sfx/sfx0.ogg");
  size_t woosh0 = warnings.find("sfx/woosh0.ogg");
  size_t punchh0 = warnings.find("sfx/punchh0.ogg");
  size_t sfx1 = warnings.find("sfx/sfx1.ogg");
  size_t punchh3 = warnings.find("sfx/punchh3.ogg");
  size_t sfx7 = warnings.find("sfx/sfx7.ogg");
  ASSERT_NE(sfx7, std::string::npos);
  EXPECT_LT(sfx0, woosh0);
  EXPECT_LT(woosh0, punchh0);
  EXPECT_LT(punchh0, sfx1);
  EXPECT_LT(punchh3, warnings.find("sfx/sfx4.ogg"));
  EXPECT_EQ(warnings.find("sfx/woosh4.ogg"), std::string::npos);
}

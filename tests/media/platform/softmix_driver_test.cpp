// The SoftMix driver on SDL's real audio device, with SDL's dummy driver (silent, real time) or its disk driver
// (recording to a file).
#include "media/platform/softmix_driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "media/codecs/ogg_loader.h"
#include "support/ogg_fixture.h"
#include "support/pcm_recording.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

class SoftMixDriverTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterSoftMixDrivers();
    RegisterOggVorbisLoader();
  }
  void TearDown() override { ShutdownAudio(); }

  // Waits until the channel stops playing or `limit` passes; true when it stopped.
  static bool WaitForEnd(TChannel& channel, std::chrono::milliseconds limit) {
    auto giveUp = std::chrono::steady_clock::now() + limit;
    while (channel.Playing() != 0) {
      if (std::chrono::steady_clock::now() > giveUp) {
        return false;
      }
      std::this_thread::sleep_for(5ms);
    }
    return true;
  }
};

}  // namespace

TEST_F(SoftMixDriverTest, LinuxHasTheMultimediaAndPlainNamesButNoDirectSound) {
  EXPECT_EQ(HasAudioDriver(u"softmix"), 1);
  EXPECT_EQ(HasAudioDriver(u"SOFTMIX MULTIMEDIA"), 1);
  EXPECT_EQ(HasAudioDriver(u"SoftMix DirectSound"), 0);
  EXPECT_EQ(HasAudioDriver(u"Null"), 1);
}

TEST_F(SoftMixDriverTest, PlaysASoundToItsEndOnTheDummyDevice) {
  ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
  ScopedTempDir dir;
  dir.Write("tone.ogg", EncodeOggVorbis(MakeTone(660, 0.5, 0.15, 22050, 1)));
  ASSERT_EQ(SelectAudioDriver(u"softmix multimedia"), 1);
  auto sound = LoadSound(u"tone.ogg", 0);
  ASSERT_NE(dynamic_cast<TSoftMixSound*>(sound.get()), nullptr);
  EXPECT_EQ(LoadSound(u"missing.ogg", 0), nullptr);

  auto channel = AllocChannel();
  channel->SetVolume(0.8f);
  EXPECT_EQ(sound->Play(channel), channel);
  EXPECT_EQ(channel->Playing(), 1);
  ASSERT_TRUE(WaitForEnd(*channel, 5s));
  EXPECT_EQ(dynamic_cast<TSoftMixChannel&>(*channel).Position(), 3307);

  // A temporary channel, dropped at once: the sound still plays to its end and its slot comes back.
  auto temporary = sound->Play(nullptr);
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(temporary->Playing(), 1);
  ASSERT_TRUE(WaitForEnd(*temporary, 5s));
  EXPECT_EQ(temporary->Playing(), 0);

  // The plain "SoftMix" driver finds the same device.
  ASSERT_EQ(SelectAudioDriver(u"SoftMix"), 1);
  auto again = LoadSound(u"tone.ogg", 0)->Play(nullptr);
  ASSERT_TRUE(WaitForEnd(*again, 5s));
}

TEST_F(SoftMixDriverTest, ModeOneOpensTheFirstDeviceSDLListsByName) {
  ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
  TSoftMixAudioDriver firstListed(u"Test First Listed", 1);
  ASSERT_EQ(firstListed.Startup(), 1);
  auto sound = firstListed.CreateSound(TAudioSample::Create(2205, 22050, TAudioSample::FORMAT_STEREO8), 0);
  auto channel = sound->Play(nullptr);
  EXPECT_EQ(channel->Playing(), 1);
  EXPECT_TRUE(WaitForEnd(*channel, 5s));
  firstListed.Shutdown();
}

TEST_F(SoftMixDriverTest, WithoutAnyDeviceNullStaysAndEverySoundIsSilent) {
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-audio-system");
  ScopedTempDir dir;
  dir.Write("tone.ogg", EncodeOggVorbis(MakeTone(660, 0.5, 0.1, 22050, 1)));
  EXPECT_EQ(SelectAudioDriver(u"SoftMix Multimedia"), 0);
  EXPECT_EQ(SelectAudioDriver(u"SoftMix"), 0);
  EXPECT_EQ(CurrentAudioDriver().Name(), u"Null");
  auto sound = LoadSound(u"tone.ogg", 0);
  ASSERT_NE(sound, nullptr);
  auto channel = sound->Play(nullptr);
  ASSERT_NE(channel, nullptr);
  EXPECT_EQ(channel->Playing(), 0);
}

TEST_F(SoftMixDriverTest, EndingWhileASoundPlaysFadesOutWithoutAClick) {
  ScopedTempDir dir;
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", (dir.path() / "out.raw").string());
  dir.Write("long.ogg", EncodeOggVorbis(MakeTone(1000, 0.9, 3.0, 44100, 2)));
  ASSERT_EQ(SelectAudioDriver(u"SoftMix Multimedia"), 1);
  auto sound = LoadSound(u"long.ogg", 0);
  auto channel = sound->Play(nullptr);
  auto giveUp = std::chrono::steady_clock::now() + 5s;
  while (dynamic_cast<TSoftMixChannel&>(*channel).Position() < 4410 && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(5ms);
  }
  ASSERT_EQ(channel->Playing(), 1);
  ShutdownAudio();

  // The sound and channel outlive the driver: still safe to use, now silent.
  EXPECT_EQ(channel->Playing(), 0);
  sound->Play(channel);
  channel.reset();
  sound.reset();

  std::vector<int16_t> recording = ReadRecording((dir.path() / "out.raw").string());
  std::vector<TRecordedSound> sounds = FindSounds(recording);
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_GT(sounds[0].peak, 25000);
  EXPECT_LT(sounds[0].last - sounds[0].first, 44100);  // cut off long before its 3 seconds
  // A 1000 Hz tone at 0.9 moves at most 2 pi 1000 / 44100 * 29490 = 4200 per frame (a little more after lossy
  // coding); cutting it off at its peak would jump by 29000.
  EXPECT_LT(LargestStep(recording), 5000);
  for (size_t i = recording.size() - 2 * 512; i < recording.size(); i++) {
    ASSERT_EQ(recording[i], 0) << "the recording must end in silence";
  }
}

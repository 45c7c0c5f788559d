#include "media/audio/audio.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "media/core/data_limits.h"
#include "media/core/runtime_error.h"
#include "media/files/stream.h"
#include "support/temp_dir.h"

namespace {

// A driver whose output never starts, like a device that is not there.
class TDeadDriver : public TAudioDriver {
public:
  std::u16string Name() override { return u"Test Dead"; }
  int32_t Startup() override { return 0; }
};

// A driver that starts and counts its shut-downs.
class TLiveDriver : public TAudioDriver {
public:
  std::u16string Name() override { return u"Test Live"; }
  int32_t Startup() override {
    started++;
    return 1;
  }
  int32_t Shutdown() override {
    stopped++;
    return 0;
  }
  int started = 0;
  int stopped = 0;
};

TLiveDriver* RegisterTestDrivers() {
  static TLiveDriver* live = nullptr;
  if (live == nullptr) {
    RegisterAudioDriver(std::make_unique<TDeadDriver>());
    auto driver = std::make_unique<TLiveDriver>();
    live = driver.get();
    RegisterAudioDriver(std::move(driver));
  }
  return live;
}

// Reads one byte as a "sample" when the file starts with 'S'.
class TTestLoader : public TAudioSampleLoader {
public:
  std::shared_ptr<TAudioSample> LoadAudioSample(TStream& stream) override {
    if (stream.ReadByte() != 'S') {
      return nullptr;
    }
    stream.ReadInt();  // raises on a file cut short
    return TAudioSample::Create(4, 22050, TAudioSample::FORMAT_MONO16LE);
  }
};

}  // namespace

TEST(AudioDrivers, NamesAreFoundIgnoringCase) {
  RegisterTestDrivers();
  EXPECT_EQ(HasAudioDriver(u"Null"), 1);
  EXPECT_EQ(HasAudioDriver(u"NULL"), 1);
  EXPECT_EQ(HasAudioDriver(u"test live"), 1);
  EXPECT_EQ(HasAudioDriver(u"Test Liv"), 0);
  EXPECT_EQ(HasAudioDriver(u"SoftMix DirectSound"), 0);
}

TEST(AudioDrivers, SelectingShutsTheCurrentDownAndFallsBackToNull) {
  TLiveDriver* live = RegisterTestDrivers();
  EXPECT_EQ(SelectAudioDriver(u"TEST LIVE"), 1);
  EXPECT_EQ(&CurrentAudioDriver(), live);
  int stopped = live->stopped;
  EXPECT_EQ(SelectAudioDriver(u"Test Dead"), 0);  // cannot start
  EXPECT_EQ(live->stopped, stopped + 1);
  EXPECT_EQ(CurrentAudioDriver().Name(), u"Null");
  EXPECT_EQ(SelectAudioDriver(u"Test Live"), 1);
  EXPECT_EQ(SelectAudioDriver(u"No Such Driver"), 0);
  EXPECT_EQ(CurrentAudioDriver().Name(), u"Null");
  EXPECT_EQ(SelectAudioDriver(u"null"), 1);
}

TEST(AudioDrivers, TheNullDriverPlaysSilentlyAndLogsWhatWasAsked) {
  SelectAudioDriver(u"Null");
  NullAudioLog().Clear();
  auto sound = CurrentAudioDriver().CreateSound(TAudioSample::Create(10, 44100, TAudioSample::FORMAT_MONO8), 0);
  ASSERT_NE(sound, nullptr);
  auto temporary = sound->Play();
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(temporary->Playing(), 0);
  auto channel = AllocChannel();
  channel->SetVolume(0.3f);
  EXPECT_EQ(sound->Play(channel), channel);
  sound->Cue(channel);
  auto plays = NullAudioLog().Recent();
  ASSERT_EQ(plays.size(), 3u);
  EXPECT_EQ(plays[0].sound, sound.get());
  EXPECT_EQ(plays[0].volume, 1.0f);
  EXPECT_EQ(plays[1].volume, 0.3f);
  EXPECT_EQ(plays[2].cued, 1);
}

TEST(AudioDrivers, TheNullLogKeepsOnlyTheLatestPlays) {
  SelectAudioDriver(u"Null");
  NullAudioLog().Clear();
  auto sound = CurrentAudioDriver().CreateSound(nullptr, 0);
  for (int i = 0; i < TNullAudioLog::RECENT + 10; i++) {
    auto channel = AllocChannel();
    channel->SetVolume(static_cast<float>(i));
    sound->Play(channel);
  }
  EXPECT_EQ(NullAudioLog().Count(), TNullAudioLog::RECENT + 10);
  auto plays = NullAudioLog().Recent();
  ASSERT_EQ(plays.size(), static_cast<size_t>(TNullAudioLog::RECENT));
  EXPECT_EQ(plays.front().volume, 10.0f);
  EXPECT_EQ(plays.back().volume, static_cast<float>(TNullAudioLog::RECENT + 9));
}

TEST(AudioSamples, LoadThroughTheRegisteredLoadersOrGiveNull) {
  static bool added = false;
  if (!added) {
    AddAudioSampleLoader(std::make_shared<TTestLoader>());
    added = true;
  }
  ScopedTempDir dir;
  dir.Write("good.snd", "S1234");
  dir.Write("other.snd", "X1234");
  dir.Write("short.snd", "S12");
  SelectAudioDriver(u"Null");
  EXPECT_NE(LoadSound(u"good.snd", 0), nullptr);
  EXPECT_EQ(LoadSound(u"other.snd", 0), nullptr);
  EXPECT_EQ(LoadSound(u"short.snd", 0), nullptr);  // cut short: the loader's stream error means no sound
  EXPECT_EQ(LoadSound(u"missing.snd", 0), nullptr);
  // A sound file longer than any sound the game takes is not read, whatever its start holds.
  dir.Write("long.snd", "S1234");
  std::filesystem::resize_file(dir.path() / "long.snd", kSoundFileBytes);
  EXPECT_NE(LoadSound(u"long.snd", 0), nullptr);
  std::filesystem::resize_file(dir.path() / "long.snd", uintmax_t{kSoundFileBytes} + 1);
  EXPECT_EQ(LoadSound(u"long.snd", 0), nullptr);
}

TEST(AudioSamples, AreMadeInTheSixFormats) {
  EXPECT_EQ(TAudioSample::BytesPerFrame(TAudioSample::FORMAT_MONO8), 1);
  EXPECT_EQ(TAudioSample::BytesPerFrame(TAudioSample::FORMAT_MONO16BE), 2);
  EXPECT_EQ(TAudioSample::BytesPerFrame(TAudioSample::FORMAT_STEREO8), 2);
  EXPECT_EQ(TAudioSample::BytesPerFrame(TAudioSample::FORMAT_STEREO16LE), 4);
  auto sample = TAudioSample::Create(100, 22050, TAudioSample::FORMAT_STEREO16BE);
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(sample->capacity, 400);
  EXPECT_EQ(sample->samples[399], 0);
  EXPECT_EQ(TAudioSample::Create(10, 44100, 7), nullptr);
  EXPECT_EQ(TAudioSample::Create(-1, 44100, 1), nullptr);
  EXPECT_EQ(TAudioSample::Create(INT32_MAX, 44100, TAudioSample::FORMAT_STEREO16LE), nullptr);
}

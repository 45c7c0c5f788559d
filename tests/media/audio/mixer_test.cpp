#include "media/audio/mixer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Mixing well after the request: the start delay has passed and voices start on the fragment's first frame.
constexpr int32_t kRequest = 1000;
constexpr int32_t kLater = kRequest + TMixer::START_DELAY_MILLIS;

std::shared_ptr<const TMixSound> Sound(const std::vector<int16_t>& values, int32_t hertz, int32_t channels,
                                       bool loop = false) {
  auto frames = static_cast<int32_t>(values.size()) / channels;
  auto sample = TAudioSample::Create(frames, hertz,
                                     channels == 1 ? TAudioSample::FORMAT_MONO16LE : TAudioSample::FORMAT_STEREO16LE);
  for (size_t i = 0; i < values.size(); i++) {
    auto bits = static_cast<uint16_t>(values[i]);
    sample->samples[2 * i] = static_cast<uint8_t>(bits);
    sample->samples[2 * i + 1] = static_cast<uint8_t>(bits >> 8);
  }
  return TMixSound::Create(*sample, loop);
}

std::shared_ptr<const TMixSound> Constant(int16_t value, int32_t frames) {
  return Sound(std::vector<int16_t>(static_cast<size_t>(frames), value), 44100, 1);
}

// values[k] = k * rise: a ramp whose neighbours' midpoints are whole numbers.
std::vector<int16_t> Ramp(int32_t frames, int32_t rise = 64) {
  std::vector<int16_t> values;
  for (int32_t k = 0; k < frames; k++) {
    values.push_back(static_cast<int16_t>(k * rise));
  }
  return values;
}

struct Fragment {
  std::vector<int16_t> values = std::vector<int16_t>(TMixer::FRAGMENT_VALUES);
  int16_t Left(int32_t frame) const { return values[static_cast<size_t>(2 * frame)]; }
  int16_t Right(int32_t frame) const { return values[static_cast<size_t>(2 * frame + 1)]; }
  bool Silent() const {
    for (int16_t v : values) {
      if (v != 0) {
        return false;
      }
    }
    return true;
  }
};

Fragment Mix(TMixer& mixer, int32_t now = kLater) {
  Fragment fragment;
  mixer.MixFragment(fragment.values.data(), now);
  return fragment;
}

}  // namespace

TEST(Mixer, AHalfRateMonoSoundStepsHalfASampleAndLastsAsLongAsRecorded) {
  TMixer mixer;
  std::vector<int16_t> ramp = Ramp(512);
  uint32_t channel = mixer.AllocChannel();
  mixer.Play(channel, Sound(ramp, 22050, 1), false, kRequest);
  for (int32_t f = 0; f < 2; f++) {
    Fragment fragment = Mix(mixer);
    for (int32_t i = 0; i < TMixer::FRAGMENT_FRAMES; i++) {
      int32_t frame = f * TMixer::FRAGMENT_FRAMES + i;
      size_t k = static_cast<size_t>(frame / 2);
      // Full volume, centre: the output is the source itself, on even frames a sample, on odd ones the midpoint
      // (the last one halfway into the silence after the end).
      int32_t next = k + 1 < ramp.size() ? ramp[k + 1] : 0;
      int32_t expected = frame % 2 == 0 ? ramp[k] : (ramp[k] + next) / 2;
      ASSERT_EQ(fragment.Left(i), expected) << "frame " << frame;
      ASSERT_EQ(fragment.Right(i), expected) << "frame " << frame;
    }
    EXPECT_EQ(mixer.Playing(channel), f == 0 ? 1 : 0);
  }
  EXPECT_EQ(mixer.Position(channel), 512);
  EXPECT_TRUE(Mix(mixer).Silent());
}

TEST(Mixer, AVolumeSetBeforePlayAppliesFromTheFirstFrame) {
  TMixer mixer;
  uint32_t channel = mixer.AllocChannel();
  mixer.SetVolume(channel, 0.5f);
  mixer.Play(channel, Constant(10000, 2000), false, kRequest);
  Fragment fragment = Mix(mixer);
  EXPECT_EQ(fragment.Left(0), 5000);
  EXPECT_EQ(fragment.Right(0), 5000);
  EXPECT_EQ(fragment.Left(511), 5000);
}

TEST(Mixer, LoudSumsSaturateInsteadOfWrapping) {
  TMixer mixer;
  for (int16_t value : {30000, 30000, -30000, -30000, -30000}) {
    // Sums beyond the 16-bit range on the way are kept whole: only the final sum is held at the ends.
    mixer.Play(mixer.AllocChannel(), Constant(value, 100), false, kRequest);
  }
  Fragment fragment = Mix(mixer);
  EXPECT_EQ(fragment.Left(0), -30000);

  TMixer peaks;
  peaks.Play(peaks.AllocChannel(), Constant(30000, 100), false, kRequest);
  peaks.Play(peaks.AllocChannel(), Constant(30000, 100), false, kRequest);
  EXPECT_EQ(Mix(peaks).Left(50), 32767);
  TMixer troughs;
  troughs.Play(troughs.AllocChannel(), Constant(-30000, 100), false, kRequest);
  troughs.Play(troughs.AllocChannel(), Constant(-30000, 100), false, kRequest);
  EXPECT_EQ(Mix(troughs).Right(50), -32768);
}

TEST(Mixer, PanTurnsTheFarSideDownAndNegativeDepthInvertsTheRight) {
  TMixer mixer;
  uint32_t right = mixer.AllocChannel();
  mixer.SetPan(right, 0.5f);
  mixer.Play(right, Constant(10000, 600), false, kRequest);
  Fragment fragment = Mix(mixer);
  EXPECT_EQ(fragment.Left(10), 5000);
  EXPECT_EQ(fragment.Right(10), 10000);

  mixer.SetPan(right, -0.25f);
  mixer.SetDepth(right, -1.0f);
  fragment = Mix(mixer);
  EXPECT_EQ(fragment.Left(10), 10000);
  EXPECT_EQ(fragment.Right(10), -7500);

  // A sound and the same sound inverted cancel exactly, whatever the volume.
  TMixer cancel;
  for (float depth : {0.0f, -1.0f}) {
    uint32_t channel = cancel.AllocChannel();
    cancel.SetVolume(channel, 0.3f);
    cancel.SetPan(channel, -0.4f);
    cancel.SetDepth(channel, depth);
    cancel.Play(channel, Sound(Ramp(512, 61), 44100, 1), false, kRequest);
  }
  fragment = Mix(cancel);
  for (int32_t i = 0; i < TMixer::FRAGMENT_FRAMES; i++) {
    ASSERT_EQ(fragment.Right(i), 0) << i;
  }

  // A stereo source keeps its sides apart.
  TMixer stereo;
  stereo.Play(stereo.AllocChannel(), Sound({1000, -2000, 1000, -2000}, 44100, 2), false, kRequest);
  fragment = Mix(stereo);
  EXPECT_EQ(fragment.Left(1), 1000);
  EXPECT_EQ(fragment.Right(1), -2000);
}

TEST(Mixer, SoundsStartTwentyMillisecondsAfterTheirPlayRequest) {
  TMixer mixer;
  mixer.Play(mixer.AllocChannel(), Constant(8000, 5000), false, kRequest);
  // Mixed 5 ms after the request: 15 ms (661 frames) still to wait, more than the first fragment.
  EXPECT_TRUE(Mix(mixer, kRequest + 5).Silent());
  Fragment fragment = Mix(mixer, kRequest + 17);
  int32_t start = 661 - TMixer::FRAGMENT_FRAMES;
  EXPECT_EQ(fragment.Left(start - 1), 0);
  EXPECT_EQ(fragment.Left(start), 8000);

  // Taken late, here with the clock wrapping round in between: no wait at all.
  TMixer late;
  late.Play(late.AllocChannel(), Constant(8000, 5000), false, INT32_MAX - 5);
  EXPECT_EQ(Mix(late, INT32_MIN + 30).Left(0), 8000);
}

TEST(Mixer, AStaleHandleDoesNothing) {
  TMixer mixer;
  uint32_t stale = mixer.AllocChannel();
  mixer.FreeChannel(stale);
  uint32_t fresh = mixer.AllocChannel();
  ASSERT_EQ(fresh & (TMixer::SLOTS - 1), stale & (TMixer::SLOTS - 1));  // the same slot, handed out again
  ASSERT_NE(fresh, stale);
  mixer.SetVolume(stale, 0.25f);
  mixer.Play(fresh, Constant(4000, 2000), false, kRequest);
  mixer.Play(stale, Constant(-4000, 2000), false, kRequest);
  mixer.StopChannel(stale);
  mixer.FreeChannel(stale);
  mixer.SetPaused(stale, 1);
  mixer.FreeChannel(0);
  EXPECT_EQ(Mix(mixer).Left(100), 4000);
  EXPECT_EQ(mixer.Playing(fresh), 1);
  EXPECT_EQ(mixer.Playing(stale), 0);
}

TEST(Mixer, VolumeAndRateChangesRampAcrossTheNextFragment) {
  TMixer mixer;
  uint32_t channel = mixer.AllocChannel();
  mixer.Play(channel, Constant(16000, 44100), false, kRequest);
  EXPECT_EQ(Mix(mixer).Left(511), 16000);
  mixer.SetVolume(channel, 0.0f);
  Fragment fading = Mix(mixer);
  EXPECT_EQ(fading.Left(0), 16000);
  EXPECT_EQ(fading.Left(256), 8000);  // halfway
  for (int32_t i = 1; i < TMixer::FRAGMENT_FRAMES; i++) {
    ASSERT_LE(fading.Left(i), fading.Left(i - 1));
  }
  EXPECT_LT(fading.Left(511), 40);
  EXPECT_TRUE(Mix(mixer).Silent());
  EXPECT_EQ(mixer.Playing(channel), 1);  // silent, not finished

  // Rate 1 to 2 across a fragment: on average 1.5 frames per frame.
  int32_t before = mixer.Position(channel);
  mixer.SetRate(channel, 2.0f);
  Mix(mixer);
  EXPECT_NEAR(mixer.Position(channel) - before, 768, 1);
  Mix(mixer);
  EXPECT_NEAR(mixer.Position(channel) - before, 768 + 1024, 1);
}

TEST(Mixer, ALoopingSoundWrapsRoundAndAnyOtherEnds) {
  TMixer mixer;
  std::vector<int16_t> ramp = Ramp(100);
  uint32_t looping = mixer.AllocChannel();
  mixer.Play(looping, Sound(ramp, 44100, 1, true), false, kRequest);
  uint32_t once = mixer.AllocChannel();
  mixer.SetPan(once, 1.0f);  // right side only, so the left shows the looping sound alone
  mixer.Play(once, Sound(std::vector<int16_t>(100, 1600), 44100, 1), false, kRequest);
  for (int32_t f = 0; f < 3; f++) {
    Fragment fragment = Mix(mixer);
    for (int32_t i = 0; i < TMixer::FRAGMENT_FRAMES; i++) {
      int32_t frame = f * TMixer::FRAGMENT_FRAMES + i;
      ASSERT_EQ(fragment.Left(i), ramp[static_cast<size_t>(frame % 100)]) << "frame " << frame;
      ASSERT_EQ(fragment.Right(i), ramp[static_cast<size_t>(frame % 100)] + (frame < 100 ? 1600 : 0));
    }
  }
  EXPECT_EQ(mixer.Playing(looping), 1);
  EXPECT_EQ(mixer.Playing(once), 0);
}

TEST(Mixer, CueStartsPausedAndPausingKeepsThePlace) {
  TMixer mixer;
  uint32_t channel = mixer.AllocChannel();
  mixer.Play(channel, Sound(Ramp(2000, 8), 44100, 1), true, kRequest);
  EXPECT_EQ(mixer.Playing(channel), 0);
  EXPECT_TRUE(Mix(mixer).Silent());
  mixer.SetPaused(channel, 0);
  EXPECT_EQ(mixer.Playing(channel), 1);
  EXPECT_EQ(Mix(mixer).Left(3), 3 * 8);
  mixer.SetPaused(channel, 1);
  EXPECT_TRUE(Mix(mixer).Silent());
  mixer.SetPaused(channel, 0);
  EXPECT_EQ(Mix(mixer).Left(3), (512 + 3) * 8);
}

TEST(Mixer, ANewSoundOnAChannelEndsTheOldOneAndStopSpendsTheChannel) {
  TMixer mixer;
  uint32_t channel = mixer.AllocChannel();
  mixer.SetVolume(channel, 0.5f);
  mixer.Play(channel, Constant(2000, 5000), false, kRequest);
  Mix(mixer);
  mixer.Play(channel, Constant(-6000, 5000), false, kRequest);
  EXPECT_EQ(Mix(mixer).Left(0), -3000);  // only the new one, at the channel's volume

  mixer.StopChannel(channel);
  EXPECT_EQ(mixer.Playing(channel), 0);
  EXPECT_TRUE(Mix(mixer).Silent());
  mixer.Play(channel, Constant(2000, 5000), false, kRequest);
  EXPECT_TRUE(Mix(mixer).Silent());
}

TEST(Mixer, FinishedVoicesAndTemporaryChannelsAreReused) {
  TMixer mixer;
  auto blip = Constant(100, 50);
  uint32_t kept = mixer.AllocChannel();
  for (int32_t i = 0; i < 20000; i++) {
    uint32_t temporary = mixer.AllocChannel(true);
    ASSERT_NE(temporary, 0u) << "slots leak after " << i << " sounds";
    mixer.Play(temporary, blip, false, kRequest);
    mixer.Play(kept, blip, false, kRequest);
    if (i % 8 == 7) {
      Mix(mixer);
    }
  }
  Mix(mixer);
  EXPECT_LE(mixer.VoiceObjects(), 32);
  // Every temporary channel went back by itself: all but the kept one can be allocated again.
  for (uint32_t i = 1; i < TMixer::SLOTS - 1; i++) {
    ASSERT_NE(mixer.AllocChannel(), 0u) << i;
  }
  EXPECT_EQ(mixer.AllocChannel(), 0u);
}

TEST(Mixer, ATemporaryChannelWhoseSoundFindsNoRoomIsGivenBack) {
  TMixer mixer;
  auto blip = Constant(100, 50);
  // A mixer that does not run: every new sound on the kept channel waits in the queue, the old ones too.
  uint32_t kept = mixer.AllocChannel();
  for (int32_t i = 0; i < 4096; i++) {
    mixer.Play(kept, blip, false, kRequest);
  }
  for (int32_t i = 0; i < 10; i++) {
    uint32_t temporary = mixer.AllocChannel(true);
    ASSERT_NE(temporary, 0u);
    mixer.Play(temporary, blip, false, kRequest);  // no room: not heard
    EXPECT_EQ(mixer.Playing(temporary), 0);
  }
  // The ten temporary channels ended with their sounds: all slots but the kept one can be had.
  for (uint32_t i = 1; i < TMixer::SLOTS - 1; i++) {
    ASSERT_NE(mixer.AllocChannel(), 0u) << i;
  }
  EXPECT_EQ(mixer.AllocChannel(), 0u);
}

TEST(Mixer, FadingOutEndsEverythingWithinOneFragment) {
  TMixer mixer;
  uint32_t channel = mixer.AllocChannel();
  mixer.Play(channel, Constant(20000, 44100), false, kRequest);
  Mix(mixer);
  mixer.FadeOut();
  Fragment fade = Mix(mixer);
  EXPECT_EQ(fade.Left(0), 20000);
  EXPECT_LT(fade.Left(511), 100);
  EXPECT_EQ(mixer.Playing(channel), 0);
  mixer.Play(mixer.AllocChannel(), Constant(20000, 44100), false, kRequest);
  EXPECT_TRUE(Mix(mixer).Silent());
  EXPECT_EQ(mixer.FragmentsSinceFade(), 1);
}

TEST(MixSound, CopiesEveryFormatAsSigned16BitValues) {
  auto sample = TAudioSample::Create(2, 11025, TAudioSample::FORMAT_STEREO8);
  const uint8_t unsigned8[] = {255, 0, 128, 129};
  std::copy(std::begin(unsigned8), std::end(unsigned8), sample->samples);
  auto sound = TMixSound::Create(*sample, false);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->channels, 2);
  EXPECT_EQ(std::vector<int16_t>(sound->Frames(), sound->Frames() + 6),
            (std::vector<int16_t>{32512, -32768, 0, 256, 0, 0}));  // and a silent guard frame

  sample = TAudioSample::Create(2, 11025, TAudioSample::FORMAT_MONO16BE);
  const uint8_t bigEndian[] = {0x12, 0x34, 0xFF, 0xFE};
  std::copy(std::begin(bigEndian), std::end(bigEndian), sample->samples);
  sound = TMixSound::Create(*sample, true);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(std::vector<int16_t>(sound->Frames(), sound->Frames() + 3),
            (std::vector<int16_t>{0x1234, -2, 0x1234}));  // a looping sound's guard is its first frame

  sample->hertz = 0;
  EXPECT_EQ(TMixSound::Create(*sample, false), nullptr);
}

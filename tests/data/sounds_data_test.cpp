// Every sound effect decodes as Ogg Vorbis at 44100 Hz and starts and ends without a click. The game mixes its
// sounds by plain addition into 16 bits, so each peaks at most at half of full scale; their loudness (the RMS of
// the loudest 50 ms) is balanced: the hard hit is the loudest, but no more than a few dB above the menu, and the
// fight sounds are short and grow in weight from the miss to the hard hit.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "data/data_files.h"

namespace {

struct Decoded {
  bool ok = false;
  long rate = 0;
  int channels = 0;
  std::vector<int16_t> samples;  // interleaved
  double Seconds() const { return channels == 0 ? 0 : static_cast<double>(samples.size()) / channels / rate; }
  int Peak() const {
    int peak = 0;
    for (int16_t s : samples) {
      peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
  }
  // dB of full scale: the RMS of the loudest 50 ms (of the whole sound, when shorter).
  double Loudness() const {
    if (samples.empty()) {
      return -999;
    }
    size_t window = std::min(samples.size(), static_cast<size_t>(rate / 20 * channels));
    double sum = 0, loudest = 0;
    for (size_t i = 0; i < samples.size(); i++) {
      sum += static_cast<double>(samples[i]) * samples[i];
      if (i >= window) {
        sum -= static_cast<double>(samples[i - window]) * samples[i - window];
      }
      loudest = std::max(loudest, sum);
    }
    return 10 * std::log10(loudest / static_cast<double>(window) / (32768.0 * 32768.0));
  }
};

constexpr int HALF_SCALE = 16384;

Decoded Decode(const std::string& name) {
  Decoded d;
  OggVorbis_File file;
  std::string path = DataPath("sfx/" + name + ".ogg");
  if (ov_fopen(path.c_str(), &file) != 0) {
    return d;
  }
  vorbis_info* info = ov_info(&file, -1);
  d.rate = info->rate;
  d.channels = info->channels;
  alignas(int16_t) char buffer[4096];
  int section = 0;
  long got;
  while ((got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section)) > 0) {
    const int16_t* pcm = reinterpret_cast<const int16_t*>(buffer);
    d.samples.insert(d.samples.end(), pcm, pcm + got / 2);
  }
  d.ok = got == 0;
  ov_clear(&file);
  return d;
}

const char* const KINDS[5] = {"woosh", "block", "punchw", "punchm", "punchh"};

std::vector<std::string> AllSoundNames() {
  std::vector<std::string> names;
  for (int i = 0; i < 8; i++) {
    names.push_back("sfx" + std::to_string(i));
  }
  for (const char* kind : KINDS) {
    for (int v = 0; v < 4; v++) {
      names.push_back(kind + std::to_string(v));
    }
  }
  return names;
}

}  // namespace

TEST(SoundFiles, EveryEffectDecodesAt44100HzAndStartsAndEndsWithoutAClick) {
  for (const std::string& name : AllSoundNames()) {
    Decoded d = Decode(name);
    ASSERT_TRUE(d.ok) << name;
    EXPECT_EQ(d.rate, 44100) << name;
    EXPECT_TRUE(d.channels == 1 || d.channels == 2) << name;
    EXPECT_GT(d.Seconds(), 0.02) << name;
    // Silent at both ends: a sound cut off mid-wave clicks.
    EXPECT_LT(std::abs(d.samples.front()), 1500) << name;
    EXPECT_LT(std::abs(d.samples.back()), 300) << name;
  }
}

TEST(SoundFiles, EveryEffectPeaksAtHalfOfFullScaleAtMostSoThatAnyTwoTogetherDoNotClip) {
  int loudest = 0, second = 0;
  for (const std::string& name : AllSoundNames()) {
    Decoded d = Decode(name);
    ASSERT_TRUE(d.ok) << name;
    EXPECT_LE(d.Peak(), HALF_SCALE) << name;
    // Heard at the game's volumes, and not pushed hot.
    EXPECT_GT(d.Loudness(), -26) << name;
    EXPECT_LT(d.Loudness(), -12) << name;
    second = std::max(second, std::min(loudest, d.Peak()));
    loudest = std::max(loudest, d.Peak());
  }
  EXPECT_LT(loudest + second, 32767) << "the two highest peaks together reach full scale";
}

TEST(SoundFiles, TheHardHitIsTheLoudestEffectButAFightIsNoLouderThanTheMenuByMoreThanAFewDb) {
  double hardest = -999, quietestHard = 0, loudestOther = -999, menu = -999;
  for (const std::string& name : AllSoundNames()) {
    Decoded d = Decode(name);
    ASSERT_TRUE(d.ok) << name;
    if (name.starts_with("punchh")) {
      hardest = std::max(hardest, d.Loudness());
      quietestHard = std::min(quietestHard, d.Loudness());
    } else {
      loudestOther = std::max(loudestOther, d.Loudness());
    }
    if (name == "sfx0" || name == "sfx1") {
      menu = std::max(menu, d.Loudness());
    }
  }
  EXPECT_GT(quietestHard, loudestOther);
  EXPECT_LE(hardest, menu + 4.0);
}

TEST(SoundFiles, FightSoundsAreShortDistinctAndRiseInWeightFromMissToHardHit) {
  double previous = -999;
  for (const char* kind : KINDS) {
    double loudness = 0;
    std::vector<std::vector<int16_t>> variants;
    for (int v = 0; v < 4; v++) {
      Decoded d = Decode(kind + std::to_string(v));
      ASSERT_TRUE(d.ok) << kind << v;
      // The game fires these in quick succession.
      EXPECT_LE(d.Seconds(), 0.4) << kind << v;
      loudness += d.Loudness() / 4;
      for (const auto& other : variants) {
        EXPECT_NE(other, d.samples) << kind << v << " repeats another variant";
      }
      variants.push_back(d.samples);
    }
    EXPECT_GT(loudness, previous + 1.0) << kind << " is not louder than the kind before it";
    previous = loudness;
  }
}

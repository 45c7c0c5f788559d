// Every sound effect decodes as Ogg Vorbis at 44100 Hz, is peak-normalised without clipping, starts and ends
// without a click, and the fight sounds are short and grow in weight from the miss to the hard hit.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

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
  double Rms() const {
    double sum = 0;
    for (int16_t s : samples) {
      sum += static_cast<double>(s) * s;
    }
    return samples.empty() ? 0 : std::sqrt(sum / samples.size());
  }
};

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

TEST(SoundFiles, EveryEffectDecodesAt44100HzNormalisedWithoutClippingOrClicks) {
  for (const std::string& name : AllSoundNames()) {
    Decoded d = Decode(name);
    ASSERT_TRUE(d.ok) << name;
    EXPECT_EQ(d.rate, 44100) << name;
    EXPECT_TRUE(d.channels == 1 || d.channels == 2) << name;
    EXPECT_GT(d.Seconds(), 0.02) << name;
    // Loud enough to be heard at the game's volumes, and below full scale after decoding.
    EXPECT_GT(d.Peak(), 9000) << name;
    EXPECT_LT(d.Peak(), 32000) << name;
    // Silent at both ends: a sound cut off mid-wave clicks.
    EXPECT_LT(std::abs(d.samples.front()), 1500) << name;
    EXPECT_LT(std::abs(d.samples.back()), 300) << name;
  }
}

TEST(SoundFiles, FightSoundsAreShortDistinctAndRiseInWeightFromMissToHardHit) {
  double previousRms = 0;
  for (const char* kind : KINDS) {
    double rms = 0;
    std::vector<std::vector<int16_t>> variants;
    for (int v = 0; v < 4; v++) {
      Decoded d = Decode(kind + std::to_string(v));
      ASSERT_TRUE(d.ok) << kind << v;
      // The game fires these in quick succession.
      EXPECT_LE(d.Seconds(), 0.4) << kind << v;
      rms += d.Rms() / 4;
      for (const auto& other : variants) {
        EXPECT_NE(other, d.samples) << kind << v << " repeats another variant";
      }
      variants.push_back(d.samples);
    }
    EXPECT_GT(rms, previousRms * 1.15) << kind << " is not heavier than the kind before it";
    previousRms = rms;
  }
}

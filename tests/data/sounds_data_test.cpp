// Every sound effect decodes as Ogg Vorbis at 44100 Hz and starts and ends without a click. The game mixes its
// sounds by plain addition into 16 bits, so each peaks at most at the generator's ceiling; the fight sounds are
// short and grow in weight from the miss to the hard hit, by loudness (the RMS of the loudest 50 ms) and by peak,
// and the menu's sounds peak well below the hard hit.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "../../tools/assets/sound_levels.h"
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

// Vorbis encoding moves a peak by a little: what the generator mastered to 0.45 decodes within 1 % of it.
constexpr double kCodingTolerance = 1.01;

double Db(double fraction) {
  return 20 * std::log10(fraction);
}

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

TEST(SoundFiles, EveryEffectPeaksWithinTheGeneratorsCeilingAndIsHeardAtTheGamesVolumes) {
  for (const std::string& name : AllSoundNames()) {
    Decoded d = Decode(name);
    ASSERT_TRUE(d.ok) << name;
    EXPECT_LE(d.Peak(), PEAK_CEILING * kCodingTolerance * 32768) << name;
    // Heard at the game's volumes, and not pushed hot.
    EXPECT_GT(d.Loudness(), -26) << name;
    EXPECT_LT(d.Loudness(), -12) << name;
  }
}

TEST(SoundFiles, TheMenusSoundsPeakAtLeastThreeDbBelowEveryHardHit) {
  double quietestHardHit = 0;
  for (int v = 0; v < 4; v++) {
    Decoded d = Decode("punchh" + std::to_string(v));
    ASSERT_TRUE(d.ok);
    quietestHardHit = std::min(quietestHardHit, Db(d.Peak() / 32768.0));
  }
  for (const char* menu : {"sfx0", "sfx1"}) {
    Decoded d = Decode(menu);
    ASSERT_TRUE(d.ok) << menu;
    EXPECT_LE(Db(d.Peak() / 32768.0), quietestHardHit - MENU_BELOW_HARD_HIT_DB) << menu;
  }
}

TEST(SoundFiles, FightSoundsAreShortDistinctAndRiseInWeightFromMissToHardHitByLoudnessAndByPeak) {
  // Each kind's quietest variant is above the lighter kind's loudest, so whichever variants a fight draws, a
  // heavier punch never sounds lighter.
  double lighterLoudest = -999, lighterHighest = 0;
  for (const char* kind : KINDS) {
    double quietest = 0, lowest = 32768, loudest = -999, highest = 0;
    std::vector<std::vector<int16_t>> variants;
    for (int v = 0; v < 4; v++) {
      Decoded d = Decode(kind + std::to_string(v));
      ASSERT_TRUE(d.ok) << kind << v;
      // The game fires these in quick succession.
      EXPECT_LE(d.Seconds(), 0.4) << kind << v;
      quietest = std::min(quietest, d.Loudness());
      loudest = std::max(loudest, d.Loudness());
      lowest = std::min<double>(lowest, d.Peak());
      highest = std::max<double>(highest, d.Peak());
      for (const auto& other : variants) {
        EXPECT_NE(other, d.samples) << kind << v << " repeats another variant";
      }
      variants.push_back(d.samples);
    }
    EXPECT_GT(quietest, lighterLoudest + 1.0) << kind << " is not louder than the kind before it";
    EXPECT_GT(lowest, lighterHighest) << kind << " does not peak above the kind before it";
    lighterLoudest = loudest;
    lighterHighest = highest;
  }
}

TEST(SoundFiles, TheHardHitIsTheLoudestEffect) {
  double quietestHard = 0, loudestOther = -999;
  for (const std::string& name : AllSoundNames()) {
    Decoded d = Decode(name);
    ASSERT_TRUE(d.ok) << name;
    if (name.starts_with("punchh")) {
      quietestHard = std::min(quietestHard, d.Loudness());
    } else {
      loudestOther = std::max(loudestOther, d.Loudness());
    }
  }
  EXPECT_GT(quietestHard, loudestOther);
}

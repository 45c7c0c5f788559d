#include "support/pcm_recording.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr int32_t kHertz = 44100;
constexpr int32_t kWindow = kHertz / 100;

double WindowRms(const std::vector<int16_t>& values, int32_t window) {
  double sum = 0;
  for (int32_t i = window * kWindow * 2; i < (window + 1) * kWindow * 2; i++) {
    sum += static_cast<double>(values[static_cast<size_t>(i)]) * values[static_cast<size_t>(i)];
  }
  return std::sqrt(sum / (2 * kWindow));
}

TRecordedSound Measure(const std::vector<int16_t>& values, int32_t first, int32_t last) {
  TRecordedSound sound{first, last, 0, 0};
  int32_t crossings = 0;
  int32_t firstCrossing = 0;
  int32_t lastCrossing = 0;
  for (int32_t frame = first; frame <= last; frame++) {
    auto at = static_cast<size_t>(2 * frame);
    sound.peak = std::max({sound.peak, std::abs(int32_t{values[at]}), std::abs(int32_t{values[at + 1]})});
    if (frame > first && values[at - 2] < 0 && values[at] >= 0) {
      firstCrossing = crossings == 0 ? frame : firstCrossing;
      lastCrossing = frame;
      crossings++;
    }
  }
  // Whole periods between the first and the last crossing, so the quiet edges of the sound do not count.
  if (crossings > 1) {
    sound.crossingsPerSecond = (crossings - 1) * static_cast<double>(kHertz) / (lastCrossing - firstCrossing);
  }
  return sound;
}

}  // namespace

std::vector<int16_t> ReadRecording(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> values(bytes.size() / 2);
  for (size_t i = 0; i < values.size(); i++) {
    values[i] = static_cast<int16_t>(
        static_cast<uint16_t>(static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8)));
  }
  values.resize(values.size() / 2 * 2);
  return values;
}

std::vector<TRecordedSound> FindSounds(const std::vector<int16_t>& values, double quietRms, int32_t gapMillis) {
  std::vector<TRecordedSound> sounds;
  auto windows = static_cast<int32_t>(values.size() / 2 / kWindow);
  int32_t start = -1;
  int32_t lastLoud = -1;
  for (int32_t w = 0; w <= windows; w++) {
    bool loud = w < windows && WindowRms(values, w) >= quietRms;
    if (loud) {
      if (start < 0) {
        start = w;
      }
      lastLoud = w;
    } else if (start >= 0 && (w == windows || (w - lastLoud) * 10 >= gapMillis)) {
      sounds.push_back(Measure(values, start * kWindow, (lastLoud + 1) * kWindow - 1));
      start = -1;
    }
  }
  return sounds;
}

int32_t LargestStep(const std::vector<int16_t>& values) {
  int32_t largest = 0;
  for (size_t i = 2; i < values.size(); i++) {
    largest = std::max(largest, std::abs(values[i] - values[i - 2]));
  }
  return largest;
}

TClipping MeasureClipping(const std::vector<int16_t>& values) {
  TClipping result;
  int32_t run = 0;
  for (size_t frame = 0; frame + 1 < values.size(); frame += 2) {
    bool clipped = false;
    for (int32_t value : {int32_t{values[frame]}, int32_t{values[frame + 1]}}) {
      result.peak = std::max(result.peak, std::abs(value));
      if (value == 32767 || value == -32768) {
        result.clipped++;
        clipped = true;
      }
    }
    run = clipped ? run + 1 : 0;
    result.longestRun = std::max(result.longestRun, run);
  }
  return result;
}

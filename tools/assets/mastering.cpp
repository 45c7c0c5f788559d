// Loudness over a sliding window of squares, kept as a running sum.
#include "mastering.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t LOUDNESS_WINDOW = RATE / 20;  // 50 ms

}  // namespace

double Loudness(const Buffer& b) {
  std::size_t window = std::min(LOUDNESS_WINDOW, b.size());
  if (window == 0) {
    return -INFINITY;
  }
  double sum = 0, loudest = 0;
  for (std::size_t i = 0; i < b.size(); i++) {
    sum += static_cast<double>(b[i]) * b[i];
    if (i >= window) {
      sum -= static_cast<double>(b[i - window]) * b[i - window];
    }
    loudest = std::max(loudest, sum);
  }
  return 10 * std::log10(loudest / static_cast<double>(window));
}

double Peak(const Buffer& b) {
  float most = 0;
  for (float v : b) {
    most = std::max(most, std::fabs(v));
  }
  return most;
}

void LevelTo(Buffer& b, double loudnessDb) {
  double gain = std::pow(10.0, (loudnessDb - Loudness(b)) / 20);
  for (float& v : b) {
    v = static_cast<float>(v * gain);
  }
}

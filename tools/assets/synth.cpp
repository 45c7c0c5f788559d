// The synthesiser's building blocks. Filters are the classic one-pole and two-pole recursions; the bell's
// partials are those of a small struck bell (a minor-third and a tierce above its hum), not of a string.
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace {

std::size_t Frames(double seconds) {
  return static_cast<std::size_t>(std::lround(seconds * RATE));
}

double Glide(double from, double to, double t) {
  return from * std::pow(to / from, t);
}

}  // namespace

Buffer Silence(double seconds) {
  return Buffer(Frames(seconds), 0.0f);
}

Buffer Noise(double seconds, uint32_t seed) {
  Buffer b(Frames(seconds));
  uint32_t s = seed == 0 ? 1 : seed;
  for (float& v : b) {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    v = static_cast<float>((s >> 8) / 8388608.0 - 1.0);
  }
  return b;
}

void LowPass(Buffer& b, double fromHz, double toHz) {
  double y = 0;
  for (std::size_t i = 0; i < b.size(); i++) {
    double hz = Glide(fromHz, toHz, static_cast<double>(i) / b.size());
    double a = 1 - std::exp(-2 * M_PI * hz / RATE);
    y += a * (b[i] - y);
    b[i] = static_cast<float>(y);
  }
}

void HighPass(Buffer& b, double hz) {
  double a = std::exp(-2 * M_PI * hz / RATE), y = 0, x0 = 0;
  for (float& v : b) {
    y = a * (y + v - x0);
    x0 = v;
    v = static_cast<float>(y);
  }
}

void BandPass(Buffer& b, double fromHz, double toHz, double q) {
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (std::size_t i = 0; i < b.size(); i++) {
    double hz = Glide(fromHz, toHz, static_cast<double>(i) / b.size());
    double w = 2 * M_PI * hz / RATE, alpha = std::sin(w) / (2 * q);
    double a0 = 1 + alpha;
    double x = b[i];
    double y = (alpha * x - alpha * x2 - (-2 * std::cos(w)) * y1 - (1 - alpha) * y2) / a0;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    b[i] = static_cast<float>(y);
  }
}

void Envelope(Buffer& b, double attack, double decay) {
  for (std::size_t i = 0; i < b.size(); i++) {
    double t = static_cast<double>(i) / RATE;
    double e = t < attack ? t / attack : std::exp(-(t - attack) / decay);
    b[i] = static_cast<float>(b[i] * e);
  }
}

void Hump(Buffer& b, double power) {
  for (std::size_t i = 0; i < b.size(); i++) {
    b[i] = static_cast<float>(b[i] * std::pow(std::sin(M_PI * i / b.size()), power));
  }
}

void FadeEnds(Buffer& b, double inMs, double outMs) {
  std::size_t in = std::min(b.size(), Frames(inMs / 1000)), out = std::min(b.size(), Frames(outMs / 1000));
  for (std::size_t i = 0; i < in; i++) {
    b[i] = static_cast<float>(b[i] * static_cast<double>(i) / in);
  }
  for (std::size_t i = 0; i < out; i++) {
    b[b.size() - 1 - i] = static_cast<float>(b[b.size() - 1 - i] * static_cast<double>(i) / out);
  }
}

Buffer Thump(double seconds, double fromHz, double toHz, double decay) {
  Buffer b(Frames(seconds));
  double phase = 0;
  for (std::size_t i = 0; i < b.size(); i++) {
    double t = static_cast<double>(i) / RATE;
    phase += 2 * M_PI * Glide(fromHz, toHz, static_cast<double>(i) / b.size()) / RATE;
    b[i] = static_cast<float>(std::sin(phase) * std::exp(-t / decay));
  }
  return b;
}

Buffer Bell(double seconds, double hz, double decay) {
  struct Partial {
    double ratio, gain, decay;
  };
  const Partial partials[] = {{0.5, 0.35, 1.2},  {1.0, 1.0, 1.0},   {1.19, 0.45, 0.7},
                              {1.5, 0.3, 0.55},  {2.0, 0.5, 0.5},   {2.51, 0.3, 0.35},
                              {2.66, 0.25, 0.3}, {3.01, 0.2, 0.25}, {4.1, 0.12, 0.18}};
  Buffer b(Frames(seconds));
  for (const Partial& p : partials) {
    for (std::size_t i = 0; i < b.size(); i++) {
      double t = static_cast<double>(i) / RATE;
      b[i] += static_cast<float>(p.gain * std::sin(2 * M_PI * hz * p.ratio * t) * std::exp(-t / (decay * p.decay)));
    }
  }
  // The strike itself: a very short bright knock.
  Buffer knock = Noise(0.012, static_cast<uint32_t>(hz));
  HighPass(knock, 2000);
  Envelope(knock, 0.0005, 0.003);
  MixInto(b, knock, 0, 0.6);
  return b;
}

Buffer Brass(double seconds, double hz, double attack, double release, double toHz) {
  Buffer b(Frames(seconds));
  double phase = 0;
  for (std::size_t i = 0; i < b.size(); i++) {
    double t = static_cast<double>(i) / RATE;
    double vibrato = 1 + 0.004 * std::sin(2 * M_PI * 5.5 * t) * std::min(1.0, t / 0.2);
    double pitch = toHz > 0 ? Glide(hz, toHz, static_cast<double>(i) / b.size()) : hz;
    phase += 2 * M_PI * pitch * vibrato / RATE;
    double bright = std::min(1.0, 0.35 + t / attack);
    double v = 0;
    for (int n = 1; n <= 12; n++) {
      v += std::sin(n * phase) / n * std::pow(bright, n * 0.6);
    }
    double env = std::min(1.0, t / attack) * std::min(1.0, (seconds - t) / release);
    b[i] = static_cast<float>(v * env);
  }
  return b;
}

void MixInto(Buffer& dst, const Buffer& src, double atSecond, double gain) {
  std::size_t at = Frames(atSecond);
  if (dst.size() < at + src.size()) {
    dst.resize(at + src.size(), 0.0f);
  }
  for (std::size_t i = 0; i < src.size(); i++) {
    dst[at + i] += static_cast<float>(src[i] * gain);
  }
}

void Saturate(Buffer& b, double drive) {
  for (float& v : b) {
    v = static_cast<float>(std::tanh(v * drive) / std::tanh(drive));
  }
}

void Normalise(Buffer& b, double peak) {
  float most = 0;
  for (float v : b) {
    most = std::max(most, std::fabs(v));
  }
  if (most > 0) {
    for (float& v : b) {
      v = static_cast<float>(v * peak / most);
    }
  }
}

// The mixer's inner loops.
#include "media/audio/mixer_kernel.h"

#include <algorithm>

namespace {

// Accumulators add modulo 2^32. At full volume even 4095 voices on the same peak stay inside 32 bits; only
// channels set far louder than full could pass it, and then the sum wraps instead of being undefined.
inline void Add(int32_t& acc, int32_t value) {
  acc = static_cast<int32_t>(static_cast<uint32_t>(acc) + static_cast<uint32_t>(value));
}

// A 16-bit sample times a gain of 4.12 (4096 = 1.0), scaled so that full volume adds 16 times the sample;
// divided, not shifted, so that a sound and its inverse add up to exactly nothing.
inline int32_t Scaled(int32_t sample, int32_t gain) {
  return (sample * gain) / 256;
}

// Between a and b at frac (15 bits); the difference of two 16-bit values times 15 bits stays within 32 bits.
inline int32_t Between(int32_t a, int32_t b, int32_t frac) {
  return a + (((b - a) * frac) >> 15);
}

// On a frame of the source, at the output's own frequency, with steady gains.
template <int Channels>
void MixAligned(const int16_t* src, int32_t left, int32_t right, int32_t* acc, int32_t frames) {
  for (int32_t i = 0; i < frames; i++) {
    int32_t l = src[i * Channels];
    int32_t r = src[i * Channels + Channels - 1];
    Add(acc[2 * i], Scaled(l, left));
    Add(acc[2 * i + 1], Scaled(r, right));
  }
}

// Any steady step and gains.
template <int Channels>
void MixSteady(const int16_t* data, int64_t* readPos, int64_t step, int32_t left, int32_t right, int32_t* acc,
               int32_t frames) {
  int64_t pos = *readPos;
  for (int32_t i = 0; i < frames; i++) {
    const int16_t* frame = data + (pos >> 16) * Channels;
    auto frac = static_cast<int32_t>((pos & 0xFFFF) >> 1);
    int32_t l = Between(frame[0], frame[Channels], frac);
    int32_t r = Channels == 2 ? Between(frame[1], frame[3], frac) : l;
    Add(acc[2 * i], Scaled(l, left));
    Add(acc[2 * i + 1], Scaled(r, right));
    pos += step;
  }
  *readPos = pos;
}

// Gains and step ramping.
template <int Channels>
void MixRamped(const int16_t* data, int64_t* readPos, TMixRamp* ramp, int32_t* acc, int32_t frames) {
  int64_t pos = *readPos;
  for (int32_t i = 0; i < frames; i++) {
    const int16_t* frame = data + (pos >> 16) * Channels;
    auto frac = static_cast<int32_t>((pos & 0xFFFF) >> 1);
    int32_t l = Between(frame[0], frame[Channels], frac);
    int32_t r = Channels == 2 ? Between(frame[1], frame[3], frac) : l;
    Add(acc[2 * i], Scaled(l, ramp->left >> 16));
    Add(acc[2 * i + 1], Scaled(r, ramp->right >> 16));
    pos += ramp->step >> 16;
    ramp->left += ramp->leftInc;
    ramp->right += ramp->rightInc;
    ramp->step += ramp->stepInc;
  }
  *readPos = pos;
}

template <int Channels>
void MixRun(const TMixSound& sound, int64_t* readPos, TMixRamp* ramp, int32_t* acc, int32_t frames) {
  if (!ramp->Constant()) {
    MixRamped<Channels>(sound.Frames(), readPos, ramp, acc, frames);
    return;
  }
  int64_t step = ramp->step >> 16;
  int32_t left = ramp->left >> 16;
  int32_t right = ramp->right >> 16;
  if (step == 65536 && (*readPos & 0xFFFF) == 0) {
    MixAligned<Channels>(sound.Frames() + (*readPos >> 16) * Channels, left, right, acc, frames);
    *readPos += static_cast<int64_t>(frames) * 65536;
  } else {
    MixSteady<Channels>(sound.Frames(), readPos, step, left, right, acc, frames);
  }
}

}  // namespace

void TMixRamp::Start(int32_t left0, int32_t right0, int32_t left1, int32_t right1, int64_t step0, int64_t step1,
                     int32_t frames, int32_t first) {
  leftInc = static_cast<int32_t>((static_cast<int64_t>(left1 - left0) * 65536) / frames);
  rightInc = static_cast<int32_t>((static_cast<int64_t>(right1 - right0) * 65536) / frames);
  stepInc = ((step1 - step0) * 65536) / frames;
  // Between the two ends of the ramp, so within 32 bits; the products on the way need 64.
  left = static_cast<int32_t>(int64_t{left0} * 65536 + int64_t{leftInc} * first);
  right = static_cast<int32_t>(int64_t{right0} * 65536 + int64_t{rightInc} * first);
  step = step0 * 65536 + stepInc * first;
  lastStep = step1;
}

int64_t TMixRamp::MaxStep() const {
  return std::max(step >> 16, lastStep);
}

bool MixSoundInto(const TMixSound& sound, int64_t* readPos, TMixRamp* ramp, int32_t* acc, int32_t frames) {
  const int64_t end = static_cast<int64_t>(sound.length) * 65536;
  int32_t done = 0;
  for (;;) {
    if (*readPos >= end) {
      if (!sound.loop || end == 0) {
        return true;
      }
      *readPos %= end;
    }
    if (done == frames) {
      return false;
    }
    // Every frame of the run reads before the end: the step never exceeds MaxStep until the run is over.
    int32_t run = frames - done;
    int64_t maxStep = ramp->MaxStep();
    if (maxStep > 0) {
      run = static_cast<int32_t>(std::min<int64_t>(run, (end - *readPos - 1) / maxStep + 1));
    }
    if (sound.channels == 2) {
      MixRun<2>(sound, readPos, ramp, acc + 2 * done, run);
    } else {
      MixRun<1>(sound, readPos, ramp, acc + 2 * done, run);
    }
    done += run;
  }
}

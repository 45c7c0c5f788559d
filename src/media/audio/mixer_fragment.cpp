// The output thread's side of the mixer: taking new voices, mixing each one into 32-bit accumulators, and turning
// the accumulators into 16-bit frames. Nothing here allocates, locks or waits.
#include <algorithm>

#include "media/audio/mixer.h"
#include "media/audio/mixer_kernel.h"
#include "media/measure/frame_log.h"

namespace {

constexpr int32_t kFrames = TMixer::FRAGMENT_FRAMES;

// Read step per output frame for a sound of this frequency at this rate (16.16), in 16.16 frames.
int64_t StepFor(int32_t hertz, int32_t rate) {
  return static_cast<int64_t>(hertz) * rate / TMixer::OUTPUT_HERTZ;
}

// The gains of the two sides for a volume (4.12): panning turns the far side down, a negative depth inverts
// the right side.
void GainsFor(int32_t volume, int32_t pan, int32_t depth, int32_t* left, int32_t* right) {
  *left = pan > 0 ? volume * (4096 - pan) / 4096 : volume;
  *right = pan < 0 ? volume * (4096 + pan) / 4096 : volume;
  if (depth < 0) {
    *right = -*right;
  }
}

}  // namespace

void TMixer::TakeNewVoices(int32_t nowMillis) {
  while (TMixVoice* voice = _starts.Pop()) {
    // Wrapping subtraction: the clock is a 32-bit reading.
    auto elapsed = static_cast<int32_t>(static_cast<uint32_t>(nowMillis) - static_cast<uint32_t>(voice->requestMillis));
    int32_t waitMillis = std::clamp(START_DELAY_MILLIS - elapsed, 0, START_DELAY_MILLIS);
    voice->delay = waitMillis * OUTPUT_HERTZ / 1000;
    voice->next = _playing;
    _playing = voice;
  }
}

bool TMixer::Retire(TMixVoice& voice) {
  voice.finished.store(1, std::memory_order_relaxed);
  voice.retiring = true;
  // After a successful push the game thread owns the voice: it must not be touched again here.
  return _finished.Push(&voice);
}

void TMixer::MixFragment(int16_t* out, int32_t nowMillis) {
  TakeNewVoices(nowMillis);
  bool fading = !_faded && _fadeRequested.load(std::memory_order_relaxed) != 0;

  TMixVoice** link = &_playing;
  while (TMixVoice* voice = *link) {
    TMixVoice* next = voice->next;
    bool ended = voice->retiring || _faded || voice->stop.load(std::memory_order_relaxed) != 0;
    if (!ended) {
      ended = MixVoice(*voice, fading) || fading;
    }
    if (ended && Retire(*voice)) {
      *link = next;
    } else {
      link = &voice->next;
    }
  }
  if (fading) {
    _faded = true;
  } else if (_faded) {
    _silentFragments.fetch_add(1, std::memory_order_relaxed);
  }

  // Each accumulator holds 16 times the 16-bit value, so shifting by 4 gives the frame; sums beyond the 16-bit
  // range are held at its ends instead of wrapping round to the other side.
  for (int32_t i = 0; i < FRAGMENT_VALUES; i++) {
    out[i] = static_cast<int16_t>(std::clamp(_accum[static_cast<size_t>(i)] >> 4, -32768, 32767));
  }
  _accum.fill(0);
  _fragments.fetch_add(1, std::memory_order_relaxed);
}

// Mixes one voice into the accumulators; true when it has ended.
bool TMixer::MixVoice(TMixVoice& voice, bool fading) {
  if (voice.paused.load(std::memory_order_relaxed) != 0) {
    return false;
  }
  int32_t volume = fading ? 0 : voice.volume.load(std::memory_order_relaxed);
  int32_t rate = voice.rate.load(std::memory_order_relaxed);
  if (!voice.started) {
    if (fading) {
      return true;  // never heard: it ends in silence rather than jumping in only to fade out
    }
    // Nothing was heard yet, so there is nothing to ramp from: the voice starts at its channel's values.
    voice.lastVolume = volume;
    voice.lastRate = rate;
  }
  if (voice.delay >= kFrames) {
    voice.delay -= kFrames;
    return false;
  }
  int32_t first = voice.delay;
  voice.delay = 0;
  if (!voice.started) {
    FrameLogSoundStarted(&voice, first);
  }
  voice.started = true;

  int32_t pan = voice.pan.load(std::memory_order_relaxed);
  int32_t depth = voice.depth.load(std::memory_order_relaxed);
  TMixRamp ramp;
  int32_t left0, right0, left1, right1;
  GainsFor(voice.lastVolume, pan, depth, &left0, &right0);
  GainsFor(volume, pan, depth, &left1, &right1);
  ramp.Start(left0, right0, left1, right1, StepFor(voice.sound->hertz, voice.lastRate),
             StepFor(voice.sound->hertz, rate), kFrames, first);
  voice.lastVolume = volume;
  voice.lastRate = rate;

  bool ended = MixSoundInto(*voice.sound, &voice.readPos, &ramp, _accum.data() + 2 * first, kFrames - first);
  voice.position.store(static_cast<int32_t>(std::min<int64_t>(voice.readPos >> 16, INT32_MAX)),
                       std::memory_order_relaxed);
  return ended;
}

// One playing instance of a sound in the mixer, and who may touch which of its fields.
//
// A voice is filled by the game thread, handed to the mixer through a ring, mixed until it ends, and handed back
// through the other ring for reuse. The channel parameters are single aligned words that the game thread may
// write at any time and the mixer reads once per fragment; everything else belongs to one side at a time.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "media/audio/mixer_sound.h"

struct TMixVoice {
  // Set by the game thread before the voice is queued; only read by the mixer afterwards.
  const TMixSound* sound = nullptr;
  int32_t requestMillis = 0;  // when Play was called, on the mixer's clock

  // Written by the game thread whenever it likes, read by the mixer once per fragment. Fixed point as the
  // channel setters store them: volume and pan 4.12, depth 4.12 (only its sign is used), rate 16.16.
  std::atomic<int32_t> volume{4096};
  std::atomic<int32_t> pan{0};
  std::atomic<int32_t> depth{0};
  std::atomic<int32_t> rate{65536};
  std::atomic<int32_t> paused{0};
  std::atomic<int32_t> stop{0};  // the channel was stopped or given a new sound

  // Written by the mixer, read by the game thread.
  std::atomic<int32_t> finished{0};
  std::atomic<int32_t> position{0};  // frames into the sound, as of the last fragment

  // The mixer's alone while the voice is queued or playing.
  int64_t readPos = 0;     // 16.16 frames into the sound; the integer part is wider than 16 bits for long sounds
  int32_t delay = 0;       // frames of silence before the voice starts
  int32_t lastVolume = 0;  // the values used for the previous fragment, the starting points of the ramps
  int32_t lastRate = 0;
  bool started = false;       // mixed at least once (ramps start from the voice's own values before that)
  bool retiring = false;      // ended, waiting for room in the ring back to the game thread
  TMixVoice* next = nullptr;  // the mixer's list of playing voices

  // The game thread's alone.
  std::shared_ptr<const TMixSound> keep;  // the sound's data lives at least as long as a voice plays it
  uint32_t handle = 0;                    // the channel the voice is attached to; 0 when none refers to it
  bool inMixer = false;                   // queued or playing: not to be reused until the mixer hands it back
};

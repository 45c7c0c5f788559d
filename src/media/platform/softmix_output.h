// The audio output device the mixer plays through: SDL's output at 44100 Hz, stereo, 16-bit, in fragments of
// 512 frames that SDL's audio thread asks for.
//
// Closing fades whatever plays to silence first and only then stops the device, so the game can end in the
// middle of a sound without a click, and the mixer is never called again once the output object is gone.
#pragma once

#include <cstdint>
#include <memory>

#include "media/audio/mixer.h"

// The clock play requests are stamped with and fragments are mixed at: milliseconds, wrapping at 32 bits.
// A clock of its own, so that tests which move the game's clock by hand do not move the sound.
int32_t AudioClockMillis();

// Hands out a device's requests, whatever their size, as whole fragments of the mixer.
class TFragmentFeed {
public:
  explicit TFragmentFeed(TMixer* mixer) : _mixer(mixer) {}
  // Fills `values` 16-bit values (left, right, ...) with the next mixed frames.
  void Fill(int16_t* out, int32_t values, int32_t nowMillis);

private:
  TMixer* _mixer;
  int16_t _fragment[TMixer::FRAGMENT_VALUES] = {};
  int32_t _used = TMixer::FRAGMENT_VALUES;  // values of _fragment already handed out
};

class TSoftMixOutput {
public:
  // Mode 0: the player's default output device. Mode 1: the first output device SDL lists by name. The mixer
  // starts being asked for fragments at once. Null when the audio system or the device cannot be opened.
  static std::unique_ptr<TSoftMixOutput> Open(int32_t mode, std::shared_ptr<TMixer> mixer);
  // Fades out, stops the device and lets go of the audio system.
  ~TSoftMixOutput();
  TSoftMixOutput(const TSoftMixOutput&) = delete;
  TSoftMixOutput& operator=(const TSoftMixOutput&) = delete;

  // Called on SDL's audio thread.
  void _Fill(uint8_t* stream, int32_t bytes);

private:
  explicit TSoftMixOutput(std::shared_ptr<TMixer> mixer) : _mixer(std::move(mixer)), _feed(_mixer.get()) {}

  std::shared_ptr<TMixer> _mixer;
  TFragmentFeed _feed;
  uint32_t _device = 0;
};

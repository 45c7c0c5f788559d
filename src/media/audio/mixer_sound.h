// The mixer's own copy of a decoded sample, in the one layout its inner loop reads.
//
// Whatever the sample's format, the copy holds signed 16-bit values in the machine's byte order, one or two per
// frame, followed by one guard frame: the first frame again for a looping sound, silence otherwise. So
// interpolating the last frame towards the next one never reads past the data, and the inner loop never asks.
#pragma once

#include <cstdint>
#include <memory>

#include "media/audio/audio_sample.h"

class TMixSound {
public:
  // A copy of sample's frames (8-bit values widened, big-endian ones swapped). Null for an unknown format or a
  // sample without a positive frequency, which the mixer could not step through.
  static std::shared_ptr<const TMixSound> Create(const TAudioSample& sample, bool loop);

  const int16_t* Frames() const { return _data.get(); }

  int32_t length = 0;    // frames, without the guard frame
  int32_t channels = 0;  // 1 or 2
  int32_t hertz = 0;
  bool loop = false;

private:
  std::unique_ptr<int16_t[]> _data;
};

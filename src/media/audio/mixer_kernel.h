// The mixer's inner loops: one voice's run of frames into the accumulators.
//
// Per output frame the read position advances by a 16.16 step, the source is interpolated linearly between the
// two frames around the position, and each side is multiplied by its gain. Gains and step may ramp linearly
// across a fragment, so a change of volume or rate never clicks. The common cases (nothing ramping; a sound at
// the output's own frequency) have loops of their own that the compiler can vectorise.
#pragma once

#include <cstdint>

#include "media/audio/mixer_sound.h"

// Gains (4.12 times the volume) and read step, with their linear ramps across a fragment.
struct TMixRamp {
  // Ramps from the first values to the second across `frames` output frames, already `first` frames along.
  void Start(int32_t left0, int32_t right0, int32_t left1, int32_t right1, int64_t step0, int64_t step1, int32_t frames,
             int32_t first);
  bool Constant() const { return leftInc == 0 && rightInc == 0 && stepInc == 0; }
  // The largest step the ramp reaches from here on.
  int64_t MaxStep() const;

  int32_t left = 0;  // gains, 16.16: the gain of a frame is the integer part
  int32_t right = 0;
  int32_t leftInc = 0;
  int32_t rightInc = 0;
  int64_t step = 0;  // read step, 16.16 on top of its own 16.16
  int64_t stepInc = 0;
  int64_t lastStep = 0;
};

// Mixes up to `frames` frames of sound from *readPos (16.16 frames) into acc (left, right interleaved),
// advancing *readPos and the ramp. A looping sound wraps round; any other ends when the position passes its
// last frame, and then the function returns true.
bool MixSoundInto(const TMixSound& sound, int64_t* readPos, TMixRamp* ramp, int32_t* acc, int32_t frames);

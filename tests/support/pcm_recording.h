// Reading what SDL's disk audio driver recorded (raw 16-bit stereo at 44100 Hz) and finding the sounds in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TRecordedSound {
  int32_t first = 0;  // frames
  int32_t last = 0;
  int32_t peak = 0;               // largest absolute value of either side
  double crossingsPerSecond = 0;  // upward zero crossings of the left side: a tone's frequency
};

// The interleaved values of a raw recording; empty when the file cannot be read.
std::vector<int16_t> ReadRecording(const std::string& path);

// The stretches of sound, separated by at least `gapMillis` of near silence (10 ms windows whose RMS is below
// `quietRms`).
std::vector<TRecordedSound> FindSounds(const std::vector<int16_t>& values, double quietRms = 60,
                                       int32_t gapMillis = 40);

// The largest difference between consecutive values of one side: a click shows as a jump far beyond what a tone
// of the recorded loudness and pitch would make.
int32_t LargestStep(const std::vector<int16_t>& values);

// Values held at the ends of the 16-bit range, where a mix too loud for it is clipped.
struct TClipping {
  int64_t clipped = 0;     // values (of either side) at 32767 or -32768
  int32_t longestRun = 0;  // frames in the longest stretch with a clipped value on either side: a flat top
  int32_t peak = 0;        // largest absolute value of either side
};
TClipping MeasureClipping(const std::vector<int16_t>& values);

// The sound files the benchmark uses, made in a temporary folder when it starts: a set shaped like the game's 28
// effects for timing start-up loading, and four looping sounds for the mixers to play.
#pragma once

#include <string>
#include <vector>

struct TBenchSounds {
  std::string folder;
  std::vector<std::string> gameEffects;  // 28 paths, in the order start-up loads them
  double gameEffectSeconds = 0;          // their total length
  size_t gameEffectBytes = 0;            // their total size on disk
  // Mono at 22050 Hz, mono at 44100 Hz, stereo at 44100 Hz and stereo at 22050 Hz: voice i plays number i % 4.
  std::vector<std::string> mixing;
};

// Makes the files (a few seconds of encoding) and removes them when the program ends.
const TBenchSounds& BenchSounds();

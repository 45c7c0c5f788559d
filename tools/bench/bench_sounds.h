// The sound files the benchmark uses: the game's own effects in data/sfx, the files start-up loads and the mixer
// mixes in the game. All 28 for timing start-up's loading, and four of them for the mixers to play in loops.
#pragma once

#include <string>
#include <vector>

struct TBenchSounds {
  std::vector<std::string> gameEffects;  // 28 paths, in the order start-up loads them
  double gameEffectSeconds = 0;          // their total length
  size_t gameEffectBytes = 0;            // their total size on disk
  // A weak punch, a hard punch, the countdown and the won match's jingle (short and long sounds): voice i plays
  // number i % 4.
  std::vector<std::string> mixing;
};

// Finds the files and measures them with the game's own loader (needs RegisterOggVorbisLoader); throws when one
// is missing or does not decode.
const TBenchSounds& BenchSounds();

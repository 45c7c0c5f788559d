// The game's sound effects: eight numbered effects and five kinds of fight sound in four variants each.
#pragma once

#include <string>
#include <vector>

#include "synth.h"

struct SoundEffect {
  std::string name;  // file name without ".ogg": "sfx0" .. "sfx7", "woosh0" .. "punchh3"
  Buffer samples;    // mono, 44100 Hz, silent at both ends
  double loudness;   // dB of full scale, see Loudness
};

std::vector<SoundEffect> MakeSounds();

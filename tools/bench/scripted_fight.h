// A match of two players on fixed inputs, the same in every run, for the benchmarks that measure its ticks: the
// fight benchmark's and the online match's. Its players press at random, so after the warm-up both fighters are
// in the middle of a round's exchanges, and stay there for the scripted ticks after it (not in a countdown, where
// a tick does far less).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "fight/fight.h"
#include "fight/input_frame.h"

// The script's third round runs from tick 3060 to 4306 (the two before end in knockouts at 1388 and 2758): the
// warm-up stops nearly three seconds into it, and the scripted ticks after it end before its knockout.
inline constexpr int32_t kWarmUpTicks = 3200;
inline constexpr int32_t kScriptTicks = 1024;

// Inputs of a scripted match, the same in every run: the generator of the rules' fingerprint.
inline std::vector<std::array<TInputFrame, 2>> Script(int32_t ticks) {
  std::vector<std::array<TInputFrame, 2>> script(static_cast<size_t>(ticks));
  uint32_t state = 12345;
  for (auto& frames : script) {
    for (TInputFrame& frame : frames) {
      state = state * 1103515245u + 12345u;
      frame = static_cast<TInputFrame>((state >> 16) & INPUT_VALID_BITS);
    }
  }
  return script;
}

// A fight at kWarmUpTicks, and the script of the ticks after it.
struct TBenchFight {
  TFight fight;
  TFightState start;
  std::vector<std::array<TInputFrame, 2>> script = Script(kWarmUpTicks + kScriptTicks);

  TBenchFight() {
    for (int32_t tick = 0; tick < kWarmUpTicks; tick++) {
      fight.Advance(script[static_cast<size_t>(tick)][0], script[static_cast<size_t>(tick)][1]);
    }
    fight.Save(&start);
  }
  const std::array<TInputFrame, 2>& Frames(int32_t tick) const { return script[static_cast<size_t>(tick)]; }
};

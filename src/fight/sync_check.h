// The sync check: a match of two players must be a pure function of its inputs, or a match over the network
// would part the moment one machine goes back in time to take a late input and plays the ticks again. The check
// plays a match and, after every tick, goes back a few ticks and plays them again on the same inputs: every
// tick played again must hash as it did the first time. A tick that reads the machine's clock, a global, or
// state that the saved value leaves out is caught at the first tick where it makes a difference.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "fight/fight.h"
#include "fight/input_frame.h"

// The frames of the fight's next tick (left, right) from whoever plays it, or false to end the match there.
using TFightInputs = std::function<bool(const TFight& fight, std::array<TInputFrame, 2>* frames)>;

struct TSyncCheck {
  int32_t ticks = 0;        // ticks played for the first time
  int32_t failedTick = -1;  // the first tick played again whose hash differed; -1 while none did
  uint64_t firstHash = 0;   // the state after that tick the first time
  uint64_t againHash = 0;   // and played again

  bool Passed() const { return failedTick < 0; }
};

// Plays the fight on the frames of inputs until inputs ends it. After every tick, goes back depth ticks (as far
// as the match's start allows), restores the state saved there, and plays the recorded frames again, comparing
// the hash after each tick with the first time's. Stops at the first that differs. The match goes on from the
// state played again, as it would after a rollback. Allocates once, at the start.
TSyncCheck CheckSync(TFight& fight, int32_t depth, const TFightInputs& inputs);

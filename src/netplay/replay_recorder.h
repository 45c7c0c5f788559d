// Collects a match as it is played, for its replay file: both players' frames of every tick and the fight's hash
// after every tick that closes a second. The room for half an hour of play is taken once, so adding a tick
// allocates nothing in any ordinary match.
#pragma once

#include <cstdint>
#include <string_view>

#include "netplay/replay_file.h"

class TReplayRecorder {
public:
  TReplayRecorder();

  // Starts a new recording, forgetting the last (its room is kept). side: 0 or 1 the recording machine's side
  // online, -1 for a local match.
  void Begin(std::string_view version, uint64_t rulesHash, bool online, int32_t ring, int32_t side);
  // The next tick: the frames it was played on and the fight's Hash() after it, which is only kept for the ticks
  // ReplayHashesTick names (so the caller may pass 0 for the others). False, keeping nothing, past
  // REPLAY_MAX_TICKS: the recording then ends there as a match that was left.
  bool Add(TInputFrame left, TInputFrame right, uint64_t hashAfter);
  // The match was decided after endTick (a tick added) with winner (0 or 1); false, changing nothing, for a tick
  // not added or another winner.
  bool End(int32_t endTick, int32_t winner);

  int32_t Ticks() const { return _replay.Ticks(); }
  const TReplay& Replay() const { return _replay; }

private:
  TReplay _replay;
};

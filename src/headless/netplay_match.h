// An online match played in one process: two models of newcomers, each at the keys of its own machine's
// TRollbackSession, joined by the loopback link under given conditions. The soak test and the soak tool play
// many of them and check that both machines saw the same match.
#pragma once

#include <array>
#include <cstdint>

#include "media/net/link_conditions.h"
#include "media/net/transport.h"
#include "netplay/rollback_session.h"

class TManualClock;

struct TNetplayMatch {
  int32_t frames = 0;                // frames played, 20 ms each
  std::array<int32_t, 2> state{};    // each side's session state at the end
  std::array<int32_t, 2> winner{};   // -1 when not decided
  std::array<int32_t, 2> endTick{};  // the tick both compare: the match's last, or the limit's
  std::array<uint64_t, 2> endHash{};
  bool stalled = false;  // nobody won within the tick limit
  bool desync = false;   // a session stopped with DESYNC
  // What each side's player heard of the ticks up to endTick: the sounds played less those called off as wrong,
  // summed as an order-free fingerprint. Equal on both sides when no sound was played twice or missed.
  std::array<uint64_t, 2> heard{};
  std::array<int64_t, 2> soundsCalledOff{};
  std::array<TSessionFigures, 2> figures{};
  std::array<TNetCounters, 2> counters{};

  // Whether both machines ended on the same tick with the same hash and the same winner.
  bool Agreed() const {
    return !desync && endTick[0] == endTick[1] && endHash[0] == endHash[1] && winner[0] == winner[1] &&
           heard[0] == heard[1] && endTick[0] >= 0;
  }
};

// Plays one match with both sides' conditions, seeded (the models' timing and the link's fates), on clock (the
// installed clock source), each side with inputDelay. Stops when both have confirmed the match's end, when
// either session stops, or once both have confirmed tickLimit ticks.
TNetplayMatch PlayNetplayMatch(const TLinkConditions& conditions, uint64_t seed, int32_t inputDelay, int32_t tickLimit,
                               TManualClock& clock);

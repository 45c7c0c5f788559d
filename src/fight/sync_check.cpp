// Every tick played twice or more, and the hashes compared.
#include "fight/sync_check.h"

#include <algorithm>
#include <vector>

TSyncCheck CheckSync(TFight& fight, int32_t depth, const TFightInputs& inputs) {
  depth = std::max(depth, 1);
  // The last depth ticks: the state before each, its frames and the hash after it, at tick % depth.
  auto size = static_cast<size_t>(depth);
  std::vector<TFightState> states(size);
  std::vector<std::array<TInputFrame, 2>> frames(size);
  std::vector<uint64_t> hashes(size);
  auto slot = [size](int32_t tick) { return static_cast<size_t>(tick) % size; };

  TSyncCheck check;
  int32_t start = fight.Tick();
  std::array<TInputFrame, 2> next{};
  while (inputs(fight, &next)) {
    int32_t tick = fight.Tick();
    fight.Save(&states[slot(tick)]);
    frames[slot(tick)] = next;
    fight.Advance(next[0], next[1]);
    hashes[slot(tick)] = fight.Hash();
    check.ticks++;

    int32_t from = std::max(start, tick + 1 - depth);
    fight.Load(states[slot(from)]);
    for (int32_t again = from; again <= tick; again++) {
      const auto& played = frames[slot(again)];
      fight.Advance(played[0], played[1]);
      uint64_t hash = fight.Hash();
      if (hash != hashes[slot(again)]) {
        check.failedTick = again;
        check.firstHash = hashes[slot(again)];
        check.againHash = hash;
        return check;
      }
    }
  }
  return check;
}

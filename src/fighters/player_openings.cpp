// The openings a player reads from the opponent's pose.
#include "fighters/player_openings.h"

int32_t HeldHeight(bool up, bool down) {
  return up ? 0 : down ? 2 : 1;
}

TOpening WidestOpening(const TSight& seen, int32_t heldHeight, int32_t leastPower, int32_t skipHeight,
                       int32_t skipHand) {
  const TSeenFighter& me = seen.self;
  TVulnMatrix openings = seen.opponent.Openings();
  int32_t handOut = me.Action() == ACTION_RECOVER ? me.Side() : -1;
  TOpening best;
  for (int32_t h = 0; h < HEIGHTS; h++) {
    for (int32_t s = 0; s < HANDS; s++) {
      int32_t power = me.power[static_cast<size_t>(s)];
      if (h == skipHeight || s == skipHand || s == handOut || power < leastPower) {
        continue;
      }
      int32_t level = openings[static_cast<size_t>(h)][static_cast<size_t>(s)];
      bool better = level > best.level;
      if (level == best.level) {
        bool here = h == heldHeight;
        bool bestHere = best.height == heldHeight;
        better = (here && !bestHere) || (here == bestHere && power > me.power[static_cast<size_t>(best.hand)]);
      }
      if (better) {
        best = {level, h, s};
      }
    }
  }
  return best;
}

// The informed player's rules, in order: walk in when out of reach; take the guard where the opponent's punch
// would come from; punch the widest opening with a hand that has power; otherwise mirror the opponent's guard.
#include "fighters/controller_informed.h"

#include "shared/rules.h"

namespace {

int32_t HeldHeight(const TKeys& held) {
  return held.up ? 0 : held.down ? 2 : 1;
}

struct TOpening {
  int32_t level = -1;
  int32_t height = 1;
  int32_t hand = 0;
};

// The hardest landing punch the player can throw now: a hand that is back in and has power. Of two as hard, the
// one at the height already held (no change of guard needed), then the stronger hand.
TOpening WidestOpening(const TSight& seen, int32_t heldHeight) {
  const TSeenFighter& me = seen.self;
  TVulnMatrix openings = seen.opponent.Openings();
  int32_t handOut = me.Action() == ACTION_RECOVER ? me.Side() : -1;
  TOpening best;
  for (int32_t h = 0; h < HEIGHTS; h++) {
    for (int32_t s = 0; s < HANDS; s++) {
      int32_t power = me.power[static_cast<size_t>(s)];
      if (s == handOut || power < TControllerInformed::LEAST_PUNCH_POWER) {
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

}  // namespace

std::shared_ptr<TControllerInformed> TControllerInformed::Create(const TReaction& reaction) {
  return std::make_shared<TControllerInformed>(reaction);
}

TKeys TControllerInformed::React(const TSight& seen, const TKeys& held) {
  const TSeenFighter& me = seen.self;
  const TSeenFighter& opponent = seen.opponent;
  TKeys keys = held;
  keys.hand = -1;
  if (me.Action() >= ACTION_WIN || opponent.Action() >= ACTION_WIN) {
    keys.GuardAt(1);  // the round is over: let go of everything
    return keys;
  }
  if (seen.Distance() >= PUNCH_REACH) {
    keys.GuardAt(1);
    keys.forward = true;
    return keys;
  }

  int32_t heldHeight = HeldHeight(held);
  bool staggered = me.Action() == ACTION_HURT;
  // A guarding opponent punches from the height of its guard: be there first.
  if (opponent.Action() == ACTION_GUARD && opponent.Height() != heldHeight) {
    if (Chance(reaction.mistakePercent)) {
      HoldOff(ReactionTime());  // looked away: the guard comes a reaction late
      return held;
    }
    keys.GuardAt(opponent.Height());
    return keys;
  }

  TOpening opening = WidestOpening(seen, heldHeight);
  if (!staggered && opening.level >= 2) {
    int32_t height = opening.height;
    if (Chance(reaction.mistakePercent)) {
      height = opponent.Height();  // misread the pose: straight into its guard
    }
    keys.GuardAt(height);
    keys.hand = opening.hand;
    return keys;
  }
  // Nothing open: guard where the opponent's next punch would come from. A walk shows no height: stay.
  if (opponent.Action() != ACTION_FORWARD) {
    keys.GuardAt(opponent.Height());
  } else {
    keys.forward = false;
    keys.backward = false;
  }
  return keys;
}

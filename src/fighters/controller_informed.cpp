// The informed player's rules, in order: walk in when out of reach; take the guard where the opponent's punch
// would come from; punch the widest opening with a hand that has power; otherwise mirror the opponent's guard.
#include "fighters/controller_informed.h"

#include "fighters/player_openings.h"
#include "shared/rules.h"

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

  int32_t heldHeight = HeldHeight(held.up, held.down);
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

  TOpening opening = WidestOpening(seen, heldHeight, LEAST_PUNCH_POWER);
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

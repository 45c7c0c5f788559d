// The combination player's rules, in order: walk in when out of reach; take the guard where the opponent's punch
// would come from, if it is a guard it follows; with both hands in, punch the widest opening and plan the other
// hand at another height after it; otherwise stand, mirroring the opponent's guard if it follows it.
#include "fighters/controller_combo.h"

#include "fighters/controller_informed.h"
#include "fighters/player_openings.h"
#include "shared/rules.h"

std::shared_ptr<TControllerCombo> TControllerCombo::Create(const TReaction& reaction) {
  return std::make_shared<TControllerCombo>(reaction);
}

bool TControllerCombo::Mirrors(int32_t opponentGuard) {
  if (opponentGuard != _guardSeen) {
    _guardSeen = opponentGuard;
    _mirrors = Chance(MIRROR_PERCENT);
  }
  return _mirrors;
}

TKeys TControllerCombo::React(const TSight& seen, const TKeys& held) {
  const TSeenFighter& me = seen.self;
  const TSeenFighter& opponent = seen.opponent;
  TKeys keys = held;
  keys.hand = -1;
  if (me.Action() >= ACTION_WIN || opponent.Action() >= ACTION_WIN) {
    keys.GuardAt(1);
    _guardSeen = -1;  // the next round's first guard is a new one
    return keys;
  }
  if (seen.Distance() >= PUNCH_REACH) {
    keys.GuardAt(1);
    keys.forward = true;
    return keys;
  }

  int32_t heldHeight = HeldHeight(held.up, held.down);
  // A walk shows no height; any other pose shows where the opponent's next punch would come from.
  bool mirrors = opponent.Action() != ACTION_FORWARD && Mirrors(opponent.Height());
  if (mirrors && opponent.Action() == ACTION_GUARD && opponent.Height() != heldHeight) {
    if (Chance(reaction.mistakePercent)) {
      HoldOff(ReactionTime());  // looked away: the guard comes a reaction late
      return held;
    }
    keys.GuardAt(opponent.Height());
    return keys;
  }

  // It attacks only with a combination: both hands in, with the power to hurt.
  constexpr int32_t kLeast = TControllerInformed::LEAST_PUNCH_POWER;
  TOpening first = WidestOpening(seen, heldHeight, kLeast);
  bool bothHands = me.Action() != ACTION_RECOVER && me.power[0] >= kLeast && me.power[1] >= kLeast;
  if (bothHands && me.Action() != ACTION_HURT && first.level >= 2) {
    int32_t height = first.height;
    if (Chance(reaction.mistakePercent)) {
      height = opponent.Height();  // misread the pose: straight into its guard
    }
    keys.GuardAt(height);
    keys.hand = first.hand;
    // The second punch is chosen now from the same sight: the other hand, at the widest other opening.
    TOpening second = WidestOpening(seen, height, kLeast, height, first.hand);
    TKeys follow;
    follow.GuardAt(second.height);
    follow.hand = second.hand;
    Plan(follow, SECOND_PUNCH_MILLIS);
    return keys;
  }
  if (mirrors) {
    keys.GuardAt(opponent.Height());
  } else {
    keys.forward = false;
    keys.backward = false;
  }
  return keys;
}

// The newcomer: walk in, then punch, switch the guard or step back at random.
#include "fighters/controller_newcomer.h"

#include "media/core/random.h"
#include "shared/rules.h"

std::shared_ptr<TControllerNewcomer> TControllerNewcomer::Create(const TReaction& reaction) {
  return std::make_shared<TControllerNewcomer>(reaction);
}

TKeys TControllerNewcomer::React(const TSight& seen, const TKeys& held) {
  TKeys keys = held;
  keys.hand = -1;
  if (seen.self.Action() >= ACTION_WIN || seen.opponent.Action() >= ACTION_WIN) {
    keys.GuardAt(1);
    return keys;
  }
  if (seen.Distance() >= PUNCH_REACH) {
    keys.GuardAt(1);
    keys.forward = true;
    return keys;
  }
  // Close enough to hit: mostly punches with either hand, sometimes a new guard, now and then a step back.
  int32_t choice = RandomInt(0, 99);
  if (choice < 60) {
    keys.forward = false;
    keys.backward = false;
    keys.hand = RandomInt(0, 1);
  } else if (choice < 90) {
    keys.GuardAt(RandomInt(0, 2));
  } else {
    keys.GuardAt(1);
    keys.backward = true;
  }
  HoldOff(RandomInt(0, HESITATION_MILLIS));
  return keys;
}

// A model of a player who knows what the how-to-play card teaches: guard at the height the opponent guards at
// (its punch comes from there), punch where its pose leaves it open, walk in when out of reach. It slips now and
// then: a guard that comes a reaction late, a punch thrown into the opponent's guard.
#pragma once

#include <memory>

#include "fighters/controller_player.h"

class TControllerInformed : public TControllerPlayer {
public:
  // A practised player: a quarter of a second to react, give or take 40 ms, one reaction in twenty gone wrong.
  static constexpr TReaction DEFAULT_REACTION = {250, 40, 5};
  // Below this much power a hand is not used: the yellow bar says the punch would hardly hurt.
  static constexpr int32_t LEAST_PUNCH_POWER = 50;

  static std::shared_ptr<TControllerInformed> Create(const TReaction& reaction = DEFAULT_REACTION);
  explicit TControllerInformed(const TReaction& reaction) : TControllerPlayer(reaction) {}

protected:
  TKeys React(const TSight& seen, const TKeys& held) override;
};

// A model of a player who knows what the how-to-play card teaches, as the informed player does, but attacks in
// combinations planned as one move: a punch where the opponent is open, then, a tenth of a second later and
// without looking again, the other hand at another height. It guards less carefully: it follows a new guard of
// the opponent's only about half the time and presses on with its attack otherwise.
#pragma once

#include <memory>

#include "fighters/controller_player.h"

class TControllerCombo : public TControllerPlayer {
public:
  // A person's reaction, about 0.3 s give or take 40 ms, one reaction in twenty gone wrong.
  static constexpr TReaction DEFAULT_REACTION = {300, 40, 5};
  // The second punch of a combination follows the first by five ticks: quicker than any reaction, as it is
  // planned with the first.
  static constexpr int32_t SECOND_PUNCH_MILLIS = 100;
  // Of the opponent's new guards, the share it follows with its own.
  static constexpr int32_t MIRROR_PERCENT = 50;

  static std::shared_ptr<TControllerCombo> Create(const TReaction& reaction = DEFAULT_REACTION);
  explicit TControllerCombo(const TReaction& reaction) : TControllerPlayer(reaction) {}

protected:
  TKeys React(const TSight& seen, const TKeys& held) override;

private:
  // Whether the opponent's guard at this height is one it follows: decided once for each guard it sees taken.
  bool Mirrors(int32_t opponentGuard);

  int32_t _guardSeen = -1;  // the opponent's guard height it last decided on (-1: none yet)
  bool _mirrors = false;
};

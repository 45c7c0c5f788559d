// A model of a player new to the game: it walks in when out of reach and then presses punches and guards at a
// person's pace, without knowing that a punch's height and the guard's decide where it lands.
#pragma once

#include <memory>

#include "fighters/controller_player.h"

class TControllerNewcomer : public TControllerPlayer {
public:
  // An ordinary person's reaction to something on the screen, about 0.3 s give or take 60 ms; a newcomer's
  // mistakes are its random choices, so the rate of slips is not used.
  static constexpr TReaction DEFAULT_REACTION = {300, 60, 0};
  // Longest hesitation after a press before looking for the next: about three presses a second in all.
  static constexpr int32_t HESITATION_MILLIS = 200;

  static std::shared_ptr<TControllerNewcomer> Create(const TReaction& reaction = DEFAULT_REACTION);
  explicit TControllerNewcomer(const TReaction& reaction) : TControllerPlayer(reaction) {}

protected:
  TKeys React(const TSight& seen, const TKeys& held) override;
};

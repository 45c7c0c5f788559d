// A model of a person (the informed player, the newcomer) steering either side of a match of two players: it
// looks at copies of the fighters as it would at the screen, on the match's clock, and the commands it steers its
// copy with are the frame it hands the match. Facing left changes nothing for it: forward is towards the opponent
// whichever way that is.
#pragma once

#include <cstdint>
#include <memory>

#include "fight/pilot.h"

class TControllerPlayer;

class TPlayerPilot : public TPilot {
public:
  explicit TPlayerPilot(std::shared_ptr<TControllerPlayer> player);
  TPlayerPilot(const TPlayerPilot&) = delete;
  TPlayerPilot& operator=(const TPlayerPilot&) = delete;

  TInputFrame Next(const TFight& fight, int32_t side) override;

private:
  std::shared_ptr<TControllerPlayer> _player;
  TShadowFighters _shadow;
};

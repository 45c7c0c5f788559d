// The computer steering a fighter of a two-player match through the same commands as a player: it decides as the
// computer opponent of the one-player matches does, with a roster entry's numbers, on a copy of its fighter, and
// what it did to the copy becomes the keys it holds and presses. So a match of two computers (the demonstration)
// runs through the same input-frame fight as a match of two players.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "fight/pilot.h"

class TControllerAI;

class TAIPilot : public TPilot {
public:
  // params as for TControllerAI::Create: t_pose, t_punch, t_decide, t_vthresh, vthresh, aggressive.
  explicit TAIPilot(std::span<const int32_t> params);
  TAIPilot(const TAIPilot&) = delete;
  TAIPilot& operator=(const TAIPilot&) = delete;

  TInputFrame Next(const TFight& fight, int32_t side) override;

private:
  std::shared_ptr<TControllerAI> _ai;
  TShadowFighters _shadow;
  TInputFrame _held = INPUT_NONE;  // the commands held in the last frame
};

// The computer's controller: a small timed state machine that decides from the distance, its fighter's state and
// the opponent's vulnerability matrix, waits a reaction delay, carries the decision out, and waits again.
//
// Six numbers set its temperament: three delays, a patience period, a punch threshold and aggressiveness.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "fighters/controller.h"

enum : int32_t {
  AI_DECIDE = 0,         // waiting for dtime, then decides
  AI_EXECUTE = 1,        // waiting for atime, then carries the decision out
  AI_DELAYED_PUNCH = 2,  // changed its guard height; waiting for atime to punch
};

class TControllerAI : public TController {
public:
  // A controller with params[0..5] as t_pose, t_punch, t_decide, t_vthresh, vthresh, aggressive; further
  // elements (a roster entry's tint and health) are ignored. Needs at least six.
  static std::shared_ptr<TControllerAI> Create(std::span<const int32_t> params);
  int32_t Update() override;

  int32_t atime = 0;         // when the planned step is carried out
  int32_t dtime = 0;         // when the next decision may be taken
  int32_t vtime = 0;         // patience deadline; 0 while the patience timer is not running
  int32_t t_pose = 100;      // delay from a decision to carrying it out
  int32_t t_punch = 50;      // extra delay between changing the guard height and punching
  int32_t t_decide = 10;     // delay from carrying out a step to the next decision
  int32_t t_vthresh = 1000;  // patience period
  int32_t vthresh = 3;       // punch threshold: a vulnerability level 0..3
  int32_t aggressive = 0;    // 1: shifts its guard at random to earn lunges
  int32_t action = 0;        // planned fighter action
  int32_t height = 0;        // planned height
  int32_t side = 0;          // planned hand
  int32_t state = AI_DECIDE;

private:
  // The clock of the ring the fighter fights in.
  int32_t Now() const;
  void Decide(int32_t distance);
  void CarryOut();
};

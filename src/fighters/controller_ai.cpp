// The computer's controller. "now" is read afresh at each use from the fighter's ring, as each step happens at its
// own moment.
#include "fighters/controller_ai.h"

#include <cstdlib>

#include "fighters/figure.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

// It stops walking in at this distance, just outside the reach of a punch that lunges.
constexpr int32_t kStopWalkingIn = 82;
// Out of reach it walks in from beyond 81, unless the opponent's punch is out and it stands within 90.
constexpr int32_t kWalkInBeyond = 81;
constexpr int32_t kClearOfPunch = 90;
constexpr int32_t kLungeReach = 10;

}  // namespace

std::shared_ptr<TControllerAI> TControllerAI::Create(std::span<const int32_t> params) {
  auto controller = std::make_shared<TControllerAI>();
  controller->t_pose = params[0];
  controller->t_punch = params[1];
  controller->t_decide = params[2];
  controller->t_vthresh = params[3];
  controller->vthresh = params[4];
  controller->aggressive = params[5];
  return controller;
}

int32_t TControllerAI::Now() const {
  return fig->ring->Now();
}

int32_t TControllerAI::Update() {
  TFigure& f = *fig;
  if (f.action >= ACTION_WIN) {
    return 0;
  }
  int32_t distance = std::abs(f.opp->x - f.x);
  if (distance <= kStopWalkingIn && f.action == ACTION_FORWARD) {
    f.action = ACTION_GUARD;
  }
  switch (state) {
    case AI_DECIDE:
      if (Now() > dtime) {
        Decide(distance);
        state = AI_EXECUTE;
        atime = AddMillis(Now(), t_pose);
      }
      break;
    case AI_EXECUTE:
      if (Now() > atime) {
        CarryOut();
        dtime = AddMillis(Now(), t_decide);
      }
      break;
    case AI_DELAYED_PUNCH:
      if (Now() > atime) {
        f.Attack(side);
        state = AI_DECIDE;
        dtime = AddMillis(Now(), t_decide);
      }
      break;
    default:
      break;
  }
  return 0;
}

void TControllerAI::Decide(int32_t distance) {
  TFigure& f = *fig;
  const TFigure& o = *f.opp;

  if (f.action == ACTION_HURT) {
    // Staggered: back off if already guarding where the opponent is, else guard there.
    if (f.height == o.height) {
      action = ACTION_BACK;
    } else {
      action = ACTION_GUARD;
      height = o.height;
    }
    return;
  }

  if (distance < PUNCH_REACH + kLungeReach * f.mayslide) {
    // The target with the greatest expected damage; ties go to the lower height, then to hand 0.
    int32_t best = 0;
    int32_t bestHeight = 0;
    int32_t bestSide = 0;
    for (int32_t h = 0; h < HEIGHTS; h++) {
      for (int32_t s = 0; s < HANDS; s++) {
        int32_t level = o.vuln[static_cast<size_t>(h)][static_cast<size_t>(s)];
        int32_t expected = VulnDamage[static_cast<size_t>(level)] * f.power[static_cast<size_t>(s)] / 100;
        if (expected > best) {
          best = expected;
          bestHeight = h;
          bestSide = s;
        }
      }
    }
    // Out of patience, it settles for one level less, for this decision only. A threshold of 0 cannot go lower.
    int32_t threshold = vthresh;
    if (vtime != 0 && Now() > vtime) {
      vtime = 0;
      threshold = vthresh - 1;
    }
    threshold = threshold < 0 ? 0 : threshold > 3 ? 3 : threshold;
    if (best >= 0.9 * VulnDamage[static_cast<size_t>(threshold)]) {
      action = ACTION_PUNCH;
      height = bestHeight;
      side = bestSide;
    } else {
      action = ACTION_GUARD;
      height = o.height;
      if (vtime == 0) {
        vtime = AddMillis(Now(), t_vthresh);
      }
    }
    return;
  }

  if (distance > kWalkInBeyond && (std::abs(o.action) != ACTION_PUNCH || distance > kClearOfPunch)) {
    action = ACTION_FORWARD;
    return;
  }
  // Just out of reach of an opponent whose punch is out: mirror its guard, or shift off the last lunge height to
  // earn the next lunge.
  action = ACTION_GUARD;
  height = o.height;
  if (height == f.slideh && aggressive != 0) {
    height = (height + RandomInt(-1, 1) + 3) % 3;
  }
  if (vtime == 0) {
    vtime = AddMillis(Now(), t_vthresh);
  }
}

void TControllerAI::CarryOut() {
  TFigure& f = *fig;
  switch (action) {
    case ACTION_PUNCH:
      if (height != f.height) {
        // First take the guard at the punch's height; the punch follows t_punch after the planned time.
        f.action = ACTION_GUARD;
        f.height = height;
        state = AI_DELAYED_PUNCH;
        atime = AddMillis(atime, t_punch);
      } else {
        f.Attack(side);
        state = AI_DECIDE;
      }
      break;
    case ACTION_FORWARD:
    case ACTION_BACK:
      f.Walk(action);
      state = AI_DECIDE;
      break;
    default:
      f.action = ACTION_GUARD;
      f.height = height;
      state = AI_DECIDE;
      break;
  }
}

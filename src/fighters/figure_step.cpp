// One tick of a fighter (Control) and the resolution of a punch that reached it (Update).
//
// The match loop runs Control of both fighters, then Update of both, so every landed punch is judged against the
// defender's matrix of the current tick whichever fighter is stepped first.
#include <algorithm>
#include <cstdlib>

#include "fighters/figure.h"
#include "media/core/clock.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

constexpr int32_t kWalkSpeed = 2;       // ring units per tick: 100 a second at 50 ticks
constexpr int32_t kLunge = 20;          // forward move of a punch thrown while mayslide is set
constexpr int32_t kLeastDistance = 70;  // a fighter closer than this to its opponent is pushed back to it
constexpr int32_t kPowerCeiling = 100;
constexpr int32_t kMissCost = 50;       // power a punch into the air costs its hand
constexpr int32_t kActionMillis = 300;  // how long a punch stays out and a stagger lasts

int32_t Clamped(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : value > high ? high : value;
}

}  // namespace

TVulnMatrix PoseVulnerability(int32_t action, int32_t height, int32_t side) {
  // Medium everywhere, then by action.
  TVulnMatrix vuln;
  for (auto& row : vuln) {
    row = {2, 2};
  }
  auto h0 = static_cast<size_t>(height);
  auto s0 = static_cast<size_t>(side);
  switch (action) {
    case ACTION_GUARD:
      vuln[h0] = {0, 0};
      if (height == 0) {
        vuln[2] = {3, 3};
      } else if (height == 2) {
        vuln[0] = {3, 3};
      }
      break;
    case ACTION_FORWARD:
    case ACTION_BACK:
      vuln[0] = {1, 1};
      vuln[1] = {1, 1};
      break;
    case ACTION_RECOVER:
      // The other hand guards the punch's height; the punching side is open everywhere else.
      for (size_t h = 0; h < vuln.size(); h++) {
        if (h == h0) {
          vuln[h][1 - s0] = 0;
        } else {
          vuln[h][s0] = 3;
        }
      }
      break;
    case ACTION_HURT:
      for (size_t h = 0; h < vuln.size(); h++) {
        if (h == h0) {
          vuln[h][s0] = 1;
        } else {
          vuln[h][1 - s0] = 3;
        }
      }
      break;
    default:
      break;
  }
  return vuln;
}

int32_t TFigure::Control() {
  if (action < ACTION_WIN) {
    controller->Update();
  }

  // Movement by action.
  if (action == ACTION_FORWARD) {
    x += kWalkSpeed * dir;
  } else if (action == ACTION_BACK) {
    x -= kWalkSpeed * dir;
  } else if (action == ACTION_PUNCH && mayslide != 0) {
    x += kLunge * dir;
    recoil = 0;
    slideh = height;
    mayslide = 0;
  }
  if (recoil > 0) {
    x -= dir;
    recoil--;
  }
  int32_t distance = std::abs(opp->x - x);
  if (distance < kLeastDistance) {
    x -= (kLeastDistance - distance) * dir;
  }
  x = Clamped(x, 0, RING_END);
  distance = std::abs(opp->x - x);

  // Power comes back while the fighter's arms are in.
  if (std::abs(action) != ACTION_PUNCH) {
    for (int32_t& hand : power) {
      hand = std::min(std::max(hand, 0) + 1, kPowerCeiling);
    }
  }

  if ((std::abs(action) == ACTION_PUNCH || action == ACTION_HURT) && ring->Now() >= AddMillis(time, kActionMillis)) {
    action = ACTION_GUARD;
  }

  // A new guard height arms the lunge: the punch after it comes in with a step. Walking arms it too.
  if ((action == ACTION_GUARD && slideh != height) || action == ACTION_FORWARD || action == ACTION_BACK) {
    mayslide = 1;
  }
  vuln = PoseVulnerability(action, height, side);

  if (action == ACTION_PUNCH) {
    int32_t& punchPower = power[static_cast<size_t>(side)];
    if (distance < PUNCH_REACH) {
      opp->hit = 1;
      opp->hith = height;
      opp->hits = side;
      opp->hitp = punchPower;
    } else {
      ring->Sound(*this, FIGHT_SOUND_WOOSH, static_cast<float>(punchPower) / 100.0f);
      punchPower = std::max(punchPower - kMissCost, 0);
    }
    action = ACTION_RECOVER;
  }
  return 0;
}

int32_t TFigure::Update() {
  if (hit == 0) {
    return 0;
  }
  int32_t level = vuln[static_cast<size_t>(hith)][static_cast<size_t>(hits)];
  // Health minus a fraction of damage, truncated toward zero: 200 - 3.7 leaves 196. In hundredths, and in 64
  // bits because a roster may give huge health.
  int64_t hundredths = int64_t{health} * 100 - int64_t{VulnDamage[static_cast<size_t>(level)]} * hitp;
  health = static_cast<int32_t>(hundredths / 100);
  int32_t& attackerPower = opp->power[static_cast<size_t>(hits)];
  attackerPower = std::max(attackerPower - VulnPowerDrain[static_cast<size_t>(level)], 0);
  if (level > 0) {
    action = ACTION_HURT;
  }
  // A blocked punch too pushes the defender back and restarts its clock (lengthening a recovery or a stagger).
  recoil += (level + 1) * (level + 1);
  time = ring->Now();
  height = hith;
  side = hits;
  if (health <= 0) {
    health = 0;
    action = ACTION_DOWN;
  }
  hit = 0;
  ring->Sound(*this, level + 1, static_cast<float>(hitp) / 100.0f);
  return 0;
}

int32_t TFigure::Tick(TFigure& left, TFigure& right) {
  left.Control();
  right.Control();
  left.Update();
  right.Update();
  bool leftDown = left.health == 0;
  bool rightDown = right.health == 0;
  if (leftDown && rightDown) {
    return KNOCKOUT_BOTH;
  }
  if (rightDown) {
    left.action = ACTION_WIN;
    return KNOCKOUT_BY_LEFT;
  }
  if (leftDown) {
    right.action = ACTION_WIN;
    return KNOCKOUT_BY_RIGHT;
  }
  return KNOCKOUT_NONE;
}

// What a player sees, and how long ago.
#include "fighters/player_sight.h"

#include <cstdlib>

#include "media/core/clock.h"
#include "shared/rules.h"

namespace {

// The sprite sheet's cells: three guards, six arms out, six staggers, a walk of two, the round's end.
constexpr int32_t kFirstArmOut = 3;
constexpr int32_t kFirstStagger = 9;
constexpr int32_t kFirstWalk = 15;
// A sight more than this later than the one before comes after a pause.
constexpr int32_t kGapMillis = 5 * FRAME_MILLIS;

TSeenFighter See(const TFigure& fig) {
  TSeenFighter seen;
  seen.cell = fig.PoseCell();
  seen.x = fig.x;
  seen.health = fig.health;
  seen.power = fig.power;
  return seen;
}

}  // namespace

int32_t TSeenFighter::Action() const {
  if (cell < kFirstArmOut) {
    return ACTION_GUARD;
  }
  if (cell < kFirstStagger) {
    return ACTION_RECOVER;
  }
  if (cell < kFirstWalk) {
    return ACTION_HURT;
  }
  return cell < ACTION_WIN ? ACTION_FORWARD : cell;
}

int32_t TSeenFighter::Height() const {
  if (cell < kFirstArmOut) {
    return cell;
  }
  if (cell < kFirstWalk) {
    return (cell - (cell < kFirstStagger ? kFirstArmOut : kFirstStagger)) / 2;
  }
  return 1;
}

int32_t TSeenFighter::Side() const {
  if (cell < kFirstArmOut || cell >= kFirstWalk) {
    return 0;
  }
  return (cell - (cell < kFirstStagger ? kFirstArmOut : kFirstStagger)) % 2;
}

TVulnMatrix TSeenFighter::Openings() const {
  return PoseVulnerability(Action(), Height(), Side());
}

int32_t TSight::Distance() const {
  return std::abs(opponent.x - self.x);
}

TSight Look(const TFigure& fig, int32_t now) {
  TSight sight;
  sight.time = now;
  sight.self = See(fig);
  sight.opponent = See(*fig.opp);
  return sight;
}

void TSightMemory::Remember(const TSight& sight) {
  if (_count > 0) {
    const TSight& last = _sights[(_next + kCapacity - 1) % kCapacity];
    if (DiffMillis(sight.time, last.time) > kGapMillis || DiffMillis(sight.time, last.time) < 0) {
      _count = 0;
    }
  }
  _sights[_next] = sight;
  _next = (_next + 1) % kCapacity;
  if (_count < kCapacity) {
    _count++;
  }
}

const TSight* TSightMemory::SeenBefore(int32_t now, int32_t delay) const {
  for (size_t back = 1; back <= _count; back++) {
    const TSight& sight = _sights[(_next + kCapacity - back) % kCapacity];
    if (DiffMillis(now, sight.time) >= delay) {
      return &sight;
    }
  }
  return nullptr;
}

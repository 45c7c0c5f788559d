// A model of a person playing: sight, reaction time and the keys.
#include "fighters/controller_player.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "fighters/figure.h"
#include "media/core/clock.h"
#include "media/core/random.h"

namespace {

// Nobody reacts to something seen quicker than this (anticipation aside).
constexpr int32_t kQuickestMillis = 100;

// A normally distributed number of mean 0 and deviation 1, from two uniform ones (Box and Muller).
double StandardNormal() {
  double u = 1.0 - RandomDouble();  // in (0, 1]: the logarithm stays finite
  double v = RandomDouble();
  return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * std::numbers::pi * v);
}

}  // namespace

void TKeys::GuardAt(int32_t height) {
  up = height == 0;
  down = height == 2;
  forward = false;
  backward = false;
}

bool TKeys::SameHeld(const TKeys& other) const {
  return up == other.up && down == other.down && forward == other.forward && backward == other.backward;
}

TControllerPlayer::TControllerPlayer(const TReaction& reaction) : reaction(reaction), _delay(ReactionTime()) {}

bool TControllerPlayer::Chance(int32_t percent) {
  return RandomInt(0, 99) < percent;
}

void TControllerPlayer::HoldOff(int32_t millis) {
  _holdOffUntil = AddMillis(fig->ring->Now(), millis);
}

int32_t TControllerPlayer::ReactionTime() const {
  double delay = reaction.meanMillis + reaction.spreadMillis * StandardNormal();
  return static_cast<int32_t>(std::clamp(delay, double{kQuickestMillis}, double{TSightMemory::LONGEST_MILLIS}));
}

void TControllerPlayer::Plan(const TKeys& keys, int32_t millis) {
  _planned = keys;
  _plannedAt = AddMillis(fig->ring->Now(), millis);
  _planning = true;
}

void TControllerPlayer::Press(const TKeys& keys, int32_t now) {
  TCommandFrame& commands = _commands;
  commands.hit[COMMAND_UP] = keys.up && !_held.up;
  commands.hit[COMMAND_DOWN] = keys.down && !_held.down;
  commands.hit[COMMAND_FORWARD] = keys.forward && !_held.forward;
  commands.hit[COMMAND_BACKWARD] = keys.backward && !_held.backward;
  commands.hit[COMMAND_RIGHT_HAND] = keys.hand == 0;
  commands.hit[COMMAND_LEFT_HAND] = keys.hand == 1;
  _held = keys;
  _held.hand = -1;
  _lastReaction = now;
  _reacted = true;
  _delay = ReactionTime();
}

int32_t TControllerPlayer::Update() {
  int32_t now = fig->ring->Now();
  _memory.Remember(Look(*fig, now));

  TCommandFrame& commands = _commands;
  commands = TCommandFrame();
  if (_planning) {
    // A planned press comes when planned, whatever is seen meanwhile; one whose moment went by unplayed (the
    // round ended in between) is dropped, as the next round starts afresh.
    if (DiffMillis(now, _plannedAt) >= 0) {
      _planning = false;
      if (DiffMillis(now, _plannedAt) < TSightMemory::LONGEST_MILLIS) {
        Press(_planned, now);
      }
    }
  } else {
    const TSight* seen = _memory.SeenBefore(now, _delay);
    bool fresh = seen != nullptr && (!_reacted || DiffMillis(seen->time, _lastReaction) > 0);
    if (fresh && DiffMillis(now, _holdOffUntil) >= 0) {
      TKeys keys = React(*seen, _held);
      if (!keys.SameHeld(_held) || keys.hand >= 0) {
        Press(keys, now);
      }
    }
  }
  commands.down[COMMAND_UP] = _held.up;
  commands.down[COMMAND_DOWN] = _held.down;
  commands.down[COMMAND_FORWARD] = _held.forward;
  commands.down[COMMAND_BACKWARD] = _held.backward;
  SteerByCommands(*fig, commands);
  return 0;
}

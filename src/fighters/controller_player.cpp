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

TControllerPlayer::TControllerPlayer(const TReaction& reaction) : reaction(reaction), delay_(ReactionTime()) {}

bool TControllerPlayer::Chance(int32_t percent) {
  return RandomInt(0, 99) < percent;
}

void TControllerPlayer::HoldOff(int32_t millis) {
  holdOffUntil_ = AddMillis(ElapsedMillis(), millis);
}

int32_t TControllerPlayer::ReactionTime() const {
  double delay = reaction.meanMillis + reaction.spreadMillis * StandardNormal();
  return static_cast<int32_t>(std::clamp(delay, double{kQuickestMillis}, double{TSightMemory::LONGEST_MILLIS}));
}

int32_t TControllerPlayer::Update() {
  int32_t now = ElapsedMillis();
  memory_.Remember(Look(*fig, now));

  TCommandFrame commands;
  const TSight* seen = memory_.SeenBefore(now, delay_);
  bool fresh = seen != nullptr && (!reacted_ || DiffMillis(seen->time, lastReaction_) > 0);
  if (fresh && DiffMillis(now, holdOffUntil_) >= 0) {
    TKeys keys = React(*seen, held_);
    if (!keys.SameHeld(held_) || keys.hand >= 0) {
      commands.hit[COMMAND_UP] = keys.up && !held_.up;
      commands.hit[COMMAND_DOWN] = keys.down && !held_.down;
      commands.hit[COMMAND_FORWARD] = keys.forward && !held_.forward;
      commands.hit[COMMAND_BACKWARD] = keys.backward && !held_.backward;
      commands.hit[COMMAND_RIGHT_HAND] = keys.hand == 0;
      commands.hit[COMMAND_LEFT_HAND] = keys.hand == 1;
      held_ = keys;
      held_.hand = -1;
      lastReaction_ = now;
      reacted_ = true;
      delay_ = ReactionTime();
    }
  }
  commands.down[COMMAND_UP] = held_.up;
  commands.down[COMMAND_DOWN] = held_.down;
  commands.down[COMMAND_FORWARD] = held_.forward;
  commands.down[COMMAND_BACKWARD] = held_.backward;
  SteerByCommands(*fig, commands);
  return 0;
}

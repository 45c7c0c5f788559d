// A match of two players, tick by tick.
#include "fight/fight.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "fighters/controller_commands.h"
#include "shared/game_state.h"
#include "shared/rules.h"

static_assert(std::has_unique_object_representations_v<TFightState>,
              "the state is hashed as its bytes: it must have no padding");

namespace {

constexpr uint64_t kFnvOffset = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

// The scripted match of the rules' fingerprint: long enough to reach punches, hits, a knockout and the next round.
constexpr int32_t kFingerprintTicks = 3000;

bool AnyFightingHit(TInputFrame frame) {
  for (int32_t command = 0; command < COMMAND_PAUSE; command++) {
    if (InputHit(frame, command)) {
      return true;
    }
  }
  return false;
}

}  // namespace

uint64_t HashFightState(const TFightState& state) {
  // Eight bytes at a time, as FNV-1a takes one: a rollback hashes every tick it plays again, and byte by byte
  // the hash cost seven times the tick. The shift after each step carries a difference in a word's high bits down
  // into the bits the next multiplications spread upwards, and the finish mixes every bit into every other.
  const auto* bytes = reinterpret_cast<const unsigned char*>(&state);
  uint64_t hash = kFnvOffset;
  for (size_t at = 0; at < sizeof state; at += sizeof(uint64_t)) {
    uint64_t word = 0;
    std::memcpy(&word, bytes + at, std::min(sizeof(uint64_t), sizeof state - at));
    hash = (hash ^ word) * kFnvPrime;
    hash ^= hash >> 32;
  }
  hash = (hash ^ (hash >> 33)) * 0xff51afd7ed558ccdull;
  hash = (hash ^ (hash >> 33)) * 0xc4ceb9fe1a85ec53ull;
  return hash ^ (hash >> 33);
}

TFight::TFight() {
  for (size_t side = 0; side < _figures.size(); side++) {
    TFigure& figure = _figures[side];
    _controllers[side] = std::make_shared<TControllerCommands>();
    _controllers[side]->fig = &figure;
    figure.controller = _controllers[side];
    figure.ring = this;
    figure.dir = side == 0 ? 1 : -1;
    figure.maxhealth = VERSUS_HEALTH;
    figure.colr = VERSUS_TINTS[side][0];
    figure.colg = VERSUS_TINTS[side][1];
    figure.colb = VERSUS_TINTS[side][2];
    figure.Reset();
  }
  TFigure::Fight(_figures[0], _figures[1]);
}

std::span<const TFightEvent> TFight::Advance(TInputFrame left, TInputFrame right) {
  _eventCount = 0;
  switch (_match.phase) {
    case FIGHT_COUNTDOWN:
      if (PhaseTicks() == 0) {
        Emit(TFightEvent::MATCH_SOUND, SFX_COUNTDOWN, -1, 1.0f);
      }
      if (PhaseTicks() >= FIGHT_COUNTDOWN_TICKS) {
        _match.phase = FIGHT_ROUND;
        _match.phaseTick = _match.tick;
        Emit(TFightEvent::MATCH_SOUND, SFX_FIGHT, -1, 1.0f);
      }
      break;
    case FIGHT_ROUND:
      StepFighters(left, right);
      break;
    case FIGHT_ROUND_OVER:
      if (PhaseTicks() >= FIGHT_ROUND_OVER_TICKS) {
        _match.phaseTick = _match.tick;
        if (Winner() >= 0) {
          _match.phase = FIGHT_OVER;
          Emit(TFightEvent::MATCH_SOUND, SFX_MATCH_WON, -1, 1.0f);
        } else {
          _match.phase = FIGHT_WAIT;
        }
      }
      break;
    case FIGHT_WAIT:
      // Either player goes on.
      if (AnyFightingHit(left) || AnyFightingHit(right)) {
        NextRound();
      }
      break;
    default:
      break;
  }
  _match.tick++;
  return {_events.data(), _eventCount};
}

void TFight::StepFighters(TInputFrame left, TInputFrame right) {
  _controllers[0]->frame = UnpackInput(left);
  _controllers[1]->frame = UnpackInput(right);
  int32_t knockout = TFigure::Tick(_figures[0], _figures[1]);
  if (knockout == KNOCKOUT_NONE) {
    return;
  }
  // Both down is a drawn round: nobody scores.
  _match.roundWinner = knockout == KNOCKOUT_BOTH ? -1 : knockout;
  if (_match.roundWinner >= 0) {
    _match.roundsWon[static_cast<size_t>(_match.roundWinner)]++;
  }
  _match.round++;
  _match.phase = FIGHT_ROUND_OVER;
  _match.phaseTick = _match.tick;
  Emit(TFightEvent::MATCH_SOUND, SFX_ROUND_OVER, -1, 1.0f);
}

void TFight::NextRound() {
  _figures[0].Reset();
  _figures[1].Reset();
  _match.phase = FIGHT_COUNTDOWN;
  _match.phaseTick = _match.tick + 1;  // the countdown's sound at its first tick
}

int32_t TFight::Winner() const {
  for (int32_t side = 0; side < 2; side++) {
    if (_match.roundsWon[static_cast<size_t>(side)] >= ROUNDS_TO_WIN) {
      return side;
    }
  }
  return -1;
}

void TFight::Save(TFightState* state) const {
  *state = _match;
  for (size_t side = 0; side < _figures.size(); side++) {
    state->fighters[side] = _figures[side];
  }
}

void TFight::Load(const TFightState& state) {
  _match = state;
  for (size_t side = 0; side < _figures.size(); side++) {
    static_cast<TFigureState&>(_figures[side]) = state.fighters[side];
  }
}

uint64_t TFight::Hash() const {
  TFightState state;
  Save(&state);
  return HashFightState(state);
}

int32_t TFight::Now() const {
  return _match.tick * FRAME_MILLIS;
}

void TFight::Sound(const TFigure& fighter, int32_t kind, float volume) {
  Emit(TFightEvent::PUNCH_SOUND, kind, &fighter == &_figures[0] ? 0 : 1, volume);
}

void TFight::Emit(int32_t kind, int32_t sound, int32_t fighter, float volume) {
  if (_eventCount < _events.size()) {
    _events[_eventCount++] = TFightEvent{_match.tick, kind, sound, fighter, volume};
  }
}

uint64_t FightRulesHash() {
  static const uint64_t fingerprint = [] {
    TFight fight;
    // Inputs from a fixed little generator: both players walk in, guard and punch at every height.
    uint32_t state = 12345;
    for (int32_t tick = 0; tick < kFingerprintTicks; tick++) {
      std::array<TInputFrame, 2> frames{};
      for (TInputFrame& frame : frames) {
        state = state * 1103515245u + 12345u;
        frame = static_cast<TInputFrame>((state >> 16) & INPUT_VALID_BITS);
      }
      fight.Advance(frames[0], frames[1]);
    }
    return fight.Hash();
  }();
  return fingerprint;
}

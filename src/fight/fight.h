// A match of two players as a value: both fighters and the match's rounds, advanced one tick at a time on the two
// players' input frames and on nothing else: no binding, no clock of the machine, no global. Its clock is its tick
// count times 20 ms, so the same inputs give the same match on any machine at any frame rate. It saves to a plain
// value, restores from one and hashes to 64 bits, which is all that replays, the sync check and a match over the
// network need.
//
// A tick also tells what the players should hear (its events); drawing and sound only read the match.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "fight/input_frame.h"
#include "fighters/figure.h"

class TControllerCommands;

// The phases of a match.
enum : int32_t {
  FIGHT_COUNTDOWN = 0,   // five seconds before a round
  FIGHT_ROUND = 1,       // the fighters are stepped
  FIGHT_ROUND_OVER = 2,  // a second after a knockout
  FIGHT_WAIT = 3,        // until either player presses a command (not Pause)
  FIGHT_OVER = 4,        // the match is decided; nothing changes any more
};

constexpr int32_t FIGHT_COUNTDOWN_TICKS = 250;
constexpr int32_t FIGHT_ROUND_OVER_TICKS = 50;
// Both fighters' health: enough for rounds of some twenty seconds between two players who guard.
constexpr int32_t VERSUS_HEALTH = 250;
// Player 1 in green, as in the one-player matches; player 2 in red.
constexpr std::array<std::array<int32_t, 3>, 2> VERSUS_TINTS = {{{32, 255, 64}, {235, 40, 40}}};

// What a tick did that the players hear: a punch's sound (FIGHT_SOUND_*, made by a miss of fighter or by a punch
// landing on fighter) or one of the match's (SFX_*).
struct TFightEvent {
  enum : int32_t { PUNCH_SOUND = 0, MATCH_SOUND = 1 };
  int32_t tick = 0;
  int32_t kind = PUNCH_SOUND;
  int32_t sound = 0;
  int32_t fighter = -1;  // -1 for the match's sounds
  float volume = 1.0f;
};

// Everything a tick changes, as a plain value with no padding: copied to save, hashed as its bytes.
struct TFightState {
  int32_t tick = 0;  // ticks played; the clock is tick * 20 ms
  int32_t phase = FIGHT_COUNTDOWN;
  int32_t phaseTick = 0;  // the tick the phase began at
  int32_t round = 1;      // advanced as soon as a round ends
  std::array<int32_t, 2> roundsWon = {0, 0};
  int32_t roundWinner = -1;  // of the last finished round: 0, 1, or -1 for both down
  std::array<TFigureState, 2> fighters{};
};

// 64 bits of the state's bytes (FNV-1a's steps on eight bytes at a time, then mixed): equal states give equal
// hashes on every machine.
uint64_t HashFightState(const TFightState& state);

class TFight : public TRing {
public:
  // A match about to count down its first round, both fighters at VERSUS_HEALTH in their corners.
  TFight();
  TFight(const TFight&) = delete;
  TFight& operator=(const TFight&) = delete;

  // One tick on the players' frames (0 the left, 1 the right). The events of the tick, valid until the next call.
  std::span<const TFightEvent> Advance(TInputFrame left, TInputFrame right);
  void Save(TFightState* state) const;
  void Load(const TFightState& state);
  uint64_t Hash() const;

  const TFigure& Fighter(int32_t side) const { return _figures[static_cast<size_t>(side)]; }
  int32_t Tick() const { return _match.tick; }
  int32_t Phase() const { return _match.phase; }
  // Ticks since the phase began.
  int32_t PhaseTicks() const { return _match.tick - _match.phaseTick; }
  int32_t Round() const { return _match.round; }
  int32_t RoundsWon(int32_t side) const { return _match.roundsWon[static_cast<size_t>(side)]; }
  int32_t RoundWinner() const { return _match.roundWinner; }
  // The side that won the match, or -1 while it is not decided.
  int32_t Winner() const;

  int32_t Now() const override;
  void Sound(const TFigure& fighter, int32_t kind, float volume) override;

private:
  void Emit(int32_t kind, int32_t sound, int32_t fighter, float volume);
  void StepFighters(TInputFrame left, TInputFrame right);
  void NextRound();

  TFightState _match;  // everything but the fighters, whose state lives in _figures
  std::array<TFigure, 2> _figures;
  std::array<std::shared_ptr<TControllerCommands>, 2> _controllers;
  std::array<TFightEvent, 8> _events{};
  size_t _eventCount = 0;
};

// A fingerprint of the fight's rules: the hash of a fixed match of scripted inputs. Two builds whose fights would
// go differently have different fingerprints.
uint64_t FightRulesHash();

// A model of a person playing either fighter, for the match simulator and the tests: it sees the fight only as
// drawn and only after a reaction time, and steers through the same commands as the player's controller, so it
// can do nothing a person at the keyboard could not. What it does with what it sees is up to the kind of player.
// Its clock is its fighter's ring's, so it plays a match of two players on that match's ticks.
#pragma once

#include <array>
#include <cstdint>

#include "fighters/command_steering.h"
#include "fighters/controller.h"
#include "fighters/player_sight.h"

// How quickly a player reacts, and how often it slips.
struct TReaction {
  int32_t meanMillis = 250;    // the mean delay from something shown to the keys pressed for it
  int32_t spreadMillis = 40;   // its standard deviation: every reaction takes its own time
  int32_t mistakePercent = 5;  // of the reactions that go wrong (which way depends on the kind of player)
};

// The keys a player holds, and the hand it presses in this tick (-1: none).
struct TKeys {
  bool up = false;
  bool down = false;
  bool forward = false;
  bool backward = false;
  int32_t hand = -1;

  // Hold the guard at a height: Up for 0, Down for 2, neither for 1; no walking.
  void GuardAt(int32_t height);
  bool SameHeld(const TKeys& other) const;
};

class TControllerPlayer : public TController {
public:
  explicit TControllerPlayer(const TReaction& reaction);
  // Remembers what is on the screen, reacts to what was seen a reaction time ago (when it has seen anything
  // since its last reaction), and steers the fighter with the keys held and pressed.
  int32_t Update() final;
  // The commands the last Update steered with: the keys a person would have held and pressed in that tick.
  const TCommandFrame& Commands() const { return _commands; }

  const TReaction reaction;

protected:
  // The keys to hold and press, given what was seen and the keys held now. Returning the keys held and no hand
  // does nothing; anything else is a reaction, and the next waits for what follows it to be seen.
  virtual TKeys React(const TSight& seen, const TKeys& held) = 0;
  // True once in percent times.
  static bool Chance(int32_t percent);
  // Nothing more is done for a while (a late reaction, a pause between presses).
  void HoldOff(int32_t millis);
  // A reaction time: the mean give or take the spread, normally distributed, never below a human's quickest.
  int32_t ReactionTime() const;
  // Keys to press millis from now without looking again: the rest of a move planned as one. Nothing is reacted
  // to until they are pressed; the reaction after them answers what is seen after them.
  void Plan(const TKeys& keys, int32_t millis);

private:
  // Presses the keys now (the keys held that change, the hand) and draws the next reaction time.
  void Press(const TKeys& keys, int32_t now);

  TSightMemory _memory;
  TCommandFrame _commands;
  TKeys _held;
  int32_t _delay;             // the reaction time of the next reaction
  int32_t _lastReaction = 0;  // when the keys last changed
  bool _reacted = false;      // whether they ever did
  int32_t _holdOffUntil = 0;
  TKeys _planned;  // the planned press, when _planning
  int32_t _plannedAt = 0;
  bool _planning = false;
};

// Tournament matches played headless between two computer players: a reference player as fighter 0 against a
// roster opponent, with the game's own fighters, controllers and round rules, on a clock moved by hand. The match
// simulator balances the roster with it, and the roster's test checks that each level is harder than the last.
#pragma once

#include <array>
#include <cstdint>

class TManualClock;
class TOpponent;

// A reference player that reacts in about a quarter of a second and shifts its guard for lunges, like a player
// who knows the game.
constexpr std::array<int32_t, 6> REFERENCE_PLAYER = {250, 200, 50, 800, 3, 1};

struct TSimulatedMatches {
  int wins = 0;     // by the reference player
  int losses = 0;
  int stalled = 0;  // matches nobody could end: a round of three minutes, or more than twenty rounds
  long rounds = 0;
  long ticks = 0;   // fight ticks, each of them both fighters' Control and Update
};

// Plays matches tournament matches at the opponent's level and adds their outcome to result. The clock must be
// the installed clock source; the random generator decides the reference player's delays in each match (its own
// give or take 15 %, as a person's would be), so a seed makes the whole run repeatable.
void SimulateMatches(const std::array<int32_t, 6>& player, const TOpponent& opponent, int matches,
                     TManualClock& clock, TSimulatedMatches& result);

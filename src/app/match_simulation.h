// Tournament matches played headless: a player as fighter 0 against a roster opponent, with the game's own
// fighters, controllers and round rules, on a clock moved by hand. The player is the reference computer player
// or a model of a person (an informed player, a newcomer or a player of combinations). The match simulator balances the
// roster with it, and the roster's test checks that each level is harder than the last.
//
// And matches of two players between two such models, each at the keys of a side of the two-player match
// (TFight), played through its input frames alone: how two kinds of player fare against each other, and the sync
// check of the two-player match.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fighters/controller_player.h"

class TController;
class TManualClock;
class TOpponent;
class TPilot;

// A reference player that reacts in about a quarter of a second and shifts its guard for lunges: the computer's
// own controller in the player's place.
constexpr std::array<int32_t, 6> REFERENCE_PLAYER = {250, 200, 50, 800, 3, 1};

// Who plays fighter 0, or a side of a match of two players.
struct TPlayerModel {
  enum TKind { REFERENCE, INFORMED, NEWCOMER, COMBO };
  TKind kind = REFERENCE;
  std::array<int32_t, 6> reference = REFERENCE_PLAYER;  // the computer controller's numbers, for REFERENCE
  TReaction reaction;                                   // a person's, for the other kinds

  static TPlayerModel Informed(int32_t meanMillis);
  static TPlayerModel Newcomer();
  static TPlayerModel Combo(int32_t meanMillis);
  // "reference", six numbers "t_pose,t_punch,t_decide,t_vthresh,vthresh,aggressive" for the reference player,
  // "informed", "newcomer" or "combo", each of the last three optionally followed by ":MEAN", ":MEAN:SPREAD" or
  // ":MEAN:SPREAD:MISTAKES%" (reaction time in ms). False, leaving model as it was, for anything else.
  static bool Parse(std::string_view text, TPlayerModel* model);
  // The model as Parse reads it back, with every number.
  std::string Name() const;
  // A controller for fighter 0 in one match. The reference player's three delays are its own in each match, give
  // or take 15 %, as a person's would be; the models of people draw every reaction time anew.
  std::shared_ptr<TController> CreateController() const;
  // The same player at the keys of either side of a match of two players: the controller CreateController draws,
  // steering through input frames.
  std::unique_ptr<TPilot> CreatePilot() const;
};

struct TSimulatedMatches {
  int wins = 0;  // by the player
  int losses = 0;
  int stalled = 0;  // matches nobody could end: a round of three minutes, or more than twenty rounds
  long rounds = 0;
  long ticks = 0;  // fight ticks, each of them both fighters' Control and Update
};

// Plays matches tournament matches at the opponent's level and adds their outcome to result. The clock must be
// the installed clock source; the random generator decides the player's timing, so a seed makes the whole run
// repeatable.
void SimulateMatches(const TPlayerModel& player, const TOpponent& opponent, int matches, TManualClock& clock,
                     TSimulatedMatches& result);

struct TVersusMatches {
  std::array<int, 2> wins{};  // by the first model and by the second
  int leftWins = 0;           // matches won by whoever played the left side
  int stalled = 0;            // as in the tournament matches: a round of three minutes, or more than twenty rounds
  long rounds = 0;
  long ticks = 0;         // ticks of the rounds' fighting (countdowns and pauses left out)
  long checkedTicks = 0;  // ticks played for the first time under the sync check
};

// Where the sync check of a match of two players failed.
struct TVersusSyncFailure {
  int match = 0;            // counted from 0 in the run
  bool firstOnLeft = true;  // whether the first model played the left side
  int32_t tick = 0;         // the first tick whose hash differed when played again
  uint64_t firstHash = 0;
  uint64_t againHash = 0;
};

// Plays matches of two players between models first and second through the match's input frames, the first on
// the left in the first match and every other one after it, so that neither has the side's advantage (the left
// fighter steps first in each tick). The random generator decides both models' timing, so a seed makes the run
// repeatable. With syncDepth above 0, each match runs under the sync check with that depth; the run then stops
// at the first tick that differs and returns false with it in *failure.
bool SimulateVersus(const TPlayerModel& first, const TPlayerModel& second, int matches, int32_t syncDepth,
                    TVersusMatches& result, TVersusSyncFailure* failure = nullptr);

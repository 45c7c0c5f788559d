// The tournament roster: one opponent per level, read from bin/tournament.dat at start-up.
//
// Each line holds ten integers separated by tabs: the computer controller's t_pose, t_punch, t_decide, t_vthresh,
// vthresh and aggressive, the opponent's tint (red, green, blue) and the health of both fighters in the match.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/core/runtime_error.h"

constexpr int32_t OPPONENT_PARAMS = 10;

class TOpponent {
public:
  // Reads bin/tournament.dat into Opponents. The roster is required: a missing file, a line with fewer than ten
  // fields or fewer than ten lines raises TRosterError, naming the file, the line and what is wrong.
  static int32_t Load();

  std::array<int32_t, OPPONENT_PARAMS> params{};
};

class TRosterError : public TRuntimeError {
public:
  using TRuntimeError::TRuntimeError;
};

// The roster in file order; level n of the tournament uses Opponents[n].
extern std::vector<std::shared_ptr<TOpponent>> Opponents;

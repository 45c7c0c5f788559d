// Tournament matches played headless: a player against the roster.
#include "app/match_simulation.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "app/game.h"
#include "fight/ai_pilot.h"
#include "fight/fight.h"
#include "fight/player_pilot.h"
#include "fight/sync_check.h"
#include "fighters/controller_ai.h"
#include "fighters/controller_combo.h"
#include "fighters/controller_informed.h"
#include "fighters/controller_newcomer.h"
#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

constexpr int32_t kBetweenRoundsMillis = 6000;  // the round-over pause and the next countdown
// Every match starts on the clock at this reading. Left to run on, the clock of a long run (ten thousands of
// matches) would pass the 24 days that a reading lasts, and every timer of the fighters would stop.
constexpr int32_t kMatchStartMillis = 1000;
// A player is not a machine: in each match the reference player's three delays are its own, give or take this
// many percent, which is what makes its matches differ (every timer of the game is relative to the frame ticks,
// so two computer players alone would fight the same match every time).
constexpr int32_t kPlayerJitterPercent = 15;
// Two computer players can be patient, or even, for ever, where a person would not.
constexpr int32_t kRoundLimitTicks = 50 * 180;
constexpr int32_t kMatchLimitRounds = 20;

// One round, fought tick by tick through the match loop's own step. False when nobody ended it in time.
bool FightRound(TManualClock& clock, TSimulatedMatches& result) {
  GameState = GAMESTATE_FIGHT;
  for (int tick = 0; tick < kRoundLimitTicks; tick++) {
    clock.Advance(FRAME_MILLIS);
    Game::Update();
    result.ticks++;
    if (GameState != GAMESTATE_FIGHT) {
      return true;
    }
  }
  return false;
}

void PlayMatch(const TPlayerModel& player, const TOpponent& opponent, TManualClock& clock, TSimulatedMatches& result) {
  const auto& p = opponent.params;
  clock.Set(kMatchStartMillis);
  Fighters[0] = TFigure::Create(player.CreateController(), p[9], 32, 255, 64, 0);
  Fighters[1] = TFigure::Create(TControllerAI::Create(p), p[9], p[6], p[7], p[8], 1);
  TFigure::Fight(Fighters[0], Fighters[1]);
  RoundsWon = {0, 0};
  Round = 1;
  while (RoundsWon[0] < 3 && RoundsWon[1] < 3) {
    clock.Advance(kBetweenRoundsMillis);
    if (Round > kMatchLimitRounds || !FightRound(clock, result)) {
      result.stalled++;
      return;
    }
    result.rounds++;
    Fighters[0]->Reset();
    Fighters[1]->Reset();
  }
  (RoundsWon[0] == 3 ? result.wins : result.losses)++;
}

// The reference player's numbers for one match: its three delays its own, give or take kPlayerJitterPercent.
std::array<int32_t, 6> JitteredReference(const std::array<int32_t, 6>& reference) {
  std::array<int32_t, 6> player = reference;
  for (size_t delay = 0; delay < 3; delay++) {
    player[delay] = player[delay] * RandomInt(100 - kPlayerJitterPercent, 100 + kPlayerJitterPercent) / 100;
  }
  return player;
}

// The two sides of a match of two players, and the limits that stall it.
struct TVersusSides {
  std::array<std::unique_ptr<TPilot>, 2> pilots;  // left, right
  bool stalled = false;
  long roundTicks = 0;

  // The frames of the next tick, or false when the match is over or stalled.
  bool Inputs(const TFight& fight, std::array<TInputFrame, 2>* frames) {
    if (fight.Phase() == FIGHT_OVER) {
      return false;
    }
    bool tooLong =
        fight.Round() > kMatchLimitRounds || (fight.Phase() == FIGHT_ROUND && fight.PhaseTicks() >= kRoundLimitTicks);
    if (fight.Winner() < 0 && tooLong) {
      stalled = true;
      return false;
    }
    roundTicks += fight.Phase() == FIGHT_ROUND ? 1 : 0;
    for (int32_t side = 0; side < 2; side++) {
      (*frames)[static_cast<size_t>(side)] = pilots[static_cast<size_t>(side)]->Next(fight, side);
    }
    return true;
  }
};

// One match of two players; false when the sync check (syncDepth above 0) failed.
bool PlayVersus(const TPlayerModel& first, const TPlayerModel& second, int match, int32_t syncDepth,
                TVersusMatches& result, TVersusSyncFailure* failure) {
  bool firstOnLeft = match % 2 == 0;
  TVersusSides sides;
  std::unique_ptr<TPilot> firstPilot = first.CreatePilot();
  std::unique_ptr<TPilot> secondPilot = second.CreatePilot();
  sides.pilots[firstOnLeft ? 0 : 1] = std::move(firstPilot);
  sides.pilots[firstOnLeft ? 1 : 0] = std::move(secondPilot);
  TFight fight;
  if (syncDepth > 0) {
    TSyncCheck check = CheckSync(fight, syncDepth, [&sides](const TFight& now, std::array<TInputFrame, 2>* frames) {
      return sides.Inputs(now, frames);
    });
    result.checkedTicks += check.ticks;
    if (!check.Passed()) {
      if (failure != nullptr) {
        *failure = {match, firstOnLeft, check.failedTick, check.firstHash, check.againHash};
      }
      return false;
    }
  } else {
    std::array<TInputFrame, 2> frames{};
    while (sides.Inputs(fight, &frames)) {
      fight.Advance(frames[0], frames[1]);
    }
  }
  result.ticks += sides.roundTicks;
  result.rounds += fight.Round() - 1;
  int32_t winner = fight.Winner();
  if (sides.stalled || winner < 0) {
    result.stalled++;
    return true;
  }
  result.leftWins += winner == 0 ? 1 : 0;
  result.wins[(winner == 0) == firstOnLeft ? 0 : 1]++;
  return true;
}

// The numbers of text separated by separator, or an empty list when one of them is not a whole number.
std::vector<int32_t> Numbers(std::string_view text, char separator) {
  std::vector<int32_t> numbers;
  while (true) {
    size_t end = text.find(separator);
    std::string_view field = text.substr(0, end);
    int32_t value = 0;
    auto [rest, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || rest != field.data() + field.size()) {
      return {};
    }
    numbers.push_back(value);
    if (end == std::string_view::npos) {
      return numbers;
    }
    text.remove_prefix(end + 1);
  }
}

}  // namespace

TPlayerModel TPlayerModel::Informed(int32_t meanMillis) {
  TPlayerModel model;
  model.kind = INFORMED;
  model.reaction = TControllerInformed::DEFAULT_REACTION;
  model.reaction.meanMillis = meanMillis;
  return model;
}

TPlayerModel TPlayerModel::Newcomer() {
  TPlayerModel model;
  model.kind = NEWCOMER;
  model.reaction = TControllerNewcomer::DEFAULT_REACTION;
  return model;
}

TPlayerModel TPlayerModel::Combo(int32_t meanMillis) {
  TPlayerModel model;
  model.kind = COMBO;
  model.reaction = TControllerCombo::DEFAULT_REACTION;
  model.reaction.meanMillis = meanMillis;
  return model;
}

bool TPlayerModel::Parse(std::string_view text, TPlayerModel* model) {
  TPlayerModel parsed;
  std::string_view kind = text.substr(0, text.find(':'));
  std::string_view numbers = kind.size() < text.size() ? text.substr(kind.size() + 1) : std::string_view();
  if (kind == "informed" || kind == "newcomer" || kind == "combo") {
    parsed = kind == "informed" ? Informed(TControllerInformed::DEFAULT_REACTION.meanMillis)
             : kind == "combo"  ? Combo(TControllerCombo::DEFAULT_REACTION.meanMillis)
                                : Newcomer();
    if (kind.size() < text.size()) {
      std::vector<int32_t> values = Numbers(numbers, ':');
      // A reaction within what a person can do, and a rate of mistakes that is one.
      if (values.empty() || values.size() > 3 || values[0] < 50 || values[0] > 1000 ||
          (values.size() > 1 && (values[1] < 0 || values[1] > 500)) ||
          (values.size() > 2 && (values[2] < 0 || values[2] > 100))) {
        return false;
      }
      parsed.reaction.meanMillis = values[0];
      if (values.size() > 1) {
        parsed.reaction.spreadMillis = values[1];
      }
      if (values.size() > 2) {
        parsed.reaction.mistakePercent = values[2];
      }
    }
  } else if (text != "reference") {
    std::vector<int32_t> values = Numbers(text, ',');
    if (values.size() != parsed.reference.size()) {
      return false;
    }
    std::copy(values.begin(), values.end(), parsed.reference.begin());
  }
  *model = parsed;
  return true;
}

std::string TPlayerModel::Name() const {
  if (kind == REFERENCE) {
    std::string name;
    for (int32_t value : reference) {
      name += (name.empty() ? "" : ",") + std::to_string(value);
    }
    return name;
  }
  const char* kindName = kind == INFORMED ? "informed:" : kind == COMBO ? "combo:" : "newcomer:";
  return std::string(kindName) + std::to_string(reaction.meanMillis) + ":" + std::to_string(reaction.spreadMillis) +
         ":" + std::to_string(reaction.mistakePercent);
}

std::shared_ptr<TController> TPlayerModel::CreateController() const {
  switch (kind) {
    case INFORMED:
      return TControllerInformed::Create(reaction);
    case NEWCOMER:
      return TControllerNewcomer::Create(reaction);
    case COMBO:
      return TControllerCombo::Create(reaction);
    default:
      return TControllerAI::Create(JitteredReference(reference));
  }
}

std::unique_ptr<TPilot> TPlayerModel::CreatePilot() const {
  switch (kind) {
    case INFORMED:
      return std::make_unique<TPlayerPilot>(TControllerInformed::Create(reaction));
    case NEWCOMER:
      return std::make_unique<TPlayerPilot>(TControllerNewcomer::Create(reaction));
    case COMBO:
      return std::make_unique<TPlayerPilot>(TControllerCombo::Create(reaction));
    default:
      return std::make_unique<TAIPilot>(JitteredReference(reference));
  }
}

void SimulateMatches(const TPlayerModel& player, const TOpponent& opponent, int matches, TManualClock& clock,
                     TSimulatedMatches& result) {
  for (int match = 0; match < matches; match++) {
    PlayMatch(player, opponent, clock, result);
  }
}

bool SimulateVersus(const TPlayerModel& first, const TPlayerModel& second, int matches, int32_t syncDepth,
                    TVersusMatches& result, TVersusSyncFailure* failure) {
  for (int match = 0; match < matches; match++) {
    if (!PlayVersus(first, second, match, syncDepth, result, failure)) {
      return false;
    }
  }
  return true;
}

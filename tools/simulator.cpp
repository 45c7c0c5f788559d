// The match simulator: plays tournament matches headless between a player as fighter 0 and the roster's opponent
// of each level, with the game's own fighters, controllers and round rules on a clock moved by hand. It is how the
// roster is balanced: each level should be harder than the one before, for players quick and slow.
//
//   simulator [--data DIR] [--level N] [--matches N] [--seed N] [--player MODEL]...
//   simulator --versus MODEL MODEL [--matches N] [--seed N]
//   simulator --sync-check DEPTH [--versus MODEL MODEL] [--matches N] [--seed N]
//
// DIR holds bin/tournament.dat (default: the current folder). MODEL is "informed[:MEAN[:SPREAD[:MISTAKES]]]",
// "newcomer[:...]", "combo[:...]", "reference" or the reference player's six numbers; --player may be given more
// than once, and without it the simulator plays the informed player reacting in 220 and in 350 ms, the newcomer,
// the player of combinations reacting in 350 ms and the reference player. Prints per model and level the player's wins,
// losses and stalled matches, average rounds and fighting time per match and fighter ticks per CPU second; with more
// than one model, then the win rates side by side.
//
// --versus plays matches of two players between the two models instead, through the two-player match's input
// frames, the first model on the left in the first match and every other one; it prints each model's wins and
// win rate, stalled matches, and how often the left side won. --sync-check plays such matches (two newcomers
// unless --versus names the models) going back DEPTH ticks after every tick and playing them again: it exits
// with 1 at the first tick whose hash differs from the first time's, naming the match and the tick.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/match_simulation.h"
#include "fighters/opponent.h"
#include "media/audio/audio.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "media/core/runtime_error.h"
#include "shared/game_state.h"

namespace {

constexpr int32_t kTickMillis = 20;

struct TOptions {
  std::string data = ".";
  int level = -1;  // all
  int matches = 200;
  int32_t seed = 12345;
  std::vector<TPlayerModel> players;
  std::vector<TPlayerModel> versus;  // two models for matches of two players
  int32_t syncDepth = 0;             // above 0: the sync check
};

// The players of the balance: the informed player quick and slow, the newcomer, the player of combinations, the
// computer's own controller.
std::vector<TPlayerModel> BalancePlayers() {
  return {TPlayerModel::Informed(220), TPlayerModel::Informed(350), TPlayerModel::Newcomer(), TPlayerModel::Combo(350),
          TPlayerModel()};
}

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

bool ParseOptions(int argc, char** argv, TOptions* options) {
  for (int i = 1; i < argc; i += 2) {
    std::string arg = argv[i];
    char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (value == nullptr) {
      return false;
    }
    if (arg == "--versus") {
      TPlayerModel first;
      TPlayerModel second;
      if (i + 2 >= argc || !TPlayerModel::Parse(value, &first) || !TPlayerModel::Parse(argv[i + 2], &second)) {
        return false;
      }
      options->versus = {first, second};
      i++;
    } else if (arg == "--sync-check") {
      options->syncDepth = std::atoi(value);
      if (options->syncDepth < 1) {
        return false;
      }
    } else if (arg == "--data") {
      options->data = value;
    } else if (arg == "--level") {
      options->level = std::atoi(value) - 1;  // levels are shown from 1
    } else if (arg == "--matches") {
      options->matches = std::max(1, std::atoi(value));
    } else if (arg == "--seed") {
      options->seed = std::atoi(value);
    } else if (arg == "--player") {
      TPlayerModel model;
      if (!TPlayerModel::Parse(value, &model)) {
        return false;
      }
      options->players.push_back(model);
    } else {
      return false;
    }
  }
  if (!options->versus.empty() || options->syncDepth > 0) {
    if (!options->players.empty() || options->level >= 0) {
      return false;  // the roster plays no part in a match of two players
    }
    if (options->versus.empty()) {
      options->versus = {TPlayerModel::Newcomer(), TPlayerModel::Newcomer()};
    }
  } else if (options->players.empty()) {
    options->players = BalancePlayers();
  }
  return true;
}

double WinPercent(const TSimulatedMatches& result) {
  int played = result.wins + result.losses;
  return played > 0 ? 100.0 * result.wins / played : 0.0;
}

double Percent(int part, int whole) {
  return whole > 0 ? 100.0 * part / whole : 0.0;
}

// Matches of two players between the two models, or their sync check.
int RunVersus(const TOptions& options) {
  const TPlayerModel& first = options.versus[0];
  const TPlayerModel& second = options.versus[1];
  SeedRandom(options.seed);
  TVersusMatches result;
  TVersusSyncFailure failure;
  double start = CpuSeconds();
  bool synced = SimulateVersus(first, second, options.matches, options.syncDepth, result, &failure);
  double cpu = CpuSeconds() - start;
  std::printf("%s: A %s against B %s; %d matches, A on the left in the first and every other one, seed %d\n",
              options.syncDepth > 0 ? "sync check" : "versus", first.Name().c_str(), second.Name().c_str(),
              options.matches, options.seed);
  if (options.syncDepth > 0) {
    if (!synced) {
      std::printf("FAILED in match %d (A on the %s), tick %d: hash %016llx the first time, %016llx played again\n",
                  failure.match + 1, failure.firstOnLeft ? "left" : "right", failure.tick,
                  static_cast<unsigned long long>(failure.firstHash),
                  static_cast<unsigned long long>(failure.againHash));
      return 1;
    }
    std::printf(
        "passed: %d matches, %ld ticks, each played again up to %d times after it, every hash as the first "
        "time (%.0f ticks a CPU second, the checks included)\n",
        options.matches, result.checkedTicks, options.syncDepth,
        cpu > 0 ? static_cast<double>(result.checkedTicks) / cpu : 0.0);
    return 0;
  }
  int decided = result.wins[0] + result.wins[1];
  std::printf("model  wins  win%%\n");
  std::printf("A      %4d  %5.1f  %s\n", result.wins[0], Percent(result.wins[0], decided), first.Name().c_str());
  std::printf("B      %4d  %5.1f  %s\n", result.wins[1], Percent(result.wins[1], decided), second.Name().c_str());
  std::printf(
      "stalled %d; the left side won %.1f%% of the decided matches; %.2f rounds and %.1f s of fighting a "
      "match; %.0f match ticks a CPU second\n",
      result.stalled, Percent(result.leftWins, decided), static_cast<double>(result.rounds) / options.matches,
      static_cast<double>(result.ticks) * kTickMillis / 1000.0 / options.matches,
      cpu > 0 ? static_cast<double>(result.ticks) / cpu : 0.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: simulator [--data DIR] [--level 1-10] [--matches N] [--seed N] [--player MODEL]...\n"
                 "       simulator [--sync-check DEPTH] [--versus MODEL MODEL] [--matches N] [--seed N]\n"
                 "  MODEL: informed[:MEAN[:SPREAD[:MISTAKES]]], newcomer[:...], combo[:...] (reaction in ms,\n"
                 "         mistakes in %%),\n"
                 "         reference, or t_pose,t_punch,t_decide,t_vthresh,vthresh,aggressive\n");
    return 2;
  }
  if (!options.versus.empty()) {
    return RunVersus(options);
  }
  std::error_code failure;
  std::filesystem::current_path(options.data, failure);
  try {
    TOpponent::Load();
  } catch (const TRuntimeError& error) {
    std::fprintf(stderr, "simulator: %s\n", error.what());
    return 1;
  }
  TManualClock clock(1000);
  SetClockSource(&clock);
  SelectAudioDriver(u"Null");  // sounds on, silent: the fight sounds draw from the shared generator as in play

  int first = options.level >= 0 ? options.level : 0;
  int last = std::min(options.level >= 0 ? options.level : LEVEL_COUNT - 1, static_cast<int>(Opponents.size()) - 1);
  std::vector<std::vector<TSimulatedMatches>> results;
  for (const TPlayerModel& player : options.players) {
    // Each model plays from the same seed, so that one model's run does not depend on which others came first.
    SeedRandom(options.seed);
    std::printf("player %s; %d matches per level, seed %d\n", player.Name().c_str(), options.matches, options.seed);
    std::printf("level  wins  losses  stalled  win%%   rounds/match  fight s/match  fighter ticks per CPU s\n");
    results.emplace_back();
    for (int level = first; level <= last; level++) {
      TSimulatedMatches result;
      double start = CpuSeconds();
      SimulateMatches(player, *Opponents[static_cast<size_t>(level)], options.matches, clock, result);
      double cpu = CpuSeconds() - start;
      std::printf("%5d  %4d  %6d  %7d  %5.1f  %12.2f  %13.1f  %12.0f\n", level + 1, result.wins, result.losses,
                  result.stalled, WinPercent(result), static_cast<double>(result.rounds) / options.matches,
                  static_cast<double>(result.ticks) * kTickMillis / 1000.0 / options.matches,
                  cpu > 0 ? 2.0 * static_cast<double>(result.ticks) / cpu : 0.0);
      results.back().push_back(result);
    }
    std::printf("\n");
  }
  if (options.players.size() > 1) {
    std::printf("win %% by level (stalled matches in brackets where there were any)\nlevel");
    for (const TPlayerModel& player : options.players) {
      std::printf("  %-22s", player.Name().c_str());
    }
    std::printf("\n");
    for (int level = first; level <= last; level++) {
      std::printf("%5d", level + 1);
      for (const auto& model : results) {
        const TSimulatedMatches& result = model[static_cast<size_t>(level - first)];
        char text[32];
        std::snprintf(text, sizeof text, "%5.1f", WinPercent(result));
        std::string cell = text;
        if (result.stalled > 0) {
          cell += " (" + std::to_string(result.stalled) + ")";
        }
        std::printf("  %-22s", cell.c_str());
      }
      std::printf("\n");
    }
  }
  SetClockSource(nullptr);
  return 0;
}

// The match simulator: plays tournament matches headless between a reference computer player as fighter 0 and
// the roster's opponent of each level, with the game's own fighters, controllers and round rules on a clock moved
// by hand. It is how the roster is balanced: each level should be harder than the one before.
//
//   simulator [--data DIR] [--level N] [--matches N] [--seed N] [--player
//   t_pose,t_punch,t_decide,t_vthresh,vthresh,aggressive]
//
// DIR holds bin/tournament.dat (default: the current folder). Prints, per level: wins and losses of the reference
// player, average rounds, average fighting time per match, and fighter ticks per CPU second.
#include <time.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

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
  std::array<int32_t, 6> player = REFERENCE_PLAYER;
};

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
    if (arg == "--data") {
      options->data = value;
    } else if (arg == "--level") {
      options->level = std::atoi(value) - 1;  // levels are shown from 1
    } else if (arg == "--matches") {
      options->matches = std::max(1, std::atoi(value));
    } else if (arg == "--seed") {
      options->seed = std::atoi(value);
    } else if (arg == "--player") {
      size_t count = 0;
      for (char* field = std::strtok(value, ","); field != nullptr; field = std::strtok(nullptr, ",")) {
        if (count == options->player.size()) {
          return false;
        }
        options->player[count++] = std::atoi(field);
      }
      if (count != options->player.size()) {
        return false;
      }
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: simulator [--data DIR] [--level 1-10] [--matches N] [--seed N]\n"
                 "                 [--player t_pose,t_punch,t_decide,t_vthresh,vthresh,aggressive]\n");
    return 2;
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
  SeedRandom(options.seed);

  std::printf("reference player: %d,%d,%d,%d,%d,%d; %d matches per level, seed %d\n", options.player[0],
              options.player[1], options.player[2], options.player[3], options.player[4], options.player[5],
              options.matches, options.seed);
  std::printf("level  wins  losses  stalled  win%%   rounds/match  fight s/match  fighter ticks per CPU s\n");
  int first = options.level >= 0 ? options.level : 0;
  int last = options.level >= 0 ? options.level : LEVEL_COUNT - 1;
  for (int level = first; level <= last && level < static_cast<int>(Opponents.size()); level++) {
    TSimulatedMatches result;
    double start = CpuSeconds();
    SimulateMatches(options.player, *Opponents[static_cast<size_t>(level)], options.matches, clock, result);
    double cpu = CpuSeconds() - start;
    int played = result.wins + result.losses;
    std::printf("%5d  %4d  %6d  %7d  %5.1f  %12.2f  %13.1f  %12.0f\n", level + 1, result.wins, result.losses,
                result.stalled, played > 0 ? 100.0 * result.wins / played : 0.0,
                static_cast<double>(result.rounds) / options.matches,
                static_cast<double>(result.ticks) * kTickMillis / 1000.0 / options.matches,
                cpu > 0 ? 2.0 * static_cast<double>(result.ticks) / cpu : 0.0);
  }
  SetClockSource(nullptr);
  return 0;
}

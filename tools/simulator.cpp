// The match simulator: plays tournament matches headless between a reference computer player as fighter 0 and
// the roster's opponent of each level, with the game's own fighters, controllers and round rules on a clock moved
// by hand. It is how the roster is balanced: each level should be harder than the one before.
//
//   simulator [--data DIR] [--level N] [--matches N] [--seed N] [--player t_pose,t_punch,t_decide,t_vthresh,vthresh,aggressive]
//
// DIR holds bin/tournament.dat (default: the current folder). Prints, per level: wins and losses of the reference
// player, average rounds, average fighting time per match, and fighter ticks per CPU second.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/game_state.h"
#include "fighters/controller_ai.h"
#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "media/audio.h"
#include "media/clock.h"
#include "media/random.h"
#include "media/runtime_error.h"

namespace {

constexpr int32_t kTickMillis = 20;
constexpr int32_t kBetweenRoundsMillis = 6000;  // the round-over pause and the next countdown
// A player is not a machine: in each match the reference player's three delays are its own, give or take this
// many percent, which is what makes matches differ (every timer of the game is relative to the frame ticks, so
// the computer opponent alone would fight the same match every time).
constexpr int32_t kPlayerJitterPercent = 15;
// A round nobody ends in three minutes, or a match of drawn rounds that goes on past twenty, counts as stalled:
// two computer players can be patient, or even, for ever, where a person would not.
constexpr int32_t kRoundLimitTicks = 50 * 180;
constexpr int32_t kMatchLimitRounds = 20;

struct TOptions {
  std::string data = ".";
  int level = -1;  // all
  int matches = 200;
  int32_t seed = 12345;
  std::vector<int32_t> player = {250, 200, 50, 800, 3, 1};
};

struct TLevelResult {
  int wins = 0;
  int losses = 0;
  int stalled = 0;
  long rounds = 0;
  long ticks = 0;
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
      options->player.clear();
      for (char* field = std::strtok(value, ","); field != nullptr; field = std::strtok(nullptr, ",")) {
        options->player.push_back(std::atoi(field));
      }
      if (options->player.size() != 6) {
        return false;
      }
    } else {
      return false;
    }
  }
  return true;
}

// One round, fought tick by tick through the match loop's own step. False when nobody ended it in time.
bool FightRound(TManualClock& clock, TLevelResult& result) {
  GameState = GAMESTATE_FIGHT;
  for (int tick = 0; tick < kRoundLimitTicks; tick++) {
    clock.Advance(kTickMillis);
    Game::Update();
    result.ticks++;
    if (GameState != GAMESTATE_FIGHT) {
      return true;
    }
  }
  return false;
}

void PlayMatch(const TOptions& options, const TOpponent& opponent, TManualClock& clock, TLevelResult& result) {
  const auto& p = opponent.params;
  std::vector<int32_t> player = options.player;
  for (size_t delay = 0; delay < 3; delay++) {
    player[delay] = player[delay] * RandomInt(100 - kPlayerJitterPercent, 100 + kPlayerJitterPercent) / 100;
  }
  Fighters[0] = TFigure::Create(TControllerAI::Create(player), p[9], 32, 255, 64, 0);
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
    TLevelResult result;
    double start = CpuSeconds();
    for (int match = 0; match < options.matches; match++) {
      PlayMatch(options, *Opponents[static_cast<size_t>(level)], clock, result);
    }
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

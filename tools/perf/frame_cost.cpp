// What one frame of a fight costs: a training match between two computer players run headless (recording
// drawing driver, manual clock) through the game's own Game::Frame, after warm-up frames. Reports the frames that
// started in the fight state: nanoseconds each (median and mean of the per-frame times), the allocations made in
// them (operator new is counted), and how many drawing records and sounds a frame has. Under callgrind
// (valgrind --tool=callgrind --collect-atstart=no) only those frames' Game::Frame calls are collected, so the
// instruction total divided by the fight frames is the instructions per frame.
//
//   frame_cost --game DIR [--warmup N] [--frames N] [--softmix] [--pace] [--no-timing] [--check]
//              [--trace-allocations]
//
// --check: exit status 1 when any measured frame allocated. --softmix: sounds on the SoftMix driver on SDL's
// audio device instead of the "Null" driver. --pace: one frame every 20 ms of real time, as in the game, so that
// sounds end while the frames go on (run faster, every sound would still be playing and need a voice of its own).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "headless/allocation_meter.h"
#include "app/game.h"
#include "headless/headless_fight.h"
#include "media/audio/audio.h"
#include "media/core/runtime_error.h"
#include "shared/game_state.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define COLLECT_FRAME() CALLGRIND_TOGGLE_COLLECT
#else
#define COLLECT_FRAME()
#endif

namespace {

struct TOptions {
  std::string game;
  int warmup = 3000;
  int frames = 10000;
  bool softMix = false;
  bool pace = false;
  bool timing = true;
  bool check = false;
  bool trace = false;
};

bool ParseOptions(int argc, char** argv, TOptions* options) {
  for (int i = 1; i < argc; i++) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--game" && hasValue) {
      options->game = argv[++i];
    } else if (arg == "--warmup" && hasValue) {
      options->warmup = std::max(0, std::atoi(argv[++i]));
    } else if (arg == "--frames" && hasValue) {
      options->frames = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--softmix") {
      options->softMix = true;
    } else if (arg == "--pace") {
      options->pace = true;
    } else if (arg == "--no-timing") {
      options->timing = false;
    } else if (arg == "--check") {
      options->check = true;
    } else if (arg == "--trace-allocations") {
      options->trace = true;
    } else {
      return false;
    }
  }
  return !options->game.empty();
}

struct TFrameCosts {
  int frames = 0;  // frames run
  int fightFrames = 0;
  int64_t allocations = 0;  // in fight frames
  int64_t allocationsAllFrames = 0;
  int allocatingFrames = 0;
  int64_t drawRecords = 0;          // in fight frames
  int64_t sounds = 0;               // play requests in all frames (Null driver)
  std::vector<double> nanoseconds;  // of each fight frame
};

using Clock = std::chrono::steady_clock;

void RunFrames(THeadlessFight& fight, const TOptions& options, TFrameCosts* costs) {
  int64_t soundsBefore = NullAudioLog().Count();
  costs->nanoseconds.reserve(static_cast<size_t>(options.frames));
  Clock::time_point paced = Clock::now();
  for (int i = 0; i < options.frames; i++) {
    if (options.pace) {
      paced += std::chrono::milliseconds(20);
      std::this_thread::sleep_until(paced);
    }
    fight.PressOnIfWaiting();
    bool fighting = GameState == GAMESTATE_FIGHT;
    StartCountingAllocations(options.trace);
    Clock::time_point start = Clock::now();
    if (fighting) {
      COLLECT_FRAME();
    }
    Game::Frame();
    if (fighting) {
      COLLECT_FRAME();
    }
    Clock::time_point end = Clock::now();
    int64_t allocations = StopCountingAllocations();
    costs->frames++;
    costs->allocationsAllFrames += allocations;
    if (fighting) {
      costs->fightFrames++;
      costs->allocations += allocations;
      costs->allocatingFrames += allocations != 0 ? 1 : 0;
      costs->drawRecords += static_cast<int64_t>(fight.driver.log.size());
      costs->nanoseconds.push_back(std::chrono::duration<double, std::nano>(end - start).count());
    }
    fight.EndFrame();
  }
  costs->sounds = NullAudioLog().Count() - soundsBefore;
}

void Report(const TOptions& options, TFrameCosts& costs) {
  std::printf("warmup %d\n", options.warmup);
  std::printf("frames %d\n", costs.frames);
  std::printf("fight_frames %d\n", costs.fightFrames);
  std::printf("allocations_in_fight_frames %lld\n", static_cast<long long>(costs.allocations));
  std::printf("fight_frames_that_allocate %d\n", costs.allocatingFrames);
  std::printf("allocations_in_all_frames %lld\n", static_cast<long long>(costs.allocationsAllFrames));
  double fightFrames = std::max(1, costs.fightFrames);
  std::printf("draw_records_per_fight_frame %.1f\n", static_cast<double>(costs.drawRecords) / fightFrames);
  if (!options.softMix) {
    std::printf("sounds_per_frame %.3f\n", static_cast<double>(costs.sounds) / std::max(1, costs.frames));
  }
  if (options.timing && !costs.nanoseconds.empty()) {
    std::vector<double>& ns = costs.nanoseconds;
    double sum = 0;
    for (double value : ns) {
      sum += value;
    }
    std::sort(ns.begin(), ns.end());
    std::printf("ns_per_fight_frame_median %.0f\n", ns[ns.size() / 2]);
    std::printf("ns_per_fight_frame_mean %.0f\n", sum / static_cast<double>(ns.size()));
    std::printf("ns_per_fight_frame_p99 %.0f\n", ns[ns.size() * 99 / 100]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: frame_cost --game DIR [--warmup N] [--frames N] [--softmix] [--pace] [--no-timing] [--check] "
                 "[--trace-allocations]\n");
    return 2;
  }
  try {
    THeadlessFight fight(options.game, options.softMix);
    TFrameCosts warmup;
    TOptions warming = options;
    warming.frames = options.warmup;
    warming.trace = false;
    if (options.warmup > 0) {
      RunFrames(fight, warming, &warmup);
    }
    TFrameCosts costs;
    RunFrames(fight, options, &costs);
    Report(options, costs);
    if (options.check && (costs.allocationsAllFrames != 0 || costs.fightFrames == 0)) {
      std::fprintf(stderr, "frame_cost: %lld allocations in %d frames (%d of them fight frames)\n",
                   static_cast<long long>(costs.allocationsAllFrames), costs.frames, costs.fightFrames);
      return 1;
    }
  } catch (const TRuntimeError& failure) {
    std::fprintf(stderr, "frame_cost: %s\n", failure.what());
    return 2;
  }
  return 0;
}

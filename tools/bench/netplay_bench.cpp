// What an online match costs: a rollback of eight ticks (the fight's own work, and the whole frame of the rollback
// session that does it), the allocations of that frame, and over the soak's links what the two machines send each
// other and how often and how far they roll back.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>

#include "headless/allocation_meter.h"
#include "headless/netplay_match.h"
#include "headless/soak_links.h"
#include "media/core/clock.h"
#include "scripted_match.h"

namespace {

constexpr int32_t kRollbackTicks = SESSION_MAX_PREDICTION;  // the deepest a session goes back
constexpr int32_t kTickMillis = 20;

// A rollback as the session's does it: restore the state of eight ticks ago, then play the eight ticks again, each
// saved before it is played (the ring the next rollback starts from) and hashed after (for the peer to compare).
void NetplayRollback(benchmark::State& state) {
  TBenchFight bench;
  std::array<TFightState, kRollbackTicks> before;
  for (auto _ : state) {
    bench.fight.Load(bench.start);
    for (int32_t i = 0; i < kRollbackTicks; i++) {
      const std::array<TInputFrame, 2>& frames = bench.Frames(kWarmUpTicks + i);
      bench.fight.Save(&before[static_cast<size_t>(i)]);
      bench.fight.Advance(frames[0], frames[1]);
      benchmark::DoNotOptimize(bench.fight.Hash());
    }
    benchmark::ClobberMemory();
  }
  state.counters["ticks"] = kRollbackTicks;
}

// The whole frame of a session that goes back eight ticks: the peer's message is taken and read, eight ticks are
// played again, the frame's own tick is played, and the session's message goes out. Between two measured frames the
// session plays eight frames on guesses while the peer is silent (not measured). Every frame's allocations are
// counted, the guessing ones' too.
void NetplaySessionRollbackFrame(benchmark::State& state) {
  TManualClock clock(1000);
  SetClockSource(&clock);
  std::unique_ptr<TScriptedMatch> match;
  int64_t allocations = 0;
  int64_t frames = 0;
  int64_t rolledBack = 0;
  for (auto _ : state) {
    if (!match || !match->RoomForAnother()) {
      match = std::make_unique<TScriptedMatch>(clock);
    }
    StartCountingAllocations();
    match->GuessAhead(kRollbackTicks);
    int64_t before = match->Session().Figures().rolledBackTicks;
    auto start = std::chrono::steady_clock::now();
    match->FrameThatRollsBack();
    auto end = std::chrono::steady_clock::now();
    allocations += StopCountingAllocations();
    frames += kRollbackTicks + 1;
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    rolledBack = match->Session().Figures().rolledBackTicks - before;
    if (rolledBack != kRollbackTicks || !match->InRound()) {
      state.SkipWithError("the measured frame did not roll back eight ticks of a round");
      break;
    }
  }
  SetClockSource(nullptr);
  state.counters["rolled_back_ticks"] = static_cast<double>(rolledBack);
  state.counters["allocations"] = static_cast<double>(allocations);
  state.counters["allocations_per_frame"] = frames > 0 ? static_cast<double>(allocations) / frames : 0;
  state.counters["frames_counted"] = static_cast<double>(frames);
}

// Whole matches of two newcomers over one of the soak's links, input delay 1, the seeds the soak plays (1, 2, ...):
// each iteration one match. The figures are those of `netplay_soak --matches N` for as many matches.
void NetplayMatches(benchmark::State& state) {
  const TSoakLink& link = SoakLinks()[static_cast<size_t>(state.range(0))];
  TManualClock clock(1000);
  SetClockSource(&clock);
  uint64_t seed = 1;
  int64_t played = 0, frames = 0, rollbacks = 0, rolledBack = 0, waited = 0, desyncs = 0, disagreed = 0, stalled = 0;
  int32_t deepest = 0;
  std::array<int64_t, 2> sent{};
  for (auto _ : state) {
    TNetplayMatch match = PlayNetplayMatch(link.conditions, seed++, 1, 60000, clock);
    played++;
    frames += match.frames;
    desyncs += match.desync ? 1 : 0;
    disagreed += match.Agreed() ? 0 : 1;
    stalled += match.stalled ? 1 : 0;
    for (size_t side = 0; side < 2; side++) {
      rollbacks += match.figures[side].rollbacks;
      rolledBack += match.figures[side].rolledBackTicks;
      waited += match.figures[side].ticksWaited;
      deepest = std::max(deepest, match.figures[side].deepest);
      sent[side] += match.counters[side].sentBytes;
    }
  }
  SetClockSource(nullptr);
  // Each side plays every frame of its match: these are the seconds each side played.
  double seconds = static_cast<double>(frames) * kTickMillis / 1000.0;
  state.SetLabel(link.name);
  state.counters["matches"] = static_cast<double>(played);
  state.counters["host_bytes_per_second"] = static_cast<double>(sent[0]) / seconds;
  state.counters["joiner_bytes_per_second"] = static_cast<double>(sent[1]) / seconds;
  state.counters["rollbacks_per_second"] = static_cast<double>(rollbacks) / (2 * seconds);
  state.counters["mean_rollback_ticks"] = rollbacks > 0 ? static_cast<double>(rolledBack) / rollbacks : 0;
  state.counters["deepest_rollback_ticks"] = deepest;
  state.counters["ticks_waited_per_minute"] = static_cast<double>(waited) / (2 * seconds) * 60;
  state.counters["desyncs"] = static_cast<double>(desyncs);
  state.counters["disagreed"] = static_cast<double>(disagreed);
  state.counters["stalled"] = static_cast<double>(stalled);
}

}  // namespace

BENCHMARK(NetplayRollback)->Unit(benchmark::kMicrosecond);
BENCHMARK(NetplaySessionRollbackFrame)->UseManualTime()->Unit(benchmark::kMicrosecond);
// A thousand matches a link: the figures settle to a few bytes a second, in about a minute for the four. The
// matches are the same each run, so one run of them is enough.
BENCHMARK(NetplayMatches)->DenseRange(0, 3)->Iterations(1000)->Repetitions(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// What going back in time costs a match of two players: saving its state, restoring it and hashing it (once a tick
// each in a match over the network, and the sync check's work), beside the tick itself and a rollback of eight
// ticks (restore, eight ticks played again, each hashed). The match is one of fixed inputs, well into a round.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "fight/fight.h"
#include "fight/input_frame.h"

namespace {

constexpr int32_t kWarmUpTicks = 1500;  // past the countdown, into the first round's exchanges
constexpr int32_t kScriptTicks = 1024;  // the ticks the per-tick benchmarks play, from the same state each time
constexpr int32_t kRollbackTicks = 8;

// Inputs of a scripted match, the same in every run: the generator of the rules' fingerprint.
std::vector<std::array<TInputFrame, 2>> Script(int32_t ticks) {
  std::vector<std::array<TInputFrame, 2>> script(static_cast<size_t>(ticks));
  uint32_t state = 12345;
  for (auto& frames : script) {
    for (TInputFrame& frame : frames) {
      state = state * 1103515245u + 12345u;
      frame = static_cast<TInputFrame>((state >> 16) & INPUT_VALID_BITS);
    }
  }
  return script;
}

// A fight at kWarmUpTicks, and the script of the ticks after it.
struct TBenchFight {
  TFight fight;
  TFightState start;
  std::vector<std::array<TInputFrame, 2>> script = Script(kWarmUpTicks + kScriptTicks);

  TBenchFight() {
    for (int32_t tick = 0; tick < kWarmUpTicks; tick++) {
      fight.Advance(script[static_cast<size_t>(tick)][0], script[static_cast<size_t>(tick)][1]);
    }
    fight.Save(&start);
  }
  const std::array<TInputFrame, 2>& Frames(int32_t tick) const { return script[static_cast<size_t>(tick)]; }
};

void FightSave(benchmark::State& state) {
  TBenchFight bench;
  TFightState saved;
  for (auto _ : state) {
    bench.fight.Save(&saved);
    benchmark::DoNotOptimize(saved);
    benchmark::ClobberMemory();
  }
  state.counters["state_bytes"] = sizeof(TFightState);
}

void FightLoad(benchmark::State& state) {
  TBenchFight bench;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.start);
    bench.fight.Load(bench.start);
    benchmark::ClobberMemory();
  }
}

void FightHash(benchmark::State& state) {
  TBenchFight bench;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.fight.Hash());
  }
}

// One tick: kScriptTicks of them from the same state per iteration; the time is per tick.
void FightAdvance(benchmark::State& state) {
  TBenchFight bench;
  for (auto _ : state) {
    bench.fight.Load(bench.start);
    for (int32_t tick = kWarmUpTicks; tick < kWarmUpTicks + kScriptTicks; tick++) {
      benchmark::DoNotOptimize(bench.fight.Advance(bench.Frames(tick)[0], bench.Frames(tick)[1]));
    }
  }
  state.SetItemsProcessed(state.iterations() * kScriptTicks);
}

// A rollback as the sync check does after every tick: restore the state of eight ticks ago, play the eight ticks
// again and hash each.
void FightRollback(benchmark::State& state) {
  TBenchFight bench;
  for (auto _ : state) {
    bench.fight.Load(bench.start);
    for (int32_t tick = kWarmUpTicks; tick < kWarmUpTicks + kRollbackTicks; tick++) {
      bench.fight.Advance(bench.Frames(tick)[0], bench.Frames(tick)[1]);
      benchmark::DoNotOptimize(bench.fight.Hash());
    }
  }
}

}  // namespace

BENCHMARK(FightSave);
BENCHMARK(FightLoad);
BENCHMARK(FightHash);
BENCHMARK(FightAdvance)->Unit(benchmark::kMicrosecond);
BENCHMARK(FightRollback)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

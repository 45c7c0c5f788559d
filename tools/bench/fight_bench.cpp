// What going back in time costs a match of two players: saving its state, restoring it and hashing it (once a tick
// each in a match over the network, and the sync check's work), beside the tick itself and a rollback of eight
// ticks (restore, eight ticks played again, each hashed). The match is one of fixed inputs, well into a round.
#include <benchmark/benchmark.h>

#include "scripted_fight.h"

namespace {

constexpr int32_t kRollbackTicks = 8;

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

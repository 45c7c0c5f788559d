// The soak of online matches: plays N matches of two newcomers per link condition, each between two rollback
// sessions joined by the in-process loopback, and prints a table of what rollback cost under each link, and
// whether both machines always saw the same match.
//
//   netplay_soak [--matches N] [--seed N] [--delay TICKS]
//
// Columns: rollbacks per second of play (per side), the mean and deepest rollback in ticks, ticks waited per
// minute, matches that parted (desyncs) or disagreed, stalled matches, and the bytes per second each side sent
// (the game's messages, and on the wire). Exits with 1 when any match parted or disagreed.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "headless/netplay_match.h"
#include "headless/soak_links.h"
#include "media/core/clock.h"

namespace {

struct TTotals {
  int64_t frames = 0;
  int64_t rollbacks = 0;
  int64_t rolledBack = 0;
  int32_t deepest = 0;
  int64_t waited = 0;
  int64_t desyncs = 0;
  int64_t disagreed = 0;
  int64_t stalled = 0;
  int64_t bytes = 0;
  int64_t wireBytes = 0;
};

}  // namespace

int main(int argc, char** argv) {
  int matches = 100;
  uint64_t seed = 1;
  int32_t delay = 1;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--matches") == 0) {
      matches = std::atoi(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--seed") == 0) {
      seed = std::strtoull(argv[i + 1], nullptr, 10);
    } else if (std::strcmp(argv[i], "--delay") == 0) {
      delay = std::atoi(argv[i + 1]);
    } else {
      std::fprintf(stderr, "usage: netplay_soak [--matches N] [--seed N] [--delay TICKS]\n");
      return 2;
    }
  }
  TManualClock clock(1000);
  SetClockSource(&clock);
  std::printf("%d matches per condition, input delay %d, seed %llu\n", matches, delay,
              static_cast<unsigned long long>(seed));
  std::printf("%-44s %9s %6s %7s %10s %7s %9s %7s %9s %9s\n", "condition", "rb/s", "mean", "deepest", "waited/min",
              "desyncs", "disagreed", "stalled", "B/s sent", "wire B/s");
  bool failed = false;
  for (const TSoakLink& condition : SoakLinks()) {
    TTotals totals;
    for (int match = 0; match < matches; match++) {
      TNetplayMatch played =
          PlayNetplayMatch(condition.conditions, seed + static_cast<uint64_t>(match), delay, 60000, clock);
      totals.frames += played.frames;
      totals.desyncs += played.desync ? 1 : 0;
      totals.disagreed += played.Agreed() ? 0 : 1;
      totals.stalled += played.stalled ? 1 : 0;
      for (size_t side = 0; side < 2; side++) {
        totals.rollbacks += played.figures[side].rollbacks;
        totals.rolledBack += played.figures[side].rolledBackTicks;
        totals.deepest = std::max(totals.deepest, played.figures[side].deepest);
        totals.waited += played.figures[side].ticksWaited;
        totals.bytes += played.counters[side].sentBytes;
        totals.wireBytes += played.counters[side].wireBytesSent;
      }
    }
    // Per side: both sides' sums over twice the seconds played.
    double sideSeconds = 2.0 * static_cast<double>(totals.frames) * 0.02;
    double perSecond = sideSeconds > 0 ? 1.0 / sideSeconds : 0;
    std::printf(
        "%-44s %9.2f %6.2f %7d %10.2f %7lld %9lld %7lld %9.0f %9.0f\n", condition.name,
        static_cast<double>(totals.rollbacks) * perSecond,
        totals.rollbacks > 0 ? static_cast<double>(totals.rolledBack) / static_cast<double>(totals.rollbacks) : 0.0,
        totals.deepest, static_cast<double>(totals.waited) * perSecond * 60.0, static_cast<long long>(totals.desyncs),
        static_cast<long long>(totals.disagreed), static_cast<long long>(totals.stalled),
        static_cast<double>(totals.bytes) * perSecond, static_cast<double>(totals.wireBytes) * perSecond);
    std::fflush(stdout);
    failed = failed || totals.desyncs > 0 || totals.disagreed > 0;
  }
  SetClockSource(nullptr);
  std::printf("%s\n", failed ? "FAILED: matches parted" : "passed: every match the same on both machines");
  return failed ? 1 : 0;
}

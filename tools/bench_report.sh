#!/usr/bin/env bash
# Builds the benchmarks (the perf preset, Release, in build/perf beside the other measuring tools), runs them and
# writes their figures into docs/PERFORMANCE.md: the sound benchmark into the "Sound" section, the two-player
# match's into "Going back in time", the online match's into "Online matches"; the rest of the file is left as it
# is. `tools/bench_report.sh sound`, `fight` or `netplay` runs only one. Takes about three minutes. On a shared
# machine run it under the build lock: flock /tmp/morvik-build.lock tools/bench_report.sh
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}

scripts/install-deps.sh --test
cmake --preset perf >/dev/null

# Three runs of each; the reports take the medians.
if [[ $which == all || $which == sound ]]; then
  cmake --build --preset perf --target mixer_bench
  build/perf/tools/bench/mixer_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_out=build/perf/mixer_bench.json --benchmark_out_format=json 2> >(grep -v CRITICAL >&2)
  python3 tools/bench_report.py build/perf/mixer_bench.json docs/PERFORMANCE.md
  echo "Wrote the sound figures into docs/PERFORMANCE.md"
fi
if [[ $which == all || $which == fight ]]; then
  cmake --build --preset perf --target fight_bench
  build/perf/tools/bench/fight_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_out=build/perf/fight_bench.json --benchmark_out_format=json
  python3 tools/fight_bench_report.py build/perf/fight_bench.json docs/PERFORMANCE.md
  echo "Wrote the two-player match's figures into docs/PERFORMANCE.md"
fi
if [[ $which == all || $which == netplay ]]; then
  cmake --build --preset perf --target netplay_bench
  build/perf/tools/bench/netplay_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_out=build/perf/netplay_bench.json --benchmark_out_format=json
  python3 tools/netplay_bench_report.py build/perf/netplay_bench.json docs/PERFORMANCE.md 3
  echo "Wrote the online match's figures into docs/PERFORMANCE.md"
fi

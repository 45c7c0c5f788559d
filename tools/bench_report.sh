#!/usr/bin/env bash
# Builds the sound benchmark (the perf preset, Release, in build/perf beside the other measuring tools), runs it and
# writes its figures into docs/PERFORMANCE.md (the "Sound" section only; the rest of the file is left as it is).
# Takes about a minute. On a shared machine run it under the build lock: flock /tmp/morvik-build.lock
# tools/bench_report.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --test
cmake --preset perf >/dev/null
cmake --build --preset perf --target mixer_bench

# Three runs of each; the report takes the medians.
build/perf/tools/bench/mixer_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  --benchmark_out=build/perf/mixer_bench.json --benchmark_out_format=json 2> >(grep -v CRITICAL >&2)
python3 tools/bench_report.py build/perf/mixer_bench.json docs/PERFORMANCE.md
echo "Wrote the sound figures into docs/PERFORMANCE.md"

#!/usr/bin/env bash
# Runs every fuzz target long: in chunks of CHUNK seconds, each under the shared build lock (released between
# chunks, so other builds get their turn), until the target has done GOAL executions or spent LIMIT seconds.
# The figures of each chunk go to BUILD/long/TARGET.chunks (executions, coverage, corpus, new inputs, exit status),
# which tools/reliability/report.sh turns into the fuzzing section of docs/RELIABILITY.md.
#   fuzz_long.sh [GOAL [CHUNK [LIMIT]]]      defaults: 1000000 executions, 180 s chunks, 1800 s per target
# FUZZ_TARGETS="png ogg" limits the run to some targets.
# Builds build/fuzz first (clang++, -DMORVIK_FUZZ=ON).
set -euo pipefail
cd "$(dirname "$0")/../.."
goal=${1:-1000000}
chunk=${2:-180}
limit=${3:-1800}
build=build/fuzz
lock=/tmp/morvik-build.lock
read -r -a targets <<<"${FUZZ_TARGETS:-settings progress roster key_captions font_metrics png ogg}"

flock "$lock" cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMORVIK_FUZZ=ON -DMORVIK_TESTS=OFF -DMORVIK_TOOLS=OFF >/dev/null
flock "$lock" cmake --build "$build" -j "$(nproc)" >/dev/null

mkdir -p "$build/long"
for target in "${targets[@]}"; do
  chunks=$build/long/$target.chunks
  : >"$chunks"
  executions=0
  spent=0
  while ((executions < goal && spent < limit)); do
    log=$build/long/$target.log
    started=$(date +%s)
    status=0
    flock "$lock" tests/fuzz/run_fuzzer.sh "$build" "$target" -max_total_time="$chunk" >"$log" 2>&1 || status=$?
    seconds=$(($(date +%s) - started))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    added=$(sed -n 's/^stat::new_units_added: *//p' "$log" | tail -n 1)
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corp=$(sed -n 's/.* corp: \([0-9]*\)\/.*/\1/p' <<<"$last")
    echo "${runs:-0} ${cov:-0} ${ft:-0} ${corp:-0} ${added:-0} $status $seconds" >>"$chunks"
    executions=$((executions + ${runs:-0}))
    spent=$((spent + seconds))
    echo "fuzz_$target: $executions executions in ${spent} s (chunk status $status)"
    # A finding stops libFuzzer; keep its log beside the input it kept.
    if ((status != 0)); then
      cp "$log" "$build/findings/$target/chunk-$(date +%s).log"
    fi
  done
done

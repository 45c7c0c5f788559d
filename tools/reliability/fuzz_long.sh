#!/usr/bin/env bash
# Runs every fuzz target long: in chunks of CHUNK seconds, each under the shared build lock (released between
# chunks, so other builds get their turn), until the target has done GOAL executions or spent LIMIT seconds.
# The figures of each chunk go to BUILD/long/TARGET.chunks (executions, coverage edges, features, corpus, new
# inputs, exit status, seconds) and the corpus it started from to TARGET.start; tools/reliability/report.sh
# turns them into the fuzzing section of docs/RELIABILITY.md.
#   fuzz_long.sh [GOAL [CHUNK [LIMIT]]]   defaults: 1000000 executions, 150 s chunks, 900 s of fuzzing per target
# FUZZ_TARGETS="png ogg" limits the run to some targets.
# Builds build/fuzz first (the fuzz preset: clang++, -DMORVIK_FUZZ=ON).
set -euo pipefail
cd "$(dirname "$0")/../.."
goal=${1:-1000000}
chunk=${2:-150}
limit=${3:-900}
build=build/fuzz
lock=/tmp/morvik-build.lock
read -r -a targets <<<"${FUZZ_TARGETS:-settings progress roster key_captions font_metrics png ogg netplay_packet replay}"

flock "$lock" cmake --preset fuzz >/dev/null
flock "$lock" cmake --build --preset fuzz -j "$(nproc)" >/dev/null

mkdir -p "$build/long"
for target in "${targets[@]}"; do
  chunks=$build/long/$target.chunks
  : >"$chunks"
  find "$build/corpus/$target" -type f 2>/dev/null | wc -l >"$build/long/$target.start"
  executions=0
  spent=0
  while ((executions < goal && spent < limit)); do
    log=$build/long/$target.log
    status=0
    # Timed inside the lock: the wait for other builds is not fuzzing time.
    {
      flock 9
      started=$(date +%s)
      tests/fuzz/run_fuzzer.sh "$build" "$target" -max_total_time="$chunk" >"$log" 2>&1 || status=$?
      seconds=$(($(date +%s) - started))
    } 9>"$lock"
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

#!/usr/bin/env bash
# Measures the game and rewrites docs/PERFORMANCE.md: start-up against an empty SDL and OpenGL program, loading
# against bare libpng and vorbisfile loops and SDL2_image and SDL2_mixer, the frame cost of a headless fight
# (callgrind, nanoseconds, allocations), frame pacing and input and sound latency in the real game under Xvfb, and
# then the sound section (tools/bench_report.sh). Builds what it needs (the perf and perf-log presets, Release)
# and takes about ten minutes.
#
# Every build and measurement runs under the shared build lock, which the script takes itself (it may also be run
# as `flock /tmp/morvik-build.lock tools/perf_report.sh`): figures taken while another build runs are worthless.
set -euo pipefail
cd "$(dirname "$0")/.."
lock=/tmp/morvik-build.lock

# True when an ancestor of this shell (the flock command that started it) holds the lock already.
lock_held_by_ancestor() {
  [[ -e $lock ]] || return 1
  local inode pid
  inode=$(stat -c %i "$lock")
  for pid in $(awk -v inode=":$inode\$" '$2 == "FLOCK" && $6 ~ inode {print $5}' /proc/locks 2>/dev/null); do
    local ancestor=$$
    while [[ $ancestor -gt 1 ]]; do
      [[ $ancestor -eq $pid ]] && return 0
      ancestor=$(awk '{print $4}' "/proc/$ancestor/stat" 2>/dev/null || echo 1)
    done
  done
  return 1
}
if [[ -z "${MORVIK_PERF_LOCKED:-}" ]] && ! lock_held_by_ancestor; then
  echo "Waiting for the build lock $lock"
  exec env MORVIK_PERF_LOCKED=1 flock "$lock" "$0" "$@"
fi

out=build/perf
xvfb=(xvfb-run -a -s "-screen 0 1920x1200x24 -noreset")

# The machine as the measurement finds it: CPUs, their model, the load average just before, the date.
note_machine() {
  python3 - "$out/$1.machine.json" <<'PY'
import datetime, json, os, sys
model = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "unknown")
json.dump({"cpus": os.cpu_count(), "model": model, "load": ", ".join(open("/proc/loadavg").read().split()[:3]),
           "date": datetime.datetime.now(datetime.timezone.utc).isoformat(timespec="seconds")}, open(sys.argv[1], "w"))
PY
}

scripts/install-deps.sh --test
cmake --preset perf >/dev/null
cmake --build --preset perf --target morvik empty_window frame_cost load_bench
# The frame log build: the same game, recording the time of every frame, key event and sound.
cmake --preset perf-log >/dev/null
cmake --build --preset perf-log --target morvik

echo "Start-up: 9 runs of the game and of the empty program"
note_machine startup
"${xvfb[@]}" python3 tools/perf/startup_runs.py build/perf-log/game "$out/tools/perf/empty_window" 9 \
  "$out/startup.json"

echo "Loading: the game's pictures and effects three ways"
note_machine loading
"$out/tools/perf/load_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$out/load_bench.json" --benchmark_out_format=json >/dev/null

echo "Frame cost: three timed runs, one under callgrind, one with the SoftMix driver at the game's pace"
note_machine frame
for run in 0 1 2; do
  "$out/tools/perf/frame_cost" --game "$out/game" >"$out/frame_cost.$run.txt"
done
frames=5000
valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/callgrind.out" \
  "$out/tools/perf/frame_cost" --game "$out/game" --frames $frames --no-timing >"$out/frame_cost.callgrind.txt" 2>/dev/null
{
  echo "frames $frames"
  grep '^fight_frames ' "$out/frame_cost.callgrind.txt"
  echo "instructions $(awk '/^totals:/ {print $2}' "$out/callgrind.out")"
} >"$out/callgrind.txt"
SDL_AUDIODRIVER=dummy "$out/tools/perf/frame_cost" --game "$out/game" --softmix --pace --warmup 500 --frames 1500 \
  --no-timing >"$out/frame_cost.softmix.txt"

echo "Frame pacing and latency: 60 seconds of a fight in the real game"
note_machine fight
"${xvfb[@]}" python3 tools/perf/fight_session.py build/perf-log/game 60 "$out/fight-log.txt"
python3 tools/perf/frame_log_analysis.py "$out/fight-log.txt" 60 "$out/fight.json"

python3 tools/perf/perf_report.py "$out" docs/PERFORMANCE.md
echo "Wrote the start-up, loading, frame cost, frame pacing and latency figures into docs/PERFORMANCE.md"

tools/bench_report.sh

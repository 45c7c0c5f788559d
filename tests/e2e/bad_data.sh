#!/usr/bin/env bash
# Damaged and hostile data, end to end: for each file of the game folder, each case started as the real game in a
# fresh copy of the folder (under an X server, e.g. xvfb-run). The cases: the file removed, cut to half its length,
# filled with random bytes of its length, replaced by a named pipe, by a directory, by a symbolic link to /dev/zero
# and by a sparse file of 1000 MB of zeros; a picture also by a valid PNG of 16384 by 16384 pixels, a sound by a
# valid Ogg Vorbis sound an hour long. Required data (the font, the sprite sheet, the roster) must stop start-up
# with status 1 and exactly one line on standard error naming the file; run without a display, since a failure at
# start-up also opens a message box that waits for a click. Anything else must give a running game whose window
# closes on Alt+F4 with status 0, saying on standard error no more than one warning naming the file. No run may end
# by a signal, and each must show its first menu frame, or stop, within 3 s of its start, holding at most 512 MB.
#   bad_data.sh [--table FILE] [--cases CASE,...] GAME_DIR [FILE...]
# Without FILEs every file is tried, without --cases every case that fits it; --table writes the outcomes as
# Markdown tables.
set -uo pipefail
source "$(dirname "$0")/../support/game_window.sh"
table=
only_cases=
while [[ "${1:-}" == --* ]]; do
  case $1 in
    --table) table=$2 ;;
    --cases) only_cases=",$2," ;;
    *) echo "bad_data.sh: no option $1" >&2; exit 2 ;;
  esac
  shift 2
done
# The limits of every run: its first menu frame or its stop within this time, and at most this peak memory.
limit_ms=3000
limit_mb=512
game=$(realpath "$1")
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Sanitizer findings end the run by a signal, so they can never pass for an orderly exit with status 1.
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=abort_on_error=1

# The game's own files, which it writes: valid versions to cut short and to fill with garbage (zoom 1).
saved_settings=$'1\r\n1\r\n87\r\n83\r\n68\r\n65\r\n74\r\n73\r\n27\r\n1 -1 0 0 0.00000000\r\n1 -1 0 0 0.500000000\r\n1 -1 0 0 0.250000000\r\n1 -1 0 0 0.750000000\r\n0 -1 1 0 0.00000000\r\n0 -1 2 0 0.00000000\r\n0 -1 9 0 0.00000000\r\n'
saved_progress=$'3\r\n2\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n'

if [[ $# -gt 0 ]]; then
  files=("$@")
else
  files=()
  for file in "$game"/gfx/* "$game"/sfx/* "$game"/bin/keyboard.dat "$game"/bin/tournament.dat; do
    files+=("${file#"$game"/}")
  done
  files+=(bin/settings.dat bin/progress.dat)
fi

# What each case must do: "fatal" (status 1, one line naming the file), or a running game that says on standard
# error "warns" (exactly one warning naming the file), "quiet" (nothing) or "either" (one of those two).
expected() {
  local file=$1 case=$2
  case "$file:$case" in
    # The game's own files are first made by the game: their absence is the first run, and says nothing. What is
    # not a file, or is longer than any the game writes, is worth a warning.
    bin/settings.dat:removed | bin/progress.dat:removed) echo quiet ;;
    bin/settings.dat:fifo | bin/settings.dat:directory | bin/settings.dat:devzero | bin/settings.dat:sparse) echo warns ;;
    bin/progress.dat:fifo | bin/progress.dat:directory | bin/progress.dat:devzero | bin/progress.dat:sparse) echo warns ;;
    # A font's metrics hold the width of "A" in their first half: cut in half the font still works (the
    # spacing, baseline and margins that follow read as 0). Random bytes give no width for "A".
    gfx/font.dat:cut | gfx/small.dat:cut) echo quiet ;;
    gfx/font.dat:* | gfx/font.png:* | gfx/figures.png:* | bin/tournament.dat:*) echo fatal ;;
    # Saved files are read defensively: whatever is in them, the game starts without a word.
    bin/settings.dat:* | bin/progress.dat:*) echo quiet ;;
    # The key captions only need tab-separated lines; broken ones are skipped.
    bin/keyboard.dat:removed | bin/keyboard.dat:fifo | bin/keyboard.dat:directory | bin/keyboard.dat:devzero) echo warns ;;
    bin/keyboard.dat:sparse) echo warns ;;
    # The small font's metrics, as long as the whole file, start with zeros: no width for "A", no hints.
    gfx/small.dat:sparse) echo warns ;;
    bin/keyboard.dat:*) echo quiet ;;
    # A sound cut short keeps the frames before the cut when its headers survive.
    sfx/*:cut) echo either ;;
    *) echo warns ;;
  esac
}

# A fresh copy of the game folder with one file damaged.
prepare() {
  local file=$1 case=$2 target
  rm -rf "$work/game"
  cp -r "$game" "$work/game"
  rm -f "$work/game/bin/settings.dat" "$work/game/bin/progress.dat"
  target=$work/game/$file
  case $file in
    bin/settings.dat) printf '%s' "$saved_settings" >"$target" ;;
    bin/progress.dat) printf '%s' "$saved_progress" >"$target" ;;
  esac
  local size
  size=$(stat -c %s "$target")
  case $case in
    removed) rm -f "$target" ;;
    cut) truncate -s $((size / 2)) "$target" ;;
    garbage)
      # Seeded by the file's name, so every run damages it the same way.
      LC_ALL=C awk -v n="$size" -v seed="$(printf '%s' "$file" | cksum | cut -d' ' -f1)" \
        'BEGIN { srand(seed); for (i = 0; i < n; i++) printf "%c", int(rand() * 256) }' >"$target"
      ;;
    fifo) rm -f "$target" && mkfifo "$target" ;;
    directory) rm -f "$target" && mkdir "$target" ;;
    devzero) rm -f "$target" && ln -s /dev/zero "$target" ;;
    sparse) rm -f "$target" && truncate -s 1000M "$target" ;;
    huge) cp "$(hostile huge.png png 16384)" "$target" ;;
    hour) cp "$(hostile hour.ogg ogg 3600)" "$target" ;;
  esac
}

# A valid file far larger than the game's own, made once per run: prints its path.
hostile() {
  local name=$1 kind=$2 size=$3
  [[ -f "$work/$name" ]] || "$(dirname "$0")/hostile_files.py" "$kind" "$size" "$work/$name"
  echo "$work/$name"
}

# The cases for a file: those named by --cases that fit it, or all of them.
cases_of() {
  local file=$1 case
  local all=(removed cut garbage fifo directory devzero sparse)
  [[ $file == *.png ]] && all+=(huge)
  [[ $file == *.ogg ]] && all+=(hour)
  for case in "${all[@]}"; do
    [[ -z $only_cases || $only_cases == *",$case,"* ]] && echo "$case"
  done
}

now_ms() {
  echo $(($(date +%s%N) / 1000000))
}

# Starts the game with a display, closes its window with Alt+F4 once its first frame shows; prints the exit
# status, "early STATUS" when the game ended before any window, or "nowindow" when none came within 30 s. Writes
# the time from the start to the first frame in $work/ms and the peak memory so far, in MB, in $work/mb.
run_windowed() {
  local started
  started=$(now_ms)
  "$work/game/morvik" 2>"$work/err" >/dev/null &
  local pid=$! window status
  window=$(wait_for_game_window "$pid" 300)
  # The first menu frame has been presented once the window shows anything but black (the kit's wait, with a
  # deadline past the limit so that a slow start is measured rather than missed).
  if [[ -n "$window" ]] && wait_for_first_frame "$window" "$pid" 10; then
    echo $(($(now_ms) - started)) >"$work/ms"
    awk '/^VmHWM:/ { print int($2 / 1024) }' "/proc/$pid/status" >"$work/mb"
  fi
  if [[ -z "$window" ]]; then
    if kill -0 "$pid" 2>/dev/null; then
      kill -9 "$pid"
      wait "$pid" 2>/dev/null
      echo nowindow
    else
      wait "$pid"
      echo "early $?"
    fi
    return
  fi
  # The first key press may come before the window takes input: repeat it until the game has gone.
  for _ in $(seq 1 60); do
    xdotool mousemove --window "$window" 20 20 key alt+F4 2>/dev/null
    for _ in 1 2 3 4 5; do
      kill -0 "$pid" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  kill -0 "$pid" 2>/dev/null && kill -9 "$pid"
  wait "$pid"
  status=$?
  echo "$status"
}

failures=0
cases=0
declare -A outcomes=()
rows=()

declare -A worst_ms=() worst_mb=() case_runs=() case_failures=()

check_case() {
  local file=$1 case=$2 want outcome status lines problem= ms= mb= started
  want=$(expected "$file" "$case")
  prepare "$file" "$case"
  rm -f "$work/ms" "$work/mb"
  if [[ $want == fatal ]]; then
    started=$(now_ms)
    DISPLAY= WAYLAND_DISPLAY= timeout 60 /usr/bin/time -f %M -o "$work/rss" "$work/game/morvik" 2>"$work/err" >/dev/null
    status=$?
    echo $(($(now_ms) - started)) >"$work/ms"
    tail -n 1 "$work/rss" | awk '{ print int($1 / 1024) }' >"$work/mb"
  else
    status=$(run_windowed)
  fi
  ms=$(cat "$work/ms" 2>/dev/null)
  mb=$(cat "$work/mb" 2>/dev/null)
  lines=$(wc -l <"$work/err")
  if [[ $status == nowindow ]]; then
    outcome="no window"
    problem="the window did not appear"
  elif [[ $status == early* ]]; then
    status=${status#early }
    outcome="ended before its window, status $status"
    problem="$outcome"
    ((status > 128)) && problem="ended by signal $((status - 128)) before its window"
  elif ((status > 128)); then
    outcome="signal $((status - 128))"
    problem="ended by signal $((status - 128))"
  elif [[ $want == fatal ]]; then
    outcome="status $status"
    if [[ $status -ne 1 ]]; then
      problem="status $status where 1 was due"
    elif [[ $lines -ne 1 ]] || ! grep -qF "$file" "$work/err"; then
      problem="not one line naming the file"
    else
      outcome="stopped, named"
    fi
  else
    outcome="ran, closed"
    local warnings naming
    warnings=$(grep -c '^morvik: warning: ' "$work/err")
    naming=$(grep -c "^morvik: warning: .*$file" "$work/err")
    if [[ $status -ne 0 ]]; then
      problem="status $status after Alt+F4"
      outcome="status $status"
    elif [[ $lines -ne $warnings || $lines -gt 1 || $naming -ne $lines ]]; then
      problem="unexpected output"
    elif [[ $want == warns && $lines -ne 1 ]]; then
      problem="no warning naming the file"
    elif [[ $want == quiet && $lines -ne 0 ]]; then
      problem="a warning where none was due"
    elif [[ $lines -eq 1 ]]; then
      outcome="ran with a warning, closed"
    fi
  fi
  if [[ -z $problem && -z $ms ]]; then
    problem="no first frame was seen"
  elif [[ -z $problem ]] && ((ms > limit_ms)); then
    problem="$ms ms to its first frame or stop, over $limit_ms"
  elif [[ -z $problem ]] && ((mb > limit_mb)); then
    problem="$mb MB at its peak, over $limit_mb"
  fi
  cases=$((cases + 1))
  case_runs[$case]=$((${case_runs[$case]:-0} + 1))
  ((${ms:-0} > ${worst_ms[$case]:-0})) && worst_ms[$case]=$ms
  ((${mb:-0} > ${worst_mb[$case]:-0})) && worst_mb[$case]=$mb
  if [[ -n $problem ]]; then
    case_failures[$case]=$((${case_failures[$case]:-0} + 1))
    failures=$((failures + 1))
    echo "FAILED: $file $case: $problem (expected $want): $(head -c 600 "$work/err")"
    outcome="FAILED: $problem"
  fi
  outcomes[$outcome]=$((${outcomes[$outcome]:-0} + 1))
  rows+=("| \`$file\` | $case | $want | $outcome | ${ms:--} | ${mb:--} |")
}

for file in "${files[@]}"; do
  [[ -e "$game/$file" || $file == bin/settings.dat || $file == bin/progress.dat ]] || {
    echo "FAILED: no file $file in $game"
    failures=$((failures + 1))
    continue
  }
  for case in $(cases_of "$file"); do
    check_case "$file" "$case"
  done
done

overall_ms=0
overall_mb=0
for case in "${!worst_ms[@]}"; do
  ((worst_ms[$case] > overall_ms)) && overall_ms=${worst_ms[$case]}
done
for case in "${!worst_mb[@]}"; do
  ((worst_mb[$case] > overall_mb)) && overall_mb=${worst_mb[$case]}
done
summary="$cases cases, $((cases - failures)) as expected, $failures failed; worst $overall_ms ms to the first frame"
summary+=" or stop (limit $limit_ms), worst peak $overall_mb MB (limit $limit_mb)"
while read -r outcome; do
  summary+="; $outcome: ${outcomes[$outcome]}"
done < <(printf '%s\n' "${!outcomes[@]}" | sort)
echo "$summary"
if [[ -n $table ]]; then
  {
    echo "| case | runs | failed | worst time to first frame or stop (ms) | worst peak memory (MB) |"
    echo "|---|---:|---:|---:|---:|"
    for case in removed cut garbage fifo directory devzero sparse huge hour; do
      [[ -n ${case_runs[$case]:-} ]] || continue
      echo "| $case | ${case_runs[$case]} | ${case_failures[$case]:-0} | ${worst_ms[$case]} | ${worst_mb[$case]} |"
    done
    echo
    echo "| file | case | expected | outcome | first frame or stop (ms) | peak memory (MB) |"
    echo "|---|---|---|---|---:|---:|"
    printf '%s\n' "${rows[@]}"
    echo
    echo "$summary"
  } >"$table"
fi
exit $((failures > 0))

#!/usr/bin/env bash
# Damaged data, end to end: for each file of the game folder, three cases (the file removed, cut to half its
# length, filled with random bytes of its length), each started as the real game in a fresh copy of the folder
# (under an X server, e.g. xvfb-run). Required data (the font, the sprite sheet, the roster) must stop start-up
# with status 1 and exactly one line on standard error naming the file; run without a display, since a failure
# at start-up also opens a message box that waits for a click. Anything else must give a running game whose
# window closes on Alt+F4 with status 0, saying on standard error no more than one warning naming the file.
# No run may end by a signal.
#   bad_data.sh [--table FILE] GAME_DIR [FILE...]
# Without FILEs every file is tried; --table writes the outcomes as a Markdown table.
set -uo pipefail
source "$(dirname "$0")/../support/game_window.sh"
table=
if [[ "${1:-}" == "--table" ]]; then
  table=$2
  shift 2
fi
game=$(realpath "$1")
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Sanitizer findings end the run by a signal, so they can never pass for an orderly exit with status 1.
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=abort_on_error=1

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
    # A font's metrics hold the width of "A" in their first half: cut in half the font still works (the
    # spacing, baseline and margins that follow read as 0). Random bytes give no width for "A".
    gfx/font.dat:cut | gfx/small.dat:cut) echo quiet ;;
    gfx/font.dat:* | gfx/font.png:* | gfx/figures.png:* | bin/tournament.dat:*) echo fatal ;;
    # Saved files are read defensively: whatever is in them, the game starts without a word.
    bin/settings.dat:* | bin/progress.dat:*) echo quiet ;;
    # The key captions only need tab-separated lines; broken ones are skipped.
    bin/keyboard.dat:removed) echo warns ;;
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
  esac
}

# Starts the game with a display, closes its window with Alt+F4 as soon as it shows; prints the exit status,
# "early STATUS" when the game ended before any window, or "nowindow" when none came within 30 s.
run_windowed() {
  "$work/game/morvik" 2>"$work/err" >/dev/null &
  local pid=$! window status
  window=$(wait_for_game_window "$pid" 300)
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

check_case() {
  local file=$1 case=$2 want outcome status lines problem=
  want=$(expected "$file" "$case")
  prepare "$file" "$case"
  if [[ $want == fatal ]]; then
    DISPLAY= WAYLAND_DISPLAY= timeout 60 "$work/game/morvik" 2>"$work/err" >/dev/null
    status=$?
  else
    status=$(run_windowed)
  fi
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
  cases=$((cases + 1))
  if [[ -n $problem ]]; then
    failures=$((failures + 1))
    echo "FAILED: $file $case: $problem (expected $want): $(head -c 600 "$work/err")"
    outcome="FAILED: $problem"
  fi
  outcomes[$outcome]=$((${outcomes[$outcome]:-0} + 1))
  rows+=("| \`$file\` | $case | $want | $outcome |")
}

for file in "${files[@]}"; do
  [[ -e "$game/$file" || $file == bin/settings.dat || $file == bin/progress.dat ]] || {
    echo "FAILED: no file $file in $game"
    failures=$((failures + 1))
    continue
  }
  for case in removed cut garbage; do
    check_case "$file" "$case"
  done
done

summary="$cases cases, $((cases - failures)) as expected, $failures failed"
while read -r outcome; do
  summary+="; $outcome: ${outcomes[$outcome]}"
done < <(printf '%s\n' "${!outcomes[@]}" | sort)
echo "$summary"
if [[ -n $table ]]; then
  {
    echo "| file | case | expected | outcome |"
    echo "|---|---|---|---|"
    printf '%s\n' "${rows[@]}"
    echo
    echo "$summary"
  } >"$table"
fi
exit $((failures > 0))

#!/usr/bin/env bash
# Starts the real game from copies of its folder (under an X server, e.g. xvfb-run):
# - without each required data file: start-up stops before any window with one line naming the file, status 1;
# - without a display: one line naming the cause, status 1;
# - without an optional file (a background, a sound, the key captions): a warning, the game runs, and Alt+F4
#   ends it with status 0.
#   start_up.sh GAME_DIR
set -uo pipefail
source "$(dirname "$0")/../support/game_window.sh"
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# A fresh copy of the game folder with the given files removed.
copy_without() {
  rm -rf "$work/game"
  cp -r "$game" "$work/game"
  for file in "$@"; do
    rm -f "$work/game/$file"
  done
}

# Without a display for every failure: it must come before any window is asked for, and with a display the game
# would show its message in a box that waits for the player.
for required in gfx/font.dat gfx/font.png gfx/figures.png bin/tournament.dat; do
  copy_without "$required"
  DISPLAY= WAYLAND_DISPLAY= timeout 30 "$work/game/morvik" 2>"$work/err" >/dev/null
  status=$?
  [[ $status -eq 1 ]] || fail "without $required the game ended with status $status"
  grep -q "$required" "$work/err" || fail "without $required the message does not name it: $(cat "$work/err")"
done

copy_without
printf '1\t2\t3\n' >"$work/game/bin/tournament.dat"
DISPLAY= WAYLAND_DISPLAY= timeout 30 "$work/game/morvik" 2>"$work/err" >/dev/null
[[ $? -eq 1 ]] || fail "a roster line of three fields did not stop start-up"
grep -q "line 1" "$work/err" || fail "the roster message does not name the line: $(cat "$work/err")"

copy_without
# No display at all (nor a Wayland session's runtime folder), an X display with no server behind it, and this
# one without its key (xvfb-run starts its server with one): one line on standard error, the game's own, with no
# library's complaint about the display before or after it.
for display in "" ":$((5000 + RANDOM % 1000))" "$DISPLAY"; do
  env -u XDG_RUNTIME_DIR DISPLAY="$display" XAUTHORITY=/dev/null WAYLAND_DISPLAY= timeout 30 "$work/game/morvik" \
    2>"$work/err" >/dev/null
  [[ $? -eq 1 ]] || fail "with the display \"$display\" the game did not stop with status 1"
  if [[ $(wc -l <"$work/err") -ne 1 ]] || ! grep -q "^morvik: cannot open the game window" "$work/err"; then
    fail "not one line of the game's own with the display \"$display\": $(cat "$work/err")"
  fi
done

copy_without gfx/bg3.png sfx/punchm2.ogg bin/keyboard.dat
"$work/game/morvik" 2>"$work/err" >/dev/null &
pid=$!
window=$(wait_for_game_window "$pid" 100)
if [[ -z "$window" ]]; then
  fail "the game's window did not appear without its optional files: $(cat "$work/err")"
  kill "$pid" 2>/dev/null
else
  wait_for_first_frame "$window" "$pid" || fail "the game's window showed no frame without its optional files"
  xdotool mousemove --window "$window" 20 20 key alt+F4
  if ! wait_for_end "$pid" 100; then
    fail "Alt+F4 did not end the game"
    kill "$pid"
  fi
fi
wait "$pid"
status=$?
if [[ $status -ne 0 ]]; then
  fail "the game ended with status $status after Alt+F4"
  head -n 60 "$work/err"  # a sanitizer's report, when one ended it
fi
for optional in gfx/bg3.png sfx/punchm2.ogg bin/keyboard.dat; do
  grep -q "warning.*$optional" "$work/err" || fail "no warning about the missing $optional"
done

[[ $failures -eq 0 ]] && echo "start-up and close behave"
exit $((failures > 0))

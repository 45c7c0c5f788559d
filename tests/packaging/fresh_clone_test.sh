#!/usr/bin/env bash
# The README's play command on a fresh clone of the repository: it builds and starts the game (under an X
# server, e.g. xvfb-run; the window is closed with Alt+F4), and a second run starts it without rebuilding
# anything.
#   fresh_clone_test.sh REPOSITORY
set -uo pipefail
source "$(dirname "$0")/../support/game_window.sh"
repository=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy
git clone --quiet "$repository" "$work/morvik" || { echo "FAILED: git clone"; exit 1; }
failures=0

# Runs the play command, closes the game's window once it shows, and keeps what the command printed.
play() {
  (cd "$work/morvik" && scripts/play.sh) >"$work/$1.log" 2>&1 &
  local pid=$! window
  window=$(wait_for_game_window "$pid" 3000)
  if [[ -z "$window" ]]; then
    echo "FAILED: the play command did not show the game ($1): $(tail -5 "$work/$1.log")"
    failures=$((failures + 1))
    kill "$pid" 2>/dev/null
    return
  fi
  wait_for_first_frame "$window" "$pid" || { echo "FAILED: the game's window showed no frame ($1)"; failures=$((failures + 1)); }
  xdotool key --window "$window" alt+F4
  wait "$pid" || { echo "FAILED: the game ended badly ($1)"; failures=$((failures + 1)); }
}

play first
[[ -x "$work/morvik/build/release/game/morvik" ]] || { echo "FAILED: no game folder in build/release"; failures=$((failures + 1)); }
play second
grep -q "no work to do" "$work/second.log" ||
  { echo "FAILED: the second run rebuilt: $(cat "$work/second.log")"; failures=$((failures + 1)); }
[[ $failures -eq 0 ]] && echo "the play command builds, starts the game, and starts it again without rebuilding"
exit $((failures > 0))

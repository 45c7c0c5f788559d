#!/usr/bin/env bash
# The gamepad screen in the real window (under an X server, e.g. xvfb-run) with a pad SDL knows, and in another
# run one it does not, both SDL's own virtual pads plugged in while the game runs: the known pad's rows read "D-pad up" ...
# "A", "X", the other's "Hat up" ... "Button 2", "Button 3". With a third argument the screenshots are kept there.
#   pad_captions.sh BIN_DIR GAME_DIR [SCREENSHOT_DIR]
set -uo pipefail
source "$(dirname "$0")/../support/game_window.sh"
bin=$1 game=$2 shots=${3:-}
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
failures=0

for pad in known unknown; do
  rm -rf "$work/game"
  cp -r "$game" "$work/game"
  rm -f "$work/game/bin/settings.dat" "$work/game/bin/progress.dat"
  "$bin/e2e_pad_captions" "$work/game" "$work" "$pad" &
  pid=$!
  wait_for_file "$work/$pad.ready" 300 || { echo "FAILED: the $pad pad's screen never came"; exit 1; }
  window=$(xdotool search --name "^Morvik 1.1$" | head -n 1)
  import -window "$window" "$work/$pad.png"
  [[ -z "$shots" ]] || cp "$work/$pad.png" "$shots/gamepad-$pad.png"
  touch "$work/$pad.done"
  if [[ $pad == known ]]; then
    captions=("D-pad up" "D-pad down" "D-pad right" "D-pad left" "A" "X")
  else
    captions=("Hat up" "Hat down" "Hat right" "Hat left" "Button 2" "Button 3")
  fi
  "$bin/e2e_check_captions" "$work/$pad.png" "$game" 2 "${captions[@]}" || failures=$((failures + 1))
  wait_for_end "$pid" 300 || { echo "FAILED: the game did not end"; exit 1; }
  wait "$pid" || failures=$((failures + 1))
  pid=
done
((failures == 0)) && echo "a known pad's inputs by their names, any other's by number"
exit $((failures > 0))

#!/usr/bin/env bash
# Runs the fight frame in the real window (under an X server, e.g. xvfb-run), takes a screenshot of the window
# and checks it; with a fourth argument the screenshot is also copied there. ZOOM may be two zooms, "1,2": the
# window is then re-opened at the second before the screenshot.
#   fight_frame.sh BIN_DIR GAME_DIR ZOOM [COPY_TO]
set -euo pipefail
bin=$1 game=$2 zoom=$3 copy=${4:-}
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
"$bin/e2e_fight_frame" "$game" "$zoom" "$work/ready" &
pid=$!
for _ in $(seq 1 300); do
  [[ -f "$work/ready" ]] && break
  kill -0 "$pid" 2>/dev/null || { echo "the game ended before showing the fight"; exit 1; }
  sleep 0.1
done
[[ -f "$work/ready" ]] || { echo "the fight frame never came"; exit 1; }
window=$(xdotool search --name "^Morvik 1.1$" | head -n 1)
[[ -n "$window" ]] || { echo "no window titled Morvik 1.1"; exit 1; }
import -window "$window" "$work/shot.png"
[[ -z "$copy" ]] || cp "$work/shot.png" "$copy"
"$bin/e2e_check_frame" "$work/shot.png" "$game" "${zoom##*,}"

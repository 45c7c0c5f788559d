#!/usr/bin/env bash
# The whole game played in its real window (under an X server, e.g. xvfb-run) with real key presses: the main
# menu, a training match with its countdown, punches and the pause menu, rebinding a key and using it, a new
# zoom, quitting and finding everything as left on the next start, and a tournament level won against a
# deliberately weak roster, whose cup is still on the tournament screen after a restart.
#   play_through.sh GAME_DIR [SCREENSHOT_DIR]
set -uo pipefail
source "$(dirname "$0")/real_game.sh"
shots=${2:-}
copy_game "$1"

# How far the opponent's health bar reaches from x 390 leftwards, in logical pixels.
opponent_health() {
  local x
  for x in $(seq 240 389); do
    if [[ $(pixel "$1" "$x" 18) == "0,255,0" ]]; then
      echo $((390 - x))
      return
    fi
  done
  echo 0
}

# True when the opponent's health bar in the screenshot NAME is shorter than FULL.
#   health_below FULL NAME
health_below() {
  [[ $(opponent_health "$2") -lt $1 ]]
}

# Walks in and throws punches high with the key given, for about the given number of seconds.
fight_for() {
  local punch=$1 seconds=$2
  hold d
  sleep 1.4
  release d
  for _ in $(seq 1 $((seconds * 2))); do
    hold w
    keys "$punch"
    release w
    sleep 0.35
  done
}

# --- The main menu, a training match, punches, the pause menu.
start_game
wait_for_pixel menu 5 10 0,255,0 || fail "Tournament is not highlighted on the main screen"
keys Down Return
wait_for_other_pixel sliding 5 290 "$(pixel menu 5 290)" || fail "the menu does not slide away"
read_the_card card || fail "no how-to-play card over the first countdown"
wait_for_training_fight fight || fail "the training match's countdown did not come and go"
expect_pixel fight 15 15 "0,255,0" "the player's health bar in the fight"
full=$(opponent_health fight)
[[ $full -eq 150 ]] || fail "the opponent starts with a bar of $full, not 150"
fight_for j 4
wait_until punched health_below "$full" ||
  fail "punches did not shorten the opponent's health bar ($(opponent_health punched) of $full)"
keys Escape
wait_for_pixel paused 5 60 0,255,0 || fail "Continue is not highlighted in the pause menu"
keys Up Return
wait_for_menu_row back 78 || fail "the main menu is not back after End match, on Training"

# --- Rebind Right Hand to K and use it.
keys Down Down Return Return  # Controls, then player 1's keyboard
for _ in 1 2 3 4; do keys Down; done
keys Return
wait_for_pixel waiting 5 220 255,255,0 || fail "the row waiting for a new key is not yellow"
keys k
wait_for_pixel rebound 5 220 0,255,0 || fail "the new key is not taken"
keys Down Down Return Escape Up Up Return
wait_for_training_fight fight2 || fail "the second training match's countdown did not come and go"
fight_for k 4
wait_until punched2 health_below 150 || fail "the rebound key does not punch"
keys Escape Up Return
wait_for_menu_row back2 78 || fail "the main menu is not back after the second End match"

# --- Zoom 3, then Quit.
keys Down Down Down Return Down Right Down Down Return
# The window is opened again at the new size (its id changes).
if reopened=$(wait_for_window_size 1200x900); then
  window=$reopened
  wait_for_first_frame "$window" "$pid" || fail "the window opened again at zoom 3 shows no frame"
else
  fail "the window is $(xdotool getwindowgeometry "$window" 2>/dev/null | awk '/Geometry/ {print $2}') after choosing zoom 3"
fi
zoom=3
keys Down Return
ended_with 0

# --- The next start finds the zoom, the binding and the sound setting as left.
grep -q "^75"$'\r'"$" "$game/bin/settings.dat" || fail "Right Hand is not saved as K (75)"
start_game
geometry=$(xdotool getwindowgeometry "$window" | grep Geometry | awk '{print $2}')
[[ "$geometry" == "1200x900" ]] || fail "the zoom was not kept: the window is $geometry"
keys Escape alt+F4
ended_with 0

# --- A tournament level won against a roster that cannot fight back; its cup survives a restart.
for _ in $(seq 1 10); do printf '100000\t100000\t100000\t100000\t3\t0\t255\t0\t0\t5\n'; done >"$game/bin/tournament.dat"
start_game
keys Return
wait_for_pixel no-cup 5 222 0,255,0 || fail "the tournament screen does not open with Play highlighted"
keys Return
# Walk in and punch high, then press on after the knockout; over and over until the match is won and the
# progress file written (the countdowns between rounds swallow the presses made during them), for up to 3 minutes.
deadline=$((SECONDS + 180))
while ((SECONDS < deadline)); do
  [[ -f "$game/bin/progress.dat" ]] && break
  hold d
  sleep 1.4
  release d
  hold w
  keys k
  release w
  sleep 1.4
  [[ -f "$game/bin/progress.dat" ]] && break
  shot won
  keys Up
  sleep 0.5
done
shot cup
keys alt+F4
ended_with 0
grep -q "^3"$'\r'"$" "$game/bin/progress.dat" || fail "the 3:0 win is not in the progress file"
start_game
keys Return
wait_for_pixel cup-after-restart 5 222 0,255,0 || fail "the tournament screen does not open after the restart"
keys alt+F4
ended_with 0
different=$(compare -metric AE "$work/no-cup.png" "$work/cup-after-restart.png" null: 2>&1 | cut -d' ' -f1)
[[ ${different%.*} -gt 1000 ]] || fail "no cup on the tournament screen after the win and a restart ($different pixels differ)"

finish "played through the whole game"

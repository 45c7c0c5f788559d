#!/usr/bin/env bash
# A match of two players at one keyboard in the real window (under an X server, e.g. xvfb-run): from the main
# menu's Versus row player 1 joins with J and player 2 with Right Ctrl; player 2, on its default keys (the arrows
# and Right Ctrl), knocks player 1 out three times; the result shows with its rows, player 1's health gone and
# player 2's not; Rematch starts a new match at full health.
#   versus.sh GAME_DIR [SCREENSHOT_DIR]
set -uo pipefail
source "$(dirname "$0")/real_game.sh"
shots=${2:-}
copy_game "$1"
rm -f "$game/bin/progress.dat"

start_game
wait_for_pixel main 5 30 "0,255,0" || fail "the main menu does not show with Tournament selected"
keys Down
wait_for_menu_row training-row 78 || fail "the main menu's cursor does not move"
keys Down
wait_for_menu_row versus-row 126 || fail "the main menu's cursor does not reach Versus"
keys Return
# The versus screen: a match here, or online; "Two players here" is the first row.
wait_for_pixel modes 5 30 "0,255,0" || fail "Versus opens no versus screen"
keys Return
# The join screen: "Player 1" and "Player 2" over their halves, nobody joined yet (no device named in yellow).
wait_for_count join 40 60 120 20 255,255,255 "-gt 20" || fail "Versus opens no join screen"
[[ $(count_colour join 20 88 360 16 255,255,0) -eq 0 ]] || fail "a side is joined before anyone pressed a key"
keys j
wait_for_count joined-one 20 88 160 16 255,255,0 "-gt 5" || fail "J does not join player 1's side"
[[ $(count_colour joined-one 220 88 160 16 255,255,0) -eq 0 ]] || fail "J joined player 2's side too"
keys Control_R
# Over the first countdown, once the menu has slid away (the bottom left corner is the last it leaves), both
# players' keys on a card: its headings and keys in yellow.
wait_for_other_pixel slid 2 298 "$(pixel joined-one 2 298)" || fail "the join screen does not slide away"
wait_for_count card 20 118 360 60 255,255,0 "-gt 30" || fail "no card of both players' keys over the countdown"
wait_for_fight fight || fail "the match's countdown did not come and go"

# Player 2 walks in, then punches high (a guard held stops a walk), until the result's rows show: the
# highlighted Rematch row's bar, whose top line is at y 150. The rows take no key for two seconds; the result is
# looked for after every step, so no punch is pressed once they do.
decided() {
  shot attack
  [[ -n "$shots" && ! -f "$shots/versus.png" && $(count_colour attack 10 10 150 16 0,255,0) -lt 2200 ]] &&
    cp "$work/attack.png" "$shots/versus.png"
  [[ $(pixel attack 5 150) == "0,255,0" && $(pixel attack 385 15) == "0,255,0" ]]
}
result=0
deadline=$((SECONDS + 300))
while ((result == 0 && SECONDS < deadline)); do
  hold Left
  sleep 1
  release Left
  decided && result=1
  # Up is held only around each punch, as a player taps it: a key held longer repeats.
  for _ in 1 2 3 4; do
    ((result == 0)) || break
    hold Up
    keys Control_R
    release Up
    sleep 0.2
    decided && result=1
  done
done
((result == 1)) || fail "no result after five minutes of player 2's punches"
wait_for_pixel result 5 198 "0,0,0" || true  # the frame after, for the checks below
[[ $(count_colour result 10 10 150 16 0,255,0) -eq 0 ]] || fail "player 1 still has health at the result"
[[ $(count_colour result 240 10 150 16 0,255,0) -gt 0 ]] || fail "player 2 has no health left at the result"
[[ $(count_colour result 100 90 200 20 255,255,255) -gt 40 ]] || fail "no result text in the middle of the ring"
[[ -e "$game/bin/progress.dat" ]] && fail "a match of two wrote the tournament's progress"

# Rematch, the highlighted row: a new match, both at full health, counting down.
sleep 2
keys Return
wait_for_count rematch 10 10 150 16 0,255,0 "-gt 2000" || fail "Rematch does not start a new match"
[[ $(pixel rematch 5 150) == "0,255,0" ]] && fail "the result's rows stay up after Rematch"
keys Escape
wait_for_count paused 100 50 200 150 255,255,255 "-gt 50" || fail "Escape does not pause a match of two"
keys alt+F4
ended_with 0
finish "two players at one keyboard: joined, fought to 3:0 for player 2, and a rematch"

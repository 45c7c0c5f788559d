#!/usr/bin/env bash
# What a newcomer meets, in the real window (under an X server, e.g. xvfb-run): the how-to-play card over a
# training countdown and gone once the fight begins; another window taking the focus pauses the fight, and it
# stays paused when the focus comes back; the controls screen's sign that its list scrolls and the line a waiting
# row shows; and the prompt naming the key that goes on after a knockout.
#   newcomer.sh GAME_DIR [SCREENSHOT_DIR]
set -uo pipefail
source "$(dirname "$0")/real_game.sh"
shots=${2:-}
copy_game "$1"

# --- The card over the countdown of a training match, in yellow and white on a dark panel; gone in the fight.
start_game
keys Down Return
wait_for_count countdown 20 118 360 60 255,255,0 "-gt 30" || fail "no how-to-play card over the countdown"
[[ $(count_colour countdown 20 175 360 110 255,255,255) -gt 300 ]] || fail "the card's rules are not shown"
keys j
wait_for_training_fight fight || fail "the training match's countdown did not come and go"
[[ $(count_colour fight 20 118 360 60 255,255,0) -eq 0 ]] || fail "the card stays over the fight"

# --- Another program's window takes the focus: the pause menu opens, and stays when the focus comes back.
xmessage -geometry 300x100+0+0 "another program" 2>/dev/null &
other=$!
also_kill+=("$other")
other_window=$(wait_for_window_named xmessage)
[[ -n "$other_window" ]] || fail "no other window to give the focus to"
xdotool windowfocus --sync "$other_window"
wait_for_pixel focus-lost 5 78 0,255,0 || fail "the pause menu does not open when the focus goes (Continue highlighted)"
xdotool windowfocus --sync "$window"
# Back in the game's window, its keys move the pause menu's cursor: the focus is back, and the game still paused.
keys Down
wait_for_pixel focus-back 5 126 0,255,0 || fail "the game does not stay paused when the focus comes back"
kill "$other"
keys Up
wait_for_pixel continue 5 78 0,255,0 || fail "Up does not go back to Continue in the pause menu"
keys Return
wait_for_other_pixel resumed 5 78 0,255,0 || fail "Continue does not resume the fight"
keys Escape Up Return
wait_for_menu_row menu 78 || fail "the main menu is not back after End match, on Training"

# --- The keyboard list: a sign that "Back" lies below, and what a waiting row waits for.
keys Down Down Return Return  # Controls, then player 1's keyboard
wait_for_pixel keyboard 200 297 255,255,255 || fail "no sign that the list goes on below the screen"
# Left of the caption "W": nothing white until the row waits and says so.
[[ $(count_colour keyboard 250 10 100 40 255,255,255) -eq 0 ]] || fail "text left of the first row's caption"
keys Return
wait_for_count waiting 250 10 100 40 255,255,255 "-gt 20" || fail "the waiting row does not say what it waits for"
keys Escape alt+F4
ended_with 0

# --- The prompt after a knockout, against a roster that cannot fight back.
for _ in $(seq 1 10); do printf '100000\t100000\t100000\t100000\t3\t0\t255\t0\t0\t5\n'; done >"$game/bin/tournament.dat"
start_game
keys Return
wait_for_pixel tournament 5 222 0,255,0 || fail "the tournament screen does not open with Play highlighted"
keys Return
wait_for_fight fight || fail "the tournament match's countdown did not come and go"
# Walk in and punch high until the opponent goes down and the prompt shows, for up to two minutes.
prompted=0
deadline=$((SECONDS + 120))
while ((SECONDS < deadline)); do
  hold d
  sleep 1.4
  release d
  hold w
  keys j
  release w
  if wait_seconds=2 wait_for_count knockout 140 130 120 16 255,255,255 "-gt 20"; then
    prompted=1
    break
  fi
done
[[ $prompted -eq 1 ]] || fail "no prompt naming the key that goes on after a knockout"
keys alt+F4
ended_with 0

finish "a newcomer is shown the way"

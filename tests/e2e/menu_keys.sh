#!/usr/bin/env bash
# The menus as a player meets them in the real window (under an X server, e.g. xvfb-run): Escape goes back from
# every screen (saving where "Back" saves) and on the main screen moves to "Quit"; Enter is refused as a new key;
# the Settings row switches full screen at once; the session's first training countdown waits with the card up
# until J; after a knockout Enter goes on.
#   menu_keys.sh GAME_DIR [SCREENSHOT_DIR]
set -uo pipefail
source "$(dirname "$0")/real_game.sh"
shots=${2:-}
copy_game "$1"
settings=$game/bin/settings.dat

window_size() {
  xdotool getwindowgeometry "$window" 2>/dev/null | awk '/Geometry/ {print $2}'
}

# Waits for the window to take the size (10 s at most).
wait_for_size() {
  for _ in $(seq 1 100); do
    [[ $(window_size) == "$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

start_game
wait_for_pixel main 5 30 "0,255,0" || fail "the main menu does not show with Tournament selected"

# --- Escape on the main screen: the cursor goes to Quit, and nothing ends.
keys Escape
wait_for_pixel quit 5 270 "0,255,0" || fail "Escape on the main screen does not move to Quit"
kill -0 "$pid" || fail "Escape on the main screen ended the game"

# --- Escape from each screen back to the main screen, on the row it was opened from.
for row in 0 3 4; do
  y=$((30 + 48 * row))
  keys Down  # from Quit round to Tournament
  for _ in $(seq 1 "$row"); do keys Down; done
  wait_for_pixel "row$row" 5 "$y" "0,255,0" || fail "row $row is not selected"
  keys Return
  wait_for_pixel "screen$row" 5 30 "0,255,0" || wait_for_pixel "screen$row" 5 222 "0,255,0" ||
    fail "row $row opens no screen"
  rm -f "$settings"
  keys Escape
  wait_for_pixel "back$row" 5 "$y" "0,255,0" || fail "Escape does not go back from the screen of row $row"
  if ((row == 4)); then
    wait_for_file "$settings" 50 || fail "leaving the screen of row $row with Escape saved nothing"
  fi
  keys Escape  # to Quit again
  wait_for_pixel "quit$row" 5 270 "0,255,0" || fail "Escape after row $row does not move to Quit"
done

# --- Enter while a key is awaited: the row keeps waiting and says why; the old key stays.
keys Down Down Down Down Return Return Return  # Controls, player 1's keyboard, Up
wait_for_pixel waiting 5 30 "255,255,0" || fail "confirming Up does not wait for a key"
keys Return
wait_for_count enter-refused 170 10 225 40 255,255,255 "-gt 60" || fail "the waiting row does not say why"
expect_pixel enter-refused 5 30 "255,255,0" "Enter ends the wait"
keys Escape
wait_for_pixel cancelled 5 30 "0,255,0" || fail "Escape does not end the wait"
keys Escape
wait_for_file "$settings" 50
[[ $(sed -n 3p "$settings") == $'87\r' ]] || fail "Up is no longer on W: $(sed -n 3p "$settings" | cat -A)"

# --- The Settings row: full screen at once, and back.
keys Escape Escape Up Return Down Down
wait_for_pixel full-row 5 126 "0,255,0" || fail "no Full screen row"
keys Right
wait_for_size 1920x1200 || fail "the Full screen row does not switch to full screen: $(window_size)"
keys Left
wait_for_size 800x600 || fail "the Full screen row does not switch back: $(window_size)"
[[ $(sed -n 17p "$settings") == $'0\r' ]] || fail "the switch back is not saved"
keys Escape

# --- Training: the first countdown waits with the card up until J.
keys Up Up Up Return
wait_for_count card 20 118 360 60 255,255,0 "-gt 30" || fail "no how-to-play card over the first countdown"
sleep 7  # longer than a countdown: the card and "Round 1" must still be there
shot still-waiting
[[ $(count_colour still-waiting 20 118 360 60 255,255,0) -gt 30 ]] || fail "the card went before J"
[[ $(count_colour still-waiting 100 85 200 30 255,255,255) -gt 20 ]] || fail "no Round 1 over the waiting card"
keys j
wait_for_training_fight fight || fail "the countdown did not run after J"
keys alt+F4
ended_with 0

# --- After a knockout Enter goes on, against a roster that cannot fight back.
for _ in $(seq 1 10); do printf '100000\t100000\t100000\t100000\t3\t0\t255\t0\t0\t5\n'; done >"$game/bin/tournament.dat"
start_game
keys Return Return
wait_for_fight fight || fail "the tournament match's countdown did not come and go"
prompted=0
for _ in $(seq 1 6); do
  hold d
  sleep 1.4
  release d
  hold w
  keys j
  release w
  # The prompt comes a second after the knockout.
  if wait_seconds=3 wait_for_count knockout 140 130 120 16 255,255,255 "-gt 20"; then
    prompted=1
    break
  fi
done
[[ $prompted -eq 1 ]] || fail "no knockout"
keys Return
wait_for_count next-round 140 130 120 16 255,255,255 "-eq 0" || fail "Enter does not go on after a knockout"
keys alt+F4
ended_with 0

finish "the menus answer to Escape and keep Enter"

#!/usr/bin/env bash
# Full screen in the real window (under an X server of the given size, e.g. xvfb-run): F11 and Alt+Enter switch
# between the window and the picture enlarged by the largest whole factor that fits the screen, centred, with
# nothing drawn in the black border, on every screen and in a fight, which goes on unpaused; Alt+Enter confirms no
# menu row; the switch survives a restart; a zoom too large for the screen opens smaller and stays chosen.
#   full_screen.sh GAME_DIR WIDTHxHEIGHT [SCREENSHOT_DIR]
set -uo pipefail
source "$(dirname "$0")/real_game.sh"
screen_width=${2%x*}
screen_height=${2#*x}
shots=${3:-}
copy_game "$1"

# The full-screen picture: the largest whole factor that fits the screen, centred.
scale=$((screen_width / 400 < screen_height / 300 ? screen_width / 400 : screen_height / 300))
full_picture="$((400 * scale))x$((300 * scale))+$(((screen_width - 400 * scale) / 2))+$(((screen_height - 300 * scale) / 2))"

# The window's size as WIDTHxHEIGHT.
window_size() {
  xdotool getwindowgeometry "$window" 2>/dev/null | awk '/Geometry/ {print $2}'
}

# Waits for the window to take the size; fails with the reason otherwise.
expect_window_size() {
  wait_for_window_size "$1" >/dev/null && return 0
  fail "$2: the window is $(window_size), not $1"
  return 1
}

# A screenshot of the whole screen, and where the logical screen lies in it: origin and scale of its pixels.
shot() {
  import -window root "$work/$1.png"
  [[ -z "$shots" ]] || cp "$work/$1.png" "$shots/$1.png"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  if [[ $WIDTH -eq $screen_width && $HEIGHT -eq $screen_height ]]; then
    origin_x=$(((screen_width - 400 * scale) / 2)) origin_y=$(((screen_height - 300 * scale) / 2)) pixel_scale=$scale
  else
    origin_x=$X origin_y=$Y pixel_scale=$((WIDTH / 400))
  fi
}

# The box of everything that is not black in the screenshot NAME, as WIDTHxHEIGHT+X+Y.
picture_box() {
  convert "$work/$1.png" -format "%@" info:
}
picture_is() { [[ $(picture_box "$2") == "$1" ]]; }

# Waits until everything that is not black on the screen lies inside the rectangle WIDTHxHEIGHT+X+Y, and fills it:
# the game has drawn a frame at the window's new size. Fails with the reason otherwise.
expect_picture() {
  wait_until "$1" picture_is "$2" || fail "$3: the picture in $1 is $(picture_box "$1"), not $2"
}

window_picture() {
  echo "$1+$(((screen_width - ${1%x*}) / 2))+$(((screen_height - ${1#*x}) / 2))"
}

# --- F11 from the window to full screen and every screen there.
start_game
expect_window_size 800x600 "a new game opens at zoom 2"
expect_picture window "$(window_picture 800x600)" "the window at zoom 2"
keys F11
expect_window_size "${screen_width}x${screen_height}" "F11 switches to full screen"
expect_picture main "$full_picture" "the main screen in full screen"
expect_pixel main 0 10 "0,255,0" "the highlight bar starts at the picture's left edge"
expect_pixel main 399 10 "0,255,0" "the highlight bar ends at the picture's right edge"
keys Return
wait_for_pixel tournament 5 222 0,255,0 || fail "Play is not highlighted on the tournament screen"
expect_picture tournament "$full_picture" "the tournament screen in full screen"
# Each screen of the main menu in turn, each step waited for by the row it highlights (main screen rows: 30
# Tournament, 174 Controls, 222 Settings; a screen opens on its first row, 30).
keys Down Return
wait_for_pixel main 5 30 0,255,0 || fail "Back on the tournament screen does not lead to the main screen"
keys Down Down Down
wait_for_pixel main 5 174 0,255,0 || fail "the main screen's cursor does not reach Controls"
keys Return
wait_for_pixel controls 5 30 0,255,0 || fail "the controls screen does not open on its first row"
keys Return
wait_for_pixel keyboard 5 30 0,255,0 || fail "the keyboard screen does not open on its first row"
expect_picture keyboard "$full_picture" "the keyboard screen in full screen"
keys Escape
wait_for_pixel controls 5 30 0,255,0 || fail "Escape on the keyboard screen does not lead to the controls screen"
keys Down Return
wait_for_pixel gamepad 5 30 0,255,0 || fail "the gamepad screen does not open on its first row"
expect_picture gamepad "$full_picture" "the gamepad screen in full screen"
keys Escape
wait_for_pixel controls 5 78 0,255,0 || fail "Escape on the gamepad screen does not lead back to its row"
keys Escape
wait_for_pixel main 5 174 0,255,0 || fail "Escape on the controls screen does not lead to the main screen"
keys Down
wait_for_pixel main 5 222 0,255,0 || fail "the main screen's cursor does not reach Settings"
keys Return
wait_for_pixel settings 5 30 0,255,0 || fail "the settings screen does not open on its first row"
expect_picture settings "$full_picture" "the settings screen in full screen"
keys Up Return
wait_for_pixel main 5 222 0,255,0 || fail "Back on the settings screen does not lead to the main screen"

# --- Alt+Enter back to the window, confirming nothing: the main screen stays, "Settings" selected.
keys alt+Return
expect_window_size 800x600 "Alt+Enter goes back to the window"
expect_picture back "$(window_picture 800x600)" "the window again"
expect_pixel back 5 222 "0,255,0" "Settings is still selected on the main screen"
not_pixel back 5 30 "0,255,0" "Alt+Enter opened the settings screen"
keys F11
expect_window_size "${screen_width}x${screen_height}" "F11 again"
keys alt+F4
ended_with 0
[[ $(sed -n 17p "$game/bin/settings.dat") == $'1\r' ]] || fail "full screen is not saved as line 17: $(sed -n 17p "$game/bin/settings.dat" | cat -A)"
[[ $(wc -l <"$game/bin/settings.dat") -eq 33 ]] || fail "the settings file has $(wc -l <"$game/bin/settings.dat") lines"

# --- The next start is full screen; a fight goes on through both switches, and pauses only when asked.
start_game
expect_window_size "${screen_width}x${screen_height}" "the game starts full screen as it was left"
keys Down Return
read_the_card card || fail "no how-to-play card over the first countdown in full screen"
wait_for_training_fight fight || fail "the training match's countdown did not come and go in full screen"
expect_picture fight "$full_picture" "the fight in full screen"
expect_pixel fight 15 15 "0,255,0" "the player's health bar in full screen"
not_pixel fight 5 60 "0,255,0" "the fight is paused before any switch"
# After each switch the fight is drawn at the new size, and Escape opens the pause menu: had the switch paused the
# fight, Escape would close the menu instead.
keys alt+Return
expect_window_size 800x600 "Alt+Enter in the fight"
expect_picture fight-window "$(window_picture 800x600)" "the fight in the window"
expect_pixel fight-window 15 15 "0,255,0" "the player's health bar in the window"
keys Escape
wait_for_pixel paused-window 5 60 0,255,0 || fail "going back to the window paused the fight (Escape closed the pause menu)"
keys Escape
wait_for_other_pixel fight-window 5 60 0,255,0 || fail "Escape does not close the pause menu in the window"
keys F11
expect_window_size "${screen_width}x${screen_height}" "F11 in the fight"
expect_picture fight-again "$full_picture" "the fight in full screen again"
keys Escape
wait_for_pixel paused 5 60 0,255,0 || fail "going full screen paused the fight (Escape closed the pause menu)"
expect_picture paused "$full_picture" "the pause menu in full screen"
keys Escape alt+F4
ended_with 0

# --- A zoom too large for the screen opens the largest window that fits, and the chosen zoom stays saved.
sed -i $'2s/.*/4\r/;17s/.*/0\r/' "$game/bin/settings.dat"
fitting=4
while ((400 * fitting > screen_width || 300 * fitting > screen_height)); do
  fitting=$((fitting - 1))
done
start_game
expect_window_size "$((400 * fitting))x$((300 * fitting))" "zoom 4 on a screen of ${screen_width}x${screen_height}"
keys Down Down Down Down Return Up Return
keys F11
expect_window_size "${screen_width}x${screen_height}" "F11 from the fitted window"
keys alt+F4
ended_with 0
[[ $(sed -n 2p "$game/bin/settings.dat") == $'4\r' ]] || fail "the chosen zoom 4 was not kept"
[[ $(sed -n 17p "$game/bin/settings.dat") == $'1\r' ]] || fail "full screen was not saved after the fitted window"

finish "full screen at ${screen_width}x${screen_height} behaves"

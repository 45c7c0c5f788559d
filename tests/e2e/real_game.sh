# Sourced by the scripts that play the real game in its window (under an X server): a scratch folder and the
# game's process, both gone at exit; starting and ending the game, key presses, screenshots and their pixels in
# logical coordinates. Sourcing sets work, pid, failures=0 and the environment the game runs with under test; the
# caller sets shots (a folder to keep screenshots in, or empty) and zoom, and adds other processes to kill at exit
# to also_kill.
source "$(dirname "${BASH_SOURCE[0]}")/../support/game_window.sh"

# Sanitizer options already set (a run with a pad plugged in sets one) are kept.
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
work=$(mktemp -d)
pid=
also_kill=()
failures=0
shots=
zoom=2

end_real_game() {
  [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
  for other in "${also_kill[@]}"; do kill "$other" 2>/dev/null; done
  rm -rf "$work"
}
trap end_real_game EXIT

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# Ends the script: the failures counted, or the line that says all went well.
finish() {
  grep -v "^morvik: warning" "$work/stderr" 2>/dev/null | grep -q . &&
    fail "the game wrote to standard error: $(cat "$work/stderr")"
  [[ $failures -eq 0 ]] && echo "$1"
  exit $((failures > 0))
}

# A fresh copy of the game folder at SOURCE in $work/game, without saved files; the game is started from there.
copy_game() {
  cp -r "$1" "$work/game"
  rm -f "$work/game/bin/settings.dat" "$work/game/bin/progress.dat"
  game=$work/game
}

# Starts the game and waits for its window's first frame: keys sent from then on reach it.
start_game() {
  "$game/morvik" 2>>"$work/stderr" &
  pid=$!
  window=$(wait_for_game_window "$pid" 100)
  [[ -n "$window" ]] || { fail "the game's window did not appear"; exit 1; }
  wait_for_first_frame "$window" "$pid" || { fail "the game's window showed no frame"; exit 1; }
  xdotool mousemove --window "$window" 20 20
}

# Waits up to 30 s for the game to end on its own and checks its status; a game that does not end fails and is
# stopped, so the script goes on to report rather than wait for ever.
ended_with() {
  if ! wait_for_end "$pid" 300; then
    fail "the game did not end"
    kill "$pid"
  fi
  wait "$pid"
  local status=$?
  pid=
  [[ $status -eq $1 ]] || fail "the game ended with status $status"
}

keys() { press_keys "$window" "$@"; }

hold() { xdotool keydown --window "$window" "$1"; }
release() { xdotool keyup --window "$window" "$1"; }

# A screenshot of the game's window, as it is now: what a key press changes shows a frame or two later, so checks
# of what follows a key go through the waits below. Where the logical screen lies in a screenshot is origin_x,
# origin_y (window pixels) and pixel_scale (window pixels per logical pixel): 0, 0 and the zoom unless a script's
# own shot says.
shot() {
  # The window id changes when the window is opened again at another zoom.
  window=$(xdotool search --name "^Morvik 1.1$" 2>/dev/null | head -n 1)
  import -window "$window" "$work/$1.png"
  [[ -z "$shots" ]] || cp "$work/$1.png" "$shots/$1.png"
}

# The colour at the middle of logical pixel (x, y) of a screenshot, as r,g,b.
pixel() {
  local scale=${pixel_scale:-$zoom}
  local x=$((${origin_x:-0} + $2 * scale + scale / 2)) y=$((${origin_y:-0} + $3 * scale + scale / 2))
  convert "$work/$1.png" -format "%[fx:int(255*p{$x,$y}.r)],%[fx:int(255*p{$x,$y}.g)],%[fx:int(255*p{$x,$y}.b)]" info:
}

expect_pixel() {
  local got
  got=$(pixel "$1" "$2" "$3")
  [[ "$got" == "$4" ]] || fail "$5: pixel ($2, $3) of $1 is $got, not $4"
}

not_pixel() {
  local got
  got=$(pixel "$1" "$2" "$3")
  [[ "$got" != "$4" ]] || fail "$5: pixel ($2, $3) of $1 is $got"
}

# How many logical pixels of the rectangle (x, y, width, height) of a screenshot are exactly the colour r,g,b,
# read at their middles.
count_colour() {
  local scale=${pixel_scale:-$zoom}
  local x=$((${origin_x:-0} + $2 * scale)) y=$((${origin_y:-0} + $3 * scale)) w=$(($4 * scale)) h=$(($5 * scale))
  convert "$work/$1.png" -crop "${w}x${h}+${x}+${y}" +repage -sample "$((100 / scale))%" \
    -fill black +opaque "rgb($6)" -fill white -opaque "rgb($6)" -format "%[fx:int(mean*w*h+0.5)]" info:
}

# The waits below take screenshots named NAME until what they wait for shows, for up to 30 seconds (the game
# under the sanitizers on a busy machine is slow, never that slow; wait_seconds=N before a wait sets another
# time), and are false when it never did; the last screenshot stays as NAME for the checks that follow.

# Waits until CHECK ARG... NAME succeeds on a fresh screenshot NAME.
#   wait_until NAME CHECK [ARG...]
wait_until() {
  local name=$1 deadline=$((SECONDS + ${wait_seconds:-30}))
  shift
  until shot "$name" && "$@" "$name"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

pixel_is() { [[ $(pixel "$4" "$1" "$2") == "$3" ]]; }
pixel_is_not() { [[ $(pixel "$4" "$1" "$2") != "$3" ]]; }
count_passes() { [ "$(count_colour "$7" "$1" "$2" "$3" "$4" "$5")" $6 ]; }

# Waits until logical pixel (x, y) is the colour r,g,b.
#   wait_for_pixel NAME X Y R,G,B
wait_for_pixel() { wait_until "$1" pixel_is "$2" "$3" "$4"; }

# Waits until logical pixel (x, y) is any colour but r,g,b.
#   wait_for_other_pixel NAME X Y R,G,B
wait_for_other_pixel() { wait_until "$1" pixel_is_not "$2" "$3" "$4"; }

# Waits until the count of pixels of colour r,g,b in the rectangle (x, y, width, height) passes the test
# ("-gt 0", "-eq 0").
#   wait_for_count NAME X Y WIDTH HEIGHT R,G,B TEST
wait_for_count() { wait_until "$1" count_passes "$2" "$3" "$4" "$5" "$6" "$7"; }

# Waits until a menu is in place, its slide over (presses made while it slides are dropped), with the row whose
# middle is at y ROW_Y highlighted: the top line of that row's bar (rows are 48 high) is green only once the menu
# has come all the way.
#   wait_for_menu_row NAME ROW_Y
wait_for_menu_row() { wait_for_pixel "$1" 5 $(($2 - 24)) 0,255,0; }

# Waits until a round's fight is on and has taken the keys for a second: the countdown's message in the middle of
# the ring ("Round n", 3, 2, 1) has shown, and then the middle of the ring has no message in white (the countdown
# goes straight on to the "FIGHT!" of the fight's first second).
#   wait_for_fight NAME
wait_for_fight() {
  wait_for_count "$1" 100 85 200 30 255,255,255 "-gt 0" && wait_for_count "$1" 100 85 200 30 255,255,255 "-eq 0"
}

# The session's first training countdown waits with the how-to-play card up until the right hand is pressed:
# waits for the card and presses J.
#   read_the_card NAME
read_the_card() {
  wait_for_count "$1" 20 118 360 60 255,255,0 "-gt 30" && keys j
}

# Waits until a training round's fight is on: the how-to-play card, in yellow over a training countdown, has
# shown, and then the fight has taken the keys for a second (as wait_for_fight).
wait_for_training_fight() {
  wait_for_count "$1" 20 118 360 60 255,255,0 "-gt 30" && wait_for_count "$1" 100 85 200 30 255,255,255 "-eq 0"
}

# Sourced by the scripts that play the real game in its window (under an X server): starting and ending it, key
# presses, screenshots and their pixels in logical coordinates. The caller sets work (a scratch folder), shots
# (a folder to keep screenshots in, or empty), zoom, failures=0, and the exports the game needs.
source "$(dirname "${BASH_SOURCE[0]}")/../support/game_window.sh"

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# A fresh copy of the game folder at SOURCE in $work/game, without saved files; the game is started from there.
copy_game() {
  cp -r "$1" "$work/game"
  rm -f "$work/game/bin/settings.dat" "$work/game/bin/progress.dat"
  game=$work/game
}

start_game() {
  "$game/morvik" 2>>"$work/stderr" &
  pid=$!
  window=$(wait_for_game_window "$pid" 100)
  [[ -n "$window" ]] || { fail "the game's window did not appear"; exit 1; }
  sleep 0.5
  xdotool mousemove --window "$window" 20 20
}

# Waits for the game to end on its own and checks its status.
ended_with() {
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  wait "$pid"
  local status=$?
  pid=
  [[ $status -eq $1 ]] || fail "the game ended with status $status"
}

keys() {
  for key in "$@"; do
    xdotool key --window "$window" "$key"
    sleep 0.08
  done
}

hold() { xdotool keydown --window "$window" "$1"; }
release() { xdotool keyup --window "$window" "$1"; }

shot() {
  sleep 0.2
  # The window id changes when the window is opened again at another zoom.
  window=$(xdotool search --name "^Morvik 1.1$" 2>/dev/null | head -n 1)
  import -window "$window" "$work/$1.png"
  [[ -z "$shots" ]] || cp "$work/$1.png" "$shots/$1.png"
}

# The colour at logical pixel (x, y) of a screenshot, as r,g,b.
pixel() {
  convert "$work/$1.png" -format "%[fx:int(255*p{$(($2 * zoom + zoom / 2)),$(($3 * zoom + zoom / 2))}.r)],%[fx:int(255*p{$(($2 * zoom + zoom / 2)),$(($3 * zoom + zoom / 2))}.g)],%[fx:int(255*p{$(($2 * zoom + zoom / 2)),$(($3 * zoom + zoom / 2))}.b)]" info:
}

expect_pixel() {
  local got
  got=$(pixel "$1" "$2" "$3")
  [[ "$got" == "$4" ]] || fail "$5: pixel ($2, $3) of $1 is $got, not $4"
}

# How many logical pixels of the rectangle (x, y, width, height) of a screenshot are exactly the colour r,g,b,
# read at their middles.
count_colour() {
  local x=$(($2 * zoom)) y=$(($3 * zoom)) w=$(($4 * zoom)) h=$(($5 * zoom))
  convert "$work/$1.png" -crop "${w}x${h}+${x}+${y}" +repage -sample "$((100 / zoom))%" \
    -fill black +opaque "rgb($6)" -fill white -opaque "rgb($6)" -format "%[fx:int(mean*w*h+0.5)]" info:
}

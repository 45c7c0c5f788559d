# Sourced by the scripts that start the real game under an X server.

# Prints the id of the game's window ("Morvik 1.1") once it shows, or nothing when it did not within TENTHS tenths
# of a second or the process PID ended first.
#   window=$(wait_for_game_window PID TENTHS)
wait_for_game_window() {
  local pid=$1 tenths=$2 window
  for _ in $(seq 1 "$tenths"); do
    window=$(xdotool search --name "^Morvik 1.1$" 2>/dev/null | head -n 1)
    if [[ -n "$window" ]]; then
      echo "$window"
      return
    fi
    kill -0 "$pid" 2>/dev/null || return
    sleep 0.1
  done
}

# Waits until the window shows its first frame (anything but black), for up to SECONDS seconds (30 when not
# given); false when the process PID ended first or the time ran out. Keys sent before it may go to a window that
# does not take them yet.
#   wait_for_first_frame WINDOW PID [SECONDS]
wait_for_first_frame() {
  local window=$1 pid=$2 deadline=$((SECONDS + ${3:-30}))
  until [[ "$(import -silent -window "$window" -format '%[max]' info: 2>/dev/null)" =~ ^[1-9] ]]; do
    kill -0 "$pid" 2>/dev/null || return 1
    ((SECONDS < deadline)) || return 1
    sleep 0.01
  done
}

# Prints the id of a window named exactly NAME once one shows, or nothing when none did within SECONDS seconds
# (30 when not given).
#   window=$(wait_for_window_named NAME [SECONDS])
wait_for_window_named() {
  local name=$1 deadline=$((SECONDS + ${2:-30})) window
  while :; do
    window=$(xdotool search --name "^$name\$" 2>/dev/null | head -n 1)
    [[ -n "$window" ]] && { echo "$window"; return 0; }
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Prints the id of the game's window once it is WIDTHxHEIGHT, looking it up anew each time (a window opened again
# at another zoom has a new id); prints nothing when it did not get there within SECONDS seconds (30 when not
# given).
#   window=$(wait_for_window_size WIDTHxHEIGHT [SECONDS])
wait_for_window_size() {
  local size=$1 deadline=$((SECONDS + ${2:-30})) window
  while :; do
    window=$(xdotool search --name "^Morvik 1.1$" 2>/dev/null | head -n 1)
    if [[ -n "$window" && $(xdotool getwindowgeometry "$window" 2>/dev/null | awk '/Geometry/ {print $2}') == "$size" ]]; then
      echo "$window"
      return 0
    fi
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Waits up to TENTHS tenths of a second for FILE to exist; true when it does.
#   wait_for_file FILE TENTHS
wait_for_file() {
  local file=$1 tenths=$2
  for _ in $(seq 1 "$tenths"); do
    [[ -e "$file" ]] && return 0
    sleep 0.1
  done
  [[ -e "$file" ]]
}

# Waits up to TENTHS tenths of a second for the process PID to end; true when it has.
#   wait_for_end PID TENTHS
wait_for_end() {
  local pid=$1 tenths=$2
  for _ in $(seq 1 "$tenths"); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$pid" 2>/dev/null
}

# Presses and releases each KEY in turn in the window, with a pause between them that lets the game take each in a
# frame of its own.
#   press_keys WINDOW KEY...
press_keys() {
  local window=$1 key
  shift
  for key in "$@"; do
    xdotool key --window "$window" "$key"
    sleep 0.08
  done
}

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

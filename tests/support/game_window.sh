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

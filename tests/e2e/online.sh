#!/usr/bin/env bash
# An online match between two games on this machine, each in its own X server, over real UDP through the link
# emulator (100 ms round trip, 5 % of datagrams lost each way): one hosts with --host, the other joins with --join
# through the emulator. The joiner (player 2, the right side) plays on its own player-1 keys (D walks in, W guards
# high, J punches) until the match is decided; both machines show the same result; both ask for a rematch and a
# new match begins on both; the joiner leaves it and the host is told. Both machines wrote the decided match's
# replay with the same inputs and hashes, and the game plays that replay back agreeing with every hash.
#   online.sh GAME_DIR LINK_EMULATOR [SCREENSHOT_DIR]
set -uo pipefail
source "$(dirname "$0")/real_game.sh"
emulator=$2
shots=${3:-}

for side in host joiner; do
  cp -r "$1" "$work/$side"
  rm -f "$work/$side/bin/settings.dat" "$work/$side/bin/progress.dat"
  rm -rf "$work/$side/bin/replays"
done

# The joiner's own X server: two windows of one display would share the keyboard's focus.
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset 3>"$work/display" 2>/dev/null &
also_kill+=($!)
wait_for_file "$work/display" 100 && sleep 0.2
displays=("$DISPLAY" ":$(head -n 1 "$work/display")")
[[ "${displays[1]}" != ":" ]] || { fail "no second X server"; finish ""; }

port=$((20000 + RANDOM % 20000))
"$emulator" --listen $((port + 1)) --to "127.0.0.1:$port" --delay 50 --loss 5 --seed 7 >"$work/link.txt" 2>&1 &
also_kill+=($!)
"$work/host/morvik" --host "$port" >"$work/host.out" 2>>"$work/stderr" &
pid=$!
DISPLAY=${displays[1]} "$work/joiner/morvik" --join "127.0.0.1:$((port + 1))" >"$work/joiner.out" 2>>"$work/stderr" &
also_kill+=($!)
joiner_pid=$!

windows=()
for side in 0 1; do
  process=$pid
  ((side == 0)) || process=$joiner_pid
  windows[side]=$(DISPLAY=${displays[side]} wait_for_game_window "$process" 100)
  [[ -n "${windows[side]}" ]] || { fail "side $side's window did not appear"; finish ""; }
done

# Acting on one side: its display and window for the helpers of real_game.sh, whose shot looks the window up by
# its title on the display given.
on() {
  local side=$1
  shift
  DISPLAY=${displays[side]} window=${windows[side]} "$@"
}
shot_of() {
  DISPLAY=${displays[$1]} import -window "${windows[$1]}" "$work/$2.png"
  [[ -z "$shots" ]] || cp "$work/$2.png" "$shots/$2.png"
}
# Waits up to 60 s until side's window has more than 20 logical pixels of r,g,b in the rectangle (x, y, w, h).
wait_side_count() {
  local side=$1 name=$2 x=$3 y=$4 w=$5 h=$6 colour=$7 deadline=$((SECONDS + 60))
  until shot_of "$side" "$name" && [[ $(count_colour "$name" "$x" "$y" "$w" "$h" "$colour") -gt 20 ]]; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}
# Waits up to 60 s until logical pixel (x, y) of side's window is r,g,b.
wait_side_pixel() {
  local side=$1 name=$2 x=$3 y=$4 colour=$5 deadline=$((SECONDS + 60))
  until shot_of "$side" "$name" && [[ $(pixel "$name" "$x" "$y") == "$colour" ]]; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

# Both show the fight: each side's health bar full and green once the handshake went through the link.
wait_side_pixel 0 host-fight 385 15 0,255,0 || fail "the host shows no fight"
wait_side_pixel 1 joiner-fight 15 15 0,255,0 || fail "the joiner shows no fight"
sleep 6  # the countdown

# The joiner walks in and punches high until its result rows show (the Rematch row's bar, whose top is at y 150).
# It looks after every step: the rows take keys two seconds after the match is decided, and a punch then would
# choose one of them (and the punches after it go on through the menus).
decided() {
  shot_of 1 attack
  [[ $(pixel attack 5 150) == "0,255,0" ]]
}
result=0
deadline=$((SECONDS + 400))
while ((result == 0 && SECONDS < deadline)); do
  on 1 hold d
  sleep 1
  on 1 release d
  decided && result=1
  for _ in 1 2 3 4; do
    ((result == 0)) || break
    on 1 hold w
    on 1 keys j
    on 1 release w
    sleep 0.2
    decided && result=1
  done
done
((result == 1)) || fail "no result on the joiner's machine after its punches"
wait_side_pixel 0 host-result 5 150 0,255,0 || fail "no result on the host's machine"
shot_of 1 joiner-result
# The same words on both: "Player 2 wins 3:0" (or however it went) drawn over the same ring.
for side in host joiner; do
  convert "$work/$side-result.png" -crop 640x64+80+168 +repage "$work/$side-words.png"
done
[[ $(compare -metric AE "$work/host-words.png" "$work/joiner-words.png" null: 2>&1) == "0" ]] ||
  fail "the two machines' results read differently"
[[ $(count_colour host-result 10 10 150 16 0,255,0) -eq 0 ]] || fail "player 1 has health left on the host's result"

# Rematch, asked by both (the rows answer after two seconds): a new match at full health on both.
sleep 2
on 0 keys Return
on 1 keys Return
wait_side_pixel 0 host-rematch 15 15 0,255,0 || fail "no rematch on the host's machine"
wait_side_pixel 1 joiner-rematch 15 15 0,255,0 || fail "no rematch on the joiner's machine"

# The joiner leaves from Escape's menu; the host goes back to the versus screen and is told (in yellow).
on 1 keys Escape
sleep 0.5
on 1 keys Down Return
# (The menu slides in: the notice is looked for once it has come to rest under the rows.)
wait_side_pixel 0 host-back 5 30 0,255,0 || fail "the host is not back on the versus screen"
wait_side_count 0 host-told 100 196 200 20 255,255,0 || fail "the host is not told the other player left"

# Both machines wrote the decided match with the same frames and hashes (only the side differs).
replays=()
for side in host joiner; do
  replays+=("$(ls "$work/$side/bin/replays/"*-online.txt 2>/dev/null | head -n 1)")
done
if [[ -z "${replays[0]}" || -z "${replays[1]}" ]]; then
  fail "a machine wrote no replay"
else
  grep -q "^end " "${replays[0]}" || fail "the host's first replay is not of a decided match"
  diff <(grep -v "^side" "${replays[0]}") <(grep -v "^side" "${replays[1]}") >/dev/null ||
    fail "the two machines' replays differ"
fi
on 0 xdotool key --window "${windows[0]}" alt+F4 2>/dev/null
kill "$joiner_pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=

# The host's replay played back in the window agrees with every hash it holds.
if [[ -n "${replays[0]}" ]]; then
  "$work/host/morvik" --replay "${replays[0]}" >"$work/replay.out" 2>>"$work/stderr" &
  pid=$!
  deadline=$((SECONDS + 400))
  until grep -q "every check agrees" "$work/replay.out" || ((SECONDS > deadline)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 1
  done
  grep -q "every check agrees" "$work/replay.out" || fail "the replay does not play back agreeing: $(cat "$work/replay.out")"
fi
echo "link: $(tr '\n' ' ' <"$work/link.txt")"
finish "An online match over a lossy link: the same result, a rematch agreed by both, the same replay on both"

#!/usr/bin/env bash
# Installs the game with the README's commands (the release preset, built in build/release) into a temporary
# prefix, as a player installing into ~/.local would, and checks the result: the game folder complete, the
# launcher starting the game in a window titled "Morvik 1.1" (under an X server, e.g. xvfb-run), the game saving
# its settings into its folder, the desktop entry, icon and metainfo.
#   install_test.sh
set -uo pipefail
source "$(dirname "$0")/../support/game_window.sh"
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$prefix" "$log"' EXIT
export SDL_AUDIODRIVER=dummy
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

(cd "$source_dir" && cmake --preset release && cmake --build --preset release &&
  cmake --install build/release --prefix "$prefix" --strip) >"$log" 2>&1 ||
  { echo "FAILED: the README's installation: $(tail -5 "$log")"; exit 1; }
game=$prefix/share/morvik
[[ -x "$game/morvik" ]] || fail "no executable in share/morvik"
for file in gfx/figures.png gfx/font.png gfx/font.dat gfx/bg0.png gfx/bg9.png gfx/bg_menu.png gfx/cup.png \
  gfx/card.png bin/keyboard.dat bin/tournament.dat; do
  [[ -f "$game/$file" ]] || fail "share/morvik/$file is missing"
done
[[ $(ls "$game/sfx"/*.ogg | wc -l) -eq 28 ]] || fail "share/morvik/sfx does not hold the 28 sounds"
[[ -x "$prefix/bin/morvik" ]] || fail "no launcher in bin/"
for size in 16 24 32 48 64 128 256; do
  [[ $(identify -format "%wx%h" "$prefix/share/icons/hicolor/${size}x$size/apps/io.github.morvik.morvik.png") == \
    "${size}x$size" ]] || fail "no $size by $size icon"
done
[[ -f "$prefix/share/man/man6/morvik.6.gz" ]] || fail "no manual page"
desktop=$prefix/share/applications/io.github.morvik.morvik.desktop
grep -q "^Exec=$prefix/bin/morvik$" "$desktop" || fail "the desktop entry does not start the launcher"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
fi
grep -q "<id>io.github.morvik.morvik</id>" "$prefix/share/metainfo/io.github.morvik.morvik.metainfo.xml" ||
  fail "no AppStream metainfo"
if file "$game/morvik" | grep -q "not stripped"; then
  fail "the installed executable is not stripped"
fi

# Started through the launcher from elsewhere; the settings screen left by "Back" saves into the game folder (a
# portable one: the player's data folder is left alone).
cd /
XDG_DATA_HOME=$prefix/xdg "$prefix/bin/morvik" 2>"$prefix/stderr" &
pid=$!
window=$(wait_for_game_window "$pid" 100)
if [[ -z "$window" ]]; then
  fail "the launcher did not open a window titled Morvik 1.1"
  kill "$pid" 2>/dev/null
else
  wait_for_first_frame "$window" "$pid" || fail "the game's window showed no frame"
  xdotool mousemove --window "$window" 20 20
  press_keys "$window" Up Up Return Up Return  # Settings, then its Back row (the last)
  wait_for_file "$game/bin/settings.dat" 100  # leaving the settings screen saves them: up to 10 s for the file
  xdotool key --window "$window" alt+F4
fi
wait_for_end "$pid" 300 || { fail "the installed game did not end on Alt+F4"; kill "$pid"; }
wait "$pid"
status=$?
[[ $status -eq 0 ]] || fail "the installed game ended with status $status"
[[ -f "$game/bin/settings.dat" ]] || fail "the installed game did not save its settings into its folder"
[[ -e "$prefix/xdg" ]] && fail "the game in a folder of its own saved into the player's data folder"
[[ -s "$prefix/stderr" ]] && fail "the installed game wrote to standard error: $(cat "$prefix/stderr")"
[[ $failures -eq 0 ]] && echo "installed: complete, starts from the launcher, saves its settings"
exit $((failures > 0))

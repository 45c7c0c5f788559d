#!/usr/bin/env bash
# Builds the Debian package with the README's command (the deb preset, built in build/deb) and checks it as a
# distribution would: its files and control fields, lintian (no errors), the AppStream metainfo and the desktop
# entry. Then installs it as a player would (apt, as root; otherwise unpacked into a throwaway root), starts the
# game with its menu entry's command (under an X server, e.g. xvfb-run) with a temporary home, changes a setting
# and finds it saved in ~/.local/share/morvik, and removes the package again: nothing may stay behind but the
# player's files. Run twice, it passes twice.
#   deb_test.sh
set -uo pipefail
source "$(dirname "$0")/../support/game_window.sh"
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
installed_here=0
cleanup() {
  if ((installed_here)); then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq morvik >/dev/null 2>&1
  fi
  rm -rf "$work"
}
trap cleanup EXIT
export SDL_AUDIODRIVER=dummy
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

(cd "$source_dir" && rm -f build/deb/morvik_*.deb && cmake --preset deb && cmake --build --preset deb &&
  cpack --preset deb) >"$work/build.log" 2>&1 ||
  { echo "FAILED: the README's package command: $(tail -5 "$work/build.log")"; exit 1; }
package=$(ls "$source_dir"/build/deb/morvik_*.deb 2>/dev/null | head -n 1)
[[ -f "$package" ]] || { echo "FAILED: no morvik_*.deb in build/deb"; exit 1; }

# The files, where Debian puts a game's.
dpkg-deb -c "$package" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
for file in /usr/games/morvik /usr/share/games/morvik/gfx/figures.png /usr/share/games/morvik/gfx/font.png \
  /usr/share/games/morvik/gfx/font.dat /usr/share/games/morvik/gfx/bg9.png /usr/share/games/morvik/bin/keyboard.dat \
  /usr/share/games/morvik/bin/tournament.dat /usr/share/games/morvik/sfx/punchh3.ogg \
  /usr/share/applications/io.github.morvik.morvik.desktop /usr/share/metainfo/io.github.morvik.morvik.metainfo.xml \
  /usr/share/man/man6/morvik.6.gz /usr/share/doc/morvik/copyright /usr/share/doc/morvik/changelog.gz; do
  grep -qx "$file" "$work/files" || fail "the package lacks $file"
done
for size in 16 24 32 48 64 128 256; do
  grep -qx "/usr/share/icons/hicolor/${size}x$size/apps/io.github.morvik.morvik.png" "$work/files" ||
    fail "the package lacks the $size by $size icon"
done
[[ $(grep -c '^/usr/share/games/morvik/sfx/.*\.ogg$' "$work/files") -eq 28 ]] || fail "not the 28 sounds"
grep -E '^/usr/(bin|share/morvik)/|/settings\.dat$|/progress\.dat$' "$work/files" &&
  fail "the package holds files of the portable layout or a player's files"

# The control fields: the dependencies are those of the executable's libraries.
[[ $(dpkg-deb -f "$package" Package) == morvik ]] || fail "the package is not called morvik"
[[ $(dpkg-deb -f "$package" Section) == games ]] || fail "the package is not in the games section"
depends=$(dpkg-deb -f "$package" Depends)
for library in libc6 libstdc++6 libsdl2-2.0-0 libgl1 libpng16-16 libvorbisfile3; do
  [[ ", $depends," == *", $library"[\ ,]* ]] || fail "Depends lacks $library: $depends"
done

# What a distribution's checkers say.
lintian --fail-on error "$package" >"$work/lintian" 2>&1 || fail "lintian found errors"
echo "lintian: $(cat "$work/lintian")"
dpkg-deb -x "$package" "$work/root"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/io.github.morvik.morvik.metainfo.xml" ||
  fail "the AppStream metainfo does not validate"
desktop-file-validate "$work/root/usr/share/applications/io.github.morvik.morvik.desktop" ||
  fail "the desktop entry does not validate"
if file "$work/root/usr/games/morvik" | grep -q "not stripped"; then
  fail "the packaged executable is not stripped"
fi

# Installed with apt as root (CI's machines are thrown away after the run, and the package is removed again
# below); otherwise the unpacked tree stands in for /, which the game finds its way in as well.
root=""
if [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null; then
  if dpkg-query -W -f='${Status}' morvik 2>/dev/null | grep -q "install ok installed"; then
    echo "FAILED: morvik is installed on this machine already; remove it first"
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" >"$work/apt.log" 2>&1 ||
    { echo "FAILED: apt-get install: $(tail -5 "$work/apt.log")"; exit 1; }
  installed_here=1
else
  root=$work/root
  echo "not root: the game runs from the package unpacked into $root"
fi

# The menu entry's command, as a desktop starts it: from the player's home, with no settings of his yet.
command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/io.github.morvik.morvik.desktop")
[[ $command == /usr/games/morvik ]] || fail "the menu entry starts \"$command\", not /usr/games/morvik"
home=$work/home
mkdir -p "$home"
saved=$home/.local/share/morvik/settings.dat
(cd "$home" && exec env -u XDG_DATA_HOME HOME="$home" "$root$command" 2>"$work/stderr") &
pid=$!
window=$(wait_for_game_window "$pid" 100)
if [[ -z "$window" ]]; then
  fail "the menu entry's command did not open a window titled Morvik 1.1: $(cat "$work/stderr")"
  kill "$pid" 2>/dev/null
else
  wait_for_first_frame "$window" "$pid" || fail "the game's window showed no frame"
  xdotool mousemove --window "$window" 20 20
  press_keys "$window" Up Up Return Right Up Return  # Settings, sound off, then its Back row (the last)
  wait_for_file "$saved" 100  # leaving the settings screen saves them: up to 10 s for the file
  xdotool key --window "$window" alt+F4
fi
wait_for_end "$pid" 300 || { fail "the installed game did not end on Alt+F4"; kill "$pid"; }
wait "$pid"
status=$?
[[ $status -eq 0 ]] || fail "the installed game ended with status $status"
[[ $(head -n 1 "$saved" 2>/dev/null) == $'0\r' ]] ||
  fail "the sound switched off was not saved in ~/.local/share/morvik: $(ls -R "$home" 2>&1 | head -20)"
[[ -s "$work/stderr" ]] && fail "the installed game wrote to standard error: $(cat "$work/stderr")"
ls "$root/usr/share/games/morvik/bin" | grep -qv -e '^keyboard.dat$' -e '^tournament.dat$' &&
  fail "the game wrote into its data folder: $(ls "$root/usr/share/games/morvik/bin")"

# Removed, it leaves no file behind, and the player keeps his.
if ((installed_here)); then
  dpkg -L morvik >"$work/installed"
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq morvik >"$work/apt.log" 2>&1 || fail "apt-get remove failed"
  installed_here=0
  while read -r path; do
    [[ -e "$path" && ! -d "$path" ]] && fail "$path is left after removal"
  done <"$work/installed"
  [[ -e /usr/share/games/morvik ]] && fail "/usr/share/games/morvik is left after removal"
  [[ -f "$saved" ]] || fail "removing the game took the player's settings"
fi
[[ $failures -eq 0 ]] && echo "the package: complete, clean, starts from its menu entry, saves in the home folder"
exit $((failures > 0))

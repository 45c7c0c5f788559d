#!/usr/bin/env bash
# Regenerates the game's data files (data/gfx, data/sfx, data/bin, data/icon) and docs/composed-frame.png from the
# generator in tools/assets: installs what the generator needs (apt-get as root, through sudo otherwise), builds it
# into build/assets (the assets preset of tools/assets) and runs it. The output is the same byte for byte on every
# run, so a regeneration shows in git only where the art changed.
#   generate-data.sh           writes data/ and docs/composed-frame.png
#   generate-data.sh --check   writes them into build/data-check instead and fails, naming the files, where they
#                              differ from what is in data/ and docs/ (the test command runs this; nothing in the
#                              work tree is touched)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config libcairo2-dev libfreetype-dev libpng-dev libogg-dev libvorbis-dev
  fonts-dejavu-extra)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  as_root=()
  [[ $(id -u) -ne 0 ]] && as_root=(sudo)
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S tools/assets --preset assets >/dev/null
cmake --build build/assets
font=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf

if [[ "${1:-}" != "--check" ]]; then
  build/assets/generate_assets data "$font"
  build/assets/compose_frame data docs/composed-frame.png 2 9
  echo "Data files written under data/; the composed frame to docs/composed-frame.png"
  exit 0
fi

fresh=build/data-check
rm -rf "$fresh"
mkdir -p "$fresh"
build/assets/generate_assets "$fresh/data" "$font"
build/assets/compose_frame "$fresh/data" "$fresh/composed-frame.png" 2 9
# Every data file must come out of the generator as committed, and every file it writes must be committed: a
# file of data/ the generator no longer makes differs as much as a changed one. data/ also holds its own notes
# and build list, which are written by hand.
differences=$(diff -rq --exclude=CMakeLists.txt --exclude=README.md "$fresh/data" data || true)
cmp -s "$fresh/composed-frame.png" docs/composed-frame.png ||
  differences+=$'\n'"Files $fresh/composed-frame.png and docs/composed-frame.png differ"
if [[ -n "${differences//$'\n'/}" ]]; then
  echo "The data files are not what the generator makes of tools/assets: run scripts/generate-data.sh and commit"
  echo "the result, or undo the change to data/."
  echo "$differences" | sed '/^$/d'
  exit 1
fi
echo "data/ and docs/composed-frame.png are what the generator makes, byte for byte"

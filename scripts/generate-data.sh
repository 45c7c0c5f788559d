#!/usr/bin/env bash
# Regenerates the game's data files (data/gfx, data/sfx, data/bin) from the generator in tools/assets: installs
# what the generator needs (apt-get as root, through sudo otherwise), builds it into build/assets and runs it.
# The output is the same byte for byte on every run, so a regeneration shows in git only where the art changed.
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

# The same compiler every time: the pictures and sounds come from floating-point code.
cmake -S tools/assets -B build/assets -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build/assets
build/assets/generate_assets data /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf
build/assets/compose_frame data docs/composed-frame.png 2 9
echo "Data files written under data/; the composed frame to docs/composed-frame.png"

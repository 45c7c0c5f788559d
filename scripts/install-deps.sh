#!/usr/bin/env bash
# Installs the Debian packages Morvik needs that are missing: those to build and play it, and with --test also
# those to build and run every test and to build the data generator, whose output the test command compares with
# data/. apt-get as root, through sudo otherwise.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libsdl2-dev libgl-dev libpng-dev zlib1g-dev libogg-dev libvorbis-dev
  libenet-dev)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev libsdl2-mixer-dev
    libsdl2-image-dev valgrind xvfb xauth xdotool x11-utils imagemagick sox pkg-config file desktop-file-utils git
    libcairo2-dev libfreetype-dev fonts-dejavu-extra dpkg-dev lintian appstream)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[[ $(id -u) -ne 0 ]] && as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

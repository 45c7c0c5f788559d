#!/usr/bin/env bash
# Installs what is missing, builds the game (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVIK_TESTS=OFF -DMORVIK_TOOLS=OFF >/dev/null
cmake --build build/release --target morvik
exec build/release/game/morvik

#!/usr/bin/env bash
# Installs what is missing, builds the game (the release preset) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target morvik
exec build/release/game/morvik

#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once with g++ under AddressSanitizer and
# UndefinedBehaviorSanitizer, once with clang++ optimised, both with warnings as errors; then the tests where the
# game thread and the audio thread meet once more under ThreadSanitizer; then the installation and the play
# command on a fresh clone.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --test
jobs=$(nproc)

cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVIK_SANITIZE=ON \
  -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build/debug -j "$jobs"
(cd build/debug && ctest --output-on-failure -j "$jobs")

# The real window was tested above; the clang build repeats the headless tests only.
cmake -S . -B build/clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMORVIK_E2E=OFF >/dev/null
cmake --build build/clang -j "$jobs"
(cd build/clang && ctest --output-on-failure -j "$jobs")

# ThreadSanitizer: only the test executable, and only the tests with an audio thread in them.
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVIK_TSAN=ON -DMORVIK_TOOLS=OFF \
  -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build/tsan -j "$jobs" --target morvik_tests
(cd build/tsan && ctest --output-on-failure -j "$jobs" -R 'AudioRing|Mixer|SoftMix|MatchSounds')

# The shipped build as players and packagers get it: installed into a prefix and started from its launcher, and
# the README's play command on a fresh clone (both in a virtual X server).
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVIK_TESTS=OFF -DMORVIK_TOOLS=OFF >/dev/null
cmake --build build/release -j "$jobs"
xvfb-run -a -s "-screen 0 1920x1200x24" tests/packaging/install_test.sh build/release
xvfb-run -a -s "-screen 0 1920x1200x24" tests/packaging/fresh_clone_test.sh "$PWD"

#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once with g++ under AddressSanitizer and
# UndefinedBehaviorSanitizer, once with clang++ optimised, both with warnings as errors; then the tests where the
# game thread meets the audio thread or the timer's once more under ThreadSanitizer; then each reader of the game's
# files briefly under libFuzzer; then the installation and the play command on a fresh clone.
set -euo pipefail
# Xvfb runs with -noreset: otherwise it resets whenever its last client leaves, and a game started in that moment
# cannot reach the display.
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

# ThreadSanitizer: the tests with a second thread in them (the audio thread, the frame timer's threads).
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVIK_TSAN=ON -DMORVIK_TOOLS=OFF \
  -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build/tsan -j "$jobs" --target morvik_tests morvik morvik_data
(cd build/tsan && ctest --output-on-failure -j "$jobs" -R 'AudioRing|Mixer|SoftMix|MatchSounds|AudioDrivers|Timer')
# The game itself, whose start-up loads on a second thread: started whole, and stopped by each missing required
# file, with ThreadSanitizer watching (a report ends the game with a status of its own).
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tests/e2e/start_up.sh build/tsan/game

# Every reader of the game's files under libFuzzer with ASan and UBSan, a few seconds each: all seeds (among them
# every input that ever found a fault) and then new inputs. tools/reliability/report.sh runs them long.
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DMORVIK_FUZZ=ON \
  -DMORVIK_TESTS=OFF -DMORVIK_TOOLS=OFF >/dev/null
cmake --build build/fuzz -j "$jobs"
for target in settings progress roster key_captions font_metrics png ogg; do
  status=0
  tests/fuzz/run_fuzzer.sh build/fuzz "$target" -max_total_time=4 >"build/fuzz/smoke-$target.log" 2>&1 || status=$?
  grep -E '^#[0-9]+.*DONE' "build/fuzz/smoke-$target.log" | sed "s/^/fuzz_$target: /"
  if ((status != 0)); then
    tail -n 60 "build/fuzz/smoke-$target.log"
    echo "fuzz_$target found a fault: the input is kept in build/fuzz/findings/$target/"
    exit 1
  fi
done

# The shipped build as players and packagers get it: installed into a prefix and started from its launcher, and
# the README's play command on a fresh clone (both in a virtual X server).
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVIK_TESTS=OFF -DMORVIK_TOOLS=OFF >/dev/null
cmake --build build/release -j "$jobs"
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tests/packaging/install_test.sh build/release
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tests/packaging/fresh_clone_test.sh "$PWD"

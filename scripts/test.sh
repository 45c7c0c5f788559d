#!/usr/bin/env bash
# Installs what is missing, checks that the data files are what their generator makes, then builds and runs every
# test: once with g++ under AddressSanitizer and UndefinedBehaviorSanitizer, once with clang++ optimised; then the
# tests where the game thread meets the audio thread or the timer's once more under ThreadSanitizer; then each
# reader of the game's files briefly under libFuzzer; then the installation, the Debian package and the play command
# on a fresh clone.
# Each configuration is a preset of CMakePresets.json; all but the shipped game's treat warnings as errors, and
# here the shipped game's does too.
set -euo pipefail
# Xvfb runs with -noreset: otherwise it resets whenever its last client leaves, and a game started in that moment
# cannot reach the display.
cd "$(dirname "$0")/.."

scripts/install-deps.sh --test
jobs=$(nproc)

# data/ is made by tools/assets and committed: regenerated into build/data-check, it must come out the same.
scripts/generate-data.sh --check

cmake --preset debug >/dev/null
cmake --build --preset debug -j "$jobs"
ctest --preset debug -j "$jobs"

# The real window was tested above; the clang build repeats the headless tests only.
cmake --preset clang >/dev/null
cmake --build --preset clang -j "$jobs"
ctest --preset clang -j "$jobs"

# ThreadSanitizer: the tests with a second thread in them (the audio thread, the frame timer's threads).
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs"
# The game itself, whose start-up loads on a second thread: started whole, and stopped by each missing required
# file, with ThreadSanitizer watching (a report ends the game with a status of its own; races inside the software
# OpenGL's own threads are not ours and are suppressed).
TSAN_OPTIONS="suppressions=$PWD/tests/support/tsan.supp" \
  xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tests/e2e/start_up.sh build/tsan/game

# Every reader of the game's files under libFuzzer with ASan and UBSan, a few seconds each: all seeds (among them
# every input that ever found a fault) and then new inputs. tools/reliability/report.sh runs them long.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
for target in settings progress roster key_captions font_metrics png ogg netplay_packet replay; do
  status=0
  tests/fuzz/run_fuzzer.sh build/fuzz "$target" -max_total_time=4 >"build/fuzz/smoke-$target.log" 2>&1 || status=$?
  grep -E '^#[0-9]+.*DONE' "build/fuzz/smoke-$target.log" | sed "s/^/fuzz_$target: /"
  if ((status != 0)); then
    tail -n 60 "build/fuzz/smoke-$target.log"
    echo "fuzz_$target found a fault: the input is kept in build/fuzz/findings/$target/"
    exit 1
  fi
done

# The shipped build as players and packagers get it (here with warnings as errors: g++ at -O2 without sanitizers
# warns of things the other configurations do not see), installed into a prefix and started from its launcher, and
# the README's play command on a fresh clone (both in a virtual X server).
cmake --preset release -DMORVIK_WERROR=ON >/dev/null
cmake --build --preset release -j "$jobs"
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tests/packaging/install_test.sh
# The Debian package: built, checked with lintian and appstreamcli, installed with apt, started from its menu entry
# and removed again.
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tests/packaging/deb_test.sh
xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tests/packaging/fresh_clone_test.sh "$PWD"

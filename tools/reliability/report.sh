#!/usr/bin/env bash
# Measures how the game stands up to damaged files, sanitizers and killed saves, and writes docs/RELIABILITY.md.
# Every figure in that document comes from a run of this script; none is typed by hand.
#   tools/reliability/report.sh [STEP...]     steps: fuzz sanitizers saves baddata soak (default: all, in order)
# Each step writes its section to build/reliability/STEP.md, and the document is put together from the sections
# found there, so one step can be run again alone. Every build and run takes the shared build lock; the long
# fuzzing releases it between chunks. FUZZ_GOAL, FUZZ_CHUNK and FUZZ_LIMIT tune tools/reliability/fuzz_long.sh;
# FUZZ_REUSE=1 writes the fuzzing section from the figures of its last run instead of running it again.
set -euo pipefail
cd "$(dirname "$0")/../.."
lock=/tmp/morvik-build.lock
out=build/reliability
mkdir -p "$out"
steps=("$@")
[[ ${#steps[@]} -eq 0 ]] && steps=(fuzz sanitizers saves baddata soak)
jobs=$(nproc)

# The build configurations of scripts/test.sh, the presets of CMakePresets.json.
build_debug() {
  flock "$lock" cmake --preset debug >/dev/null
  flock "$lock" cmake --build --preset debug -j "$jobs" >/dev/null
}

build_tsan() {
  flock "$lock" cmake --preset tsan >/dev/null
  flock "$lock" cmake --build --preset tsan -j "$jobs" >/dev/null
}

# "N passed, N failed" from a ctest log.
ctest_counts() {
  local total failed
  total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$1" | tail -n 1)
  failed=$(sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$1" | tail -n 1)
  echo "$((${total:-0} - ${failed:-0})) passed, ${failed:-0} failed"
}

step_fuzz() {
  if [[ "${FUZZ_REUSE:-0}" != 1 ]]; then
    tools/reliability/fuzz_long.sh "${FUZZ_GOAL:-1000000}" "${FUZZ_CHUNK:-150}" "${FUZZ_LIMIT:-900}"
  fi
  local clang
  clang=$(clang++ --version | head -n 1)
  {
    echo "## Fuzzing"
    echo
    echo "One libFuzzer program per reader of the game's files (\`tests/fuzz\`), built with $clang,"
    echo "AddressSanitizer and UndefinedBehaviorSanitizer (undefined behaviour stops the run), and"
    echo "\`-malloc_limit_mb=256\` (no picture or sound of the game needs a tenth of that in one allocation). Each writes"
    echo "its input to a file in a private temporary folder and runs the game's own reader on it. Seeds: the game's"
    echo "files of that kind in \`data/\` and the hand-made cases in \`tests/fuzz/seeds/\`. Run in chunks of"
    echo "${FUZZ_CHUNK:-150} s (each chunk starts by running the whole corpus again) until ${FUZZ_GOAL:-1000000} executions or"
    echo "${FUZZ_LIMIT:-900} s of fuzzing per target, on a machine of $(nproc) cores shared with other builds."
    echo
    echo "Command: \`tools/reliability/report.sh fuzz\` (that is, \`tools/reliability/fuzz_long.sh\`); one target by"
    echo "hand: \`tests/fuzz/run_fuzzer.sh build/fuzz TARGET -max_total_time=60\`."
    echo
    echo "| target | reader | executions | fuzzing (s) | exec/s | chunks | corpus at start | coverage (edges) |" \
      "features | corpus at end | findings |"
    echo "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
    local target reader findings
    for target in settings progress roster key_captions font_metrics png ogg netplay_packet replay; do
      case $target in
        settings) reader="Menu::Load, bin/settings.dat" ;;
        progress) reader="Menu::Load, bin/progress.dat" ;;
        roster) reader="TOpponent::Load, bin/tournament.dat" ;;
        key_captions) reader="TControl::Init, bin/keyboard.dat" ;;
        font_metrics) reader="TFont::Load, gfx/font.dat" ;;
        png) reader="LoadImageFile (PNG loader)" ;;
        ogg) reader="LoadAudioSample (Ogg Vorbis loader)" ;;
        netplay_packet) reader="DecodePacket (online match messages)" ;;
        replay) reader="ReadReplay, replays/*.txt" ;;
      esac
      findings=$(find "build/fuzz/findings/$target" -type f ! -name '*.log' 2>/dev/null | wc -l)
      awk -v target="$target" -v reader="$reader" -v findings="$findings" \
        -v start="$(cat "build/fuzz/long/$target.start" 2>/dev/null || echo 0)" '
        { runs += $1; seconds += $7; chunks++; cov = $2; ft = $3; corp = $4 }
        END { printf "| fuzz_%s | %s | %d | %d | %d | %d | %d | %d | %d | %d | %d |\n", target, reader, runs,
                     seconds, (seconds > 0 ? runs / seconds : 0), chunks, start, cov, ft, corp, findings + 0 }' \
        "build/fuzz/long/$target.chunks"
    done
    echo
    echo "Fuzzing time is measured inside the build lock. Coverage, features and corpus at end are libFuzzer's figures"
    echo "at the end of the last chunk; the corpus at start is what earlier runs left in \`build/fuzz/corpus\`. A finding is an input"
    echo "kept in \`build/fuzz/findings/TARGET/\` (a crash, undefined behaviour, a leak, an allocation over the"
    echo "limit or a time-out); every one is fixed in the game's code and its input, or one like it, added to the seeds."
    echo
    echo "Found and fixed while these targets were written (each input is now a seed, so \`.ci/run\` checks it):"
    echo
    echo "- settings: a gamepad button binding of number 2147483647 overflowed when its caption counted it from 1"
    echo "  (\`seeds/settings/extremes\`)."
    echo "- font metrics: numbers near the 32-bit limits overflowed the width of a text; metrics are now kept within"
    echo "  +-4096 and widths summed in 64 bits (\`seeds/font_metrics/extremes\`)."
    echo "- PNG: 72 bytes declaring a 16384 by 16384 picture made the loader allocate 1 GiB before failing; a file"
    echo "  that claims more picture data than deflate can pack into its size is now refused first"
    echo "  (\`seeds/png/huge_declared.png\`)."
    echo "- Ogg Vorbis: a 22 KB sound whose last page announces 2^30 - 1 frames made the loader allocate and zero 2 GiB;"
    echo "  memory now grows with what really decodes (\`seeds/ogg/length_mono_limit.ogg\`, \`length_512m_frames.ogg\`)."
    echo
    echo "Limits: PNG chunks and Ogg pages carry checksums that random mutations almost never keep right, so most"
    echo "mutated pictures and sounds stop at the first damaged chunk or page inside libpng or libogg; the hand-made"
    echo "seeds (with checksums recomputed) reach the loaders' own checks of sizes, layouts, rates and lengths."
  } >"$out/fuzz.md"
}

step_sanitizers() {
  build_debug
  build_tsan
  local tsan_filter
  # The threaded tests are the tsan test preset's filter.
  tsan_filter=$(python3 -c 'import json, sys
print(next(p for p in json.load(sys.stdin)["testPresets"] if p["name"] == "tsan")["filter"]["include"]["name"])' \
    <CMakePresets.json)
  flock "$lock" ctest --preset debug -j "$jobs" >"$out/asan.log" 2>&1 || true
  flock "$lock" ctest --preset tsan -j "$jobs" >"$out/tsan.log" 2>&1 || true
  local game_status=0
  flock "$lock" xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tests/e2e/start_up.sh build/tsan/game \
    >"$out/tsan-game.log" 2>&1 || game_status=$?
  local all
  all=$(ctest --preset debug -N | sed -n 's/^Total Tests: //p')
  {
    echo "## Sanitizers"
    echo
    echo "\`.ci/run\` (\`scripts/test.sh\`) builds and runs the whole CTest suite under AddressSanitizer with"
    echo "UndefinedBehaviorSanitizer (g++, \`build/debug\`, \`-fno-sanitize-recover=all\` and \`_GLIBCXX_ASSERTIONS\`), and"
    echo "the tests with a second thread under ThreadSanitizer (\`build/tsan\`)."
    echo
    echo "| configuration | tests | outcome | command |"
    echo "|---|---:|---|---|"
    echo "| ASan + UBSan, every test | $all | $(ctest_counts "$out/asan.log") | \`ctest --preset debug\` |"
    echo "| TSan, threaded tests | $(grep -c 'Test *#' "$out/tsan.log") | $(ctest_counts "$out/tsan.log") |" \
      "\`ctest --preset tsan\` (\`-R '$tsan_filter'\`) |"
    echo "| TSan, the game started whole and stopped by each missing required file | 1 |" \
      "$( ((game_status == 0)) && echo passed || echo "FAILED: $(tail -n 3 "$out/tsan-game.log" | tr '\n' ' ')") |" \
      "\`xvfb-run -a tests/e2e/start_up.sh build/tsan/game\` |"
    local log
    for log in "$out/asan.log" "$out/tsan.log"; do
      if grep -q 'The following tests FAILED' "$log"; then
        echo
        echo "Failed in \`$log\`:"
        echo
        echo '```'
        sed -n '/The following tests FAILED/,/Errors while running/p' "$log"
        echo '```'
      fi
    done
    echo
    echo "What is left out, and why: ThreadSanitizer runs only the tests matching \`$tsan_filter\` (the mixer"
    echo "and its rings, the SoftMix driver on SDL's audio thread, the sounds of a match, the audio drivers and the"
    echo "frame timer's threads), and the game itself, whose start-up loads the sprite sheet, the ring backgrounds"
    echo "and the sound effects on a second thread; every other test runs on one thread. The runs of the real game window (E2E.*,"
    echo "the packaging tests) set \`ASAN_OPTIONS=detect_leaks=0\`, because LeakSanitizer cannot attribute what"
    echo "Mesa's driver and D-Bus keep at exit; leaks are checked by every headless test. Nothing else is excluded."
  } >"$out/sanitizers.md"
}

step_saves() {
  build_debug
  local log=$out/saves.log
  flock "$lock" build/debug/tests/morvik_tests --gtest_filter='SavedFilesKillTest.*' >"$log" 2>&1 || true
  {
    echo "## Crash-safe saves"
    echo
    echo "A child process saves the settings and the progress over and over, switching between two versions of"
    echo "each, and is killed with SIGKILL at a random moment, a thousand times: once it has finished a random number"
    echo "(0 to 3) of file writes, after a random part of the time one write takes. After every"
    echo "kill both files must equal one version byte for byte, and read back by the game's own reader as that"
    echo "version's settings and progress. A temporary file left beside them shows the kill came while a file was"
    echo "being written."
    echo
    echo "Command: \`build/debug/tests/morvik_tests --gtest_filter='SavedFilesKillTest.*'\` (a CTest test, run by"
    echo "\`.ci/run\` under ASan and UBSan and again in the clang build)."
    echo
    if grep -q '^\[  PASSED  \] 1 test' "$log"; then
      echo "Result: passed. $(grep '^crash-safe saves:' "$log" | sed 's/^crash-safe saves: //')."
    else
      echo "Result: FAILED:"
      echo
      echo '```'
      grep -E 'Failure|kill|FAILED' "$log" | head -n 20
      echo '```'
    fi
    echo "($(sed -n 's/^\[==========\] 1 test from 1 test suite ran. (\([0-9]*\) ms total)/\1/p' "$log") ms under ASan.)"
  } >"$out/saves.md"
}

step_baddata() {
  build_debug
  local status=0
  flock "$lock" xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" tests/e2e/bad_data.sh --table "$out/baddata-table.md" \
    build/debug/game >"$out/baddata.log" 2>&1 || status=$?
  {
    echo "## Damaged and hostile data files, end to end"
    echo
    echo "Every file of the game folder (\`gfx/*\`, \`sfx/*\`, \`bin/keyboard.dat\`, \`bin/tournament.dat\`, and the game's"
    echo "own \`bin/settings.dat\` and \`bin/progress.dat\`) removed, cut to half its length, filled with random bytes of its"
    echo "length (seeded by its name), and put in place of it: a named pipe (fifo), a directory, a symbolic link to"
    echo "\`/dev/zero\` (devzero) and a sparse file of 1000 MB of zeros (sparse); each picture also replaced by a valid PNG"
    echo "of 16384 by 16384 pixels of about 1 MB (huge), each sound by a valid Ogg Vorbis sound of an hour, stereo at"
    echo "44100 Hz (hour). Each case runs in a fresh copy of the folder, as the real game built with ASan and UBSan"
    echo "(sanitizer findings abort, so they show as a signal) under Xvfb with SDL's dummy audio driver."
    echo "Required data (font, sprite sheet, roster) must stop start-up with status 1 and exactly one line on standard"
    echo "error naming the file (started without a display); everything else must show the window and end with"
    echo "status 0 on Alt+F4, saying at most one warning, which names the file (\"warns\": exactly one; \"quiet\": none;"
    echo "\"either\": a sound cut short keeps its first frames when its headers survive). No run may end by a signal, and"
    echo "each must show its first menu frame (the window no longer all black, polled with ImageMagick's \`import\`) or"
    echo "stop within 3 s of its start, at a peak resident memory of at most 512 MB (\`VmHWM\` once the first frame"
    echo "shows; \`/usr/bin/time\` for a run that stops). Times and memory are those of the debug build with its"
    echo "sanitizers, whose own start-up is slower and larger than the shipped game's."
    echo
    local limits=src/media/core/data_limits.h
    limit() { echo $(($(sed -n "s/^inline constexpr int[0-9_t]* $1 = \(.*\);.*/\1/p" "$limits"))); }
    echo "The limits behind these cases, named in \`$limits\`: text files are read up to $(limit kTextFileBytes) bytes;"
    echo "a picture of more than $(limit kPicturePixels) pixels, or more than $(limit kPictureSide) on a side, is refused"
    echo "from its header, and a picture file longer than $(limit kPictureFileBytes) bytes is not read; a sound of more"
    echo "than $(limit kSoundFrames) frames is refused from its announced length, and a sound file longer than"
    echo "$(limit kSoundFileBytes) bytes is not read. Only regular files are opened, without blocking: anything else"
    echo "counts as a file that cannot be read."
    echo
    echo "Command: \`xvfb-run -a tests/e2e/bad_data.sh --table TABLE build/debug/game\` (\`.ci/run\` runs a sample: 13"
    echo "files removed, cut and filled with garbage as \`E2E.DamagedDataFiles\`, and 8 files in every hostile case as"
    echo "\`E2E.HostileDataFiles\`)."
    echo
    echo "Result: $(tail -n 1 "$out/baddata.log") (exit status $status)."
    echo
    cat "$out/baddata-table.md"
  } >"$out/baddata.md"
}

step_soak() {
  build_debug
  flock "$lock" ctest --preset debug -R '^(Soak|Replay)' >"$out/soak.log" 2>&1 || true
  {
    echo "## Soak and replay"
    echo
    echo "Command: \`ctest --preset debug -R '^(Soak|Replay)'\` (ASan and UBSan)."
    echo
    if grep -q 'No tests were found' "$out/soak.log"; then
      echo "Not yet present: the suite has no Soak.* or Replay.* tests on this branch."
    else
      echo "Result: $(ctest_counts "$out/soak.log")."
      echo
      echo '```'
      grep -E 'Test *#' "$out/soak.log"
      echo '```'
    fi
  } >"$out/soak.md"
}

for step in "${steps[@]}"; do
  case $step in
    fuzz | sanitizers | saves | baddata | soak)
      "step_$step"
      # The commit a section was measured at, marked when the work tree had changes.
      echo "$(git rev-parse --short HEAD)$(git diff --quiet HEAD -- src tests tools cmake || echo ' with changes')" \
        >"$out/$step.commit"
      ;;
    *) echo "report.sh: no step \"$step\"" >&2; exit 2 ;;
  esac
done

{
  echo "# Reliability"
  echo
  echo "Written by \`tools/reliability/report.sh\` on $(date -u +%Y-%m-%d) on a machine of $(nproc) cores; each section"
  echo "says the commit it was measured at. Do not edit by hand: run the script again."
  for step in fuzz sanitizers saves baddata soak; do
    echo
    if [[ -f "$out/$step.md" ]]; then
      cat "$out/$step.md"
      echo
      echo "_Measured at commit $(cat "$out/$step.commit" 2>/dev/null || echo unknown)._"
    else
      echo "## $step"
      echo
      echo "Not measured yet: run \`tools/reliability/report.sh $step\`."
    fi
  done
} >docs/RELIABILITY.md
echo "wrote docs/RELIABILITY.md"

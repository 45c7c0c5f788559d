#!/usr/bin/env bash
# Runs one fuzz target over its seeds: the game's own data files of its kind and the hand-made cases in
# tests/fuzz/seeds/TARGET. New inputs that reach new code are kept in BUILD/corpus/TARGET, so a later run goes on
# from there; an input that crashes is kept in BUILD/findings/TARGET/ and the run fails.
#   run_fuzzer.sh BUILD_DIR TARGET [libFuzzer options, e.g. -max_total_time=5]
# TARGET is one of: settings progress roster key_captions font_metrics png ogg netplay_packet replay.
set -euo pipefail
build=$(realpath "$1")
target=$2
shift 2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
data=$source_dir/data

case $target in
  settings | progress | netplay_packet | replay) data_seeds=() ;;
  roster) data_seeds=("$data/bin/tournament.dat") ;;
  key_captions) data_seeds=("$data/bin/keyboard.dat") ;;
  font_metrics) data_seeds=("$data/gfx/font.dat") ;;
  png) data_seeds=("$data"/gfx/*.png "$data"/icon/*.png) ;;
  ogg) data_seeds=("$data"/sfx/*.ogg) ;;
  *) echo "run_fuzzer.sh: no target \"$target\"" >&2; exit 2 ;;
esac

seeds=$build/seeds/$target
corpus=$build/corpus/$target
findings=$build/findings/$target
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus" "$findings"
[[ ${#data_seeds[@]} -gt 0 ]] && cp "${data_seeds[@]}" "$seeds/"
if [[ -d "$source_dir/tests/fuzz/seeds/$target" ]]; then
  cp "$source_dir/tests/fuzz/seeds/$target"/* "$seeds/"
fi

# The game reports missing pictures and the like on standard error; -close_fd_mask=2 discards that chatter while
# libFuzzer and the sanitizers keep reporting on the original standard error. No picture or sound of the game
# needs a tenth of -malloc_limit_mb: a larger single allocation is a finding.
exec "$build/tests/fuzz/fuzz_$target" -close_fd_mask=2 -malloc_limit_mb=256 -print_final_stats=1 -artifact_prefix="$findings/" \
  "$@" "$corpus" "$seeds"

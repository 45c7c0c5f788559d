#!/usr/bin/env bash
# Runs a command (ctest, a test program, a real-window script) as on a machine with a pad plugged in: every
# program it starts that starts SDL's joystick subsystem finds a standard controller there from that moment, the
# test programs and the game alike. BUILD_DIR is the build whose preloaded pad is used (its test kit built).
#   with_a_pad_plugged_in.sh BUILD_DIR COMMAND [ARG...]
set -euo pipefail
shim=$(realpath "$1")/tests/morvik_plugged_pad.so
[[ -f "$shim" ]] || { echo "no $shim: build the target morvik_plugged_pad of $1 first" >&2; exit 2; }
shift
export LD_PRELOAD="$shim${LD_PRELOAD:+ $LD_PRELOAD}"
# The pad comes before AddressSanitizer's runtime in every program, which the runtime refuses unless told.
export ASAN_OPTIONS="verify_asan_link_order=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
exec "$@"

#!/usr/bin/env bash
# soak.sh - plays the whole game for a long time under AddressSanitizer and
# UndefinedBehaviorSanitizer with random but seeded keys through every mode, and prints the
# figures: frames, virtual time, visits and frames per mode, games, sectors cleaned, trips to
# the shop and the base, peak list sizes, the heap at each new game, peak resident size.
#
#   scripts/soak.sh [FRAMES] [SEED]     (default 288000 frames: one hour at 80 frames a second)
#
# MORVEXA_SOAK_DRAW=1 draws every frame too (much slower; the default runs the game's logic
# with drawing switched off). Fails on any fault, broken list bound, creeping heap or
# sanitizer report. The test suites play the same hour (logic alone takes seconds); this
# script is for other lengths and seeds, and for drawn runs.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
frames="${1:-288000}"
seed="${2:-1}"
build="$top/build/rel-asan"

cmake -S "$top" --preset asan >/dev/null
cmake --build "$build" -j2 --target reliability_soak_test mvx_keep_gl_loaded

reports="$build/soak-reports"
rm -rf "$reports"
mkdir -p "$reports" "$build/tests/home"
status=0
(
    cd "$build/tests"
    export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
    export HOME="$build/tests/home" XDG_DATA_HOME="$build/tests/home/.local/share"
    export MORVEXA_SOAK_FRAMES="$frames" MORVEXA_SOAK_SEED="$seed"
    export LD_PRELOAD="$build/tests/libmvx_keep_gl_loaded.so"
    export ASAN_OPTIONS="detect_leaks=1:log_path=$reports/asan"
    export LSAN_OPTIONS="suppressions=$top/tests/reliability/lsan_third_party.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"
    ./reliability_soak_test --gtest_filter='Soak.*'
) || status=$?
if [ -n "$(ls -A "$reports")" ]; then
    echo "soak.sh: sanitizer reports:" >&2
    head -40 "$reports"/* >&2
    status=1
fi
exit "$status"

#!/usr/bin/env bash
# sanitize.sh - builds with the sanitizers (clang) and runs the tests under them.
#
#   scripts/sanitize.sh [address|thread|all]      (default all)
#
#   address  AddressSanitizer + UndefinedBehaviorSanitizer + LeakSanitizer: the whole test
#            suite (build/rel-asan, CMake preset "asan"), the short soak included.
#   thread   ThreadSanitizer: the music player's start, stop, pause and switch tests, the
#            thousand start/stop cycles across the mixing thread among them, and the three
#            threads under load (build/rel-tsan, preset "tsan").
#
# Both builds are clang builds with warnings as errors (MORVEXA_WERROR in the presets), so a
# warning that only clang or a sanitizer's instrumentation brings out stops the run as in CI.
#
# Every report of every process (test programs and the programs they start) is written to
# build/rel-*/sanitizer-reports/; the run fails when a test fails or any report was written.
# Leaks inside third-party libraries only are suppressed (tests/reliability/
# lsan_third_party.supp), and the GL driver's modules are kept loaded to the end
# (tests/reliability/keep_gl_loaded.c) so that their own blocks are not taken for leaks.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
what="${1:-all}"
jobs=2

# Fails when any report file was written; prints the first lines of each.
check_reports() {
    local dir="$1" name="$2"
    local files
    files="$(find "$dir" -type f 2>/dev/null | sort)"
    if [ -n "$files" ]; then
        echo "sanitize.sh: $name wrote $(echo "$files" | wc -l) report(s):" >&2
        for f in $files; do
            echo "---- $f" >&2
            head -40 "$f" >&2
        done
        return 1
    fi
    echo "sanitize.sh: $name: zero reports"
}

run_address() {
    local build="$top/build/rel-asan"
    cmake -S "$top" --preset asan >/dev/null
    cmake --build "$build" -j"$jobs"
    local reports="$build/sanitizer-reports"
    rm -rf "$reports"
    mkdir -p "$reports"
    local status=0
    (
        export LD_PRELOAD="$build/tests/libmvx_keep_gl_loaded.so${LD_PRELOAD:+:$LD_PRELOAD}"
        export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:log_path=$reports/asan"
        export LSAN_OPTIONS="suppressions=$top/tests/reliability/lsan_third_party.supp:print_suppressions=0"
        export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"
        ctest --test-dir "$build" -j"$jobs" --output-on-failure --timeout 1800
    ) || status=$?
    check_reports "$reports" "AddressSanitizer + UndefinedBehaviorSanitizer" || status=1
    return "$status"
}

run_thread() {
    local build="$top/build/rel-tsan"
    cmake -S "$top" --preset tsan >/dev/null
    cmake --build "$build" -j"$jobs" --target xm_player_tests reliability_music_threads_test
    local reports="$build/sanitizer-reports"
    rm -rf "$reports"
    mkdir -p "$reports"
    local status=0
    (
        export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:log_path=$reports/tsan"
        ctest --test-dir "$build" -j"$jobs" --output-on-failure --timeout 900 -R "^(XmPlayer|MusicThreads)\."
    ) || status=$?
    check_reports "$reports" "ThreadSanitizer" || status=1
    return "$status"
}

status=0
case "$what" in
address) run_address || status=$? ;;
thread) run_thread || status=$? ;;
all)
    run_address || status=$?
    run_thread || status=$?
    ;;
*)
    echo "usage: scripts/sanitize.sh [address|thread|all]" >&2
    exit 2
    ;;
esac
exit "$status"

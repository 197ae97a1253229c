#!/usr/bin/env bash
# fuzz.sh - builds the libFuzzer targets with clang and runs each for a while.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]  (default 30 s each; targets: map mapplay score bmp xm wav replay)
#
# Every parser of outside or embedded data has a target: the map file (map: loaded;
# mapplay: loaded and played on), the score file (loaded and saved through a file), BMP
# pictures, XM modules and WAV effects. Each runs from a working corpus in
# build/rel-fuzz/corpus/<target>, seeded from the committed fuzz/corpus/<target>/ and the
# shipped assets of its kind; two run at a time (the machine has two cores). At the end a
# table gives each target's executions, speed (per second of wall-clock and of processor
# time), coverage (edges and features) and corpus.
# An input that takes longer than 5 s fails the run like a crash: no file may cost that.
#
# A crash stops nothing else: its input is copied to fuzz/regressions/<target>/, where the
# reliability tests replay it for ever (commit it with the fix), and the script fails.
# MORVEXA_FUZZ_KEEP=1 merges what the run found into fuzz/corpus/<target>/, keeping only
# inputs that add coverage (commit those that stay small).
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-30}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(map mapplay score bmp xm wav replay)
build="$top/build/rel-fuzz"

cmake -S "$top" --preset fuzz >/dev/null
cmake --build "$build" -j2 --target $(printf '%s_fuzzer ' "${targets[@]}")

# Seeds from the shipped assets: the real inputs each parser sees.
asset_seeds() {
    case "$1" in
    map | mapplay) echo "$top/assets/startmap.map" ;;
    bmp) ls "$top"/assets/*.bmp ;;
    xm) ls "$top"/assets/*.xm ;;
    wav) ls "$top"/assets/*.wav ;;
    esac
}

# Per target: the longest input worth trying (a map plus key bytes; the largest picture).
max_len() {
    case "$1" in
    map) echo 40808 ;;
    mapplay) echo 41100 ;;
    score) echo 4096 ;;
    bmp) echo 600000 ;;
    *) echo 262144 ;;
    esac
}

# Third-party leaks only (Mesa's driver modules, SDL's video start-up).
export LSAN_OPTIONS="suppressions=$top/tests/reliability/lsan_third_party.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy

logs="$build/fuzz-logs"
mkdir -p "$logs"

run_target() {
    local t="$1"
    local bin="$build/fuzz/${t}_fuzzer"
    local work="$build/corpus/$t" seeds="$build/seeds/$t" crashes="$build/crashes/$t"
    mkdir -p "$work" "$seeds" "$crashes"
    rm -f "$seeds"/* "$crashes"/*
    cp "$top/fuzz/corpus/$t"/* "$seeds"/ 2>/dev/null || true
    for f in $(asset_seeds "$t"); do cp "$f" "$seeds/asset_$(basename "$f")"; done
    local status=0 TIMEFORMAT='%U %S'
    # The processor time it took as well: on a shared machine executions per second of
    # processor time tell a target's own speed, whatever else runs.
    { time "$bin" -max_total_time="$seconds" -max_len="$(max_len "$t")" -timeout=5 \
        -rss_limit_mb=2560 -print_final_stats=1 -artifact_prefix="$crashes/" "$work" "$seeds" \
        >"$logs/$t.log" 2>&1 || status=$?; } 2>"$logs/$t.time"
    echo "$status" >"$logs/$t.status"
}

# Two at a time.
running=0
for t in "${targets[@]}"; do
    if [ ! -x "$build/fuzz/${t}_fuzzer" ]; then
        echo "fuzz.sh: no target ${t}_fuzzer" >&2
        exit 2
    fi
    run_target "$t" &
    running=$((running + 1))
    if [ "$running" -ge 2 ]; then
        wait -n || true
        running=$((running - 1))
    fi
done
wait

failed=0
printf '%-7s %8s %12s %9s %11s %8s %9s %8s  %s\n' target seconds executions exec/s exec/cpu-s \
    edges features corpus result
for t in "${targets[@]}"; do
    log="$logs/$t.log"
    status="$(cat "$logs/$t.status")"
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
    cpu="$(awk -v n="${runs:-0}" '{ t = $1 + $2; if (t > 0) printf "%d", n / t }' "$logs/$t.time")"
    last="$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1 || true)"
    cov="$(echo "$last" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')"
    ft="$(echo "$last" | sed -n 's/.*ft: \([0-9]*\).*/\1/p')"
    corp="$(echo "$last" | sed -n 's/.*corp: \([0-9]*\/[0-9]*[a-zA-Z]*\).*/\1/p')"
    result=ok
    if [ "$status" != 0 ]; then
        result="FAILED (exit $status, log $log)"
        failed=1
        mkdir -p "$top/fuzz/regressions/$t"
        for c in "$build/crashes/$t"/*; do
            [ -e "$c" ] || continue
            cp "$c" "$top/fuzz/regressions/$t/"
            result="$result; input kept as fuzz/regressions/$t/$(basename "$c")"
        done
    fi
    printf '%-7s %8s %12s %9s %11s %8s %9s %8s  %s\n' "$t" "$seconds" "${runs:-?}" "${speed:-?}" \
        "${cpu:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$result"
    if [ "${MORVEXA_FUZZ_KEEP:-0}" = 1 ] && [ "$status" = 0 ]; then
        "$build/fuzz/${t}_fuzzer" -merge=1 -max_len="$(max_len "$t")" "$top/fuzz/corpus/$t" \
            "$build/corpus/$t" >"$logs/$t.merge.log" 2>&1
    fi
done
if [ "$failed" != 0 ]; then
    echo "fuzz.sh: a target failed; see the log named above" >&2
    for t in "${targets[@]}"; do
        [ "$(cat "$logs/$t.status")" = 0 ] || grep -E -m 5 'ERROR|SUMMARY|==[0-9]+==' "$logs/$t.log" >&2 || true
    done
    exit 1
fi

#!/bin/sh
# side_by_side.sh - the speed figures of two or more builds measured in turns, so that what
# the shared machine does to one run it does to the others:
#
#     bench/side_by_side.sh RUNS BUILD_A BUILD_B [BUILD_C ...]
#
# Each round runs every build's play_bench once (the same benchmarks as run_all.sh) and its
# menu under Xvfb (menu_cpu.sh, 10 s), build after build. At the end it prints, per build
# and figure (wall time, CPU of the whole process, GL calls, the menu's share of a core),
# the median of the rounds and the lowest and highest value. Prints figures only.
set -eu
runs=${1:?usage: side_by_side.sh RUNS BUILD_A BUILD_B [BUILD_C ...]}
shift
[ $# -ge 2 ] || { echo "side_by_side.sh: give at least two builds" >&2; exit 2; }
here=$(dirname "$0")
log=$(mktemp)
trap 'rm -f "$log"' EXIT
filter='HeavyFrameLogic|HeavyFrameDrawn|QuietFrameDrawn|LongGameDrawn|MenuFrame|StartUpToMenu'
counters='^(all_threads_cpu_ms|gl_calls_per_frame|cpu_share_at_80fps)$'
round=1
while [ "$round" -le "$runs" ]; do
    for build in "$@"; do
        "$build/bench/play_bench" --benchmark_filter="$filter" 2>/dev/null |
            awk -v b="$build" -v counters="$counters" '
                /^(Heavy|Quiet|Long|Menu|StartUp)/ {
                    name = $1; sub(/\/.*/, "", name)
                    time = $2; if ($3 == "us") time /= 1000
                    print b, name, "wall_ms", time
                    for (i = 4; i <= NF; i++)
                        if (split($i, kv, "=") == 2 && kv[1] ~ counters) {
                            v = kv[2]; if (v ~ /k$/) { sub(/k$/, "", v); v *= 1000 }
                            print b, name, kv[1], v
                        }
                }' >>"$log"
        sh "$here/menu_cpu.sh" "$build" 10 |
            awk -v b="$build" '{ print b, "MenuUnderXvfb", "core_percent", $4 }' >>"$log"
    done
    round=$((round + 1))
done
sort -k1,1 -k2,2 -k3,3 -k4,4g "$log" | awk '
    function flush() {
        if (n == 0) return
        med = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        printf "%-28s %-16s %-22s median %10.3f  (%g to %g, %d runs)\n", key1, key2, key3, med, v[1], v[n], n
    }
    { k = $1 " " $2 " " $3
      if (k != last) { flush(); n = 0; last = k; key1 = $1; key2 = $2; key3 = $3 }
      v[++n] = $4 }
    END { flush() }'

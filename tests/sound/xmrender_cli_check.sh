#!/usr/bin/env bash
# xmrender_cli_check.sh - the renderer tool's command line: exit codes, refusal messages, and
# a WAV whose header matches the frames written. Usage: xmrender_cli_check.sh XMRENDER MODULE
set -uo pipefail
render="$1"
module="$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
status=0
expect() { # expect CODE STDERR-PATTERN ARGS...
    local code="$1" pattern="$2"
    shift 2
    "$render" "$@" >"$dir/out" 2>"$dir/err"
    local got=$?
    if [ "$got" != "$code" ] || { [ -n "$pattern" ] && ! grep -q -- "$pattern" "$dir/err" "$dir/out"; }; then
        echo "FAIL: xmrender $* gave $got (want $code, \"$pattern\"):"
        cat "$dir/err"
        status=1
    fi
}
printf 'Extended Module: x' >"$dir/bad.xm"
head -c 80 "$module" >"$dir/short.xm"
expect 0 "Exit status" --help
expect 2 "usage" "$module"
expect 2 "whole number" --bench x "$module"
expect 2 "unknown option" --loud "$module" "$dir/a.wav"
expect 3 "cannot open" "$dir/none.xm" "$dir/a.wav"
expect 4 "not an XM module" "$dir/bad.xm" "$dir/a.wav"
expect 4 "header size 276 runs past" "$dir/short.xm" "$dir/a.wav"
expect 1 "cannot write" --seconds 1 "$module" "$dir/no/such/dir/a.wav"
expect 0 "x realtime" --bench 2 --seconds 2 "$module"
expect 0 "" --seconds 1.5 "$module" "$dir/a.wav"
size=$(stat -c %s "$dir/a.wav")
data=$(od -An -tu4 -j40 -N4 "$dir/a.wav" | tr -d ' ')
if [ "$size" != $((44 + 72000 * 4)) ] || [ "$data" != $((72000 * 4)) ]; then
    echo "FAIL: 1.5 s gave a WAV of $size bytes with $data data bytes"
    status=1
fi
exit $status

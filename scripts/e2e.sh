#!/usr/bin/env bash
# e2e.sh - the real game, end to end: the `morvexa` executable on a virtual X server (Xvfb)
# with SDL's dummy audio driver, played from outside with xdotool.
#
#   scripts/e2e.sh BUILD_DIR [OUT_DIR]        (OUT_DIR default BUILD_DIR/e2e)
#
# "Fullscreen?" is answered by --windowed. From the menu (it opens on "HIGHSCORES") up and
# space start a game; the robot walks right, flies and fires; Escape ends the game and the
# high scores follow; down and space go back to the menu; down and space choose "EXIT GAME".
# Each screen is dumped with xwd and turned into OUT_DIR/<n>-<screen>.png by ImageMagick; a
# blank picture (fewer than 16 colours, or one colour on more than 97 % of it) fails. Passes
# when the game exits by itself with code 0, every screenshot shows something and the menu,
# the game and the high scores look different.
# Then the replay the game kept (last.replay) is played by morvexa-script to the same one
# game, and by the game itself, which must end by itself with code 0.
# Exits 77 (skipped) when Xvfb, xdotool, xwd or ImageMagick is missing.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:?usage: scripts/e2e.sh BUILD_DIR [OUT_DIR]}" && pwd)"
out="${2:-$build/e2e}"
game="$build/app/morvexa"

for tool in Xvfb xdotool xwd convert identify; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e.sh: $tool is missing (scripts/deps.sh test installs it): skipped"
        exit 77
    fi
done
[ -x "$game" ] || { echo "e2e.sh: build $game first" >&2; exit 2; }

rm -rf "$out"
mkdir -p "$out"
work="$(mktemp -d)"
xvfb_pid="" game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A portable copy of the game: the folder holds startmap.map, so it works (and saves) there.
cp "$top/assets/startmap.map" "$work/"
mkdir -p "$work/home"

# Xvfb picks a free display number and writes it to us.
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "e2e.sh: Xvfb did not start" >&2; cat "$out/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
echo "e2e.sh: Xvfb on $DISPLAY"

(
    cd "$work"
    export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" SDL_AUDIODRIVER=dummy
    unset SDL_VIDEODRIVER WAYLAND_DISPLAY
    exec "$game" --windowed
) >"$out/game.out" 2>"$out/game.err" &
game_pid=$!

window="$(timeout 30 xdotool search --sync --onlyvisible --name MORVEXA | head -1 || true)"
if [ -z "$window" ]; then
    echo "e2e.sh: no game window appeared" >&2
    cat "$out/game.err" >&2
    exit 1
fi
xdotool windowfocus --sync "$window"
echo "e2e.sh: game window $window"

shots=0
declare -A hashes
# shot NAME: dumps the game's window and checks the picture.
shot() {
    shots=$((shots + 1))
    local name
    name="$(printf '%d-%s' "$shots" "$1")"
    xwd -silent -id "$window" >"$out/$name.xwd"
    convert "$out/$name.xwd" "$out/$name.png"
    rm -f "$out/$name.xwd"
    local width height colours hash top share
    read -r width height colours hash < <(identify -format '%w %h %k %#\n' "$out/$name.png")
    top="$(convert "$out/$name.png" -format %c histogram:info:- | sort -rn | awk 'NR == 1 { print $1 + 0 }')"
    share=$((100 * top / (width * height)))
    echo "e2e.sh: $name: ${width}x$height colours $colours top $share% hash $hash"
    if [ "$colours" -lt 16 ] || [ "$share" -gt 97 ]; then
        echo "e2e.sh: screenshot $name is blank" >&2
        exit 1
    fi
    hashes[$1]="$hash"
}
# key NAME...: one press of each key, then time for the menus' poll (every 16th frame).
key() {
    for k in "$@"; do
        xdotool key --clearmodifiers "$k"
        sleep 0.5
    done
}
hold() { # hold KEY SECONDS
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}
# Waits up to N tenths of a second for the game to end; status is its exit code, or empty
# while it still runs.
wait_for_game() {
    status=""
    for _ in $(seq "$1"); do
        if ! kill -0 "$game_pid" 2>/dev/null; then
            wait "$game_pid" && status=0 || status=$?
            break
        fi
        sleep 0.1
    done
}

sleep 2
shot menu
key Up space # "START GAME"
sleep 1.5
hold Right 1.2
xdotool keydown Up keydown space
sleep 0.6
shot game
xdotool keyup Up keyup space
key Escape # the game ends: the high scores
sleep 1.5
shot highscores
key Down space # "BACK TO MENU"
sleep 1.5
shot menu-again
key Down space # "EXIT GAME"

wait_for_game 300
game_pid_was="$game_pid"
game_pid=""
if [ -z "$status" ]; then
    kill "$game_pid_was" 2>/dev/null || true
    echo "e2e.sh: the game did not end after EXIT GAME" >&2
    exit 1
fi
if [ "$status" != 0 ]; then
    echo "e2e.sh: the game ended with code $status" >&2
    cat "$out/game.err" >&2
    exit 1
fi
if [ "${hashes[menu]}" = "${hashes[game]}" ] || [ "${hashes[game]}" = "${hashes[highscores]}" ] ||
    [ "${hashes[menu]}" = "${hashes[highscores]}" ]; then
    echo "e2e.sh: two different screens gave the same picture" >&2
    exit 1
fi

# The game kept the replay of its run in its (portable) data folder. The driver plays it at
# full speed to the same single game; the real game shows it in real time and ends by itself
# where it ends, Escape pressed in between changing nothing.
if [ ! -s "$work/last.replay" ]; then
    echo "e2e.sh: the game kept no last.replay" >&2
    exit 1
fi
mv "$work/last.replay" "$work/run.replay"
if ! (cd "$work" && SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
    "$build/app/morvexa-script" --replay run.replay >"$out/replay.out" 2>"$out/replay.err") ||
    ! grep -qx 'game 1: score [0-9]*' "$out/replay.out"; then
    echo "e2e.sh: the driver did not play last.replay to one game's score" >&2
    cat "$out/replay.out" "$out/replay.err" >&2
    exit 1
fi
(
    cd "$work"
    export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" SDL_AUDIODRIVER=dummy
    unset SDL_VIDEODRIVER WAYLAND_DISPLAY
    exec "$game" --windowed --replay run.replay
) >"$out/replay-game.out" 2>"$out/replay-game.err" &
game_pid=$!
window="$(timeout 30 xdotool search --sync --onlyvisible --name MORVEXA | head -1 || true)"
[ -n "$window" ] && xdotool windowfocus --sync "$window" && sleep 2 && key Escape
wait_for_game 900
[ -n "$status" ] && game_pid="" # else the clean-up ends it
if [ "$status" != 0 ] || [ -e "$work/last.replay" ]; then
    echo "e2e.sh: the replay in the real game did not end by itself with code 0 (${status:-running})" >&2
    cat "$out/replay-game.err" >&2
    exit 1
fi
echo "e2e.sh: passed: exit code 0, $shots screenshots in $out; last.replay played back"

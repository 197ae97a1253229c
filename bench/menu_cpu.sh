#!/bin/sh
# menu_cpu.sh - CPU of the game process while it sits in the main menu in a real window under
# Xvfb (software GL), in per cent of one core.
#
#     bench/menu_cpu.sh BUILD [SECONDS]
#
# Starts its own Xvfb on a free display, runs BUILD/app/morvexa --windowed with a fresh HOME
# (so the player's files are not touched), lets start-up settle for two seconds, then reads
# the process's user and system time from /proc over SECONDS (10) and stops both programs.
set -eu
build=${1:?usage: menu_cpu.sh BUILD [SECONDS]}
seconds=${2:-10}
game="$build/app/morvexa"
[ -x "$game" ] || { echo "menu_cpu.sh: no $game" >&2; exit 2; }
command -v Xvfb >/dev/null || { echo "menu_cpu.sh: Xvfb is not installed" >&2; exit 2; }

home=$(mktemp -d)
display=$((100 + $$ % 400))
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
sleep 1
HOME="$home" XDG_DATA_HOME="$home/data" DISPLAY=":$display" SDL_AUDIODRIVER=dummy "$game" --windowed >/dev/null 2>&1 &
game_pid=$!
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
echo "menu under Xvfb: $(awk -v a="$after" -v b="$before" -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "%.1f", 100 * (a - b) / hz / s }') % of one core over $seconds s"

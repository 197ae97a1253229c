#!/bin/sh
# run_all.sh - every speed figure of the game on this machine, in one go:
#
#     bench/run_all.sh BUILD
#
# BUILD/bench/play_bench (drawn heavy play frame, a quiet play frame, long game's scene, menu
# frame, start-up, game logic) and bench/menu_cpu.sh (the menu's CPU in a real window under
# Xvfb). Prints figures only. Run it on a quiet machine: other work on the cores moves the wall times.
set -eu
build=${1:?usage: run_all.sh BUILD}
here=$(dirname "$0")
"$build/bench/play_bench" --benchmark_filter='HeavyFrameLogic|HeavyFrameDrawn|QuietFrameDrawn|LongGameDrawn|MenuFrame|StartUpToMenu'
sh "$here/menu_cpu.sh" "$build" 10

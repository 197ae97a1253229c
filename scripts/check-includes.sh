#!/usr/bin/env bash
# check-includes.sh [ROOT] - keeps the layers apart. The game's folders form layers, and an
# include may only point to the folder's own layer folder or further down:
#
#   7  app/                          main, start-up, the mode loop, the drivers
#   6  play/  between/  frontend/    the modes (they never include one another)
#   5  screen/                       screen pieces shared by the modes
#   4  objects/                      the object lists of play and the level end
#   3  core/                         catalogue, globals, frame pacing, player, level map, dumps
#   2  render/  sound/               drawing and audio over the platform
#   1  platform/                     the only layer that talks to SDL
#   0  support/  assets/             containers, maths, random numbers, embedded files
#
# tools/, tests/, bench/ and fuzz/ stand above the game and may include any layer. Besides,
# only platform/ includes SDL, and only render/ and platform/ include GL/gl.h or GL/glu.h.
# Prints every offending line and exits 1 when there is one. Run by CTest; ROOT defaults to
# the repository.
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

ranks='support=0 assets=0 platform=1 render=2 sound=2 core=3 objects=4 screen=5 play=6 between=6 frontend=6 app=7'
files=()
while IFS= read -r -d '' file; do files+=("${file#./}"); done < <(find . \( -path './build*' -o -path ./.git \) -prune -o -type f \
    \( -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.inl' \) -print0)

bad=0
# Every quoted include of a layer folder, checked against the including file's layer.
if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+/' "${files[@]}" /dev/null |
    awk -v ranks="$ranks" '
        BEGIN { n = split(ranks, pairs, " "); for (i = 1; i <= n; i++) { split(pairs[i], kv, "="); rank[kv[1]] = kv[2] } }
        {
            split($0, parts, ":"); path = parts[1]; split(path, dirs, "/"); from = dirs[1]
            if (!(from in rank)) next
            match($0, /"[a-z_]+\//); to = substr($0, RSTART + 1, RLENGTH - 2)
            if (!(to in rank) || to == from || rank[to] < rank[from]) next
            print $0 "   <- " from "/ (layer " rank[from] ") may not include " to "/ (layer " rank[to] ")"
            found = 1
        }
        END { exit found ? 0 : 1 }'; then bad=1; fi

sdl='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL2/)?SDL[^>"]*[>"]'
gl='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]GL/glu?\.h[>"]'
not_platform=() not_render=()
for path in "${files[@]}"; do
    case "$path" in platform/*) continue ;; esac
    not_platform+=("$path")
    case "$path" in render/*) continue ;; esac
    not_render+=("$path")
done
if grep -nE "$sdl" "${not_platform[@]}" /dev/null | sed 's|$|   <- SDL outside platform/|' | grep .; then bad=1; fi
if grep -nE "$gl" "${not_render[@]}" /dev/null | sed 's|$|   <- GL outside render/ and platform/|' | grep .; then bad=1; fi

if [ "$bad" -ne 0 ]; then
    echo "check-includes: every include points down a layer (see the table at the top of this script);" \
        "SDL belongs in platform/ only, GL in render/ and platform/ only" >&2
    exit 1
fi
echo "check-includes: layers are clean"

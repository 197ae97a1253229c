#!/usr/bin/env bash
# check-includes.sh [ROOT] - keeps the layers apart: only platform/ includes SDL, and only
# render/ and platform/ include GL/gl.h or GL/glu.h. Prints every offending line and exits
# 1 when there is one. Run by CTest; ROOT defaults to the repository.
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

sdl='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL2/)?SDL[^>"]*[>"]'
gl='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]GL/glu?\.h[>"]'
bad=0
while IFS= read -r -d '' file; do
    path="${file#./}"
    case "$path" in
    platform/*) continue ;;
    esac
    if grep -nE "$sdl" "$path" | sed "s|^|$path:|; s|\$|   <- SDL outside platform/|"; then bad=1; fi
    case "$path" in
    render/*) continue ;;
    esac
    if grep -nE "$gl" "$path" | sed "s|^|$path:|; s|\$|   <- GL outside render/ and platform/|"; then bad=1; fi
done < <(find . \( -path './build*' -o -path ./.git \) -prune -o -type f \
    \( -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.inl' \) -print0)

if [ "$bad" -ne 0 ]; then
    echo "check-includes: SDL belongs in platform/ only, GL in render/ and platform/ only" >&2
    exit 1
fi
echo "check-includes: layers are clean"

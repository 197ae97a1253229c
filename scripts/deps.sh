#!/usr/bin/env bash
# deps.sh - installs the Debian 12 packages MORVEXA needs, only those that are missing.
#   scripts/deps.sh build     what building and playing needs
#   scripts/deps.sh test      that, plus what the tests, fuzzers and end-to-end test need
set -euo pipefail
what="${1:-build}"
build_pkgs=(build-essential cmake ninja-build pkg-config libsdl2-dev libgl-dev libglu1-mesa-dev
            libgl1-mesa-dri libegl1 libegl-mesa0)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libpng-dev zlib1g-dev clang
           clang-format libclang-rt-14-dev xvfb xauth xfonts-base xdotool x11-apps imagemagick
           desktop-file-utils appstream dpkg-dev file)
pkgs=("${build_pkgs[@]}")
[ "$what" = test ] && pkgs+=("${test_pkgs[@]}")
missing=()
for p in "${pkgs[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]}" >&2
    echo "run as root, or: sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q --no-install-recommends "${missing[@]}" || {
    apt-get update -q && apt-get install -y -q --no-install-recommends "${missing[@]}"
}

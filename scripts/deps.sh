#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when missing.
set -euo pipefail

# The end-to-end test of the desktop program runs it on a virtual display and types
# its shortcuts with xdotool.
packages=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev
          qt6-base-dev qt6-base-dev-tools libgl-dev fonts-wqy-microhei xvfb xdotool xauth)

# `deps.sh fuzz` adds what scripts/fuzz.sh needs: clang with libFuzzer and its sanitizers.
fuzz_packages=(clang libclang-rt-14-dev)
[ "${1:-}" = fuzz ] && packages+=("${fuzz_packages[@]}")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

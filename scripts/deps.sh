#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when missing.
# "scripts/deps.sh package" also installs what checking the Debian package needs.
set -euo pipefail

# The end-to-end test of the desktop program runs it on a virtual display and types
# its shortcuts with xdotool. dpkg-dev gives dpkg-shlibdeps, which the package build uses
# to declare the libraries the program needs.
packages=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev
          qt6-base-dev qt6-base-dev-tools libgl-dev fonts-wqy-microhei xvfb xdotool xauth
          dpkg-dev)
if [ "${1:-}" = package ]; then
    packages+=(lintian)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
# Another apt or dpkg run holds the lock: wait for it instead of failing.
for attempt in $(seq 12); do
    if "${sudo_cmd[@]}" apt-get update -q &&
       DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q \
           --no-install-recommends "${missing[@]}"; then
        exit 0
    fi
    echo "apt-get failed (attempt $attempt); retrying in 10 s"
    sleep 10
done
exit 1

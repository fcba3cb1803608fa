#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when missing.
#   scripts/deps.sh           what building, testing and running need
#   scripts/deps.sh manual    also the tools that rebuild the user manuals (pandoc, weasyprint)
#   scripts/deps.sh package   also what checking the Debian package needs (lintian)
set -euo pipefail

# The end-to-end test of the desktop program runs it on a virtual display and types
# its shortcuts with xdotool. dpkg-dev gives dpkg-shlibdeps, which the package build uses
# to declare the libraries the program needs.
packages=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev
          qt6-base-dev qt6-base-dev-tools libgl-dev fonts-wqy-microhei xvfb xdotool xauth
          poppler-utils dpkg-dev xdg-utils)
# The manual test reads the shipped PDFs with pdftotext (poppler-utils); Help opens them
# with xdg-open (xdg-utils). Only rebuilding the PDFs needs pandoc and weasyprint, so they
# come with the optional "manual" group; lintian comes with "package".
for group in "$@"; do
    case "$group" in
        manual) packages+=(pandoc weasyprint fonts-dejavu-core) ;;
        package) packages+=(lintian) ;;
        *) echo "deps.sh: unknown group '$group' (known: manual, package)" >&2; exit 2 ;;
    esac
done

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

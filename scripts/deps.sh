#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when missing.
#   scripts/deps.sh           what building, testing and running need
#   scripts/deps.sh manual    also the tools that rebuild the user manuals (pandoc, weasyprint)
set -euo pipefail

# The end-to-end test of the desktop program runs it on a virtual display and types
# its shortcuts with xdotool.
packages=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev
          qt6-base-dev qt6-base-dev-tools libgl-dev fonts-wqy-microhei xvfb xdotool xauth
          poppler-utils)
# The manual test reads the shipped PDFs with pdftotext (poppler-utils); only rebuilding
# the PDFs needs pandoc and weasyprint, so they come with the optional "manual" group.
for group in "$@"; do
    case "$group" in
        manual) packages+=(pandoc weasyprint fonts-dejavu-core) ;;
        *) echo "deps.sh: unknown group '$group' (known: manual)" >&2; exit 2 ;;
    esac
done

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

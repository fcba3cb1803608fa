#!/usr/bin/env bash
# Builds the Debian package build/kov-q730_<version>_<arch>.deb and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh package
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target kov-q730 kovctl kov-sim
(cd build && cpack -G DEB >/dev/null)
deb=$(ls -t build/kov-q730_*.deb | head -n 1)
echo "Built $deb"
# Errors fail the script; warnings and notes are shown.
lintian --fail-on error --display-info "$deb"

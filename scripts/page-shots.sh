#!/usr/bin/env bash
# Pictures of the input and output card pages' tabs in both languages, drawn on a virtual X display,
# into docs/: scripts/page-shots.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target page-shots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/tools/page-shots" "$root/data" "$root/docs"

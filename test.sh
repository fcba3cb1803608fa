#!/usr/bin/env bash
# Installs what is missing, builds everything into build/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOV_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

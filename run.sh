#!/usr/bin/env bash
# Builds the program directory build/KOV-Q730/, starts the virtual device in it on the
# port that normalStart.ini names, and runs the desktop program against it. The virtual
# device stops when the program ends.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target kov-q730 kov-sim kovctl program_dir

dir=build/KOV-Q730
port=$(sed -n 's/^[[:space:]]*port[[:space:]]*=[[:space:]]*\([0-9]*\).*/\1/Ip' "$dir/normalStart.ini" | head -n 1)
port=${port:-7}

"$dir/kov-sim" --dir "$dir" --port "$port" --state "$dir/kov-sim.state" >"$dir/kov-sim.log" &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT INT TERM
for _ in $(seq 50); do [ -e "$dir/ports/COM$port" ] && break; sleep 0.1; done
echo "kov-sim is the device on $dir/ports/COM$port; it logs every frame to $dir/kov-sim.log"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display here, so the desktop program cannot open its window. The device answers:"
    "$dir/kovctl" --dir "$dir" detect
    "$dir/kovctl" --dir "$dir" clock get
    exit 0
fi
"$dir/kov-q730"

#!/usr/bin/env bash
# Builds the program directory build/KOV-Q730/ and starts the virtual device in it,
# then shows it answering a card detection.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

dir=build/KOV-Q730
port=$(sed -n 's/^[[:space:]]*port[[:space:]]*=[[:space:]]*\([0-9]*\).*/\1/Ip' "$dir/normalStart.ini" | head -n 1)
port=${port:-7}

"$dir/kov-sim" --dir "$dir" --port "$port" --state "$dir/kov-sim.state" &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT INT TERM

for _ in $(seq 50); do [ -e "$dir/ports/COM$port" ] && break; sleep 0.1; done
echo "--- kovctl detect"
"$dir/kovctl" --dir "$dir" detect
echo "--- kovctl clock get"
"$dir/kovctl" --dir "$dir" clock get
echo
echo "kov-sim is answering on $dir/ports/COM$port. Try, in another terminal:"
echo "  $dir/kovctl --dir $dir task read 0"
echo "Press Ctrl-C to stop it."
wait "$sim"

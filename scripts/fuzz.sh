#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz/ with clang and libFuzzer (plus AddressSanitizer
# and UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for SECONDS (default 60).
# Inputs that grow coverage collect in build-fuzz/corpus/<target>/; an input that crashes a
# target is written to tests/fuzz/<target>/ and the script exits 1.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (targets: project_file profile language
# reply frame_decoder schedule_file)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(project_file profile language reply frame_decoder schedule_file)

scripts/deps.sh fuzz

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DKOV_FUZZ=ON -DKOV_SANITIZE=address,undefined -DKOV_WITH_UI=OFF -DKOV_BUILD_BENCH=OFF \
      >/dev/null
cmake --build build-fuzz -j "$(nproc 2>/dev/null || echo 2)" --target "${targets[@]/#/fuzz_}"

# The profile and language targets write a file per input: keep that off the disk.
[ -d /dev/shm ] && export TMPDIR=/dev/shm

failed=()
for t in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$t
    mkdir -p "$corpus"
    echo "== $t: ${seconds}s"
    # Long time-outs: under nice on a busy machine a target may wait many seconds for a core.
    if ! nice -n 19 build-fuzz/fuzz/fuzz_"$t" -max_total_time="$seconds" -max_len=2048 \
            -timeout=60 -report_slow_units=60 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="tests/fuzz/$t/" "$corpus" "tests/fuzz/$t"; then
        failed+=("$t")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: findings in: ${failed[*]} (inputs kept in tests/fuzz/<target>/crash-*)" >&2
    exit 1
fi
echo "fuzz.sh: no findings"

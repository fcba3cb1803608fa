#!/usr/bin/env bash
# Installs what is missing, builds everything into build/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOV_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

# The threaded core (records, state saver, command log, link lock) once more under
# ThreadSanitizer, so a data race between the editor and the saver cannot come back.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOV_SANITIZE=thread \
      -DKOV_WITH_UI=OFF -DKOV_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target kov_unit_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" build-tsan/tests/kov_unit_tests \
    --gtest_brief=1 --gtest_filter='StateSaver*:CardRecords*:CommandLog*:AutoResetEvent*:Exchange*'

# The core's unit tests and the fuzz corpora (tests/fuzz/) once more under AddressSanitizer
# and UndefinedBehaviorSanitizer: the first memory fault or undefined behaviour fails the run.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOV_SANITIZE=address,undefined \
      -DKOV_WITH_UI=OFF -DKOV_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs" --target kov_unit_tests kov_fuzz_targets
export ASAN_OPTIONS="halt_on_error=1 detect_leaks=1" UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1"
(cd build-asan/tests && ./kov_unit_tests --gtest_brief=1)  # from where ctest runs them
ctest --test-dir build-asan -L fuzz --output-on-failure -j "$jobs"

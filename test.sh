#!/usr/bin/env bash
# Builds the program and runs every test: the strict build first, then the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the project-file fuzzer.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh

JOBS=$(nproc)
export CTEST_OUTPUT_ON_FAILURE=1

echo "== Build (strict)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENERVANE_STRICT=ON >/dev/null
cmake --build build -j "$JOBS"
echo "== Tests (strict)"
ctest --test-dir build -j "$JOBS" 2>&1 | tee build/ctest.log

echo "== Build (ASan + UBSan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DENERVANE_STRICT=ON \
    -DENERVANE_SANITIZE=ON -DENERVANE_BENCH=OFF >/dev/null
cmake --build build-asan -j "$JOBS"
echo "== Tests (ASan + UBSan)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan -j "$JOBS" 2>&1 | tee build-asan/ctest.log

if [ -x tools/fuzz.sh ]; then
    echo "== Fuzzing"
    ./tools/fuzz.sh
fi

echo "== Summary"
grep -h 'tests passed' build-asan/ctest.log | sed 's/^/ASan+UBSan: /'
grep -h 'tests passed' build/ctest.log

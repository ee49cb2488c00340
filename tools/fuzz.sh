#!/usr/bin/env bash
# Builds the project-file fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for 60 seconds from a copy of the seed corpus in a scratch folder. Any crash, leak,
# timeout or memory blow-up makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_TO_RUN=${FUZZ_SECONDS:-60}
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
SANITIZERS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

echo "== Build (fuzzer)"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$SANITIZERS" \
    -DENERVANE_FUZZ=ON -DENERVANE_TESTS=OFF -DENERVANE_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" --target fuzz_projectfile

scratch=$(mktemp -d "${TMPDIR:-/tmp}/enervane-fuzz.XXXXXX")
keep=0
cleanup() { [ "$keep" = 1 ] || rm -rf "$scratch"; }
trap cleanup EXIT
mkdir -p "$scratch/corpus" "$scratch/artifacts"
cp fuzz/corpus/projectfile/* "$scratch/corpus/"

echo "== Fuzzing the project file reader for ${SECONDS_TO_RUN} s"
status=0
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "./$BUILD_DIR/fuzz/fuzz_projectfile" "$scratch/corpus" \
        -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -max_len=262144 \
        -artifact_prefix="$scratch/artifacts/" -print_final_stats=1 \
        >"$scratch/fuzz.log" 2>&1 || status=$?
tail -n 25 "$scratch/fuzz.log"
if [ "$status" -ne 0 ] || [ -n "$(ls -A "$scratch/artifacts")" ]; then
    keep=1
    echo "Fuzzing failed (exit $status); inputs and log kept in $scratch" >&2
    ls -l "$scratch/artifacts" >&2
    exit 1
fi
echo "Fuzzing passed."

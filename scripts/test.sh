#!/usr/bin/env bash
# Builds Quorrin and runs every test: once as shipped, then the unit tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz
# target for a bounded run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure --timeout 600

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQUORRIN_SANITIZE=ON -DQUORRIN_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitize -j "$jobs" --target quorrin_text_tests quorrin_web_tests quorrin_linux_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize -j "$jobs" -L 'unit|linux' --output-on-failure --timeout 600

# The fuzz targets, built with Clang, each run from its seed corpus for a
# bounded count and time. The corpus is copied to a scratch folder (in memory
# where there is one: the cookie file target flushes every write to disk), so
# nothing lands in the repository. A crash or a broken invariant fails the run.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DQUORRIN_FUZZ=ON \
  -DQUORRIN_TESTS=OFF -DQUORRIN_BENCHMARKS=OFF >/dev/null
fuzz_targets=()
for source in fuzz/*_fuzzer.cpp; do
  fuzz_targets+=("$(basename "$source" .cpp)")
done
cmake --build build-fuzz -j "$jobs" --target "${fuzz_targets[@]}"

scratch_parent=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_parent=/dev/shm
fuzz_scratch=$(mktemp -d "$scratch_parent/quorrin-fuzz.XXXXXX")
trap 'rm -rf "$fuzz_scratch"' EXIT
fuzz_failed=()
for target in "${fuzz_targets[@]}"; do
  work="$fuzz_scratch/$target"
  mkdir -p "$work/corpus"
  cp fuzz/corpus/"$target"/* "$work/corpus/"
  if TMPDIR="$work" "build-fuzz/fuzz/$target" -runs=50000 -max_total_time=30 \
      -timeout=10 -print_final_stats=1 -artifact_prefix="$work/" \
      "$work/corpus" >"$work/log" 2>&1; then
    echo "fuzz: $target: $(grep -E '^Done ' "$work/log" || true)," \
      "$(grep -E '^stat::average_exec_per_sec' "$work/log" | tr -s ' ' || true)"
  else
    # The log holds the failure, its stack and the input in hex and base64.
    tail -n 60 "$work/log"
    echo "fuzz: $target FAILED" >&2
    fuzz_failed+=("$target")
  fi
done
echo "fuzz: $((${#fuzz_targets[@]} - ${#fuzz_failed[@]})) passed, ${#fuzz_failed[@]} failed"
[ ${#fuzz_failed[@]} -eq 0 ]

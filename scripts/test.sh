#!/usr/bin/env bash
# Builds Quorrin and runs every test: once as shipped, then the unit tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
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

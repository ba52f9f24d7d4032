#!/usr/bin/env bash
# Builds Quorrin and starts its window. Without a display, says so and shows
# the command-line resolver instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quorrin quorrin-cli

programs=build/src/platform/linux
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display (DISPLAY is not set); resolve a link without the window: $programs/quorrin-cli 'https://v.douyin.com/…/'" >&2
  exit 1
fi
exec "$programs/quorrin"

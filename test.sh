#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite headless. Exits non-zero on
# any failure.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh --tests
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_TESTS=ON >/dev/null
cmake --build build
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
ctest --test-dir build --output-on-failure -j "$(nproc)"

#!/usr/bin/env bash
# Sets up, builds and starts Quill 3D. Arguments go to the game:
#   ./play.sh                      the game
#   ./play.sh --editor             the map editor
#   ./play.sh --windowsize 800 600 a window instead of fullscreen
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_TESTS=OFF >/dev/null
cmake --build build
exec ./build/quill3d "$@"

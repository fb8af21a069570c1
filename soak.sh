#!/usr/bin/env bash
# Long soak runs: the real game (menus, options, new games, play, deaths, map
# changes, the end screen, quitting) and the real editor (painting, prompts,
# saves and opens) under seeded random input, headless.
# Usage: ./soak.sh [--frames N] [--events N] [--seed S] [--sanitize]
#   --frames N   game frames (default 100000)
#   --events N   editor events (default 20000)
#   --seed S     the seed; a failure names the seed that replays it (default: random)
#   --sanitize   run in the AddressSanitizer and UndefinedBehaviorSanitizer build
# Prints what each run went through and its memory at 10 % and at the end.
set -euo pipefail
cd "$(dirname "$0")"

frames=100000
events=20000
seed=$(( (RANDOM << 15) | RANDOM ))
sanitize=()
while [[ $# -gt 0 ]]; do
    case "$1" in
        --frames) frames=$2; shift 2 ;;
        --events) events=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        --sanitize) sanitize=(--sanitize); shift ;;
        *) echo "usage: $0 [--frames N] [--events N] [--seed S] [--sanitize]" >&2; exit 2 ;;
    esac
done

build=build
if [[ ${#sanitize[@]} -gt 0 ]]; then
    build=build-asan
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
    configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_SANITIZE=ON)
else
    configure=(-DCMAKE_BUILD_TYPE=Release)
fi
scripts/setup.sh "${sanitize[@]:---tests}"
cmake -S . -B "$build" -G Ninja "${configure[@]}" -DQUILL_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target quill3d_reliability_tests

echo "Soak with seed $seed: $frames game frames, $events editor events"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export QUILL_SOAK_FRAMES=$frames QUILL_SOAK_EVENTS=$events QUILL_SOAK_SEED=$seed
"$build/tests/quill3d_reliability_tests" --gtest_filter='Soak.*'

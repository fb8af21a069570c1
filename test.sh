#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite headless. Exits non-zero on
# any failure. Usage: ./test.sh [--sanitize]
#   (nothing)   a release build in build/
#   --sanitize  the same suite built with AddressSanitizer and
#               UndefinedBehaviorSanitizer in build-asan/; any report fails it
set -euo pipefail
cd "$(dirname "$0")"

build=build
configure=(-DCMAKE_BUILD_TYPE=Release)
case "${1:-}" in
    "") ;;
    --sanitize)
        build=build-asan
        configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_SANITIZE=ON)
        # Every report ends the program that made it, so the test fails; leaks
        # of the system libraries under SDL are not ours to mend.
        export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
        export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
        export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
        ;;
    *)
        echo "usage: $0 [--sanitize]" >&2
        exit 2
        ;;
esac

scripts/setup.sh "${1:---tests}"
cmake -S . -B "$build" -G Ninja "${configure[@]}" -DQUILL_BUILD_TESTS=ON >/dev/null
cmake --build "$build"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

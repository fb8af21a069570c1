#!/usr/bin/env bash
# Builds one fuzz target with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-fuzz/) and fuzzes it for a while.
# Usage: ./fuzz.sh TARGET SECONDS [more libFuzzer flags]
# Targets: map_view editor_map high_score settings map_list sound_list music_list
#
# The seeds are tests/fuzz/TARGET/ (and the shipped maps for the map targets);
# what the fuzzer learns is kept in build-fuzz/corpus/TARGET/ for the next run.
# Every input that fails is copied into tests/fuzz/TARGET/ as failed-<hash>, so
# the test suite replays it from then on: mend the fault, keep the file.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
targets=(map_view editor_map high_score settings map_list sound_list music_list)

usage() {
    echo "usage: $0 TARGET SECONDS [libFuzzer flags]" >&2
    echo "targets: ${targets[*]}" >&2
    exit 2
}
[[ $# -ge 2 ]] || usage
target=$1
seconds=$2
shift 2
[[ " ${targets[*]} " == *" $target "* ]] || usage
[[ "$seconds" =~ ^[0-9]+$ ]] || usage

scripts/setup.sh --fuzz
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILL_FUZZ=ON -DQUILL_BUILD_TESTS=ON >/dev/null
cmake --build build-fuzz --target "quill3d-fuzz-$target"

seeds=$root/tests/fuzz/$target
corpus=$root/build-fuzz/corpus/$target
findings=$root/build-fuzz/findings/$target
mkdir -p "$corpus" "$findings"
more_seeds=()
case $target in
    map_view | editor_map | high_score) more_seeds=("$root/data/maps") ;;
esac
# Whole inputs may take longer (hundreds of turns of play); a single view or
# turn over a second is caught by the harness itself.
timeout=1
case $target in
    map_view | editor_map) timeout=10 ;;
esac

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
# The harness works in a scratch directory; in memory where there is room.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm

status=0
"build-fuzz/quill3d-fuzz-$target" -max_total_time="$seconds" -timeout="$timeout" \
    -rss_limit_mb=4096 -dict="$root/tests/fuzz/dictionaries/$target.dict" \
    -artifact_prefix="$findings/" -print_final_stats=1 "$@" \
    "$corpus" "$seeds" "${more_seeds[@]}" </dev/null || status=$?

for finding in "$findings"/*; do
    [[ -f "$finding" ]] || continue
    kept="$seeds/failed-$(sha1sum "$finding" | cut -c1-16)"
    if [[ ! -e "$kept" ]]; then
        cp "$finding" "$kept"
        echo "kept the failing input as ${kept#"$root"/}"
    fi
done
exit $status

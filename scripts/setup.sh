#!/usr/bin/env bash
# Installs what building Quill 3D needs on a Debian or Ubuntu machine, and
# nothing when it is all there already.
# Usage: scripts/setup.sh [--tests | --sanitize | --fuzz]
#   --tests     adds GoogleTest
#   --sanitize  the same, and makes sure g++ can build with the sanitizers
#   --fuzz      the same, and clang with its libFuzzer runtime
set -euo pipefail

mode="${1:-}"
packages=(g++ cmake ninja-build pkg-config libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev
          libvorbis-dev libogg-dev)
case "$mode" in
    # The install test checks the installed desktop entry and metainfo.
    --tests | --sanitize) packages+=(googletest libgtest-dev desktop-file-utils appstream) ;;
    --fuzz) packages+=(googletest libgtest-dev clang libclang-rt-14-dev) ;;
esac

# The sanitizer runtimes come with g++ on Debian and Ubuntu; say so plainly if
# this compiler cannot use them after all.
check_sanitizers() {
    [[ "$mode" == "--sanitize" ]] || return 0
    local probe
    probe=$(mktemp -d)
    if ! echo 'int main() { return 0; }' |
        g++ -fsanitize=address,undefined -x c++ - -o "$probe/probe" 2>"$probe/log"; then
        echo "g++ cannot build with -fsanitize=address,undefined on this machine:" >&2
        cat "$probe/log" >&2
        rm -rf "$probe"
        exit 1
    fi
    rm -rf "$probe"
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
    check_sanitizers
    exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
    echo "Quill 3D needs these packages, and this machine has no apt-get to install them:" >&2
    echo "  ${missing[*]}" >&2
    exit 1
fi

if [[ $(id -u) -eq 0 ]]; then
    as_root=(env DEBIAN_FRONTEND=noninteractive)
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
else
    echo "Quill 3D needs these packages: ${missing[*]}" >&2
    echo "Run this script as root, or install sudo, or install them yourself." >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
if ! "${as_root[@]}" apt-get install -y -q "${missing[@]}"; then
    "${as_root[@]}" apt-get update -q
    "${as_root[@]}" apt-get install -y -q "${missing[@]}"
fi
check_sanitizers

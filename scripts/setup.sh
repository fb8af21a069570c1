#!/usr/bin/env bash
# Installs what building Quill 3D needs on a Debian or Ubuntu machine, and
# nothing when it is all there already. Usage: scripts/setup.sh [--tests]
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev
          libvorbis-dev libogg-dev)
if [[ "${1:-}" == "--tests" ]]; then
    packages+=(googletest libgtest-dev)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

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

#!/usr/bin/env bash
# Installs what building and testing Mirtal needs on Debian 12, skipping what is already there.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config libgtest-dev googletest zlib1g-dev ffmpeg
          qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev xvfb xauth
          nlohmann-json3-dev libpugixml-dev mkvtoolnix)
# More packages for a job of its own (scripts/fuzz.sh asks for clang).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"

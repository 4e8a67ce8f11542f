#!/usr/bin/env bash
# Installs what is missing, builds Mirtal, writes the demo disc and opens it in the editor.
# Without a display the window runs under a virtual X server, saves a picture of itself and ends.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
mkdir -p build
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > build/release.configure.log 2>&1 ||
    { cat build/release.configure.log; exit 1; }
cmake --build build/release -j "$(nproc)"

sample=build/sample
rm -rf "$sample"
build/release/src/cli/mirtal-cli sample "$sample"
build/release/src/cli/mirtal-cli open "$sample"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/release/src/ui/mirtal "$sample"
fi
MIRTAL_SCREENSHOT="$PWD/build/sample-window.png" xvfb-run -a build/release/src/ui/mirtal "$sample"
echo "No display: the editor opened the demo disc under xvfb-run; its picture is build/sample-window.png"

#!/usr/bin/env bash
# Installs what is missing, builds Mirtal, writes the demo disc and opens it.
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

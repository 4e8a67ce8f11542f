#!/usr/bin/env bash
# Builds Mirtal and runs every test: once as built, once under AddressSanitizer and
# UndefinedBehaviorSanitizer. --quick skips the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# Tests write their settings and scratch files to a temporary place, never the user's.
export XDG_CONFIG_HOME="$(mktemp -d)"
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

run_suite() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300
}

mkdir -p build
run_suite build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${1:-}" != "--quick" ]; then
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DMIRTAL_SANITIZE=ON
fi

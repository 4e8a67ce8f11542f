#!/usr/bin/env bash
# Fuzzes the readers with clang's libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer.
#   bash scripts/fuzz.sh [TARGET] [SECONDS]
# runs TARGET (default: every target) for SECONDS each (default 60). Targets: index mobj mobjtext
# exd mpls clpi ig rle chapters program. The corpora grow under build/fuzz/corpus/TARGET (seeded by the
# test builders); a crash, leak or hang is written to build/fuzz/findings/TARGET-*: copy it into
# fuzz/findings/TARGET/ with the fix, and the tests replay it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

all=(index mobj mobjtext exd mpls clpi ig rle chapters program)
targets=("${all[@]}")
seconds=60
if [ $# -ge 1 ] && [ "$1" != "all" ]; then
    targets=("$1")
fi
if [ $# -ge 2 ]; then
    seconds=$2
fi

bash scripts/setup.sh clang

build=build/fuzz
mkdir -p "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DMIRTAL_FUZZ=ON -DMIRTAL_BUILD_TESTS=OFF -DMIRTAL_EXCLUDE=ui > "$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }
ninja -C "$build" fuzz_replay "${targets[@]/#/fuzz_}"
"$build/fuzz/fuzz_replay" --write-seeds "$build/seeds" > /dev/null
mkdir -p "$build/findings"

for t in "${targets[@]}"; do
    corpus="$build/corpus/$t"
    mkdir -p "$corpus" "fuzz/findings/$t"
    echo "== $t: $seconds s"
    # The seeds and the kept findings start the corpus; new inputs go to the first folder.
    "$build/fuzz/fuzz_$t" "$corpus" "$build/seeds/$t" "fuzz/findings/$t" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/findings/$t-" -print_final_stats=1 2>&1 |
        grep -E "^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)" || true
done
ls "$build/findings" 2> /dev/null | sed 's/^/finding: /' || true

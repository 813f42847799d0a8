#!/usr/bin/env bash
# Builds the fuzzing harnesses of tests/fuzz with clang's libFuzzer and runs each from its
# seeds for a bounded time (20 s unless given); fails on the first finding, whose input
# is kept in build/fuzz/findings.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=build/fuzz
cmake -S tests/fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
mkdir -p "$build/findings"
status=0
for seeds in tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  # What a run learns is kept in the build folder, never in the tree's seeds.
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  if "$build/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/findings/$name-" "$corpus" "$seeds" >"$build/$name.log" 2>&1; then
    echo "fuzzed $name for ${seconds} s: $(grep -E '^#[0-9]+' "$build/$name.log" | tail -n 1)"
  else
    tail -n 60 "$build/$name.log"
    echo "fuzzing $name found a fault; its input is in $build/findings/"
    status=1
  fi
done
exit $status

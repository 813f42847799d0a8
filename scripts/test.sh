#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice: a normal
# build with warnings as errors, and an AddressSanitizer + UndefinedBehaviorSanitizer
# build; then fuzzes the readers of files, environment and command line for a while.
# The GUI tests start their own X server (Xvfb); no display or sound card needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
jobs=$(nproc)
# The desktop libraries keep some memory until exit; see tests/lsan.supp.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1"

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 900
}

echo "== Sanitizer build (ASan + UBSan) =="
run_suite build/asan -DCMAKE_BUILD_TYPE=Debug -DVEXADRA_SANITIZE=ON -DVEXADRA_WERROR=ON
# The build type scripts/play.sh makes: the optimizer's warnings come only with it.
echo "== Release build =="
run_suite build/release -DCMAKE_BUILD_TYPE=Release -DVEXADRA_WERROR=ON
echo "== Fuzzing (libFuzzer) =="
scripts/fuzz.sh

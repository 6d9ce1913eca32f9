#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice: a plain build and an
# AddressSanitizer + UndefinedBehaviorSanitizer build. Window tests run on a virtual display.
# Between them the scene reader is fuzzed for a minute and the bitmap decoder for half a minute;
# an input that crashes either fails the script.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/install-deps.sh
jobs="$(nproc)"

run_suite() {
  local dir="$1"
  shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  xvfb-run -a -s '-screen 0 1280x1024x24' ctest --test-dir "$dir" --output-on-failure
}

echo "== plain build"
run_suite build/plain -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== scene reader fuzzing"
bash fuzz/run.sh 60

echo "== bitmap decoder fuzzing"
bash fuzz/run.sh 30 bitmap

echo "== sanitizer build"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVEXA_SANITIZE=ON

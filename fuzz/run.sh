#!/usr/bin/env bash
# Builds the scene reader fuzzer with clang and runs it for a bounded time (seconds, default 60).
# Exits non-zero when it finds an input that crashes, trips a sanitizer or a physics library
# assertion, or leaks; the input is left in build-fuzz/artifacts/ for reproducing it:
#   build-fuzz/fuzz/scene_reader_fuzzer build-fuzz/artifacts/crash-...
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DVEXA_FUZZ=ON -DVEXA_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target scene_reader_fuzzer -j"$(nproc)"

# New inputs go to a corpus of the build directory (kept between runs); the seeds stay as written.
mkdir -p "$build/corpus" "$build/artifacts"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:abort_on_error=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-}:halt_on_error=1:print_stacktrace=1"
"$build/fuzz/scene_reader_fuzzer" "$build/corpus" "$root/fuzz/corpus" \
  -dict="$root/fuzz/scene.dict" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
  -rss_limit_mb=2048 -artifact_prefix="$build/artifacts/" -print_final_stats=1

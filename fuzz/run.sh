#!/usr/bin/env bash
# Builds a fuzzer with clang and runs it for a bounded time:
#   fuzz/run.sh [SECONDS] [scene|bitmap]     (default: 60 seconds of the scene reader)
# Exits non-zero when it finds an input that crashes, trips a sanitizer or a physics library
# assertion, or leaks; the input is left in build-fuzz/artifacts/ for reproducing it:
#   build-fuzz/fuzz/scene_reader_fuzzer build-fuzz/artifacts/scene-crash-...
# VEXA_FUZZ_BUILD names another build directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
target="${2:-scene}"
build="${VEXA_FUZZ_BUILD:-$root/build-fuzz}"

case "$target" in
  scene)
    fuzzer=scene_reader_fuzzer
    seeds="$root/fuzz/corpus"
    options=(-dict="$root/fuzz/scene.dict" -max_len=8192)
    ;;
  bitmap)
    fuzzer=bitmap_fuzzer
    seeds="$build/bitmap-seeds"
    options=(-max_len=4096)
    ;;
  *)
    echo "usage: fuzz/run.sh [SECONDS] [scene|bitmap]" >&2
    exit 2
    ;;
esac

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DVEXA_FUZZ=ON -DVEXA_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "$fuzzer" make_bitmap_seeds -j"$(nproc)"

# New inputs go to a corpus of the build directory (kept between runs); the seeds stay as written.
corpus="$build/corpus"
if [ "$target" = bitmap ]; then
  corpus="$build/bitmap-corpus"
  mkdir -p "$seeds"
  "$build/fuzz/make_bitmap_seeds" "$seeds"
fi
mkdir -p "$corpus" "$build/artifacts"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:abort_on_error=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-}:halt_on_error=1:print_stacktrace=1"
"$build/fuzz/$fuzzer" "$corpus" "$seeds" "${options[@]}" -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1

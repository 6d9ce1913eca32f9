#!/usr/bin/env bash
# Builds Vexa and starts it in data/, where the default scene "vexa.json" lives.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVEXA_TESTS=OFF >/dev/null
cmake --build build/release --target vexa vexa-scene -j"$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
  echo "Vexa is a window program and no display is available (DISPLAY is not set)."
  echo "Start it from a desktop session, or on a virtual display:"
  echo "  cd data && xvfb-run -a -s '-screen 0 1280x800x24' ../build/release/vexa"
  exit 1
fi
cd data
exec ../build/release/vexa "$@"

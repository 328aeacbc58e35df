#!/usr/bin/env bash
# The main job: builds Kvo, renders the demo gallery into ./gallery and, when a
# display is available, opens the interactive viewer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/kvo-ccache}"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVO_BUILD_TESTS=OFF \
      -DKVO_BUILD_BENCH=OFF -DKVO_BUILD_FUZZ=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
out="${1:-gallery}"
build/release/apps/kvo-gallery "$out"
echo "gallery written to $out/ (open $out/index.html)"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/release/apps/kvo-viewer ]; then
  exec build/release/apps/kvo-viewer
fi

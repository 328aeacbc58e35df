#!/usr/bin/env bash
# The main job: builds Kvo, renders the demo gallery into ./gallery and, when a
# display is available, opens the interactive viewer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/kvo-ccache}"
# Reuse compiled objects across checkouts in other folders (CI clones anew).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVO_BUILD_TESTS=OFF \
      -DKVO_BUILD_BENCH=OFF -DKVO_BUILD_FUZZ=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
out="${1:-gallery}"
build/release/apps/kvo-gallery "$out"
echo "gallery written to $out/ (open $out/index.html)"
# With a display the interactive viewer opens (KVO_NO_VIEWER=1 skips it);
# without one the gallery is the whole result.
viewer=build/release/apps/kvo-viewer
if [ ! -x "$viewer" ]; then
  echo "kvo-viewer was not built (Qt 6 Widgets missing?)"
elif [ -n "${KVO_NO_VIEWER:-}" ]; then
  :
elif [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "opening the viewer ($viewer)"
  "$viewer" || echo "kvo-viewer could not open a window on this display"
else
  echo "no display: the viewer is not opened (on a desktop run $viewer)"
fi

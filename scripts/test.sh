#!/usr/bin/env bash
# Runs every test of Kvo from a clean checkout: installs the packages, builds
# with warnings as errors and runs the suite, then again under AddressSanitizer
# and UndefinedBehaviorSanitizer, then the fuzzers briefly (clang/libFuzzer).
# The ctest run also installs the build into a scratch prefix and builds the
# examples against it; the API reference is built with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

JOBS=$(nproc)
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/kvo-ccache}"
# Reuse compiled objects across checkouts in other folders (CI clones anew).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
export CTEST_OUTPUT_ON_FAILURE=1

echo "== public headers: relative includes and exports of a shared build"
python3 scripts/relative-includes.py --check platform libs scale devari boxplot colorscale \
        gauge plot3d rot3d hosts
python3 scripts/annotate-exports.py --check platform libs scale devari boxplot colorscale \
        gauge plot3d rot3d hosts

echo "== build and test (warnings as errors)"
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVO_WERROR=ON >/dev/null
cmake --build build/ci -j"$JOBS"
ctest --test-dir build/ci -j"$JOBS" --timeout 600

echo "== API reference (doxygen; any warning fails)"
cmake --build build/ci --target docs
echo "API reference: build/ci/docs/html/index.html"

echo "== build and test under ASan + UBSan"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKVO_WERROR=ON -DKVO_SANITIZE=ON \
      -DKVO_BUILD_BENCH=OFF -DKVO_BUILD_FUZZ=OFF >/dev/null
cmake --build build/asan -j"$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan -j"$JOBS" --timeout 900 -LE no-sanitize

if [ -x scripts/fuzz.sh ]; then
  echo "== fuzzers (brief)"
  FUZZ_SECONDS="${FUZZ_SECONDS:-40}" bash scripts/fuzz.sh
fi
echo "== all tests passed"

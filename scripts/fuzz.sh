#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer + AddressSanitizer +
# UndefinedBehaviorSanitizer) in build/fuzz and runs each for FUZZ_SECONDS
# (default 60) seconds. Fuzzer <name>_fuzz starts from its seed corpus
# fuzz/corpus/<name>/; new inputs go to build/fuzz/work/<name>, crash inputs
# to build/fuzz/, never into the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${FUZZ_SECONDS:-60}"
JOBS="${FUZZ_JOBS:-$(nproc)}"

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link -fsanitize-coverage-ignorelist=$PWD/fuzz/coverage_ignore.txt" \
      -DKVO_SANITIZE=ON \
      -DKVO_BUILD_TESTS=OFF -DKVO_BUILD_BENCH=OFF -DKVO_BUILD_APPS=OFF -DKVO_BUILD_QT=OFF \
      -DKVO_BUILD_FUZZ=ON >/dev/null
cmake --build build/fuzz --target kvo_fuzzers -j"$JOBS"

status=0
found=0
for fuzzer in build/fuzz/fuzz/*_fuzz; do
  [ -x "$fuzzer" ] || continue
  found=1
  name=$(basename "$fuzzer" _fuzz)
  work="build/fuzz/work/$name"
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "== fuzzing $name for ${SECONDS_EACH}s"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$fuzzer" -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/$name-" "$work" "${seeds[@]}" || status=1
done
if [ "$found" = 0 ]; then
  echo "no fuzzers were built (is clang with libFuzzer installed?)" >&2
  exit 1
fi
exit $status

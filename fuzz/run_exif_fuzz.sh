#!/usr/bin/env bash
# Builds the EXIF reader's fuzz target with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, then runs it from the test files of
# tests/data/exif for the given number of seconds (default 300). Crashes are written
# to build-fuzz/exif_crashes/, the workers' logs to build-fuzz/fuzz-N.log.
# Usage: fuzz/run_exif_fuzz.sh [seconds] [workers]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
seconds=${1:-300}
jobs=${2:-1}

if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQV_FUZZ=ON -DQV_SANITIZE=ON -DQV_BENCH=OFF > /dev/null
fi
ninja -C build-fuzz -j6 exif_fuzz

mkdir -p build-fuzz/exif_corpus build-fuzz/exif_crashes
find tests/data/exif -name '*.jpg' -exec cp {} build-fuzz/exif_corpus/ \;
cd build-fuzz

export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fuzz/exif_fuzz exif_corpus -artifact_prefix=exif_crashes/ \
  -max_len=70000 -timeout=10 -rss_limit_mb=2048 -max_total_time="$seconds" \
  -jobs="$jobs" -workers="$jobs" -print_final_stats=1

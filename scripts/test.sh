#!/usr/bin/env bash
# Sets up what is missing, builds, runs every test, then builds and runs them again
# under AddressSanitizer and UndefinedBehaviorSanitizer. Any failure or sanitizer
# report fails the run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/setup.sh --asan

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== tests"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# Qt keeps some allocations for the life of the process: leak detection is off.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:halt_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 600

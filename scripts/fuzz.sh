#!/usr/bin/env bash
# Fuzzes every file reader: installs what is missing (clang and its libFuzzer runtime
# besides the build's own packages), builds the targets of fuzz/ with clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz/, then runs each for
# the given number of seconds (default 60) from its seeds in fuzz/corpus/<reader>/
# (and the keys of fuzz/corpus/<reader>.dict when there is one).
# The first crash, hang (an input taking over 10 s), memory blow-up or sanitizer report
# stops the run with the target, the input that did it and the command that replays
# it. Not part of the tests or of CI.
#
# Usage: scripts/fuzz.sh [seconds] [reader ...]   (readers: the names of fuzz/*_fuzz.cpp
#        without "_fuzz.cpp"; all of them when none is given)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "fuzz: the number of seconds must be a positive whole number, not \"$seconds\"" >&2
  exit 2
fi
shift || true

all=()
for f in fuzz/*_fuzz.cpp; do
  n=$(basename "$f" .cpp)
  all+=("${n%_fuzz}")
done
readers=("$@")
[ ${#readers[@]} -gt 0 ] || readers=("${all[@]}")
for r in "${readers[@]}"; do
  if [ ! -f "fuzz/${r}_fuzz.cpp" ]; then
    echo "fuzz: no target \"$r\"; the targets are: ${all[*]}" >&2
    exit 2
  fi
done

QV_EXTRA_PACKAGES="clang libclang-rt-14-dev ${QV_EXTRA_PACKAGES:-}" bash scripts/setup.sh --no-build

echo "== building the fuzz targets in build-fuzz/"
if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQV_FUZZ=ON -DQV_SANITIZE=ON -DQV_BENCH=OFF > /dev/null
fi
targets=()
for r in "${readers[@]}"; do targets+=("fuzz/${r}_fuzz"); done
# Half the cores: the machine is usually shared.
jobs=$(( $(nproc) / 2 ))
[ "$jobs" -ge 1 ] || jobs=1
ninja -C build-fuzz -j "$jobs" "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
# Qt keeps some allocations for the life of the process: leak detection is off.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

work=build-fuzz/fuzz-run
mkdir -p "$work"
summary=()
start=$(date +%s)
for r in "${readers[@]}"; do
  corpus="$work/corpus/$r"
  crashes="$work/crashes/$r"
  log="$work/$r.log"
  mkdir -p "$corpus" "$crashes"
  cp -n fuzz/corpus/"$r"/* "$corpus"/ 2>/dev/null || true
  rm -f "$crashes"/*
  dict=()
  [ -f "fuzz/corpus/$r.dict" ] && dict=(-dict="fuzz/corpus/$r.dict")
  # A picture may take 2047 MB while it is read, which the picture reader's inputs reach:
  # its limit leaves room for that, the rest of the process and the sanitizer's shadow.
  rss_limit=2048
  [ "$r" = picture ] && rss_limit=3072
  echo "== $r: ${seconds} s (log $log)"
  set +e
  # The outer limit ends a target that hangs before libFuzzer's own watch starts.
  timeout --kill-after=30 $(( seconds + 180 )) build-fuzz/fuzz/"${r}_fuzz" "$corpus" \
    -artifact_prefix="$crashes/" -max_total_time="$seconds" -timeout=10 -rss_limit_mb="$rss_limit" \
    -detect_leaks=0 -print_final_stats=1 "${dict[@]}" > "$log" 2>&1
  rc=$?
  set -e
  artifact=$(ls -1 "$crashes" 2>/dev/null | head -1)
  if [ "$rc" -ne 0 ] || [ -n "$artifact" ]; then
    echo
    echo "fuzz: $r FAILED (exit code $rc)."
    grep -E "ERROR: (AddressSanitizer|libFuzzer|UndefinedBehaviorSanitizer)|runtime error:|SUMMARY:|ALARM|out-of-memory|deadly signal" \
      "$log" | head -8 || true
    echo "---- last lines of $log"
    tail -n 40 "$log"
    if [ -n "$artifact" ]; then
      echo "----"
      echo "input: $crashes/$artifact"
      echo "replay: QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 build-fuzz/fuzz/${r}_fuzz $crashes/$artifact"
    fi
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -1)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | cut -d' ' -f2)
  files=$(ls -1 "$corpus" | wc -l)
  summary+=("$(printf '%-14s %10s runs  coverage %6s  corpus %5s files  peak %5s MB' \
    "$r" "${runs:-?}" "${cov:-?}" "$files" "${rss:-?}")")
done

echo
echo "== no crash, hang or sanitizer report in $(( $(date +%s) - start )) s"
printf '%s\n' "${summary[@]}"

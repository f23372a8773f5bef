#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need (only those
# missing), then configures and builds. Usage: scripts/setup.sh [--asan] [--no-build]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-image-formats-plugins
          libsane-dev libsane1 libgtest-dev libgmock-dev libbenchmark-dev libjpeg-dev
          fonts-dejavu-core fonts-liberation qt6-translations-l10n)
if [ -n "${QV_EXTRA_PACKAGES:-}" ]; then
  read -r -a extra <<< "$QV_EXTRA_PACKAGES"
  packages+=("${extra[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

asan=0
build=1
for a in "$@"; do
  case "$a" in
    --asan) asan=1 ;;
    --no-build) build=0 ;;
  esac
done
[ "$build" -eq 1 ] || exit 0

jobs=$(nproc)
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
ninja -C build -j "$jobs"

if [ "$asan" -eq 1 ]; then
  if [ ! -f build-asan/build.ninja ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BENCH=OFF > /dev/null
  fi
  ninja -C build-asan -j "$jobs"
fi

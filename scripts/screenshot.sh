#!/usr/bin/env bash
# Starts the program in an empty program folder under a virtual X server, answers the
# first-start message with Enter, and saves a screenshot of the screen.
# Usage: scripts/screenshot.sh [out.png] [seconds to wait]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/build/screenshot.png}
wait=${2:-4}
QV_EXTRA_PACKAGES="xvfb xauth imagemagick xdotool" bash "$here/scripts/setup.sh"
folder=$(mktemp -d)
cp "$here/build/quorvale" "$folder/"
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c "
  '$folder/quorvale' &
  pid=\$!
  sleep $wait
  xdotool key Return || true
  sleep 2
  import -window root '$out'
  kill \$pid 2>/dev/null || true
"
rm -rf "$folder"
echo "screenshot: $out"

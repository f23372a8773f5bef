#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the program (under a virtual display
# when the session has none).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  QV_EXTRA_PACKAGES="xvfb xauth" bash "$here/scripts/setup.sh"
  echo "run: no display found; starting under a virtual X server"
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$here/build/quorvale" "$@"
fi
bash "$here/scripts/setup.sh"
exec "$here/build/quorvale" "$@"

#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the program from its program folder
# (scripts/start.sh says where), under a virtual display when the session has none.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  QV_EXTRA_PACKAGES="xvfb xauth" bash "$here/scripts/setup.sh"
else
  bash "$here/scripts/setup.sh"
fi
exec bash "$here/scripts/start.sh" "$@"

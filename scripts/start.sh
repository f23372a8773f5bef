#!/usr/bin/env bash
# Starts the program built in build/ from its program folder, outside the build tree,
# so that the settings, calibration files, automatic save and the dialogs' first folder
# that the program keeps beside itself survive a clean rebuild. The folder is
# $XDG_DATA_HOME/quorvale (~/.local/share/quorvale by default); the program is copied
# there when it changed. Without a display (and no Qt platform chosen) it runs under a
# virtual X server. QV_BUILD_DIR names another build folder.
# Usage: scripts/start.sh [arguments of the program]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
built=${QV_BUILD_DIR:-$here/build}/quorvale
if [ ! -x "$built" ]; then
  echo "start: $built is missing; build it with: bash scripts/setup.sh" >&2
  exit 1
fi
if [ -n "${XDG_DATA_HOME:-}" ] && [ "${XDG_DATA_HOME#/}" != "$XDG_DATA_HOME" ]; then
  folder=$XDG_DATA_HOME/quorvale
else
  folder=${HOME:?}/.local/share/quorvale
fi
mkdir -p "$folder"
program=$folder/quorvale
if ! cmp -s "$built" "$program"; then
  # Copied beside the old one, then renamed over it: a copy that fails leaves the
  # program that was there, and a running one keeps its own file.
  tmp=$(mktemp "$folder/.quorvale.XXXXXX")
  trap 'rm -f "$tmp"' EXIT
  cp "$built" "$tmp"
  chmod 755 "$tmp"
  mv -f "$tmp" "$program"
  trap - EXIT
fi
echo "start: program folder $folder"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "start: no display found; starting under a virtual X server"
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$program" "$@"
fi
exec "$program" "$@"

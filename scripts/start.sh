#!/usr/bin/env bash
# Starts the program built in build/ from its program folder, outside the build tree,
# so that the settings, calibration files, automatic save and the dialogs' first folder
# that the program keeps beside itself survive a clean rebuild. The folder is
# $XDG_DATA_HOME/quorvale (~/.local/share/quorvale by default); the program is copied
# there when it changed. When that folder cannot be written, the program already there
# is started if it is the one built, else the built program itself, which then keeps
# its files in the build folder; one line says which and why. Without a display (and no
# Qt platform chosen) it runs under a virtual X server. QV_BUILD_DIR names another build
# folder.
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
program=$folder/quorvale

# The cause a failed command printed, without the command's name and its file:
# "mkdir: cannot create directory 'x': Permission denied" gives "Permission denied".
cause() { local m=${1##*: }; printf '%s' "${m:-$2}"; }

# Puts the built program into the folder; on failure prints why and returns 1.
install_program() {
  local out tmp
  if ! out=$(mkdir -p "$folder" 2>&1); then cause "$out" "cannot make the folder"; return 1; fi
  if [ ! -w "$folder" ] || [ ! -x "$folder" ]; then printf 'Permission denied'; return 1; fi
  cmp -s "$built" "$program" && return 0
  # Copied beside the old one, then renamed over it: a copy that fails leaves the
  # program that was there, and a running one keeps its own file.
  if ! tmp=$(mktemp "$folder/.quorvale.XXXXXX" 2>&1); then cause "$tmp" "cannot make a file there"; return 1; fi
  if ! out=$({ cp "$built" "$tmp" && chmod 755 "$tmp" && mv -f "$tmp" "$program"; } 2>&1); then
    rm -f "$tmp"
    cause "$out" "the copy failed"
    return 1
  fi
}

if why=$(install_program); then
  echo "start: program folder $folder"
elif [ -x "$program" ] && cmp -s "$built" "$program"; then
  echo "start: the program could not be copied into $folder ($why); starting the same program already there, whose files there are read but cannot be saved"
else
  echo "start: the program could not be copied into $folder ($why); starting $built, which keeps its files in ${built%/*}"
  program=$built
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "start: no display found; starting under a virtual X server"
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$program" "$@"
fi
exec "$program" "$@"

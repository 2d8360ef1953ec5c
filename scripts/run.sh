#!/bin/bash
# Sets up, builds and starts the player under Wine: on $DISPLAY when there is
# one, else on a virtual X display. An optional file or folder is passed on
# as the player's start path. The player keeps default.lst in the current directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" --windows-only

args=()
if [ $# -gt 0 ]; then
  start="$(realpath -m "$1")"
  args+=("Z:${start//\//\\}")
fi

export LUMETTO_WINEPREFIX="${LUMETTO_WINEPREFIX:-$HOME/.lumetto-wine}"
exe="$root/build/x64/player/Lumetto.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run" "$exe" "${args[@]}"
else
  echo "run: no DISPLAY; starting the player on a virtual X display (xvfb-run)"
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/wine-run" "$exe" "${args[@]}"
fi

#!/bin/bash
# Takes a picture of the main window with a small playlist, for the docs.
#
# usage: scripts/screenshot.sh OUT.png [LUMETTO_EXE [WINPROBE_EXE]]
#   LUMETTO_EXE     default: build/x64/player/Lumetto.exe under the repository root
#   WINPROBE_EXE  default: tests/tools/winprobe.exe in the same build tree
# Builds nothing. The player runs in a Wine virtual desktop of 800 x 600 (so
# its window gets a frame and a taskbar), on $DISPLAY if set, else on an X
# server of its own; the picture is that desktop. Wine prefix:
# LUMETTO_SHOT_WINEPREFIX, default /tmp/lumetto-shot-wine-UID (made on first use).
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 3 ]; then
  echo "usage: $0 OUT.png [LUMETTO_EXE [WINPROBE_EXE]]" >&2
  exit 2
fi
REPO=$(cd "$(dirname "$0")/.." && pwd)
OUT=$(readlink -f "$1")
EXE=$(readlink -f "${2:-$REPO/build/x64/player/Lumetto.exe}")
INSPECT=$(readlink -f "${3:-$(dirname "$EXE")/../tests/tools/winprobe.exe}")
WINE_RUN=$REPO/scripts/wine-run
for f in "$EXE" "$INSPECT"; do
  [ -f "$f" ] || { echo "$0: $f not found (build it first)" >&2; exit 1; }
done
for tool in import convert xwininfo iconv; do
  command -v $tool >/dev/null || { echo "$0: $tool is needed" >&2; exit 1; }
done

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$OUT" "$EXE" "$INSPECT"
fi

export WINEPREFIX=${LUMETTO_SHOT_WINEPREFIX:-/tmp/lumetto-shot-wine-$(id -u)}
# shellcheck source=scripts/window-ids.sh
source "$REPO/scripts/window-ids.sh"
# shellcheck source=scripts/wine-desktop.sh
source "$REPO/scripts/wine-desktop.sh"
use_desktop lumetto
DESKTOP_RUN_LIMIT=60
EXE_NAME=$(basename "$EXE")

WORK=$(mktemp -d /tmp/lumetto-shot.XXXXXX)
LAUNCHER=""
trap 'kill_in_prefix "$EXE_NAME"; [ -z "$LAUNCHER" ] || kill "$LAUNCHER" 2>/dev/null || true; rm -rf "$WORK"' EXIT
refuse_running "$EXE_NAME"

# A playlist as a user might have it: Japanese and English paths, in Shift_JIS.
{
  printf 'D:\\音楽\\夏の終わり\\01 朝焼けの街.mp3\r\n'
  printf 'D:\\音楽\\夏の終わり\\02 ソフトな雨.mp3\r\n'
  printf 'D:\\音楽\\夏の終わり\\03 表参道まで.mp3\r\n'
  printf 'D:\\Music\\The Quiet Hours\\01 Morning Light.mp3\r\n'
  printf 'D:\\Music\\The Quiet Hours\\02 Harbour Lights.wav\r\n'
  printf 'D:\\Music\\The Quiet Hours\\03 Paper Boats.mp3\r\n'
  printf 'E:\\録音\\ﾗｲﾌﾞ 2011\\ｱﾝｺｰﾙ.wav\r\n'
  printf 'samples\\test_tone_440Hz.wav\r\n'
} | iconv -f UTF-8 -t CP932 >"$WORK/default.lst"

launch_in_desktop "$WORK" "$EXE"
if ! wait_for_desktop 30; then
  echo "$0: the virtual desktop did not appear within 30 s" >&2
  exit 1
fi

HWND=$(cd "$WORK" && in_desktop "$INSPECT" wait-window "$CAPTION" 30000 2>/dev/null || true)
if [ -z "$HWND" ]; then
  echo "$0: the window \"$CAPTION\" did not appear within 30 s" >&2
  exit 1
fi
sleep 3  # let the first paint and the start of the first track settle

# The virtual desktop is a window of its own on the X screen; crop the screen to it.
desktop_geometry
import -window root "$WORK/screen.png"
convert "$WORK/screen.png" -crop "${DW}x${DH}+${DX}+${DY}" +repage "$OUT"

in_desktop "$INSPECT" close "$HWND" >/dev/null 2>&1 || true
if ! wait_prefix_free "$EXE_NAME" 30; then
  echo "$0: $EXE_NAME did not end within 30 s of WM_CLOSE" >&2
  exit 1
fi
echo "$OUT: ${DW}x${DH} desktop with the main window ($HWND)"

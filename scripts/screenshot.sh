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
DESKTOP_NAME=lumetto
DESKTOP="/desktop=$DESKTOP_NAME,800x600"
CAPTION="Harkel's Lumetto"
EXE_NAME=$(basename "$EXE")

# Programs started this way run inside the virtual desktop. explorer returns
# at once and passes no exit code back, but the program's output still comes
# through the pipe, so an empty answer means "not found".
in_desktop() { timeout 60 "$WINE_RUN" explorer "$DESKTOP" "$@"; }

# Live processes of the player in this prefix (the exe's name is the process name under Wine).
player_pids() {
  local pid
  for pid in $(pgrep -x "$EXE_NAME"); do
    [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = "Z" ] && continue
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}

WORK=$(mktemp -d /tmp/lumetto-shot.XXXXXX)
LAUNCHER=""
cleanup() {
  local pid
  for pid in $(player_pids); do kill "$pid" 2>/dev/null || true; done
  [ -n "$LAUNCHER" ] && kill "$LAUNCHER" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# A copy that is still ending (a previous run of this script) gets a few seconds.
for _ in $(seq 1 50); do [ -z "$(player_pids)" ] && break; sleep 0.2; done
if [ -n "$(player_pids)" ]; then
  echo "$0: $EXE_NAME is already running in $WINEPREFIX; close it first" >&2
  exit 1
fi

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

(cd "$WORK" && exec "$WINE_RUN" explorer "$DESKTOP" "$EXE") >/dev/null 2>&1 &
LAUNCHER=$!

# Only once the desktop exists may a second program be started in it: two
# starts racing to create it can leave the desktop without its window.
deadline=$((SECONDS + 30))
until xwininfo -name "$DESKTOP_NAME - Wine desktop" >/dev/null 2>&1; do
  if [ $SECONDS -ge $deadline ]; then
    echo "$0: the virtual desktop did not appear within 30 s" >&2
    exit 1
  fi
  sleep 0.2
done

HWND=$(cd "$WORK" && in_desktop "$INSPECT" wait-window "$CAPTION" 30000 2>/dev/null || true)
if [ -z "$HWND" ]; then
  echo "$0: the window \"$CAPTION\" did not appear within 30 s" >&2
  exit 1
fi
sleep 3  # let the first paint and the start of the first track settle

# The virtual desktop is a window of its own on the X screen; crop the screen to it.
geometry=$(xwininfo -name "$DESKTOP_NAME - Wine desktop")
x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")
w=$(awk '/Width:/ {print $NF}' <<<"$geometry")
h=$(awk '/Height:/ {print $NF}' <<<"$geometry")
import -window root "$WORK/screen.png"
convert "$WORK/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$OUT"

in_desktop "$INSPECT" close "$HWND" >/dev/null 2>&1 || true
deadline=$((SECONDS + 30))
while [ -n "$(player_pids)" ]; do
  if [ $SECONDS -ge $deadline ]; then
    echo "$0: $EXE_NAME did not end within 30 s of WM_CLOSE" >&2
    exit 1
  fi
  sleep 0.2
done
echo "$OUT: ${w}x${h} desktop with the main window ($HWND)"

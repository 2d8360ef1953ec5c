#!/bin/bash
# The player and the compact edition, each copied under the name Lumetto.exe
# into folders of their own, count as one program: whichever starts second
# ends by itself and leaves the first one's window the only one, in both
# orders.
#
# usage: same_name_test.sh PLAYER_EXE COMPACT_EXE WINPROBE_EXE
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.
set -u
[ $# -eq 3 ] || { echo "usage: $0 PLAYER_EXE COMPACT_EXE WINPROBE_EXE" >&2; exit 2; }
[ -f "$1" ] || { echo "SKIP: no player build at $1"; exit 77; }
PLAYER_EXE=$(readlink -f "$1")
COMPACT_EXE=$(readlink -f "$2")
INSPECT_EXE=$(readlink -f "$3")
SCRIPT_DIR=$(cd "$(dirname "$0")" && pwd)
WINE_RUN=${LUMETTO_WINE_RUN:-$SCRIPT_DIR/../../scripts/wine-run}
if [ -z "${DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "SKIP: no DISPLAY and no xvfb-run"; exit 77; }
  exec xvfb-run -a bash "$0" "$@"
fi
export WINEPREFIX=${LUMETTO_E2E_WINEPREFIX:-/tmp/lumetto-e2e-wine-$(id -u)}
. "$SCRIPT_DIR/e2e_lib.sh"
skip_unless_runnable "$PLAYER_EXE" "$COMPACT_EXE" "$INSPECT_EXE"

CAPTION="Harkel's Lumetto"
IDC_STATUS=1009
WORK=$(mktemp -d /tmp/lumetto-same-name.XXXXXX)
cleanup() {
  local pid
  for pid in $(our_pids Lumetto.exe); do kill "$pid" 2>/dev/null; done
  rm -rf "$WORK"
}
trap cleanup EXIT
[ -z "$(our_pids Lumetto.exe)" ] || fatal "a Lumetto.exe is already running in $WINEPREFIX"

mkdir -p "$WORK/player" "$WORK/compact"
cp "$PLAYER_EXE" "$WORK/player/Lumetto.exe"
cp "$(dirname "$PLAYER_EXE")/Quistel.dll" "$WORK/player/"
cp "$COMPACT_EXE" "$WORK/compact/Lumetto.exe"

# first_then_second FIRST SECOND: FIRST's status line names its edition.
first_then_second() {
  local first=$1 second=$2 hwnd pid_first pid_second status
  echo "== $first first, then $second"
  start_player "$WORK/$first" "$WORK/$first/Lumetto.exe"
  pid_first=$PLAYER_PID
  hwnd=$(inspect wait-window "$CAPTION" 30000) || fatal "no window from the $first"
  status=$(inspect text "$hwnd" $IDC_STATUS)
  start_player "$WORK/$second" "$WORK/$second/Lumetto.exe"
  pid_second=$PLAYER_PID
  if wait_gone "$pid_second" 15; then
    pass "the $second ended by itself"
  else
    fail "the $second still runs beside the $first"
    kill "$pid_second" 2>/dev/null
  fi
  check_eq "one window after both starts" 1 "$(inspect count-windows "$CAPTION")"
  check_eq "the window is still the $first's" "$status" "$(inspect text "$hwnd" $IDC_STATUS)"
  inspect close "$hwnd"
  wait_gone "$pid_first" 30 || fail "the $first did not end after WM_CLOSE"
}
first_then_second player compact
first_then_second compact player
finish

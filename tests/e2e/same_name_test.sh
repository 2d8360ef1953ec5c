#!/bin/bash
# The player and the compact edition, each copied under the name Lumetto.exe
# into folders of their own, count as one program: whichever starts second
# ends by itself and leaves the first one's window the only one, in both
# orders.
#
# usage: same_name_test.sh PLAYER_EXE COMPACT_EXE WINPROBE_EXE
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "PLAYER_EXE COMPACT_EXE WINPROBE_EXE" "$@"
[ -f "$PLAYER_EXE" ] || { echo "SKIP: no player build at $1"; exit 77; }
skip_unless_runnable "$PLAYER_EXE" "$COMPACT_EXE" "$WINPROBE_EXE"

mkdir -p "$WORK/player" "$WORK/compact"
cp "$PLAYER_EXE" "$WORK/player/Lumetto.exe"
cp "$(dirname "$PLAYER_EXE")/Quistel.dll" "$WORK/player/"
cp "$COMPACT_EXE" "$WORK/compact/Lumetto.exe"

# first_then_second FIRST SECOND: FIRST's status line names its edition.
first_then_second() {
  local first=$1 second=$2 hwnd pid_first status
  echo "== $first first, then $second"
  start_player "$WORK/$first" "$WORK/$first/Lumetto.exe"
  pid_first=$PLAYER_PID
  hwnd=$(inspect wait-window "$CAPTION" 30000) || fatal "no window from the $first"
  status=$(inspect text "$hwnd" $IDC_STATUS)
  check_second_start_ends "the $second" "the $first" "$WORK/$second" "$WORK/$second/Lumetto.exe"
  check_eq "one window after both starts" 1 "$(inspect count-windows "$CAPTION")"
  check_eq "the window is still the $first's" "$status" "$(inspect text "$hwnd" $IDC_STATUS)"
  inspect close "$hwnd"
  wait_gone "$pid_first" 30 || fail "the $first did not end after WM_CLOSE"
}
first_then_second player compact
first_then_second compact player
finish

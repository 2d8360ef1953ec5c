#!/bin/bash
# The real Lumetto.exe started from a folder whose path is about 1,200 bytes
# long under Wine: a second start of it still ends by itself (the
# single-instance guard is named after the program), and its message boxes
# (the key hook's at start where the hook cannot be set, and a save at exit
# that cannot replace default.lst) are captioned "Lumetto".
#
# usage: long_path_test.sh LUMETTO_EXE WINPROBE_EXE
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "LUMETTO_EXE WINPROBE_EXE" "$@"

# Six folders of 200 bytes each.
LONG=$WORK
for i in 1 2 3 4 5 6; do LONG=$LONG/$(printf "%0200d" "$i"); done
mkdir -p "$LONG" "$WORK/run"
# A read-only default.lst is read at start and cannot be replaced at exit.
printf 'C:\\a.mp3\r\n' >"$WORK/run/default.lst"
chmod a-w "$WORK/run/default.lst"
cp "$LUMETTO_EXE" "$(dirname "$LUMETTO_EXE")/Quistel.dll" "$LONG/"
program_path=$(windows_path "$LONG/Lumetto.exe")
echo "program path: ${#program_path} bytes"
[ ${#program_path} -gt 1200 ] || fatal "the program path is only ${#program_path} bytes long"

echo "== first and second start"
# Started from a short folder whose default.lst is read-only: the save at exit fails.
start_player "$WORK/run" "$LONG/Lumetto.exe"
PID_FIRST=$PLAYER_PID
# Under Wine the key hook cannot be set for a module on so long a path: the
# hook library's message box, captioned like every box of the program, comes
# before the window.
if box=$(inspect wait-window "Lumetto" 10000 "#32770"); then
  pass "start-up message box captioned \"Lumetto\": $(inspect text "$box" 65535 | tr '\r\n' '  ')"
  inspect close "$box"
fi
HWND=$(inspect wait-window "$CAPTION" 30000) ||
  fatal "no main window from the long path (or a message box captioned otherwise holds it back)"
pass "main window visible ($HWND)"
check_second_start_ends "second start" "the first" "$WORK/run" "$LONG/Lumetto.exe"
check_eq "windows captioned \"$CAPTION\"" 1 "$(inspect count-windows "$CAPTION")"

echo "== message box caption"
inspect close "$HWND" || fail "WM_CLOSE could not be posted"
if box=$(inspect wait-window "Lumetto" 15000 "#32770"); then
  pass "message box captioned \"Lumetto\": $(inspect text "$box" 65535 | tr '\r\n' '  ')"
  inspect close "$box"
else
  fail "no message box captioned \"Lumetto\" within 15 s of WM_CLOSE"
fi
if wait_gone "$PID_FIRST" 30; then
  pass "process ended"
else
  fail "process still running 30 s after WM_CLOSE"
fi
finish

#!/bin/bash
# End-to-end test of what the real Lumetto.exe does to default.lst that is no
# plain readable file, looked at from another process with winprobe:
#   - a default.lst held open by another program at start-up: the player says
#     so in a message box naming the file, and the file is not written over at
#     exit, after the other program has let go of it; the playlist built in
#     the meantime is not dropped without a word: the exit says so;
#   - a default.lst that is a symbolic link: the save replaces the file the
#     link leads to, the link stays, and no temporary file is left anywhere.
#
# usage: list_file_test.sh LUMETTO_EXE WINPROBE_EXE
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.

set -u
export LC_ALL=C
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "LUMETTO_EXE WINPROBE_EXE" "$@"

WINDOW_TIMEOUT_MS=30000
EXIT_LIMIT=30
# The file-holding helper goes at exit too.
at_exit() { kill_in_prefix winprobe.exe; }

# --- held open by another program --------------------------------------------
DIR=$WORK/held
mkdir -p "$DIR"
printf 'C:\\held\\a.mp3\r\nC:\\held\\b.mp3\r\n' >"$DIR/default.lst"
printf 'C:\\held\\slot.mp3\r\n' >"$DIR/mem1.lst"
cp "$DIR/default.lst" "$WORK/held.orig"
inspect hold-file "$(windows_path "$DIR/default.lst")" 30000 >"$WORK/hold.out" &
HOLD_PID=$!
for _ in $(seq 1 600); do grep -q held "$WORK/hold.out" 2>/dev/null && break; sleep 0.1; done
grep -q held "$WORK/hold.out" || fatal "the helper could not hold default.lst open"
start_player "$DIR" "$LUMETTO_EXE"
check_box "held file: the message box at start-up names the file" '*\\held\\default.lst*'
hwnd=$(inspect wait-window "$CAPTION" $WINDOW_TIMEOUT_MS) || fatal "held file: no main window"
check_eq "held file: the list starts empty" 0 "$(inspect list-count "$hwnd" $IDC_PLAYLIST)"
# The other program lets go before the player ends: nothing stops the exit's save but the player.
kill_in_prefix winprobe.exe
wait "$HOLD_PID" 2>/dev/null
# The user builds a playlist (here by recalling a slot), then closes.
inspect command "$hwnd" $IDC_MEM1
inspect command "$hwnd" $IDC_STOP
check_eq "held file: the slot is recalled" 1 "$(inspect list-count "$hwnd" $IDC_PLAYLIST)"
inspect close "$hwnd" || fail "held file: WM_CLOSE could not be posted"
check_box "held file: the exit says the playlist was not saved" '*保存しませんでした*\\held\\default.lst*'
wait_gone "$PLAYER_PID" $EXIT_LIMIT || fail "held file: the player still runs $EXIT_LIMIT s after WM_CLOSE"
if cmp -s "$WORK/held.orig" "$DIR/default.lst"; then
  pass "held file: default.lst is byte for byte what it was"
else
  fail "held file: default.lst was changed: $(od -An -c "$DIR/default.lst" | head -3)"
fi
check_eq "held file: nothing else in the folder" "default.lst mem1.lst" "$(ls -A "$DIR" | tr '\n' ' ' | sed 's/ $//')"

# --- a symbolic link ---------------------------------------------------------
DIR=$WORK/linked
mkdir -p "$DIR" "$WORK/elsewhere"
printf 'C:\\linked\\a.mp3\r\nC:\\linked\\b.mp3\r\n' >"$WORK/elsewhere/real.lst"
ln -s ../elsewhere/real.lst "$DIR/default.lst"
start_player "$DIR" "$LUMETTO_EXE"
hwnd=$(inspect wait-window "$CAPTION" $WINDOW_TIMEOUT_MS) || fatal "link: no main window"
check_eq "link: the list is read through the link" 2 "$(inspect list-count "$hwnd" $IDC_PLAYLIST)"
edit_and_close "$hwnd" "link"
if [ -L "$DIR/default.lst" ]; then pass "link: default.lst is still a link"; else fail "link: default.lst is no link any more"; fi
check_eq "link: the edit is saved in the linked file" "$(printf 'C:\\linked\\b.mp3\r\n' | od -An -tx1)" \
  "$(od -An -tx1 "$WORK/elsewhere/real.lst")"
check_eq "link: no temporary file beside the link" "default.lst" "$(ls -A "$DIR")"
check_eq "link: no temporary file beside the linked file" "real.lst" "$(ls -A "$WORK/elsewhere")"

finish

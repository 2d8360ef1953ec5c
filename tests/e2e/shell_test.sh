#!/bin/bash
# The real Lumetto.exe in the shell, under Wine, with shell_probe standing in
# for Quistel.dll beside a copy of it (the program itself is unchanged):
#   - drops built inside the player's process as the shell builds them:
#     files are appended in their order, a folder's MP3 then WAV files go in
#     sorted, the selection stays on its entry, and nothing starts playing;
#   - every Shell_NotifyIconA record, as the shell receives it, through
#     add, balloon, tick, stop and delete: size, flags, tip, balloon title
#     and balloon text;
#   - the notification icon's callback: a left press shows the hidden window
#     in front, a right press opens the menu at the cursor, and its exit
#     entry writes default.lst and ends the program.
#
# usage: shell_test.sh LUMETTO_EXE WINPROBE_EXE SHELL_PROBE_DLL
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.
set -u
export LC_ALL=C  # byte-wise text handling here; wine-run sets the player's own locale
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "LUMETTO_EXE WINPROBE_EXE SHELL_PROBE_DLL" "$@"

VERSION_TEXT="Harkel's Lumetto Version 1.13 (July 1st 2012)"
VK_UP=38
VK_RETURN=13

sjis_hex() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -v -tx1 | tr -d ' \n'; }
# wait_for WHAT EXPECTED COMMAND...: polls the command for up to 10 s.
wait_for() {
  local what=$1 expected=$2 got deadline=$((SECONDS + 10))
  shift 2
  got=$("$@")
  while [ "$got" != "$expected" ] && [ $SECONDS -lt $deadline ]; do
    sleep 0.2
    got=$("$@")
  done
  check_eq "$what" "$expected" "$got"
}

APP=$WORK/app
MUSIC=$WORK/music
mkdir -p "$APP" "$MUSIC/folder"
cp "$LUMETTO_EXE" "$APP/Lumetto.exe"
cp "$(dirname "$LUMETTO_EXE")/Quistel.dll" "$APP/QuistelReal.dll"
cp "$SHELL_PROBE_DLL" "$APP/Quistel.dll"
: >"$MUSIC/z.mp3"
: >"$MUSIC/曲.wav"
: >"$MUSIC/folder/c.mp3"
: >"$MUSIC/folder/b.mp3"
: >"$MUSIC/folder/a.wav"
: >"$MUSIC/folder/notes.txt"
# Four seconds of silence: long enough for a few ticks.
python3 - "$MUSIC/tone.wav" <<'PY' || fatal "could not write tone.wav"
import sys, wave
w = wave.open(sys.argv[1], "wb")
w.setnchannels(1); w.setsampwidth(2); w.setframerate(8000)
w.writeframes(b"\0\0" * 8000 * 4)
w.close()
PY
mute_audio
LOG=$WORK/icon.log

echo "== start with no default.lst"
HOME="$WORK/home" LUMETTO_PROBE_LOG="$(windows_path "$LOG")" start_player "$APP" "$APP/Lumetto.exe"
PID=$PLAYER_PID
HWND=$(inspect wait-window "$CAPTION" 30000) || fatal "no main window"
pass "main window visible ($HWND)"
grep -q '^probe:' "$LOG" 2>/dev/null && fatal "the probe could not hook the icon calls: $(cat "$LOG")"

echo "== drops built inside the player's process"
inspect drop "$HWND" "$(windows_path "$MUSIC/z.mp3")" "$(windows_path "$MUSIC/曲.wav")" || fatal "first drop not delivered"
wait_for "entries after dropping two files" 2 inspect list-count "$HWND" $IDC_PLAYLIST
inspect select "$HWND" $IDC_PLAYLIST 1 || fail "could not select entry 1"
inspect drop "$HWND" "$(windows_path "$MUSIC/folder")" "$(windows_path "$MUSIC/tone.wav")" || fatal "second drop not delivered"
wait_for "entries after dropping a folder and a file" 6 inspect list-count "$HWND" $IDC_PLAYLIST
# The folder's MP3 files, then its WAV file, by the sorted add (in front of
# the two appended ones); the file after the folder is appended.
ENTRIES=("$MUSIC/folder/a.wav" "$MUSIC/folder/b.mp3" "$MUSIC/folder/c.mp3" "$MUSIC/z.mp3" "$MUSIC/曲.wav"
         "$MUSIC/tone.wav")
expected_hex=$(for e in "${ENTRIES[@]}"; do sjis_hex "$(windows_path "$e")"; echo; done)
check_eq "playlist after both drops (code page 932 hex per entry)" "$expected_hex" \
  "$(inspect list-hex "$HWND" $IDC_PLAYLIST)"
check_eq "selection moved with its entry" 4 "$(inspect selection "$HWND" $IDC_PLAYLIST)"
check_eq "status line after the drops (nothing started)" "$VERSION_TEXT" "$(inspect text "$HWND" $IDC_STATUS)"
check_eq "time field after the drops" "停止" "$(inspect text "$HWND" $IDC_TIME)"
check_eq "icon calls after the drops (the add only)" 1 "$(wc -l <"$LOG")"

echo "== play, tick, stop"
inspect select "$HWND" $IDC_PLAYLIST 5 || fail "could not select tone.wav"
inspect command "$HWND" $IDC_PLAY || fail "could not press play"
wait_for "status line while playing" "tone" inspect text "$HWND" $IDC_STATUS
inspect command "$HWND" $IDC_STOP || fail "could not press stop"
wait_for "status line after the stop" "$VERSION_TEXT" inspect text "$HWND" $IDC_STATUS

echo "== tray callback"
inspect command "$HWND" $IDC_HIDE || fail "could not press hide"
wait_for "visible after hide" 0 inspect visible "$HWND"
inspect tray "$HWND" left || fail "could not send the left press"
wait_for "visible after a left press on the icon" 1 inspect visible "$HWND"
wait_for "foreground window after a left press on the icon" "$HWND" inspect foreground
inspect cursor 700 400 || fail "could not place the cursor"
inspect tray "$HWND" right || fail "could not send the right press"
if rect=$(inspect menu-rect "$HWND" 10000); then
  read -r left top right bottom <<<"$rect"
  check_eq "menu's top right corner at the cursor (left top right bottom: $rect)" "700 400" "$right $top"
  # Up from no selection lands on the last entry, the exit.
  inspect keys $VK_UP $VK_RETURN || fail "could not press up and enter"
else
  fail "no tray menu within 10 s of the right press"
fi
if wait_gone "$PID" 30; then
  pass "the menu's exit entry ended the program"
else
  fail "still running 30 s after the menu's exit entry"
  kill "$PID" 2>/dev/null
fi
expected_file=$(for e in "${ENTRIES[@]}"; do sjis_hex "$(windows_path "$e")"; printf '0d0a'; done)
check_eq "default.lst written at exit with the dropped entries (hex)" "$expected_file" \
  "$(od -An -v -tx1 "$APP/default.lst" 2>/dev/null | tr -d ' \n')"

echo "== the icon records as the shell received them"
# Each line: message cbSize uFlags tip infoTitle info uTimeout dwInfoFlags (texts as hex).
STOPPED=$(sjis_hex "停止中")
BALLOON=$(sjis_hex "再生中のファイル")
TITLE=$(sjis_hex "tone")
fields() { sed -E 's/ uTimeout=[^ ]*//; s/ dwInfoFlags=.*//'; }
mapfile -t calls < <(fields <"$LOG")
check_eq "add" "add cbSize=528 uFlags=7 tip=$STOPPED infoTitle= info=" "${calls[0]:-}"
check_eq "balloon" "modify cbSize=504 uFlags=23 tip=$STOPPED infoTitle=$BALLOON info=$TITLE" "${calls[1]:-}"
ticks=0
i=2
while [ $i -lt ${#calls[@]} ] && [[ ${calls[$i]} =~ ^modify\ cbSize=504\ uFlags=4\ tip=${TITLE}205b30303a30[0-9a-f]{2}5d\ infoTitle=$BALLOON\ info=$TITLE$ ]]; do
  ticks=$((ticks + 1))
  i=$((i + 1))
done
[ $ticks -ge 1 ] && pass "$ticks tick(s): tip \"tone [00:0N]\" with size 504 and the tip flag alone" ||
  fail "no tick record after the balloon (next: ${calls[2]:-none})"
check_eq "stop: tip" "modify cbSize=504 uFlags=4 tip=$STOPPED infoTitle=$BALLOON info=$TITLE" "${calls[$i]:-}"
check_eq "stop: icon sent again" "modify cbSize=504 uFlags=3 tip=$STOPPED infoTitle=$BALLOON info=$TITLE" \
  "${calls[$((i + 1))]:-}"
check_eq "stop: balloon flags cleared" "0" "$(sed -n "$((i + 2))p" "$LOG" | sed -E 's/.*dwInfoFlags=//')"
check_eq "delete at exit, the last call" "delete cbSize=504 uFlags=3 tip=$STOPPED infoTitle=$BALLOON info=$TITLE" \
  "${calls[$((i + 2))]:-}"
check_eq "icon calls in all" $((i + 3)) "${#calls[@]}"
check_eq "balloon timeout and flags" "uTimeout=10000 dwInfoFlags=17" \
  "$(sed -n 2p "$LOG" | grep -oE 'uTimeout=[0-9]+ dwInfoFlags=[0-9]+')"
finish

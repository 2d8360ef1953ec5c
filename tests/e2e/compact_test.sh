#!/bin/bash
# End-to-end test of the compact edition under Wine, with the audio it plays
# captured: started with a folder of an MP3 and two WAV files of distinct
# tones, it replaces the default list by the folder and plays the first file;
# previous and next from stopped go to the last and the first entry, play
# without a selection starts the first whatever plays; once stopped no timer writes the
# status line or the time field; at exit default.lst holds the folder's list.
#
# usage: compact_test.sh COMPACT_EXE WINPROBE_EXE
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "COMPACT_EXE WINPROBE_EXE" "$@"
needs_tools sox lame
skip_unless_runnable "$COMPACT_EXE" "$WINPROBE_EXE"

VERSION_TEXT="Harkel's Lumetto Version 0.23 (May 16th 2003)"

capture_audio
mkdir -p "$WORK/music" "$WORK/run"

sox -n -r 44100 -c 2 -b 16 "$WORK/a.wav" synth 4 sine 440 vol 0.5 &&
  lame --quiet "$WORK/a.wav" "$WORK/music/a.mp3" &&
  sox -n -r 44100 -c 2 -b 16 "$WORK/music/b.wav" synth 4 sine 660 vol 0.5 &&
  sox -n -r 44100 -c 2 -b 16 "$WORK/music/c.wav" synth 4 sine 880 vol 0.5 || fatal "cannot make the test tracks"
printf 'Z:\\elsewhere\\old.mp3\r\n' >"$WORK/run/default.lst"

status() { inspect text "$HWND" $IDC_STATUS; }
# plays TITLE WHAT: the status line shows TITLE within 5 s; the track then
# plays for a second so that its tone reaches the capture.
plays() {
  local deadline=$((SECONDS + 5)) text=""
  while [ $SECONDS -lt $deadline ]; do
    text=$(status)
    [ "$text" = "$1" ] && { pass "$2: \"$1\" plays"; sleep 1; return; }
    sleep 0.1
  done
  fail "$2: expected \"$1\" in the status line, got \"$text\""
}
send() { inspect command "$HWND" "$1"; }

echo "== start-up with a folder"
HOME="$WORK/home" start_player "$WORK/run" "$COMPACT_EXE" "$(windows_path "$WORK/music")"
PID=$PLAYER_PID
HWND=$(inspect wait-window "$CAPTION" 30000) || fatal "no window \"$CAPTION\""
check_eq "playlist from the folder" "a.mp3 b.wav c.wav" \
  "$(inspect list "$HWND" $IDC_PLAYLIST | sed 's/.*\\//' | tr '\n' ' ' | sed 's/ $//')"
plays a "start-up"

echo "== transport from stopped"
send $IDC_NEXT
plays b "next while playing"
send $IDC_STOP
sleep 1
check_eq "status line a second after the stop" "$VERSION_TEXT" "$(status)"
check_eq "time field a second after the stop" "停止" "$(inspect text "$HWND" $IDC_TIME)"
send $IDC_NEXT
plays a "next from stopped"
send $IDC_NEXT
plays b "next while playing"
send $IDC_STOP
send $IDC_PREV
plays c "previous from stopped"
inspect select "$HWND" $IDC_PLAYLIST -1 || fail "cannot clear the selection"
send $IDC_PLAY
plays a "play without a selection while the last entry plays"

echo "== exit"
inspect close "$HWND"
wait_gone "$PID" 30 || fail "still running 30 s after WM_CLOSE"
expected=$(for f in a.mp3 b.wav c.wav; do printf '%s\r\n' "$(windows_path "$WORK/music/$f")"; done | od -An -tx1)
check_eq "default.lst after exit holds the folder's list" "$expected" "$(od -An -tx1 "$WORK/run/default.lst")"

echo "== the audio that came out"
check_eq "tones in order (a b a b c a)" "440 660 440 660 880 440" "$(captured_tones 440 660 880)"
finish

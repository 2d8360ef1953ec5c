#!/bin/bash
# The release readme against the program it ships with: each behaviour the
# readme tells of in both languages is driven by real X input, and each text
# it quotes is read off the screen.
#   - a file given at start is the whole playlist, default.lst is not read,
#     and at exit the old default.lst is overwritten (here after Esc);
#   - the status line's and the About box's version texts are the readme's;
#   - 記憶 stores into mem1.lst (the player) or there is no 記憶 (compact);
#   - 隠す hides the window and a left-click on the icon shows it again.
#
# usage: readme_test.sh EXE WINPROBE_EXE README
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "EXE WINPROBE_EXE README" "$@"
needs_tools xdotool xwininfo sox
skip_unless_runnable "$EXE" "$WINPROBE_EXE"

JA=$(sed '/^\[English\]/,$d' "$README")
EN=$(sed -n '/^\[English\]/,$p' "$README")
# says WHAT JAPANESE ENGLISH: the readme tells WHAT in both its languages.
says() {
  if [ -n "$2" ] && [ -n "$3" ] && grep -qF -- "$2" <<<"$JA" && grep -qF -- "$3" <<<"$EN"; then
    pass "the readme says $1"
  else
    fail "the readme does not say $1 in both languages: \"$2\" / \"$3\""
  fi
}

mkdir -p "$WORK/run"
mute_audio
sox -n -r 8000 -c 1 -b 16 "$WORK/start.wav" synth 30 sine 440 vol 0.3 || fatal "sox failed"
START=$(windows_path "$WORK/start.wav")
printf 'Z:\\old\\one.mp3\r\nZ:\\old\\two.mp3\r\n' >"$WORK/run/default.lst"

echo "== started with a file"
timeout 240 "$WINE_RUN" "$WINPROBE_EXE" count-windows "$CAPTION" >/dev/null  # makes the prefix if needed
HOME="$WORK/home" start_player "$WORK/run" "$EXE" "$START"
PID=$PLAYER_PID
HWND=$(inspect wait-window "$CAPTION" 30000) || fatal "no window \"$CAPTION\""
desktop_geometry || fatal "no Wine desktop window on the X screen"
check_eq "the playlist is the file alone" "$START" "$(inspect list "$HWND" $IDC_PLAYLIST)"
says "that default.lst is not read then" "このとき default.lst は読み込まれません" "default.lst is not read then"

echo "== version texts"
inspect command "$HWND" $IDC_STOP
wait_text $IDC_STATUS "*Version*" 5 || fail "no version text in the status line after a stop"
status=$(inspect text "$HWND" $IDC_STATUS)
says "the status line's text" "$status" "$status"
# The About entry is the system menu's last item (Wine's own entry takes the
# same accelerator letter).
click_on $IDC_STATUS
xdotool key alt+space
sleep 0.5
xdotool key Up Return
ABOUT=$(inspect wait-window "Lumettoのﾊﾞｰｼﾞｮﾝ情報" 10000) || fail "no About box from the system menu"
about=$(inspect texts "$ABOUT" | grep '^Lumetto Version')
says "the About box's version text" "$about" "$about"
xdotool key Escape

echo "== memories"
if grep -qF "mem1.lst" <<<"$EN"; then
  click_on $IDC_MEMORIZE
  inspect wait-window "Dialog" 10000 >/dev/null || fail "no slot dialog after 記憶"
  xdotool key Return
  sleep 1
  check_eq "記憶 and 保存 store the playlist in mem1.lst" "$START" "$(tr -d '\r' <"$WORK/run/mem1.lst" 2>/dev/null)"
  says "where the memories go" "mem1.lst" "mem1.lst"
else
  inspect text "$HWND" $IDC_MEMORIZE >/dev/null && fail "a 記憶 button, which the readme says this edition has not"
  says "that there are no memories" "メモリー (記憶、ﾒﾓﾘ1～ﾒﾓﾘ5) もありません" "it has no memories"
fi

echo "== 隠す and the icon"
click_on $IDC_HIDE
sleep 0.5
check_eq "visible after 隠す" 0 "$(inspect visible "$HWND")"
says "what 隠す does" "「隠す」を押すとウィンドウが消えます" "\"隠す\" (hide) removes the window"
inspect tray "$HWND" left
sleep 0.5
check_eq "visible after a left-click on the icon" 1 "$(inspect visible "$HWND")"
says "what a left-click on the icon does" "アイコンを左クリックすると、ウィンドウが" "A left-click on the notification icon shows the window"

echo "== Esc"
click_on $IDC_PLAYLIST 0
xdotool key Escape
wait_gone "$PID" 30 && pass "Esc ended the program" || fail "still running 30 s after Esc"
says "that Esc ends it" "Esc キー" "the Esc key"
check_eq "default.lst after the exit: the file alone" "$START" "$(tr -d '\r' <"$WORK/run/default.lst")"
says "that the old default.lst is overwritten" "default.lst は確認なしに上書きされます" "overwritten without a question"
finish

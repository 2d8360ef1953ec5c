#!/bin/bash
# What a person sees of the real Lumetto.exe under Wine, read from pictures
# of the X screen while real X input (xdotool) drives the window:
#   - after two track changes in mid-track the seek slider shows one thumb;
#   - the dialog font draws the underscore: list rows that differ only in "_"
#     against " " look different;
#   - the default button's heavy frame goes to ﾒﾓﾘ1 on Shift+Tab, comes back
#     to 再生 on a click into the list, and Enter then plays the selection;
#   - the slot dialog's choices, whose texts differ only in their last digit,
#     look different.
#
# usage: screen_test.sh LUMETTO_EXE WINPROBE_EXE
# LUMETTO_SCREEN_KEEP=DIR keeps the screenshots there.
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "LUMETTO_EXE WINPROBE_EXE" "$@"
needs_tools xdotool import compare xwininfo sox

PIXELS="python3 $SCRIPT_DIR/screen_pixels.py"

mkdir -p "$WORK/music"
mute_audio
# Lengths that differ, so that each track change also changes the slider's scale.
for seconds in 10 20 40; do
  sox -n -r 8000 -c 1 -b 16 "$WORK/music/t$seconds.wav" synth $seconds sine 440 vol 0.3 || fatal "sox failed"
done
{
  for name in t10.wav t20.wav t40.wav my_song_01.wav "my song 01.wav"; do
    printf '%s\r\n' "$(windows_path "$WORK/music/$name")"
  done
} >"$WORK/music/default.lst"

shot=0
screenshot() {  # sets SHOT, a picture of the desktop
  shot=$((shot + 1))
  SHOT=$WORK/shot$shot.png
  import -window root "$WORK/screen.png" && convert "$WORK/screen.png" -crop 1024x768+$DX+$DY +repage "$SHOT"
  [ -n "${LUMETTO_SCREEN_KEEP:-}" ] && mkdir -p "$LUMETTO_SCREEN_KEEP" && cp "$SHOT" "$LUMETTO_SCREEN_KEEP/"
}
frame_of() { $PIXELS frame "$SHOT" $(inspect rect "$HWND" "$1"); }
differ() {  # differ RECT RECT: the two crops of SHOT differ in some pixel
  local a b
  a=$(awk '{printf "%dx%d+%d+%d", $3 - $1, $4 - $2, $1, $2}' <<<"$1")
  b=$(awk '{printf "%dx%d+%d+%d", $3 - $1, $4 - $2, $1, $2}' <<<"$2")
  convert "$SHOT" -crop "$a" +repage "$WORK/a.png" && convert "$SHOT" -crop "$b" +repage "$WORK/b.png" &&
    [ "$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1)" != 0 ]
}

# The first start also makes the prefix when it does not exist yet.
timeout 240 "$WINE_RUN" "$WINPROBE_EXE" count-windows "$CAPTION" >/dev/null
HOME="$WORK/home" start_player "$WORK/music" "$LUMETTO_EXE"
PID=$PLAYER_PID
HWND=$(inspect wait-window "$CAPTION" 30000) || fatal "no window \"$CAPTION\""
desktop_geometry || fatal "no Wine desktop window on the X screen"

echo "== two track changes in mid-track"
wait_text $IDC_TIME "00:0[5-8]" 20 || fatal "the first track did not reach 5 s"
click_on $IDC_NEXT
wait_text $IDC_STATUS "t20" 10 && wait_text $IDC_TIME "00:0[4-7]" 20 || fatal "the second track did not reach 4 s"
click_on $IDC_NEXT
wait_text $IDC_STATUS "t40" 10 || fatal "the third track did not start"
screenshot
check_eq "slider thumbs after two track changes" 1 "$($PIXELS thumbs "$SHOT" $(inspect rect "$HWND" $IDC_SEEK))"
differ "$(inspect rect "$HWND" $IDC_PLAYLIST 3)" "$(inspect rect "$HWND" $IDC_PLAYLIST 4)" &&
  pass "\"my_song_01.wav\" and \"my song 01.wav\" look different" ||
  fail "\"my_song_01.wav\" and \"my song 01.wav\" look the same: the underscore does not show"

echo "== the default button's frame"
click_on $IDC_PLAYLIST 0
for _ in 1 2 3 4 5 6; do xdotool key shift+Tab; done
sleep 0.5
screenshot
check_eq "frame on ﾒﾓﾘ1 (focused by Shift+Tab)" 1 "$(frame_of $IDC_MEM1)"
check_eq "frame on 再生 while ﾒﾓﾘ1 has it" 0 "$(frame_of $IDC_PLAY)"
click_on $IDC_PLAYLIST 0
sleep 0.5
screenshot
check_eq "frame on 再生 after a click into the list" 1 "$(frame_of $IDC_PLAY)"
check_eq "frame on ﾒﾓﾘ1 after a click into the list" 0 "$(frame_of $IDC_MEM1)"
xdotool key Return
wait_text $IDC_STATUS "t10" 5 && pass "Enter in the list plays the selected entry" ||
  fail "Enter in the list did not play the selected entry"

echo "== the slot dialog"
click_on $IDC_MEMORIZE
SLOTS=$(inspect wait-window "Dialog" 10000) || fatal "no slot dialog"
sleep 0.5
screenshot
# Slots 2 to 5 stand unchecked: their pictures differ only where their texts do.
labels=()
for id in 0 1 2 3; do labels+=("$(inspect rect "$SLOTS" $((IDC_SLOT2 + id)))"); done
alike=0
for a in 0 1 2; do
  for b in $(seq $((a + 1)) 3); do differ "${labels[$a]}" "${labels[$b]}" || alike=$((alike + 1)); done
done
check_eq "pairs of the choices メモリ2 to メモリ5 that look the same" 0 $alike
xdotool key Escape

inspect close "$HWND"
wait_gone "$PID" 30 || fail "still running 30 s after WM_CLOSE"
finish

#!/bin/bash
# End-to-end playback of the real Lumetto.exe under Wine: three short WAV
# files with distinct tones, a missing file and a corrupt .mp3 in the default
# list. The status line must name each playable track in turn and start over
# at the first; the audio that reached ALSA (captured into files, one per
# stream) must hold the tones in that order; the two bad entries are skipped
# without a message; closing ends the process cleanly.
#
# usage: playback_test.sh LUMETTO_EXE WINPROBE_EXE
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.
set -u
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "LUMETTO_EXE WINPROBE_EXE" "$@"
needs_tools sox

capture_audio
mkdir -p "$WORK/music"

for hz in 440 660 880; do
  sox -n -r 44100 -c 2 -b 16 "$WORK/music/tone$hz.wav" synth 1.5 sine $hz vol 0.5 || fatal "sox failed"
done
head -c 20000 /dev/urandom >"$WORK/music/corrupt.mp3"
for name in tone440.wav missing.mp3 tone660.wav corrupt.mp3 tone880.wav; do
  printf '%s\r\n' "$(windows_path "$WORK/music/$name")"
done >"$WORK/music/default.lst"

echo "== playing through the list"
HOME="$WORK/home" start_player "$WORK/music" "$LUMETTO_EXE"
PID=$PLAYER_PID
HWND=$(inspect wait-window "$CAPTION" 30000) || fatal "no window \"$CAPTION\""

# Titles the status line shows, repeats collapsed, until the list has started
# over. The missing file renders nothing and never shows; the corrupt one may
# show for as long as the platform says it lasts, but gives no tone.
titles=()
seen=""
deadline=$((SECONDS + 40))
while [ $SECONDS -lt $deadline ]; do
  t=$(inspect text "$HWND" $IDC_STATUS) || break
  case $t in "Harkel's Lumetto Version"*) t="" ;; esac
  if [ -n "$t" ] && [ "${seen##* }" != "$t" ]; then
    seen+=" $t"
    echo "   status line: $t"
    case $t in tone*) titles+=("$t") ;; esac
  fi
  [ ${#titles[@]} -ge 4 ] && break
  sleep 0.1
done
check_eq "playable titles in the status line" "tone440 tone660 tone880 tone440" "${titles[*]:0:4}"
case "$seen" in *missing*) fail "the missing file showed in the status line" ;; *) pass "the missing file was skipped" ;; esac
sleep 1
check_eq "message boxes shown" 0 "$(inspect count-windows Lumetto)"

inspect close "$HWND"
if wait_gone "$PID" 30; then
  wait "$PID"
  check_eq "exit code after closing while playing" 0 "$?"
else
  fail "still running 30 s after WM_CLOSE"
fi

echo "== the audio that came out"
tones=$(captured_tones 440 660 880)
echo "   tones in order: $tones"
case "$tones" in
  "440 660 880 440"*) pass "tones 440, 660, 880 Hz, then 440 again" ;;
  *) fail "tones in the captured audio: expected 440 660 880 440..., got [$tones]" ;;
esac

finish

# Shared helpers of the end-to-end tests (sourced). Each test sources this
# file, then calls e2e_start with its arguments. Sourcing sets SCRIPT_DIR
# (this folder), WINE_RUN, WINEPREFIX (the tests' own prefix), the window's
# ids and CAPTION (scripts/window-ids.sh) and the Wine helpers
# (scripts/wine-desktop.sh).

SCRIPT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WINE_RUN=${LUMETTO_WINE_RUN:-$SCRIPT_DIR/../../scripts/wine-run}
# A prefix of the tests' own, so that nothing else running under Wine can
# hold the single-instance mutex or a window with the same caption.
export WINEPREFIX=${LUMETTO_E2E_WINEPREFIX:-/tmp/lumetto-e2e-wine-$(id -u)}
. "$SCRIPT_DIR/../../scripts/window-ids.sh" || exit 1
. "$SCRIPT_DIR/../../scripts/wine-desktop.sh"

# e2e_start "VAR..." ARG...: the start every end-to-end test shares.
#   - prints the usage and exits 2 unless there is one ARG for each VAR;
#   - sets each VAR to its ARG as an absolute path;
#   - runs the script again on an X server of its own when there is no
#     display (the player has windows); exits 77 when there is none to run;
#   - stops the test when the program of the first ARG already runs in this
#     prefix (PLAYER_NAME, its file name), as it would hold the mutex;
#   - makes WORK, a fresh folder. At exit the script's own at_exit runs, if
#     it defines one, then every PLAYER_NAME left in this prefix is ended
#     (one left running would spoil the next test) and WORK goes.
e2e_start() {
  local names=$1 var first vars
  shift
  read -r -a vars <<<"$names"
  [ $# -eq ${#vars[@]} ] || { echo "usage: $0 $names" >&2; exit 2; }
  if [ -z "${DISPLAY:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "SKIP: no DISPLAY and no xvfb-run"; exit 77; }
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
  fi
  for var in "${vars[@]}"; do
    printf -v "$var" '%s' "$(readlink -f "$1")"
    shift
  done
  first=${vars[0]}
  PLAYER_NAME=$(basename "${!first}")
  [ -z "$(pids_in_prefix "$PLAYER_NAME")" ] || fatal "a $PLAYER_NAME is already running in $WINEPREFIX"
  WORK=$(mktemp -d "/tmp/lumetto-$(basename "$0" _test.sh).XXXXXX")
  trap e2e_exit EXIT
}
e2e_exit() {
  if declare -F at_exit >/dev/null; then at_exit; fi
  kill_in_prefix "$PLAYER_NAME"
  rm -rf "$WORK"
}

# needs_tools TOOL...: ends the test as skipped (77) when one is missing.
needs_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is needed"; exit 77; }
  done
}

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "SKIP: $*"; }
# Aborts the rest of the test when a step that the later checks need fails.
fatal() { fail "$*"; echo "FAIL: $(basename "$0") ($failures failed check(s), stopped early)"; exit 1; }
# Final verdict and exit code.
finish() {
  if [ "$failures" -eq 0 ]; then
    echo "PASS: $(basename "$0")"
    exit 0
  fi
  echo "FAIL: $(basename "$0") ($failures failed check(s))"
  exit 1
}

inspect() { timeout 60 "$WINE_RUN" "$WINPROBE_EXE" "$@"; }

# skip_unless_runnable EXE...: ends the test as skipped (77), with the reason,
# when Wine cannot run one of the programs here (a 32-bit one, say).
skip_unless_runnable() {
  local exe reason
  for exe in "$@"; do
    reason=$("$WINE_RUN" --why-not "$exe")
    [ -z "$reason" ] || { echo "SKIP: $reason"; exit 77; }
  done
}

# check_eq WHAT EXPECTED ACTUAL
check_eq() {
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

# wait_gone PID SECONDS: true when the process has ended within the time.
wait_gone() {
  local deadline=$((SECONDS + $2))
  while [ -e "/proc/$1" ] && [ "$(ps -o stat= -p "$1" 2>/dev/null | cut -c1)" != "Z" ]; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
  return 0
}

# start_player DIR EXE [ARGS...]: starts EXE with DIR as its current
# directory; sets PLAYER_PID (the wine-run process, whose exit code is the player's).
start_player() {
  local dir=$1
  shift
  (cd "$dir" && exec "$WINE_RUN" "$@") >/dev/null 2>&1 &
  PLAYER_PID=$!
}

# check_second_start_ends WHAT FIRST DIR EXE: starts EXE in DIR while FIRST
# runs; passes when WHAT ends by itself within 15 s, else fails and ends it.
check_second_start_ends() {
  local pid
  start_player "$3" "$4"
  pid=$PLAYER_PID
  if wait_gone "$pid" 15; then
    pass "$1 ended by itself"
  else
    fail "$1 still runs beside $2"
    kill "$pid" 2>/dev/null
  fi
}

# Sound without a sound card, for a player started with HOME=$WORK/home.
# mute_audio: what is played goes nowhere, but it is played.
mute_audio() {
  mkdir -p "$WORK/home"
  echo 'pcm.!default { type file slave.pcm "null" file "/dev/null" format "raw" }' >"$WORK/home/.asoundrc"
}
# capture_audio: ALSA's file plugin pipes each stream the player opens into
# a file of its own in $WORK/capture, for captured_tones.
capture_audio() {
  mkdir -p "$WORK/home" "$WORK/capture"
  cat >"$WORK/capture.sh" <<CAPTURE
#!/bin/sh
exec cat > "$WORK/capture/\$(date +%s%N).wav"
CAPTURE
  chmod +x "$WORK/capture.sh"
  echo "pcm.!default { type file slave.pcm \"null\" file \"|$WORK/capture.sh\" format \"wav\" }" >"$WORK/home/.asoundrc"
}
# captured_tones HZ...: the tones of those frequencies heard in the captured
# streams, stream after stream, one line.
captured_tones() {
  local f tones=""
  for f in $(ls "$WORK/capture" | sort -n); do
    tones+="$(python3 "$SCRIPT_DIR/tone_sequence.py" "$WORK/capture/$f" "$@" | tr '\n' ' ')"
  done
  echo "${tones% }"
}

# check_box WHAT PATTERN: waits for the player's message box (captioned
# "Lumetto"), checks that its text matches the glob PATTERN and closes it.
check_box() {
  local box text
  if ! box=$(inspect wait-window "Lumetto" 15000 "#32770"); then
    fail "$1: no message box captioned \"Lumetto\""
    return
  fi
  text=$(inspect text "$box" 65535 | tr '\r\n' '  ')
  # shellcheck disable=SC2053  # PATTERN is a glob on purpose
  if [[ $text == $2 ]]; then pass "$1: $text"; else fail "$1: the box says: $text"; fi
  inspect close "$box"
}

# edit_and_close HWND WHAT: stops the running player, deletes entry 0 of its
# list (if any) and closes it; fails unless the process (PLAYER_PID) ends.
# Needs EXIT_LIMIT.
edit_and_close() {
  local hwnd=$1 what=$2
  # Entries naming no file are skipped one per tick, each selected in turn:
  # stop first, or a tick may move the selection between select and delete.
  inspect command "$hwnd" "$IDC_STOP"
  inspect select "$hwnd" "$IDC_PLAYLIST" 0 && inspect command "$hwnd" "$IDC_DELETE"
  close_and_wait "$hwnd" "$what"
}

# close_and_wait HWND WHAT: closes the player's window; fails unless the
# process (PLAYER_PID) ends, and then ends it, so later checks start clean.
close_and_wait() {
  inspect close "$1" || fail "$2: WM_CLOSE could not be posted"
  wait_gone "$PLAYER_PID" "$EXIT_LIMIT" && return
  fail "$2: the player still runs $EXIT_LIMIT s after WM_CLOSE"
  kill_in_prefix "$PLAYER_NAME"
  wait_gone "$PLAYER_PID" 10
}

# tree DIR: every entry below DIR, one line each, in byte order: links with
# their targets, folders, and files with their bytes in hex.
tree() {
  (cd "$1" && find . -mindepth 1 | LC_ALL=C sort | while IFS= read -r p; do
    if [ -L "$p" ]; then echo "$p -> $(readlink "$p")"
    elif [ -d "$p" ]; then echo "$p/"
    else echo "$p: $(od -An -v -tx1 "$p" | tr -d ' \n')"; fi
  done)
}

# check_tree WHAT EXPECTED_DIR ACTUAL_DIR: both trees hold the same entries and bytes.
check_tree() {
  local expected actual
  expected=$(tree "$2")
  actual=$(tree "$3")
  if [ "$expected" = "$actual" ]; then
    pass "$1"
  else
    fail "$1:"
    diff <(echo "$expected") <(echo "$actual") | sed 's/^/    /'
  fi
}

# Real X input and where it lands: desktop_geometry (wine-desktop.sh) sets
# DX and DY, the place of the Wine desktop on the X screen.
# click_on CTRLID [ROW]: a click in the middle of a control of the window
# $HWND, or of one row of its list box.
click_on() {
  local l t r b
  read -r l t r b < <(inspect rect "$HWND" "$@") || fatal "no rectangle for control $*"
  xdotool mousemove $((DX + (l + r) / 2)) $((DY + (t + b) / 2)) click 1
}
# wait_text CTRLID PATTERN SECONDS: true once the text of the control of the
# window $HWND matches the shell pattern.
wait_text() {
  local deadline=$((SECONDS + $3)) text
  while [ $SECONDS -lt $deadline ]; do
    text=$(inspect text "$HWND" "$1")
    # shellcheck disable=SC2254
    case $text in $2) return 0 ;; esac
    sleep 0.1
  done
  return 1
}

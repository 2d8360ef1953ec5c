# Shared helpers of the end-to-end tests (sourced). They expect WINE_RUN,
# INSPECT_EXE and WINEPREFIX to be set.

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

inspect() { timeout 60 "$WINE_RUN" "$INSPECT_EXE" "$@"; }

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

# Live (not zombie) processes named NAME (the exe's file name is the Unix
# process name under Wine, cut by the kernel to 15 bytes) that run in this
# test's prefix.
our_pids() {
  local pid
  for pid in $(pgrep -x "${1:0:15}"); do
    [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = "Z" ] && continue
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
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

# in_display ARGS...: runs the calling script again under xvfb-run when there
# is no X display (the player has windows); exits 77 when neither is there.
in_display() {
  [ -n "${DISPLAY:-}" ] && return
  command -v xvfb-run >/dev/null || { echo "SKIP: no DISPLAY and no xvfb-run"; exit 77; }
  exec xvfb-run -a bash "$0" "$@"
}

# start_work NAME: makes WORK, a fresh folder that goes at exit together with
# every Lumetto.exe still running in this prefix; stops the test when one
# already runs there.
start_work() {
  [ -z "$(our_pids Lumetto.exe)" ] || fatal "a Lumetto.exe is already running in $WINEPREFIX"
  WORK=$(mktemp -d "/tmp/lumetto-$1.XXXXXX")
  trap 'for pid in $(our_pids Lumetto.exe); do kill "$pid" 2>/dev/null; done; rm -rf "$WORK"' EXIT
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
# Needs IDC_STOP, IDC_PLAYLIST, IDC_DELETE and EXIT_LIMIT.
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
  local pid
  inspect close "$1" || fail "$2: WM_CLOSE could not be posted"
  wait_gone "$PLAYER_PID" "$EXIT_LIMIT" && return
  fail "$2: the player still runs $EXIT_LIMIT s after WM_CLOSE"
  for pid in $(our_pids "$(basename "$LUMETTO_EXE")"); do kill "$pid" 2>/dev/null; done
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

# Real X input and where it lands. The Wine desktop is one X window, and the
# rectangles winprobe prints are relative to it.
# desktop_origin: sets DX and DY, the desktop's place on the X screen.
desktop_origin() {
  local geometry
  geometry=$(xwininfo -name "Default - Wine desktop" 2>/dev/null) || return 1
  DX=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
  DY=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")
}
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

#!/bin/bash
# End-to-end start-up test of the real Lumetto.exe under Wine, looked at from
# another process with winprobe:
#   - the default list (Shift_JIS names, a relative path, an empty line) is
#     shown entry for entry, byte for byte, with the version string and "停止";
#   - a second start of the same executable ends at once and leaves the first
#     alone; a copy under another name runs beside it;
#   - closing after deleting and moving entries writes the edited list to
#     default.lst, byte for byte, and leaves no temporary file;
#   - a save that cannot replace default.lst reports it in a message box,
#     keeps the old file and still lets the process end.
#
# usage: startup_test.sh LUMETTO_EXE WINPROBE_EXE
# Runs in a Wine prefix of its own (LUMETTO_E2E_WINEPREFIX, default
# /tmp/lumetto-e2e-wine-UID) so that nothing else running under Wine can hold
# the single-instance mutex or a window with the same caption.
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.

set -u
export LC_ALL=C  # byte-wise text handling in this script; wine-run sets the player's own locale
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "LUMETTO_EXE WINPROBE_EXE" "$@"

VERSION_TEXT="Harkel's Lumetto Version 1.13 (July 1st 2012)"
TIME_TEXT="停止"
WINDOW_TIMEOUT_MS=30000   # a window to become visible
SECOND_START_LIMIT=10     # seconds a second copy may take to give up
EXIT_LIMIT=30             # seconds from WM_CLOSE to the end of the process

# Hex of each line of a list file (CR LF or LF line ends), one line per entry,
# in the form winprobe's list-hex prints.
list_file_hex() {
  local line
  while IFS= read -r line || [ -n "$line" ]; do
    line=${line%$'\r'}
    printf '%s' "$line" | od -An -v -tx1 | tr -d ' \n'
    echo
  done <"$1"
}
# check_playlist HWND LIST_FILE PASS_TEXT FAIL_TEXT: the window's playlist
# holds the lines of LIST_FILE, byte for byte; a difference is shown per entry.
check_playlist() {
  list_file_hex "$2" >"$WORK/expected.hex"
  inspect list-hex "$1" $IDC_PLAYLIST >"$WORK/list.hex"
  if cmp -s "$WORK/expected.hex" "$WORK/list.hex"; then
    pass "$3"
  else
    fail "$4:"
    diff "$WORK/expected.hex" "$WORK/list.hex" | sed 's/^/    /'
  fi
}

# The renamed copy goes at exit too, and the read-only files must not stop WORK going.
at_exit() {
  kill_in_prefix LumettoB.exe
  chmod -R u+w "$WORK" 2>/dev/null
}

# ---------------------------------------------------------------------------
# Fixture: a default list in Shift_JIS with CR LF line ends.
DIR_A=$WORK/a
DIR_B=$WORK/b
mkdir -p "$DIR_A" "$DIR_B"
to_sjis() { iconv -f UTF-8 -t CP932; }
{
  printf 'C:\\Music\\表示\\ソフト.mp3\r\n' | to_sjis   # 表 = 95 5C, ソ = 83 5C: trail byte is a backslash
  printf 'D:\\ｱﾆﾒ\\ｵｰﾌﾟﾆﾝｸﾞ.wav\r\n' | to_sjis        # halfwidth katakana, single bytes A1..DF
  printf 'relative\\track 01.mp3\r\n'
  printf '\r\n'                                          # an empty entry
  printf 'E:\\曲\\能ソ\r\n' | to_sjis                     # ends in a trail byte 5C right before CR LF
  printf 'C:\\a.mp3\r\n'
} >"$DIR_A/default.lst"
cp "$DIR_A/default.lst" "$WORK/default.lst.orig"
# The fixture itself must hold the bytes the checks are about.
fixture_hex=$(od -An -v -tx1 "$DIR_A/default.lst" | tr -d ' \n')
for bytes in 955c 835c 945c b1c6d2 0d0a0d0a; do
  case $fixture_hex in
    *"$bytes"*) ;;
    *) fatal "fixture default.lst lacks the bytes $bytes (iconv without CP932?)" ;;
  esac
done
ENTRY_COUNT=6

printf 'B:\\only-in-b.mp3\r\n' >"$DIR_B/default.lst"
cp "$DIR_B/default.lst" "$WORK/b.lst.orig"
cp "$LUMETTO_EXE" "$DIR_B/LumettoB.exe"
# The key hook library travels with the program.
cp "$(dirname "$LUMETTO_EXE")/Quistel.dll" "$DIR_B/"

# ---------------------------------------------------------------------------
echo "== first start: window, texts and list"
# The first call also makes the prefix when it does not exist yet, which takes a while.
before=$(timeout 240 "$WINE_RUN" "$WINPROBE_EXE" count-windows "$CAPTION")
[ "$before" = "0" ] || fatal "found $before window(s) captioned \"$CAPTION\" before the start"

start_player "$DIR_A" "$LUMETTO_EXE"
PID_A=$PLAYER_PID
HWND_A=$(inspect wait-window "$CAPTION" $WINDOW_TIMEOUT_MS) ||
  fatal "no visible window \"$CAPTION\" within $((WINDOW_TIMEOUT_MS / 1000)) s"
pass "main window visible ($HWND_A)"

check_eq "caption" "$CAPTION" "$(inspect caption "$HWND_A")"
check_eq "status line" "$VERSION_TEXT" "$(inspect text "$HWND_A" $IDC_STATUS)"
check_eq "time field" "$TIME_TEXT" "$(inspect text "$HWND_A" $IDC_TIME)"

check_playlist "$HWND_A" "$WORK/default.lst.orig" \
  "playlist holds the $ENTRY_COUNT lines of default.lst, byte for byte (code page 932)" \
  "playlist differs from default.lst (hex per entry; < file, > list)"

# ---------------------------------------------------------------------------
echo "== second start of the same executable"
start_player "$DIR_A" "$LUMETTO_EXE"
PID_SECOND=$PLAYER_PID
started=$SECONDS
if wait_gone "$PID_SECOND" $SECOND_START_LIMIT; then
  second_ended=yes
  pass "second copy ended by itself after about $((SECONDS - started)) s"
else
  second_ended=no
  fail "second copy still running after $SECOND_START_LIMIT s"
fi
check_eq "windows captioned \"$CAPTION\" after the second start" 1 "$(inspect count-windows "$CAPTION")"
[ $second_ended = yes ] || kill "$PID_SECOND" 2>/dev/null
if wait_gone "$PID_A" 0; then
  fatal "the first copy ended when the second started"
fi
pass "first copy still running"
check_playlist "$HWND_A" "$WORK/default.lst.orig" "first copy's playlist unchanged by the second start" \
  "first copy's playlist changed by the second start"

# ---------------------------------------------------------------------------
echo "== a copy under another name runs beside the first"
start_player "$DIR_B" "$DIR_B/LumettoB.exe"
PID_B=$PLAYER_PID
deadline=$((SECONDS + WINDOW_TIMEOUT_MS / 1000))
count=$(inspect count-windows "$CAPTION")
while [ "$count" != "2" ] && [ $SECONDS -lt $deadline ] && ! wait_gone "$PID_B" 0; do
  sleep 0.2
  count=$(inspect count-windows "$CAPTION")
done
check_eq "windows captioned \"$CAPTION\" with LumettoB.exe running" 2 "$count"

# ---------------------------------------------------------------------------
echo "== editing the list, then closing"
# Entries 0-5 -> delete entry 0 -> 1 2 3 4 5 -> move 4 up -> 1 2 4 3 5: the
# save at exit must write the list as edited, not the file it read.
inspect select "$HWND_A" $IDC_PLAYLIST 0 || fail "could not select entry 0"
inspect command "$HWND_A" $IDC_DELETE || fail "could not press the delete button"
deadline=$((SECONDS + 10))
while [ "$(inspect list-count "$HWND_A" $IDC_PLAYLIST)" != $((ENTRY_COUNT - 1)) ] && [ $SECONDS -lt $deadline ]; do
  sleep 0.2
done
inspect select "$HWND_A" $IDC_PLAYLIST 3 || fail "could not select entry 3"
inspect command "$HWND_A" $IDC_UP || fail "could not press the up button"
{ sed -n 2,3p "$WORK/default.lst.orig"; sed -n 5p "$WORK/default.lst.orig"; sed -n 4p "$WORK/default.lst.orig"
  sed -n 6p "$WORK/default.lst.orig"; } >"$WORK/default.lst.edited"
inspect close "$HWND_A" || fail "WM_CLOSE could not be posted to $HWND_A"
if wait_gone "$PID_A" $EXIT_LIMIT; then
  pass "Lumetto.exe ended after WM_CLOSE"
else
  fail "Lumetto.exe still running $EXIT_LIMIT s after WM_CLOSE"
fi

HWND_B=$(inspect wait-window "$CAPTION" 5000) || HWND_B=""
if [ -n "$HWND_B" ]; then
  check_playlist "$HWND_B" "$WORK/b.lst.orig" "LumettoB.exe read the default.lst of its own directory" \
    "LumettoB.exe's playlist differs from its default.lst"
  inspect close "$HWND_B" || fail "WM_CLOSE could not be posted to $HWND_B"
else
  fail "LumettoB.exe's window is gone before it was closed"
fi
if wait_gone "$PID_B" $EXIT_LIMIT; then
  pass "LumettoB.exe ended after WM_CLOSE"
else
  fail "LumettoB.exe still running $EXIT_LIMIT s after WM_CLOSE"
fi
left=$(pids_in_prefix Lumetto.exe; pids_in_prefix LumettoB.exe)
check_eq "player processes left in this prefix" "" "$left"

# check_dir_after_save DIR ORIGINAL
check_dir_after_save() {
  if cmp "$2" "$1/default.lst"; then
    pass "$(basename "$1")/default.lst holds the list as expected, byte for byte"
  else
    fail "$(basename "$1")/default.lst differs after the save:"
    echo "    expected: $(od -An -v -tx1 "$2" | tr -d '\n')"
    echo "    actual:   $(od -An -v -tx1 "$1/default.lst" 2>&1 | tr -d '\n')"
  fi
  check_eq "files beside $(basename "$1")/default.lst after the save" "$3" "$(cd "$1" && ls -A | tr '\n' ' ')"
}
check_dir_after_save "$DIR_A" "$WORK/default.lst.edited" "default.lst "
check_dir_after_save "$DIR_B" "$WORK/b.lst.orig" "LumettoB.exe Quistel.dll default.lst "

# ---------------------------------------------------------------------------
# exercise_failed_save DIR WHAT [edit]: starts the player in DIR (with "edit",
# deletes entry 0 so that a save that went through would change default.lst),
# closes it and expects the save to fail: a message box captioned with the
# executable name, and the process ending once the box is dismissed.
exercise_failed_save() {
  local dir=$1 what=$2 edit=${3:-} hwnd box pid
  start_player "$dir" "$LUMETTO_EXE"
  pid=$PLAYER_PID
  hwnd=$(inspect wait-window "$CAPTION" $WINDOW_TIMEOUT_MS) || { fail "$what: no main window"; kill "$pid"; return; }
  if [ "$edit" = edit ]; then
    inspect select "$hwnd" $IDC_PLAYLIST 0 || fail "$what: could not select entry 0"
    inspect command "$hwnd" $IDC_DELETE || fail "$what: could not press the delete button"
    check_eq "$what: entries after deleting entry 0" $((ENTRY_COUNT - 1)) \
      "$(inspect list-count "$hwnd" $IDC_PLAYLIST)"
  fi
  inspect close "$hwnd"
  if box=$(inspect wait-window "Lumetto" 15000 "#32770"); then
    pass "$what: message box \"Lumetto\" shown at exit: $(inspect text "$box" 65535 | tr '\r\n' '  ')"
    inspect close "$box"
  else
    fail "$what: no message box captioned \"Lumetto\" within 15 s of WM_CLOSE"
  fi
  if wait_gone "$pid" $EXIT_LIMIT; then
    pass "$what: process ended"
  else
    fail "$what: process still running $EXIT_LIMIT s after WM_CLOSE"
    kill "$pid" 2>/dev/null
  fi
}

echo "== read-only default.lst"
# The player itself refuses to replace a read-only list (Wine's rename would
# replace it regardless), so the old content must survive here too.
DIR_RO=$WORK/ro
mkdir -p "$DIR_RO"
cp "$WORK/default.lst.orig" "$DIR_RO/default.lst"
chmod a-w "$DIR_RO/default.lst"
exercise_failed_save "$DIR_RO" "read-only default.lst" edit
check_dir_after_save "$DIR_RO" "$WORK/default.lst.orig" "default.lst "

echo "== default.lst that cannot be replaced (a folder of that name)"
# No list can be read from it at start-up, and the save at exit cannot rename
# anything over it; the folder and what it holds must stay as they were.
DIR_FOLDER=$WORK/folder
mkdir -p "$DIR_FOLDER/default.lst"
cp "$WORK/default.lst.orig" "$DIR_FOLDER/default.lst/keep.lst"
exercise_failed_save "$DIR_FOLDER" "default.lst is a folder"
if [ -d "$DIR_FOLDER/default.lst" ] && cmp -s "$WORK/default.lst.orig" "$DIR_FOLDER/default.lst/keep.lst"; then
  pass "default.lst is a folder: folder and content kept"
else
  fail "default.lst is a folder: the folder or its content changed"
fi
check_eq "default.lst is a folder: files left beside it" "default.lst " "$(cd "$DIR_FOLDER" && ls -A | tr '\n' ' ')"

finish

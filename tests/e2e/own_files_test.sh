#!/bin/bash
# The real Lumetto.exe writes only the files it means to. Each case compares
# the whole work tree (every file's bytes, every folder and link) with the
# tree it expects: runs in "Café" beside "Cafe" and in "음악"; default.lst
# linked into "Müsik" beside "Musik", and linked to a missing file; links
# planted under default.lst.tmp and mem1.lst.tmp; start paths "Björk" beside
# "Bjork", "노래", and one that names nothing.
#
# usage: own_files_test.sh LUMETTO_EXE WINPROBE_EXE
# Exit code: 0 all checks passed, 1 a check failed, 77 cannot run here.
set -u
export LC_ALL=C.UTF-8
. "$(dirname "$0")/e2e_lib.sh"
e2e_start "LUMETTO_EXE WINPROBE_EXE" "$@"

WINDOW_TIMEOUT_MS=30000
EXIT_LIMIT=30

lst() { printf '%s\r\n' "$@"; }

# run_player CASE DIR [START_PATH]: starts the player in DIR and waits for its window (HWND).
run_player() {
  start_player "$2" "$LUMETTO_EXE" ${3+"$3"}
  HWND=$(inspect wait-window "$CAPTION" $WINDOW_TIMEOUT_MS) || fatal "$1: no main window"
  inspect command "$HWND" $IDC_STOP
}

# memorize CASE: saves the playlist to slot 1 through the slot dialog.
memorize() {
  local dlg
  inspect command "$HWND" $IDC_MEMORIZE
  dlg=$(inspect wait-window "Dialog" 15000 "#32770") || { fail "$1: no slot dialog"; return; }
  inspect command "$dlg" 1  # OK: the dialog opens on slot 1
  for _ in $(seq 1 100); do inspect visible "$dlg" >/dev/null 2>&1 || break; sleep 0.1; done
}

# Each case builds its tree twice: as the player finds it (run/) and as it
# must be left (expect/).
new_case() {
  CASE=$1
  RUN=$WORK/$CASE/run
  EXPECT=$WORK/$CASE/expect
  mkdir -p "$RUN" "$EXPECT"
}
both() { (cd "$RUN" && eval "$1") && (cd "$EXPECT" && eval "$1"); }

echo "== a folder with é beside its look-alike"
new_case cafe
both 'mkdir Café Cafe && lst C:\\cafe\\a.mp3 C:\\cafe\\b.mp3 C:\\cafe\\c.mp3 >Café/default.lst &&
      lst C:\\twin\\x.mp3 >Cafe/default.lst && lst C:\\twin\\slot.mp3 >Cafe/mem1.lst'
(cd "$EXPECT" && lst C:\\cafe\\b.mp3 C:\\cafe\\c.mp3 >Café/default.lst && cp Café/default.lst Café/mem1.lst)
run_player cafe "$RUN/Café"
inspect select "$HWND" $IDC_PLAYLIST 0 && inspect command "$HWND" $IDC_DELETE
memorize cafe
close_and_wait "$HWND" cafe
check_tree "Café: the saves went to Café, Cafe is untouched" "$EXPECT" "$RUN"

echo "== a folder of Hangul letters, run after run"
new_case hangul
both 'mkdir 음악'
run_player "hangul, first run" "$RUN/음악" 'C:\hangul\a.mp3'
close_and_wait "$HWND" "hangul, first run"
run_player "hangul, second run" "$RUN/음악"
memorize "hangul, second run"
inspect select "$HWND" $IDC_PLAYLIST 0 && inspect command "$HWND" $IDC_DELETE
close_and_wait "$HWND" "hangul, second run"
(cd "$EXPECT" && : >음악/default.lst && lst C:\\hangul\\a.mp3 >음악/mem1.lst)
check_tree "음악: the second run's saves went to its own folder" "$EXPECT" "$RUN"

echo "== default.lst a link into a folder with ü beside its look-alike"
new_case link
both 'mkdir player Müsik Musik && ln -s ../Müsik/list.lst player/default.lst &&
      lst C:\\music\\a.mp3 C:\\music\\b.mp3 >Müsik/list.lst && lst C:\\twin\\x.mp3 >Musik/list.lst'
(cd "$EXPECT" && lst C:\\music\\b.mp3 >Müsik/list.lst)
run_player link "$RUN/player"
edit_and_close "$HWND" link
check_tree "link: saved through to Müsik, the link stays, Musik is untouched" "$EXPECT" "$RUN"

echo "== default.lst a link to a missing file"
new_case dangling
both 'mkdir player elsewhere && ln -s ../elsewhere/new.lst player/default.lst'
(cd "$EXPECT" && lst C:\\dangling\\a.mp3 >elsewhere/new.lst)
run_player dangling "$RUN/player" 'C:\dangling\a.mp3'
close_and_wait "$HWND" dangling
check_tree "dangling link: its file is created, the link stays" "$EXPECT" "$RUN"

echo "== links planted under the temporary names"
new_case planted
both 'mkdir player && lst "not the player'"'"'s" >victim.txt && lst "nor this" >victim2.txt &&
      lst C:\\p\\a.mp3 C:\\p\\b.mp3 >player/default.lst'
(cd "$RUN" && ln -s ../victim.txt player/default.lst.tmp && ln -s ../victim2.txt player/mem1.lst.tmp)
(cd "$EXPECT" && lst C:\\p\\b.mp3 >player/default.lst && cp player/default.lst player/mem1.lst)
run_player planted "$RUN/player"
inspect select "$HWND" $IDC_PLAYLIST 0 && inspect command "$HWND" $IDC_DELETE
memorize planted
close_and_wait "$HWND" planted
check_tree "planted links: the files they led to are untouched, the links are gone" "$EXPECT" "$RUN"

echo "== start paths outside the code page"
new_case start
both 'mkdir run Björk Bjork 노래 && : >Björk/from-bjoerk.mp3 && : >Bjork/from-twin.mp3 && : >노래/from-norae.mp3 &&
      lst C:\\default\\never.mp3 >run/default.lst'
for pair in "Björk from-bjoerk.mp3" "노래 from-norae.mp3"; do
  folder=${pair% *}
  run_player "start $folder" "$RUN/run" "$(windows_path "$RUN/$folder")"
  entries=$(inspect list "$HWND" $IDC_PLAYLIST)
  check_eq "start $folder: the list is that folder's one file ($entries)" "${pair#* }" "${entries##*\\}"
  close_and_wait "$HWND" "start $folder"
  saved=$(tr -d '\r' <"$RUN/run/default.lst")
  check_eq "start $folder: the exit saves the entry shown" "$entries" "$saved"
done
# A start path that no 8-bit path reaches (it names nothing, so it has no
# short name): the user is told, and the run goes on without it.
start_player "$RUN/run" "$LUMETTO_EXE" "$(windows_path "$RUN/없는 폴더")"
check_box "start path no 8-bit path reaches: the user is told" '*起動時に指定された*'
HWND=$(inspect wait-window "$CAPTION" $WINDOW_TIMEOUT_MS) || fatal "unreachable start path: no main window"
check_eq "unreachable start path: the list is default.lst's" "$saved" "$(inspect list "$HWND" $IDC_PLAYLIST)"
close_and_wait "$HWND" "unreachable start path"
(cd "$EXPECT" && printf '%s\r\n' "$saved" >run/default.lst)
check_tree "start paths: nothing but default.lst changed" "$EXPECT" "$RUN"

finish

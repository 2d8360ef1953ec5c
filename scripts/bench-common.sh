# Helpers of the benchmark sections that start the player in a Wine virtual
# desktop and watch it from outside (sourced after wine-desktop.sh and
# window-ids.sh, with use_desktop called). The sourcing script sets EXE,
# INSPECT (winprobe), WINE_RUN, WINEPREFIX, EXE_NAME and WORK.

now_ms() { date +%s%3N; }

# print_binary_sizes FILE...: the size of each shipped binary against its target.
print_binary_sizes() {
  local file name target
  for file in "$@"; do
    name=$(basename "$file")
    case $name in
      Lumetto.exe | LumettoCompact.exe) target=512 ;;
      Quistel.dll) target=16 ;;
      *) target= ;;
    esac
    if [ -f "$file" ]; then
      printf '%-44s %6s KiB (%s bytes%s)\n' "size of $name:" "$((($(stat -c %s "$file") + 1023) / 1024))" \
        "$(stat -c %s "$file")" "${target:+; target <= $target KiB}"
    else
      printf '%-44s %6s     (%s not built)\n' "size of $name:" "n/a" "$file"
    fi
  done
}

# print_imports EXE: the DLLs the program imports, each marked unless every Windows carries it.
print_imports() {
  local system=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll comdlg32.dll ole32.dll
    oleaut32.dll ws2_32.dll wsock32.dll winmm.dll msvcrt.dll shlwapi.dll version.dll imm32.dll uxtheme.dll ntdll.dll
    ucrtbase.dll " dll lower
  echo "imported DLLs of $(basename "$1"):"
  LC_ALL=C x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print $3 }' | while read -r dll; do
    lower=$(tr 'A-Z' 'a-z' <<<"$dll")
    case $system in
      *[[:space:]]"$lower"[[:space:]]*) echo "  $dll" ;;
      *) case $lower in
           api-ms-win-*) echo "  $dll" ;;
           quistel.dll) echo "  $dll   (the project's own key hook library, shipped beside it)" ;;
           *) echo "  $dll   <-- not a Windows system DLL" ;;
         esac ;;
    esac
  done
}

# one_run DIR EXPECTED_COUNT [ARG...]: starts the player in DIR with the
# arguments, prints "process_ms launch_ms exit_ms".
one_run() {
  local dir=$1 expected=$2 poll=$WORK/poll.out start hwnd process_ms seen_ms count exit_ms deadline
  shift 2
  rm -f "$poll"
  # The watcher polls before the player starts, so the first sighting is the real one.
  (in_desktop "$INSPECT" time-to-window "$CAPTION" 60000 >"$poll" 2>/dev/null &)
  wait_for_desktop 60 || { echo "$0: the virtual desktop did not appear" >&2; exit 1; }
  sleep 1
  start=$(now_ms)
  launch_in_desktop "$dir" "$EXE" "$@"
  deadline=$((SECONDS + 60))
  until [ -s "$poll" ] && grep -q $'\n' "$poll" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && { echo "$0: no window within 60 s" >&2; exit 1; }
    sleep 0.05
  done
  read -r hwnd process_ms seen_ms <"$poll"
  count=$(in_desktop "$INSPECT" list-count "$hwnd" $IDC_PLAYLIST)
  [ "$count" = "$expected" ] || echo "warning: the list holds $count entries, expected $expected" >&2
  exit_ms=$(in_desktop "$INSPECT" close-wait "$hwnd" 300000)
  wait_prefix_free "$EXE_NAME" 60 || { echo "$0: $EXE_NAME still running after its window closed" >&2; exit 1; }
  echo "$process_ms $((seen_ms - start)) $exit_ms"
}


# write_long_list FILE N: a list file of N plausible paths, a third of them
# Japanese, in Shift_JIS with CR LF.
write_long_list() {
  awk -v n="$2" 'BEGIN {
    for (i = 0; i < n; i++)
      if (i % 3 == 0) printf "D:\\音楽\\アーティスト %03d\\アルバム %02d\\%05d ソフトな雨.mp3\r\n", i % 500, i % 40, i
      else printf "D:\\Music\\Artist %03d\\Album %02d\\%05d Track title.mp3\r\n", i % 500, i % 40, i
  }' | iconv -f UTF-8 -t CP932 >"$1"
}

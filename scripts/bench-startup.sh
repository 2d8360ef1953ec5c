#!/bin/bash
# Start-up and exit figures of the player, and the sizes of the shipped binaries.
#
# usage: scripts/bench-startup.sh [LUMETTO_EXE [WINPROBE_EXE]]
#   LUMETTO_EXE     default: build/x64/player/Lumetto.exe under the repository root
#   WINPROBE_EXE  default: tests/tools/winprobe.exe in the same build tree
#   BENCH_RUNS      runs per case (default 5); medians are printed
#   BENCH_ENTRIES   entries of the long list (default 100000)
# Prints figures only, no verdict. The player runs in a Wine virtual desktop:
# outside one, Wine itself holds every exiting GUI process for about 2 seconds
# (4 with a notification icon), which would drown the time of the save.
# Wine prefix: LUMETTO_STARTUP_BENCH_WINEPREFIX, default
# /tmp/lumetto-startup-bench-wine-UID (made on first use).
#
# Figures:
#   start-up   creation of the player's process -> its main window first seen
#              visible (the window is shown only after the list was read);
#              also from the launch command -> visible, Wine's loader included
#   exit       WM_CLOSE posted -> the process has ended (the list is saved then)
#   save       exit with the long list minus exit with an empty list
set -euo pipefail

REPO=$(cd "$(dirname "$0")/.." && pwd)
EXE=$(readlink -f "${1:-$REPO/build/x64/player/Lumetto.exe}")
INSPECT=$(readlink -f "${2:-$(dirname "$EXE")/../tests/tools/winprobe.exe}")
WINE_RUN=$REPO/scripts/wine-run
RUNS=${BENCH_RUNS:-5}
ENTRIES=${BENCH_ENTRIES:-100000}
for f in "$EXE" "$INSPECT"; do
  [ -f "$f" ] || { echo "$0: $f not found (build it first)" >&2; exit 1; }
done
command -v xwininfo >/dev/null || { echo "$0: xwininfo is needed" >&2; exit 1; }

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$EXE" "$INSPECT"
fi

export WINEPREFIX=${LUMETTO_STARTUP_BENCH_WINEPREFIX:-/tmp/lumetto-startup-bench-wine-$(id -u)}
DESKTOP_NAME=lumetto-startup-bench
DESKTOP="/desktop=$DESKTOP_NAME,800x600"
CAPTION="Harkel's Lumetto"
EXE_NAME=$(basename "$EXE")
IDC_PLAYLIST=1003

BENCH_NAME=lumetto-startup-bench
# shellcheck source=scripts/bench-common.sh
source "$REPO/scripts/bench-common.sh"

# Lists: an empty one and a long one of plausible paths, in Shift_JIS.
mkdir -p "$WORK/empty" "$WORK/long"
: >"$WORK/empty/default.lst"
write_long_list "$WORK/long.lst" "$ENTRIES"
cp "$WORK/long.lst" "$WORK/long/default.lst"

echo "Lumetto start-up and exit ($RUNS runs per case, medians; Wine virtual desktop)"
echo "executable: $EXE"
echo "long list:  $ENTRIES entries, $(($(stat -c %s "$WORK/long.lst") / 1024)) KiB"
echo

one_run "$WORK/empty" 0 >/dev/null  # warm-up: Wine's prefix, desktop and caches

for case in empty long; do
  expected=0
  [ $case = long ] && expected=$ENTRIES
  : >"$WORK/$case.runs"
  for i in $(seq 1 "$RUNS"); do
    [ $case = long ] && cp "$WORK/long.lst" "$WORK/long/default.lst"
    one_run "$WORK/$case" $expected | tee -a "$WORK/$case.runs" | sed "s/^/  $case run $i: process->visible, launch->visible, exit (ms): /"
  done
done
if cmp -s "$WORK/long.lst" "$WORK/long/default.lst"; then
  echo "  long list written back unchanged at exit"
else
  echo "  warning: the long list was not written back unchanged"
fi
echo

col() { awk -v c="$1" '{ print $c }' "$2" | median; }
start_empty=$(col 1 "$WORK/empty.runs")
start_long=$(col 1 "$WORK/long.runs")
launch_empty=$(col 2 "$WORK/empty.runs")
launch_long=$(col 2 "$WORK/long.runs")
exit_empty=$(col 3 "$WORK/empty.runs")
exit_long=$(col 3 "$WORK/long.runs")

printf '%-44s %6s ms   (launch -> visible %s ms)\n' "start-up, empty list:" "$start_empty" "$launch_empty"
printf '%-44s %6s ms   (launch -> visible %s ms)\n' "start-up, $ENTRIES entries:" "$start_long" "$launch_long"
printf '%-44s %6s      (target <= 2.0; launch -> visible %s)\n' "start-up ratio $ENTRIES / empty:" \
  "$(awk -v a="$start_long" -v b="$start_empty" 'BEGIN { printf "%.2f", a / b }')" \
  "$(awk -v a="$launch_long" -v b="$launch_empty" 'BEGIN { printf "%.2f", a / b }')"
printf '%-44s %6s ms\n' "exit (WM_CLOSE -> process end), empty list:" "$exit_empty"
printf '%-44s %6s ms\n' "exit (WM_CLOSE -> process end), $ENTRIES:" "$exit_long"
printf '%-44s %6s ms\n' "save of $ENTRIES entries (difference):" "$((exit_long - exit_empty))"
echo

print_binary_sizes "$EXE" "$(dirname "$EXE")/Quistel.dll" "$REPO/build/i686/player/LumettoCompact.exe"
# DLLs that every Windows installation carries.
system_dlls=" $(echo kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll comdlg32.dll \
  ole32.dll oleaut32.dll ws2_32.dll wsock32.dll winmm.dll msvcrt.dll shlwapi.dll version.dll imm32.dll \
  uxtheme.dll ntdll.dll ucrtbase.dll) "
echo "imported DLLs:"
x86_64-w64-mingw32-objdump -p "$EXE" | awk '/DLL Name:/ { print $3 }' | while read -r dll; do
  lower=$(tr 'A-Z' 'a-z' <<<"$dll")
  case "$system_dlls" in
    *" $lower "*) echo "  $dll" ;;
    *)
      case $lower in
        api-ms-win-*) echo "  $dll" ;;
        quistel.dll) echo "  $dll   (the project's own key hook library, shipped beside it)" ;;
        *) echo "  $dll   <-- not a Windows system DLL" ;;
      esac
      ;;
  esac
done

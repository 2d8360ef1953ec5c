#!/bin/bash
# Track-intake figures: start-up with a folder of many MP3 names on the
# command line against start-up with an empty folder, and the time a running
# window takes to handle a drop of as many files.
#
# usage: scripts/bench-intake.sh [LUMETTO_EXE [WINPROBE_EXE]]
#   BENCH_RUNS   runs per case (default 5); medians are printed
#   BENCH_FILES  files in the folder and the drop (default 10000)
# Prints figures only, no verdict. Wine prefix: LUMETTO_INTAKE_BENCH_WINEPREFIX,
# default /tmp/lumetto-intake-bench-wine-UID (made on first use).
set -euo pipefail

REPO=$(cd "$(dirname "$0")/.." && pwd)
EXE=$(readlink -f "${1:-$REPO/build/x64/player/Lumetto.exe}")
INSPECT=$(readlink -f "${2:-$(dirname "$EXE")/../tests/tools/winprobe.exe}")
DROP_BENCH=$(readlink -f "$(dirname "$EXE")/../bench/drop_intake.exe")
WINE_RUN=$REPO/scripts/wine-run
RUNS=${BENCH_RUNS:-5}
FILES=${BENCH_FILES:-10000}
for f in "$EXE" "$INSPECT" "$DROP_BENCH"; do
  [ -f "$f" ] || { echo "$0: $f not found (build it first)" >&2; exit 1; }
done
command -v xwininfo >/dev/null || { echo "$0: xwininfo is needed" >&2; exit 1; }

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$EXE" "$INSPECT"
fi

export WINEPREFIX=${LUMETTO_INTAKE_BENCH_WINEPREFIX:-/tmp/lumetto-intake-bench-wine-$(id -u)}
DESKTOP_NAME=lumetto-intake-bench
DESKTOP="/desktop=$DESKTOP_NAME,800x600"
CAPTION="Harkel's Lumetto"
EXE_NAME=$(basename "$EXE")
IDC_PLAYLIST=1003
BENCH_NAME=lumetto-intake-bench
# shellcheck source=scripts/bench-common.sh
source "$REPO/scripts/bench-common.sh"

windows_path() { echo "Z:${1//\//\\}"; }

# Empty files are enough: start-up searches names; the first one then fails to play.
mkdir -p "$WORK/empty" "$WORK/many" "$WORK/cwd"
(cd "$WORK/many" && seq -f "%05g Track title.mp3" 0 $((FILES - 1)) | xargs -d '\n' touch)

echo "Lumetto track intake ($RUNS runs per case, medians; Wine virtual desktop)"
echo "executable: $EXE"
echo

one_run "$WORK/cwd" 0 "$(windows_path "$WORK/empty")" >/dev/null  # warm-up

for case in empty many; do
  expected=0
  [ $case = many ] && expected=$FILES
  : >"$WORK/$case.runs"
  for i in $(seq 1 "$RUNS"); do
    rm -f "$WORK/cwd/default.lst"
    one_run "$WORK/cwd" $expected "$(windows_path "$WORK/$case")" | tee -a "$WORK/$case.runs" |
      sed "s/^/  $case folder run $i: process->visible, launch->visible, exit (ms): /"
  done
done
echo

col() { awk -v c="$1" '{ print $c }' "$2" | median; }
start_empty=$(col 1 "$WORK/empty.runs")
start_many=$(col 1 "$WORK/many.runs")
printf '%-44s %6s ms\n' "start-up, empty folder:" "$start_empty"
printf '%-44s %6s ms\n' "start-up, folder of $FILES MP3 names:" "$start_many"
printf '%-44s %6s      (target <= 3.0)\n' "start-up ratio $FILES / empty:" \
  "$(awk -v a="$start_many" -v b="$start_empty" 'BEGIN { printf "%.2f", a / b }')"
echo

# The drop runs in-process on the real window: a drop handle cannot cross processes.
(cd "$WORK/cwd" && "$WINE_RUN" "$DROP_BENCH" "$FILES") 2>/dev/null | tr -d '\r'

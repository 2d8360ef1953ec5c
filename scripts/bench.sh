#!/bin/bash
# Every benchmark of the player in one run, printed as one markdown table.
# Each figure of the player is measured beside its anchor in the same run,
# the two alternating round by round (never all of one, then all of the
# other); the table gives the medians of the rounds, their ratio, the target
# and the spread (min-max) of the rounds on each side.
#
# usage: scripts/bench.sh [BUILD_DIR]     (default build/x64, made by scripts/build.sh)
#   BENCH_ROUNDS        rounds per figure (default 5; fewer are refused)
#   BENCH_SWITCHES      track switches per round (default 40)
#   BENCH_PLAY_SECONDS  window of steady playback per round for CPU and memory (default 20)
#   BENCH_ENTRIES       entries of the long list (default 100000)
#   BENCH_FILES         files in the folder for the intake figures (default 10000)
#   BENCH_ONLY          the sections to run, of: startup drops switch playback
#                       (default all); the table has only their rows
# Also prints the sizes of the shipped binaries and the DLLs the player imports.
# Wine prefix: LUMETTO_BENCH_WINEPREFIX, default /tmp/lumetto-bench-wine-UID
# (made on first use). Everything runs in one Wine virtual desktop; sound
# goes to /dev/null through ALSA.
#
# Prints figures and asserts no target. Exit status 1 when a figure could not
# be measured (a process not found, a reference of zero): its row says
# "error" and stderr says why. A ratio is never taken against zero.
set -euo pipefail

REPO=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(readlink -f "${1:-$REPO/build/x64}")
ROUNDS=${BENCH_ROUNDS:-5}
SWITCHES=${BENCH_SWITCHES:-40}
PLAY_SECONDS=${BENCH_PLAY_SECONDS:-20}
ENTRIES=${BENCH_ENTRIES:-100000}
FILES=${BENCH_FILES:-10000}
ONLY=${BENCH_ONLY:-startup drops switch playback}
[ "$ROUNDS" -ge 5 ] || { echo "$0: at least 5 rounds (BENCH_ROUNDS=$ROUNDS)" >&2; exit 2; }
for section in $ONLY; do
  case $section in startup | drops | switch | playback) ;; *) echo "$0: no section '$section' (BENCH_ONLY)" >&2; exit 2 ;; esac
done
section_runs() { [[ " $ONLY " == *" $1 "* ]]; }
[ "$PLAY_SECONDS" -le 24 ] || { echo "$0: BENCH_PLAY_SECONDS must leave the 30 s track playing (<= 24)" >&2; exit 2; }

EXE=$BUILD/player/Lumetto.exe
INSPECT=$BUILD/tests/tools/winprobe.exe
ANCHOR=$BUILD/bench/anchor_dlg.exe
REF_PLAY=$BUILD/bench/ref_play.exe
SWITCH=$BUILD/bench/switch_latency.exe
DROP_BENCH=$BUILD/bench/drop_intake.exe
for f in "$EXE" "$INSPECT" "$ANCHOR" "$REF_PLAY" "$SWITCH" "$DROP_BENCH"; do
  [ -f "$f" ] || { echo "$0: $f not found (build it first: scripts/build.sh)" >&2; exit 2; }
done
for tool in xwininfo sox lame; do
  command -v $tool >/dev/null || { echo "$0: $tool is needed" >&2; exit 2; }
done

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

export WINEPREFIX=${LUMETTO_BENCH_WINEPREFIX:-/tmp/lumetto-bench-wine-$(id -u)}
WINE_RUN=$REPO/scripts/wine-run
# shellcheck source=scripts/window-ids.sh
source "$REPO/scripts/window-ids.sh"
# shellcheck source=scripts/wine-desktop.sh
source "$REPO/scripts/wine-desktop.sh"
# shellcheck source=scripts/bench-common.sh
source "$REPO/scripts/bench-common.sh"
use_desktop lumetto-bench
ANCHOR_CAPTION="Lumetto start-up anchor"
EXE_NAME=$(basename "$EXE")

WORK=$(mktemp -d /tmp/lumetto-bench.XXXXXX)
trap 'kill_in_prefix anchor_dlg.exe ref_play.exe drop_intake.exe "$EXE_NAME"; rm -rf "$WORK"' EXIT
refuse_running "$EXE_NAME"

export HOME=$WORK/home
mkdir -p "$HOME"
echo 'pcm.!default { type file slave.pcm "null" file "/dev/null" format "raw" }' >"$HOME/.asoundrc"

# ---- results ------------------------------------------------------------------
# $WORK/res/KEY.lumetto and KEY.anchor hold one figure per round; KEY.error the
# reason a figure could not be measured.
mkdir -p "$WORK/res"
record() { echo "$3" >>"$WORK/res/$1.$2"; }
fail_figure() {
  echo "$0: $1: $2" >&2
  [ -f "$WORK/res/$1.error" ] || echo "$2" >"$WORK/res/$1.error"
}
# A figure of a round: a number, or a failure of the figure.
is_number() { [[ $1 =~ ^-?[0-9]+(\.[0-9]+)?$ ]]; }
take() {  # take KEY SIDE VALUE WHAT
  local said
  if is_number "$3"; then
    record "$1" "$2" "$3"
  else
    said=$(grep -v '^ALSA lib' "$WORK/last.err" 2>/dev/null | tail -1 | tr -d '\r|')
    fail_figure "$1" "$4 gave no figure (got '${3:0:60}'${said:+; it said: ${said:0:120}})"
  fi
}

# The output of a program run in the desktop, without carriage returns; what
# it said on stderr is kept in $WORK/last.err for the reason of a failure.
run_in_desktop() { in_desktop "$@" 2>"$WORK/last.err" | tr -d '\r'; }
# The same for a program that needs no window of the desktop's: started
# without explorer, it is spared the X errors that sometimes end a program
# started through it on a busy machine.
run_plain() { timeout 300 "$WINE_RUN" "$@" 2>"$WORK/last.err" | tr -d '\r'; }
wait_pid() {  # wait_pid NAME: prints the pid of the one program of that name, or nothing
  local pid=""
  for _ in $(seq 1 100); do
    pid=$(pids_in_prefix "$1" | head -1)
    [ -n "$pid" ] && break
    sleep 0.1
  done
  echo "$pid"
}
cpu_seconds() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' "/proc/$1/stat" 2>/dev/null; }
status_kib() { awk -v f="$2:" '$1 == f { print $2 }' "/proc/$1/status" 2>/dev/null; }
stop_pid() {
  kill "$1" 2>/dev/null || true
  for _ in $(seq 1 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
}

# ---- material -----------------------------------------------------------------
echo "preparing: track, lists, folder (Wine prefix $WINEPREFIX)" >&2
sox -n -r 44100 -c 2 -b 16 "$WORK/track.wav" synth 30 sine 440 vol 0.5
lame --quiet -b 128 "$WORK/track.wav" "$WORK/track.mp3"
TRACK=$(windows_path "$WORK/track.mp3")
mkdir -p "$WORK/play" "$WORK/empty" "$WORK/long" "$WORK/folder" "$WORK/tracks" "$WORK/drop"
printf '%s\r\n%s\r\n' "$TRACK" "$TRACK" >"$WORK/play.lst"
: >"$WORK/empty/default.lst"
write_long_list "$WORK/long.lst" "$ENTRIES"
# Empty files are enough for the intake: it looks at names; the first one then fails to play.
(cd "$WORK/tracks" && seq -f "%05g Track title.mp3" 0 $((FILES - 1)) | xargs -d '\n' touch)

# ---- start-up: anchor, empty list, long list, folder -----------------------------
# one_run (bench-common.sh) prints "process->visible launch->visible exit" in ms.
startup_of() {  # startup_of KEY[,KEY...] SIDE DIR EXPECTED [ARG...]: one run, a figure of each key
  local keys=$1 side=$2 dir=$3 expected=$4 out key
  shift 4
  # A start-up that shows no window (Wine, now and then, on a busy machine) is
  # tried once more, after its leftovers are gone; a second failure is the
  # figure's error.
  if ! out=$(one_run "$dir" "$expected" "$@" 2>"$WORK/one_run.err"); then
    echo "  $EXE_NAME in $dir: $(tail -1 "$WORK/one_run.err"); trying once more" >&2
    kill_in_prefix "$EXE_NAME" winprobe.exe
    sleep 2
    out=""
  fi
  LAST_EXIT=""
  if [ -n "$out" ] || out=$(one_run "$dir" "$expected" "$@" 2>"$WORK/one_run.err"); then
    echo "  ${keys%%,*} $side: ${out%% *} ms" >&2
    for key in ${keys//,/ }; do take "$key" "$side" "${out%% *}" "start-up in $dir"; done
    LAST_EXIT=${out##* }
  else
    for key in ${keys//,/ }; do fail_figure "$key" "start-up in $dir: $(tail -1 "$WORK/one_run.err")"; done
  fi
  sed 's/^/  /' "$WORK/one_run.err" >&2
}
anchor_one_run() { EXE=$ANCHOR CAPTION=$ANCHOR_CAPTION EXE_NAME=$(basename "$ANCHOR") "$@"; }

if section_runs startup; then
echo "start-up: $ROUNDS rounds of anchor, empty list, $ENTRIES entries, folder of $FILES" >&2
# Warm-up of Wine's caches for both programs, not counted.
anchor_one_run one_run "$WORK/empty" 0 >/dev/null 2>&1 || true
one_run "$WORK/empty" 0 >/dev/null 2>&1 || true
for round in $(seq 1 "$ROUNDS"); do
  anchor_one_run startup_of startup_empty anchor "$WORK/empty" 0
  # The empty list's start-up is the anchor of the two long start-ups of the round.
  startup_of startup_empty lumetto "$WORK/empty" 0
  take exit_long anchor "$LAST_EXIT" "exit with an empty list"
  tail -1 "$WORK/res/startup_empty.lumetto" 2>/dev/null | tee -a "$WORK/res/startup_long.anchor" >>"$WORK/res/startup_folder.anchor"
  cp "$WORK/long.lst" "$WORK/long/default.lst"
  startup_of startup_long,startup_long_floor lumetto "$WORK/long" "$ENTRIES"
  # The exit saves the long list: it must come back byte for byte.
  take exit_long lumetto "$LAST_EXIT" "exit with $ENTRIES entries"
  cmp -s "$WORK/long.lst" "$WORK/long/default.lst" || fail_figure exit_long "the long list was not saved back unchanged"
  anchor_one_run startup_of startup_long_floor anchor "$WORK/long" "$ENTRIES" list "$(windows_path "$WORK/long.lst")"
  : >"$WORK/folder/default.lst"
  startup_of startup_folder,startup_folder_floor lumetto "$WORK/folder" "$FILES" "$(windows_path "$WORK/tracks")"
  anchor_one_run startup_of startup_folder_floor anchor "$WORK/folder" "$FILES" folder "$(windows_path "$WORK/tracks")"
  echo "  round $round done" >&2
done
fi

# ---- drop of a folder on the running window (in-process) ------------------------
if section_runs drops; then
echo "drops: $ROUNDS rounds of drop_intake $FILES" >&2
for round in $(seq 1 "$ROUNDS"); do
  # The floor goes first in every other round.
  out=$(cd "$WORK/drop" && run_plain "$DROP_BENCH" "$FILES" $([ $((round % 2)) = 0 ] && echo floor-first))
  drop_ms=$(awk '/^drop of the folder/ { print $7; exit }' <<<"$out")
  floor_ms=$(awk '/^floor: bare search and fill/ { print $6; exit }' <<<"$out")
  echo "  drop: $drop_ms ms, floor: $floor_ms ms" >&2
  take drop_folder lumetto "$drop_ms" "drop_intake"
  take drop_floor lumetto "$drop_ms" "drop_intake"
  take drop_floor anchor "$floor_ms" "drop_intake (floor)"
done
fi

# ---- track switch and memory per switch ------------------------------------------
# The player runs once through every switch round; the bare reference is a
# new process each round, as warm as the player after its ten settling rebuilds.
if section_runs switch; then
echo "track switch: $ROUNDS rounds of $SWITCHES switches, player then bare reference" >&2
cp "$WORK/play.lst" "$WORK/play/default.lst"
launch_in_desktop "$WORK/play" "$EXE"
player=$(wait_pid "$EXE_NAME")
if [ -z "$player" ] || [ -z "$(run_in_desktop "$INSPECT" wait-window "$CAPTION" 30000)" ]; then
  fail_figure switch "the player's window did not appear"
  fail_figure switch_whole "the player's window did not appear"
  fail_figure switch_growth "the player's window did not appear"
else
  run_in_desktop "$SWITCH" "$CAPTION" 10 >/dev/null  # settle, as the reference does
  for round in $(seq 1 "$ROUNDS"); do
    before=$(status_kib "$player" VmRSS)
    ms=$(run_in_desktop "$SWITCH" "$CAPTION" "$SWITCHES")
    after=$(status_kib "$player" VmRSS)
    take switch lumetto "$ms" "switch_latency"
    if is_number "${before:-x}" && is_number "${after:-x}"; then
      record switch_growth lumetto "$(awk -v a="$after" -v b="$before" -v n="$SWITCHES" 'BEGIN { printf "%.2f", (a - b) / n }')"
    else
      fail_figure switch_growth "the player's process $player could not be read"
    fi
    take switch_whole lumetto "$ms" "switch_latency"
    read -r ms growth whole <<<"$(run_plain "$REF_PLAY" rebuilds "$TRACK" "$SWITCHES")" || true
    take switch anchor "${ms:-}" "ref_play rebuilds"
    take switch_growth anchor "${growth:-}" "ref_play rebuilds"
    take switch_whole anchor "${whole:-}" "ref_play rebuilds"
  done
fi
[ -n "$player" ] && stop_pid "$player"
fi

# ---- CPU and peak memory while playing -------------------------------------------
# CPU over a window of steady playback (from 3 s after the start), and the
# peak resident set at its end; the reference first, then the player.
play_round() {  # play_round SIDE NAME DIR COMMAND...
  local side=$1 name=$2 dir=$3 pid c0 c1 hwm
  shift 3
  launch_in_desktop "$dir" "$@"
  pid=$(wait_pid "$name")
  if [ -z "$pid" ]; then
    fail_figure cpu "$name was not found running in $WINEPREFIX"
    fail_figure rss "$name was not found running in $WINEPREFIX"
    return
  fi
  sleep 3
  c0=$(cpu_seconds "$pid")
  sleep "$PLAY_SECONDS"
  c1=$(cpu_seconds "$pid")
  hwm=$(status_kib "$pid" VmHWM)
  stop_pid "$pid"
  if is_number "${c0:-x}" && is_number "${c1:-x}"; then
    take cpu "$side" "$(awk -v a="$c1" -v b="$c0" 'BEGIN { printf "%.2f", a - b }')" "CPU of $name"
  else
    fail_figure cpu "$name (pid $pid) ended before its CPU time could be read"
  fi
  take rss "$side" "$(awk -v k="${hwm:-x}" 'BEGIN { if (k + 0 > 0) printf "%.1f", k / 1024; else print "x" }')" "VmHWM of $name"
}
if section_runs playback; then
echo "playback: $ROUNDS rounds of ${PLAY_SECONDS} s, bare reference then player" >&2
for round in $(seq 1 "$ROUNDS"); do
  play_round anchor ref_play.exe "$WORK/play" "$REF_PLAY" play "$TRACK"
  cp "$WORK/play.lst" "$WORK/play/default.lst"
  play_round lumetto "$EXE_NAME" "$WORK/play" "$EXE"
done
fi

# ---- table ------------------------------------------------------------------------
values() { if [ -s "$WORK/res/$1.$2" ]; then sort -g "$WORK/res/$1.$2"; fi; }
# median_of / spread_of KEY SIDE FORMAT
median_of() { values "$1" "$2" | awk -v f="$3" '{ v[NR] = $1 } END { if (NR) printf f, (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
spread_of() { values "$1" "$2" | awk -v f="$3" '{ v[NR] = $1 } END { if (NR) printf f "–" f, v[1], v[NR] }'; }
status=0
row() {  # row KEY FIGURE UNIT TARGET ANCHOR_LABEL [RATIO_RULE]
  local key=$1 figure=$2 unit=$3 target=$4 anchor_label=$5 rule=${6:-ratio} fmt=%.1f lum anc ratio spread
  [ "$unit" = s ] && fmt=%.2f
  if [ -f "$WORK/res/$key.error" ]; then
    printf '| %s | error | error | error | %s | %s |\n' "$figure" "$target" "$(cat "$WORK/res/$key.error")"
    status=1
    return
  fi
  lum=$(median_of "$key" lumetto $fmt)
  anc=$(median_of "$key" anchor $fmt)
  spread="Lumetto $(spread_of "$key" lumetto $fmt) $unit"
  if [ -z "$lum" ]; then
    printf '| %s | error | | error | %s | no rounds measured |\n' "$figure" "$target"
    status=1
    return
  fi
  if [ "$rule" = none ]; then
    printf '| %s | %s %s | — | — | %s | %s |\n' "$figure" "$lum" "$unit" "$target" "$spread"
    return
  fi
  spread="$spread; anchor $(spread_of "$key" anchor $fmt) $unit"
  if [ -z "$anc" ]; then
    printf '| %s | %s %s | error | error | %s | anchor not measured |\n' "$figure" "$lum" "$unit" "$target"
    status=1
  elif awk -v a="$anc" 'BEGIN { exit !(a > 0) }'; then
    ratio=$(awk -v l="$lum" -v a="$anc" 'BEGIN { printf "%.2f", l / a }')
    printf '| %s | %s %s | %s %s (%s) | %s | %s | %s |\n' "$figure" "$lum" "$unit" "$anc" "$unit" "$anchor_label" "$ratio" "$target" "$spread"
  elif [ "$rule" = growth ]; then
    # A reference that did not grow is a figure, not a failure; no ratio is taken against it.
    printf '| %s | %s %s | %s %s (%s) | — (reference did not grow) | %s | %s |\n' "$figure" "$lum" "$unit" "$anc" "$unit" "$anchor_label" "$target" "$spread"
  else
    echo "$0: $key: the anchor's median is $anc: no ratio against it" >&2
    printf '| %s | %s %s | %s %s (%s) | error: reference is %s | %s | %s |\n' "$figure" "$lum" "$unit" "$anc" "$unit" "$anchor_label" "$anc" "$target" "$spread"
    status=1
  fi
}

echo
echo "Lumetto benchmarks: $ROUNDS rounds per figure, medians; $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "Machine: $(LC_ALL=C lscpu | awk -F': *' '/^Model name/ { print $2; exit }'), $(nproc) cores;" \
  "$("$WINE_RUN" --version 2>/dev/null | tr -d '\r'), Xvfb; load average at the end $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| Figure | Lumetto | Anchor | Ratio | Target | Spread (min–max of rounds) |"
echo "|---|---|---|---|---|---|"
section_runs switch && row switch "Track switch (Next while playing, median of $SWITCHES per round)" ms "≤ 1.05" "bare build+render+run"
section_runs switch && row switch_whole "Track switch, against a bare switch that also stops and releases the old graph" ms "—" "bare stop+release+build+render+run"
section_runs startup && row startup_empty "Start-up, empty list (process → window visible)" ms "≤ 1.15" "minimal dialog"
section_runs startup && row startup_long "Start-up with $ENTRIES entries vs empty list" ms "≤ 1.5" "Lumetto, empty list"
section_runs startup && row startup_folder "Start-up with a folder of $FILES files vs empty list" ms "≤ 2.0" "Lumetto, empty list"
section_runs startup && row exit_long "Exit with $ENTRIES entries (WM_CLOSE → process end, the save included)" ms "—" "Lumetto, empty list"
section_runs startup && row startup_long_floor "Start-up with $ENTRIES entries, against the platform's floor" ms "—" "bare dialog filling the same list"
section_runs startup && row startup_folder_floor "Start-up with a folder of $FILES files, against the platform's floor" ms "—" "bare dialog: search, fill, render the first"
section_runs drops && row drop_folder "Drop of a folder of $FILES files on the running window" ms "≤ 150 ms" "" none
section_runs drops && row drop_floor "Drop of a folder of $FILES files, against the platform's floor" ms "—" "bare search and fill of a list box"
section_runs playback && row cpu "CPU while playing MP3 (${PLAY_SECONDS} s of steady playback)" s "≤ 1.05" "bare reference player"
section_runs playback && row rss "Peak resident memory while playing" MiB "≤ 1.2" "bare reference player"
section_runs switch && row switch_growth "Resident memory growth per track switch" KiB "≈ the reference's" "bare rebuilds" growth
echo
print_binary_sizes "$EXE" "$BUILD/../i686/player/LumettoCompact.exe" "$BUILD/player/Quistel.dll"
print_imports "$EXE"
exit $status

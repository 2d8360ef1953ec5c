# Helpers for scripts that run Windows programs under Wine and watch them
# from outside (sourced by the end-to-end tests, the benchmarks and the
# screenshot). They read WINE_RUN (scripts/wine-run) and WINEPREFIX when
# called; the desktop helpers also DESKTOP_NAME and DESKTOP (use_desktop).

# windows_path PATH: PATH as Wine's Z: drive shows it to the program.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# pids_in_prefix NAME: live (not zombie) processes of the program NAME in
# this prefix. Under Wine the exe's file name is the Unix process name, cut
# by the kernel to 15 bytes; the prefix tells our copies from any other.
pids_in_prefix() {
  local pid
  for pid in $(pgrep -x "${1:0:15}"); do
    [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = "Z" ] && continue
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}

# kill_in_prefix NAME...: ends every copy of these programs in this prefix.
kill_in_prefix() {
  local name pid
  for name in "$@"; do
    for pid in $(pids_in_prefix "$name"); do kill "$pid" 2>/dev/null || true; done
  done
}

# wait_prefix_free NAME SECONDS: true once no copy of NAME runs in this
# prefix, false when one still runs after SECONDS.
wait_prefix_free() {
  local deadline=$((SECONDS + $2))
  while [ -n "$(pids_in_prefix "$1")" ]; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
  return 0
}

# refuse_running NAME: gives a copy of NAME that is still ending (from a
# previous run of the calling script) a few seconds, then stops the script
# when one still runs: its figures or its picture would be of that copy.
refuse_running() {
  wait_prefix_free "$1" 10 && return
  echo "$0: $1 is already running in $WINEPREFIX; close it first" >&2
  exit 1
}

# A Wine virtual desktop of its own, 800 x 600, so that a program started in
# it gets a frame and a taskbar whatever the prefix's settings.
# use_desktop NAME: the desktop later helpers start programs in.
use_desktop() {
  DESKTOP_NAME=$1
  DESKTOP="/desktop=$DESKTOP_NAME,800x600"
}

# in_desktop PROGRAM [ARG...]: runs PROGRAM inside the desktop and waits for
# its output. explorer returns at once and passes no exit code back, but the
# program's output still comes through the pipe, so an empty answer means
# "not found". DESKTOP_RUN_LIMIT (seconds, default 300) bounds a hung run.
in_desktop() { timeout "${DESKTOP_RUN_LIMIT:-300}" "$WINE_RUN" explorer "$DESKTOP" "$@"; }

# launch_in_desktop DIR PROGRAM [ARG...]: starts PROGRAM inside the desktop
# with DIR as its current directory and returns at once; LAUNCHER is the pid
# of the launching process.
launch_in_desktop() {
  local dir=$1
  shift
  (cd "$dir" && exec "$WINE_RUN" explorer "$DESKTOP" "$@") >/dev/null 2>&1 &
  LAUNCHER=$!
}

# wait_for_desktop SECONDS: true once the desktop's window is on the X
# screen. Only then may a second program be started in it: two starts racing
# to create it can leave the desktop without its window.
wait_for_desktop() {
  local deadline=$((SECONDS + $1))
  until xwininfo -name "$DESKTOP_NAME - Wine desktop" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# desktop_geometry: sets DX, DY, DW and DH, the place and size on the X
# screen of the desktop DESKTOP_NAME, or of the prefix's own "Default" one.
# The rectangles winprobe prints are relative to it.
desktop_geometry() {
  local geometry
  geometry=$(xwininfo -name "${DESKTOP_NAME:-Default} - Wine desktop" 2>/dev/null) || return 1
  DX=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
  DY=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")
  DW=$(awk '/Width:/ {print $NF}' <<<"$geometry")
  DH=$(awk '/Height:/ {print $NF}' <<<"$geometry")
}

#!/bin/bash
# Playback benchmarks under Wine; prints figures, asserts nothing.
#   CPU time of Lumetto.exe playing a 30 s MP3 against the bare reference
#   player (bench/ref_play.exe) playing the same file (target ratio <= 1.10);
#   track-switch latency of the player against a bare build + render + run
#   (target ratio <= 1.20).
# usage: bench-playback.sh [BUILD_DIR]   (default build/x64; built by scripts/build.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(readlink -f "${1:-$root/build/x64}")"
wine_run="$root/scripts/wine-run"
export LUMETTO_WINEPREFIX="${LUMETTO_WINEPREFIX:-/tmp/lumetto-bench-wine-$(id -u)}"
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a bash "$0" "$@"; fi

work="$(mktemp -d /tmp/lumetto-bench.XXXXXX)"
trap 'pkill -f "$work" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/home"
echo 'pcm.!default { type file slave.pcm "null" file "/dev/null" format "raw" }' >"$work/home/.asoundrc"
export HOME="$work/home"
sox -n -r 44100 -c 2 -b 16 "$work/track.wav" synth 30 sine 440 vol 0.5
lame --quiet -b 128 "$work/track.wav" "$work/track.mp3"
winfile="Z:${work//\//\\}\\track.mp3"
printf '%s\r\n%s\r\n' "$winfile" "$winfile" >"$work/default.lst"

# CPU seconds (user + system) of a process from /proc, by its pid.
cpu_seconds() {
  awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' "/proc/$1/stat"
}
pid_of() {  # newest process named $1 (the exe name is the Unix process name under Wine)
  local pid=""
  for _ in $(seq 100); do pid=$(pgrep -nx "$1" || true); [ -n "$pid" ] && break; sleep 0.1; done
  echo "$pid"
}

echo "== CPU time over the first 25 s of a 30 s MP3"
(cd "$work" && "$wine_run" "$build/bench/ref_play.exe" play "$winfile") &
ref_pid=$(pid_of ref_play.exe)
sleep 25  # the reference ends with the track: measure within it
ref_cpu=$(cpu_seconds "$ref_pid")
wait || true

(cd "$work" && exec "$wine_run" "$build/player/Lumetto.exe") &
sleep 0.5
player_pid=$(pid_of Lumetto.exe)
sleep 25
player_cpu=$(cpu_seconds "$player_pid")

echo "reference player: ${ref_cpu} s CPU"
echo "Lumetto.exe:      ${player_cpu} s CPU"
awk -v p="$player_cpu" -v r="$ref_cpu" 'BEGIN { printf "ratio: %.2f (target <= 1.10)\n", p / r }'

echo "== track-switch latency (median of 20)"
player_ms=$("$wine_run" "$build/bench/switch_latency.exe" "Harkel's Lumetto" 20 | tr -d '\r')
kill "$player_pid" 2>/dev/null || true
ref_ms=$("$wine_run" "$build/bench/ref_play.exe" switch "$winfile" 20 | tr -d '\r')
echo "Lumetto.exe next command: ${player_ms} ms"
echo "bare build+render+run:    ${ref_ms} ms"
awk -v p="$player_ms" -v r="$ref_ms" 'BEGIN { printf "ratio: %.2f (target <= 1.20)\n", p / r }'

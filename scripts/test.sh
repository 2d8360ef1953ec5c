#!/bin/bash
# Sets up, builds and runs every test: the core natively under the
# sanitizers, then everything Windows-side under Wine on a virtual X display
# with a fresh Wine prefix. Ends with one summary line.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh" || exit 1
bash "$root/scripts/build.sh" || exit 1

work="$(mktemp -d /tmp/lumetto-test.XXXXXX)"
export LUMETTO_WINEPREFIX="$work/wineprefix"
export LUMETTO_E2E_WINEPREFIX="$work/e2e-wineprefix"
export HOME="$work/home"
mkdir -p "$HOME"
# No sound card here: ALSA writes what is played into a file instead.
cat > "$HOME/.asoundrc" <<ASOUND
pcm.!default { type file slave.pcm "null" file "$work/played.wav" format "wav" }
ASOUND
"$root/scripts/wine-run" cmd /c exit >/dev/null 2>&1  # make the prefix once

passed=0
failed=0
count() {  # reads ctest's "NN% tests passed, F tests failed out of T"
  local line
  line="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)"
  local f t
  f="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
  t="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")"
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  passed=$((passed + t - f))
  failed=$((failed + f))
}

echo "== native core tests (ASan + UBSan)"
ctest --test-dir "$root/build/native" --output-on-failure 2>&1 | tee "$work/native.log"
count "$work/native.log"

echo "== Windows tests under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$root/build/x64" --output-on-failure --timeout 900 2>&1 | tee "$work/wine.log"
count "$work/wine.log"

for prefix in "$LUMETTO_WINEPREFIX" "$LUMETTO_E2E_WINEPREFIX"; do
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
done
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

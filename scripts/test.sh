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
skipped=0
skipped_in() { grep -cE '^[[:space:]]+[0-9]+ - .*\(Skipped\)' "$1"; }
# skip_reasons TREE LOG: "TREE/TEST: REASON" for each test that the ctest
# LOG lists as skipped; the reason is the first SKIP line the test printed,
# which ctest keeps in the tree's LastTest.log.
skip_reasons() {
  local name
  for name in $(sed -nE 's/^[[:space:]]+[0-9]+ - (.*) \(Skipped\)$/\1/p' "$2"); do
    echo "$(basename "$1")/$name: $(awk -v test="$name" '
      / Test: / { here = ($3 == test) }
      here && /^SKIP: / { sub(/^SKIP: /, ""); print; exit }' "$1/Testing/Temporary/LastTest.log")"
  done
}
count() {  # reads ctest's "NN% tests passed, F tests failed out of T" and its skipped list
  local line
  line="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)"
  local f t s
  f="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
  t="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")"
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  s="$(skipped_in "$1")"
  passed=$((passed + t - f - s))
  failed=$((failed + f))
  skipped=$((skipped + s))
}

echo "== native core tests (ASan + UBSan)"
ctest --test-dir "$root/build/native" --output-on-failure 2>&1 | tee "$work/native.log"
count "$work/native.log"

echo "== release archives"
if python3 "$root/tests/scripts/dist_test.py" "$root" 2>&1 | tee "$work/dist.log"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi

echo "== Windows tests under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$root/build/x64" --output-on-failure --timeout 900 2>&1 | tee "$work/x64.log"
count "$work/x64.log"

echo "== compact edition, built 64-bit so its rules run under this Wine"
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$root/build/x64-compact" --output-on-failure --timeout 900 2>&1 | tee "$work/x64-compact.log"
count "$work/x64-compact.log"

echo "== compact edition as shipped (32-bit; its programs are skipped where Wine cannot run them)"
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$root/build/i686" --output-on-failure --timeout 900 2>&1 | tee "$work/i686.log"
count "$work/i686.log"

for prefix in "$LUMETTO_WINEPREFIX" "$LUMETTO_E2E_WINEPREFIX"; do
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
done
for tree in native x64 x64-compact i686; do
  skip_reasons "$root/build/$tree" "$work/$tree.log" | sed 's/^/tests: skipped /'
done
echo "tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]

#!/bin/bash
# Builds the release binaries and packs what a Windows user downloads:
#   dist/Lumetto-<version>-x64.zip          Lumetto.exe, Quistel.dll, readme.txt
#   dist/LumettoCompact-<version>-x86.zip   LumettoCompact.exe, readme.txt
#   dist/SHA256SUMS
# The versions come from the version resources (res/player.rc,
# res/compact.rc); the readmes from docs/release/. The same commit gives
# byte-identical archives. Builds only the shipped targets of the release
# trees build.sh uses, so after a build it takes seconds.
#
# LUMETTO_DIST_DIR: where to write instead of dist/ (the release test's own).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${LUMETTO_DIST_DIR:-$root/dist}"
# shellcheck source=scripts/build-trees.sh
source "$root/scripts/build-trees.sh"

configure_tree x64
cmake --build "$root/build/x64" -j "$(nproc)" --target Lumetto Quistel
configure_tree i686
cmake --build "$root/build/i686" -j "$(nproc)" --target Lumetto

# Archive members are dated by the commit (outside a clone: a fixed date).
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)"
fi
export SOURCE_DATE_EPOCH
mkdir -p "$out"
rm -f "$out"/Lumetto-*-x64.zip "$out"/LumettoCompact-*-x86.zip "$out/SHA256SUMS"
python3 "$root/scripts/pack_release.py" "$root" "$out"

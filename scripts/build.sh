#!/bin/bash
# Builds the Windows binaries and, unless --windows-only is given, the
# byte-level core natively with AddressSanitizer, UBSan and the libFuzzer
# targets. The trees are listed in scripts/build-trees.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
# shellcheck source=scripts/build-trees.sh
source "$root/scripts/build-trees.sh"

trees=(x64 i686 x64-compact)
[ "${1:-}" = "--windows-only" ] || trees+=(native)
for tree in "${trees[@]}"; do
  configure_tree "$tree"
  cmake --build "$root/build/$tree" -j "$jobs"
done

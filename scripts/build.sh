#!/bin/bash
# Builds the Windows binaries (build/x64) and, unless --windows-only is
# given, the byte-level core natively with AddressSanitizer, UBSan and the
# libFuzzer targets (build/native).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"

cmake -S "$root" -B "$root/build/x64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/x64" -j "$jobs"

if [ "${1:-}" != "--windows-only" ]; then
  # Clang: the sanitizers plus libFuzzer for the byte parsers.
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/native" -DLUMETTO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
fi

#!/bin/bash
# Builds the Windows binaries and, unless --windows-only is given, the
# byte-level core natively with AddressSanitizer, UBSan and the libFuzzer
# targets (build/native). Windows builds:
#   build/x64          Lumetto.exe and Quistel.dll (64-bit), with their tests
#   build/i686         LumettoCompact.exe (32-bit), the shipped compact edition
#   build/x64-compact  the compact edition built 64-bit, so that its rules can
#                      be tested under a Wine that runs only 64-bit programs
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"

cmake -S "$root" -B "$root/build/x64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/x64" -j "$jobs"
cmake -S "$root" -B "$root/build/i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DLUMETTO_COMPACT=ON >/dev/null
cmake --build "$root/build/i686" -j "$jobs"
cmake -S "$root" -B "$root/build/x64-compact" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DLUMETTO_COMPACT=ON -DLUMETTO_PLAYER_EXE="$root/build/x64/player/Lumetto.exe" >/dev/null
cmake --build "$root/build/x64-compact" -j "$jobs"

if [ "${1:-}" != "--windows-only" ]; then
  # Clang: the sanitizers plus libFuzzer for the byte parsers.
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/native" -DLUMETTO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
fi

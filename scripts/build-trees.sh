# The build trees that build.sh, test.sh and dist.sh share, each a configure
# preset of CMakePresets.json; sourced with $root set to the repository root.
# configure_tree NAME configures one of them:
#   x64          Lumetto.exe and Quistel.dll (64-bit), with their tests
#   i686         LumettoCompact.exe (32-bit), the shipped compact edition
#   x64-compact  the compact edition built 64-bit, so that its rules can be
#                tested under a Wine that runs only 64-bit programs
#   native       the byte-level core with AddressSanitizer, UBSan and the
#                libFuzzer targets (Clang)
#
# A tree whose cache was made in another folder (a checkout copied with its
# build folder) is removed first: CMake refuses to reuse such a cache.
configure_tree() {
  local cache=$root/build/$1/CMakeCache.txt made_in
  if [ -f "$cache" ]; then
    made_in=$(sed -n 's/^CMAKE_CACHEFILE_DIR:INTERNAL=//p' "$cache")
    [ "$made_in" -ef "$root/build/$1" ] || rm -rf "${root:?}/build/$1"
  fi
  case $1 in
    x64 | i686 | x64-compact | native) (cd "$root" && cmake --preset "$1") >/dev/null ;;
    *) echo "configure_tree: no build tree $1" >&2; return 1 ;;
  esac
}

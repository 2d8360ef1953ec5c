#!/bin/bash
# What the shipped binaries promise their users and each other, read from
# their PE headers: Quistel's exports and shared section, and the player's
# ordinal-only import of it.
#
# usage: check_player_binaries.sh LUMETTO_EXE QUISTEL_DLL [QUISTEL_OBJECTS]
#   QUISTEL_OBJECTS  the library's object files (";"-separated): the shipped
#                    file is stripped, so the shared variables' order is read
#                    from the object the linker laid out
set -u
[ $# -eq 2 ] || [ $# -eq 3 ] || { echo "usage: $0 LUMETTO_EXE QUISTEL_DLL [QUISTEL_OBJECTS]" >&2; exit 2; }
EXE=$1
DLL=$2
OBJECTS=${3:-}
OBJDUMP=${OBJDUMP:-x86_64-w64-mingw32-objdump}
failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Exports: "[ index] name" lines of the ordinal/name table; ordinal = index + base.
exports=$("$OBJDUMP" -p "$DLL" | awk '
  /Ordinal Base/ { base = $NF }
  /\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
  table && /^\t\[/ { gsub(/[\[\]]/, ""); printf "%d %s\n", $1 + base, $2; next }
  table && !/^\t\[/ { table = 0 }' | sort -n)
expected=$'1 setHook\n2 unsetHook\n3 getKeyCD\n4 IsUpdate'
if [ "$exports" = "$expected" ]; then pass "Quistel exports setHook, unsetHook, getKeyCD, IsUpdate at ordinals 1-4"
else fail "Quistel exports: got [$(tr '\n' ',' <<<"$exports")]"; fi
count=$("$OBJDUMP" -p "$DLL" | awk '/Export Address Table -- Ordinal Base/ { t = 1; next } t && /^\t\[/ { n++ } t && /^$/ { t = 0 } END { print n + 0 }')
[ "$count" = 4 ] && pass "Quistel exports nothing else" || fail "Quistel exports $count addresses"

share=$("$OBJDUMP" -h "$DLL" | awk '$2 == ".share" { getline; print; exit }')
case $share in
  *SHARED*) case $share in *READONLY*) fail ".share is read-only: $share" ;; *) pass ".share is shared, readable and writable" ;; esac ;;
  *) fail "no shared .share section (flags: ${share:-none})" ;;
esac
# The three shared variables in their order, from the symbols of the library
# or of its objects (the linker keeps an object's .share contributions in order).
order=
for file in "$DLL" ${OBJECTS//;/ }; do
  order=$("$OBJDUMP" -t "$file" 2>/dev/null | awk '$NF ~ /^g_(update|hHook|keyCD)$/ { print $(NF - 1), $NF }' | sort | awk '{ print $2 }' | tr '\n' ' ')
  [ -n "$order" ] && break
done
if [ -z "$order" ]; then fail "no symbols of the shared variables in Quistel.dll or its objects"
elif [ "$order" = "g_update g_hHook g_keyCD " ]; then pass "g_update, g_hHook, g_keyCD in that order"
else fail "shared variables in the order $order"; fi

# The library's job is a hook and three variables: no runtime rides along.
size=$(stat -c %s "$DLL")
[ "$size" -le 16384 ] && pass "Quistel.dll is $size bytes (at most 16 KiB)" || fail "Quistel.dll is $size bytes, over 16 KiB"

"$OBJDUMP" -p "$DLL" | grep -q 'DLL Name: Quistel.dll' && fail "Quistel imports itself?" || true
imports=$("$OBJDUMP" -p "$EXE" | awk '
  /DLL Name:/ { dll = $3; next }
  dll == "Quistel.dll" && /^\t[0-9a-f]+\t/ { print $2, $3 }
  /^$/ && dll == "Quistel.dll" && seen { dll = "" }
  dll == "Quistel.dll" { seen = 1 }')
ordinals=$(awk '{ print $1 + 0 }' <<<"$imports" | sort -n | tr '\n' ' ')
names=$(awk '$2 != "<none>" { print $2 }' <<<"$imports")
[ "$ordinals" = "1 3 4 " ] && pass "$(basename "$EXE") imports Quistel.dll ordinals 1, 3 and 4" ||
  fail "$(basename "$EXE") imports from Quistel.dll: [$ordinals]"
[ -z "$names" ] && pass "no Quistel function is imported by name" || fail "imported by name: $names"

echo "$(basename "$0"): $failures failed check(s)"
[ "$failures" -eq 0 ]

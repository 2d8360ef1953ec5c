#!/bin/bash
# The set-up script's decisions, run against stand-in apt-get, dpkg-query,
# dpkg and locale commands placed first on PATH: no real package, index,
# locale or cache is touched. Each case gives the stand-ins a machine (what
# is installed, what apt can install, how `apt-get update` behaves) and checks
# the exit status, the messages and the apt calls made.
#
# usage: setup_test.sh SETUP_SH
set -u
[ $# -eq 1 ] || { echo "usage: $0 SETUP_SH" >&2; exit 2; }
SETUP=$(readlink -f "$1")
failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

WORK=$(mktemp -d /tmp/lumetto-setup-test.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
STUBS=$WORK/bin
mkdir -p "$STUBS"

# Machine state of the stand-ins, all under $MACHINE:
#   installed       packages dpkg-query reports as installed, one a line
#   broken          packages apt-get cannot install
#   update-failures how many `apt-get update` calls fail before one works
#                   ("always": every one fails, as with a half-synced index)
#   foreign         dpkg's foreign architectures
#   calls           every apt-get and dpkg call, one a line (written)
cat >"$STUBS/apt-get" <<'STUB'
#!/bin/bash
echo "apt-get $*" >>"$MACHINE/calls"
case $1 in
  update)
    left=$(cat "$MACHINE/update-failures")
    [ "$left" = 0 ] && exit 0
    [ "$left" = always ] || echo $((left - 1)) >"$MACHINE/update-failures"
    echo "E: Failed to fetch http://deb.example/dists/stable/main/binary-i386/Packages.xz  File has unexpected size (123 != 456). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
  install)
    shift
    pkgs=()
    for a in "$@"; do case $a in -*) ;; *) pkgs+=("$a") ;; esac; done
    for p in "${pkgs[@]}"; do
      if grep -qxF "$p" "$MACHINE/broken"; then
        echo "E: Unable to correct problems, you have held broken packages. ($p)"
        exit 100
      fi
    done
    printf '%s\n' "${pkgs[@]}" >>"$MACHINE/installed"
    exit 0 ;;
esac
exit 0
STUB
cat >"$STUBS/dpkg-query" <<'STUB'
#!/bin/bash
# dpkg-query -W -f=FORMAT PACKAGE
p=${*: -1}
grep -qxF "$p" "$MACHINE/installed" || { echo "dpkg-query: no packages found matching $p" >&2; exit 1; }
printf 'install ok installed'
STUB
cat >"$STUBS/dpkg" <<'STUB'
#!/bin/bash
echo "dpkg $*" >>"$MACHINE/calls"
case $1 in
  --print-foreign-architectures) cat "$MACHINE/foreign" ;;
  --add-architecture) echo "$2" >>"$MACHINE/foreign" ;;
esac
STUB
# The locale is there, so set-up never reaches /etc/locale.gen.
printf '#!/bin/sh\nprintf "C\\nC.utf8\\nja_JP.utf8\\nPOSIX\\n"\n' >"$STUBS/locale"
printf '#!/bin/sh\necho "locale-gen $*" >>"$MACHINE/calls"\n' >"$STUBS/locale-gen"
chmod +x "$STUBS"/*

# The package lists, read from the script itself.
mapfile -t REQUIRED < <(bash -c "source <(sed -n '/^required=(/,/^)/p' '$SETUP'); printf '%s\n' \"\${required[@]}\"")
mapfile -t OPTIONAL < <(bash -c "source <(sed -n '/^optional=(/p' '$SETUP'); printf '%s\n' \"\${optional[@]}\"")
[ ${#REQUIRED[@]} -gt 5 ] && [ ${#OPTIONAL[@]} -gt 0 ] || { echo "FAIL: cannot read the package lists of $SETUP"; exit 1; }

# machine NAME: a fresh machine with every required and optional package installed
machine() {
  export MACHINE=$WORK/$1
  mkdir -p "$MACHINE/state"
  printf '%s\n' "${REQUIRED[@]}" "${OPTIONAL[@]}" >"$MACHINE/installed"
  : >"$MACHINE/broken"
  : >"$MACHINE/calls"
  echo i386 >"$MACHINE/foreign"
  echo 0 >"$MACHINE/update-failures"
}
uninstall() {
  printf '%s\n' "$@" >"$MACHINE/removed"
  grep -vxFf "$MACHINE/removed" "$MACHINE/installed" >"$MACHINE/kept"
  mv "$MACHINE/kept" "$MACHINE/installed"
}

# run_setup I386(yes|no): runs set-up; sets $status, $out (stdout + stderr)
run_setup() {
  out=$(PATH="$STUBS:$PATH" LUMETTO_SETUP_I386=$1 LUMETTO_SETUP_RETRY_PAUSE=0 LUMETTO_SETUP_UPDATE_ATTEMPTS=3 \
    LUMETTO_SETUP_STATE_DIR="$MACHINE/state" bash "$SETUP" 2>&1)
  status=$?
}
calls() { grep -c "^$1" "$MACHINE/calls"; }
expect() {  # expect WHAT CONDITION...
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; echo "$out" | sed 's/^/    | /'; fi
}
has() { grep -qF -- "$1" <<<"$out"; }

echo "-- nothing missing"
machine ready
run_setup yes
expect "a ready machine: success" [ $status -eq 0 ]
expect "a ready machine: no apt-get call at all" [ "$(calls apt-get)" = 0 ]
expect "a ready machine: no locale generated" [ "$(calls locale-gen)" = 0 ]

echo "-- update fails once, then works"
machine flaky
uninstall sox
echo 1 >"$MACHINE/update-failures"
run_setup no
expect "flaky update: success" [ $status -eq 0 ]
expect "flaky update: apt-get update called twice" [ "$(calls 'apt-get update')" = 2 ]
expect "flaky update: sox installed" grep -qxF sox "$MACHINE/installed"
expect "flaky update: no warning" eval '! has warning'

echo "-- update keeps failing for one index; the required install works"
machine halfsynced
uninstall sox lame
echo always >"$MACHINE/update-failures"
run_setup no
expect "half-synced index: success" [ $status -eq 0 ]
expect "half-synced index: update tried 3 times" [ "$(calls 'apt-get update')" = 3 ]
expect "half-synced index: a warning naming the index" has "binary-i386/Packages.xz"
expect "half-synced index: sox and lame installed" eval 'grep -qxF sox "$MACHINE/installed" && grep -qxF lame "$MACHINE/installed"'
expect "no i386 kernel: the optional group is not tried" eval '! grep -q ":i386" "$MACHINE/calls"'

echo "-- the optional i386 install fails"
machine noi386
uninstall "${OPTIONAL[@]}"
: >"$MACHINE/foreign"
printf '%s\n' "${OPTIONAL[@]}" >"$MACHINE/broken"
run_setup yes
expect "broken i386 packages: success" [ $status -eq 0 ]
expect "broken i386 packages: i386 architecture added" [ "$(calls 'dpkg --add-architecture i386')" = 1 ]
expect "broken i386 packages: a warning naming wine32:i386" eval 'has warning && has "wine32:i386"'
expect "broken i386 packages: nothing required installed" [ "$(calls 'apt-get install')" = 1 ]
run_setup yes
expect "broken i386 packages, second run: success without trying again" eval '[ $status -eq 0 ] && [ "$(calls "apt-get install")" = 1 ]'

echo "-- a required install fails"
machine broken
uninstall sox lame
echo sox >"$MACHINE/broken"
run_setup no
expect "broken sox: set-up fails" [ $status -ne 0 ]
expect "broken sox: one line names sox and the reason" \
  eval '[ "$(grep -c "cannot install required package sox: E: Unable to correct problems" <<<"$out")" = 1 ]'
expect "broken sox: lame is not blamed" eval '! has "required package lame"'

echo "$(basename "$0"): $failures failed check(s)"
[ "$failures" -eq 0 ]

#!/bin/bash
# Installs what building, running and testing need on a Debian machine (as
# root). Safe to run again: on a ready machine it asks apt nothing.
#
# Two groups. The required group must install, or set-up stops naming the
# package. The optional group (32-bit Wine and its GStreamer plugins) is only
# tried where the kernel runs i386 programs, and its failure is a warning: a
# half-synced i386 index on the mirror must never stop a 64-bit set-up.
set -uo pipefail

required=(
  cmake make g++ clang libclang-rt-14-dev googletest python3
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 mingw-w64-tools
  wine wine64 fonts-wine xvfb xauth x11-utils locales
  gstreamer1.0-plugins-good gstreamer1.0-plugins-base
  sox lame fonts-ipafont-gothic imagemagick xdotool zip unzip
)
optional=(wine32:i386 gstreamer1.0-plugins-good:i386 gstreamer1.0-plugins-base:i386)

update_attempts="${LUMETTO_SETUP_UPDATE_ATTEMPTS:-3}"
# A failed optional install is not retried for a day: a broken i386 index
# stays broken for hours, and every test run would pay for the attempt.
state_dir="${LUMETTO_SETUP_STATE_DIR:-/var/cache/lumetto-setup}"
retry_pause="${LUMETTO_SETUP_RETRY_PAUSE:-5}"

warn() { echo "setup: warning: $*" >&2; }

# shellcheck source=scripts/i386-probe.sh
source "$(dirname "$0")/i386-probe.sh"
# LUMETTO_SETUP_I386=yes|no stands in for the probe (the set-up's own test).
i386_wanted() {
  case "${LUMETTO_SETUP_I386:-probe}" in yes) return 0 ;; no) return 1 ;; esac
  kernel_runs_i386
}

missing_of() {  # prints the packages of "$@" that are not installed
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

updated=0
update_index() {  # once per run; retried, and a partial failure is only a warning
  [ "$updated" -eq 1 ] && return 0
  updated=1
  local i log
  log="$(mktemp /tmp/lumetto-apt.XXXXXX)"
  for ((i = 1; i <= update_attempts; i++)); do
    if apt-get update -q >"$log" 2>&1; then rm -f "$log"; return 0; fi
    [ "$i" -lt "$update_attempts" ] && sleep "$retry_pause"
  done
  warn "apt-get update failed $update_attempts times; going on with the index it could read:"
  grep -E '^(E|W):' "$log" | head -5 | sed 's/^/setup:   /' >&2
  rm -f "$log"
}

apt_install() {  # apt_install LOG PACKAGE...
  local log="$1"; shift
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@" >"$log" 2>&1
}

install_required() {
  local missing log p failed=0 reason
  mapfile -t missing < <(missing_of "${required[@]}")
  [ ${#missing[@]} -eq 0 ] && return 0
  update_index
  echo "setup: installing ${missing[*]}"
  log="$(mktemp /tmp/lumetto-apt.XXXXXX)"
  if apt_install "$log" "${missing[@]}"; then rm -f "$log"; return 0; fi
  # The group failed: install one at a time so the line names the culprit.
  for p in "${missing[@]}"; do
    if ! apt_install "$log" "$p"; then
      reason="$(grep -E '^E:' "$log" | head -1)"
      echo "setup: cannot install required package $p: ${reason:-apt-get install failed}" >&2
      failed=1
    fi
  done
  rm -f "$log"
  return "$failed"
}

install_optional() {
  local missing log
  if ! i386_wanted; then
    echo "setup: this kernel cannot run i386 programs; 32-bit Wine is not installed and 32-bit test programs will be skipped"
    return 0
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    updated=0  # the new architecture needs its index
  fi
  mapfile -t missing < <(missing_of "${optional[@]}")
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ -n "$(find "$state_dir/optional-failed" -mmin -1440 2>/dev/null)" ]; then
    echo "setup: optional 32-bit packages failed to install less than a day ago; not retried (remove $state_dir/optional-failed to retry)"
    return 0
  fi
  update_index
  echo "setup: installing (optional) ${missing[*]}"
  log="$(mktemp /tmp/lumetto-apt.XXXXXX)"
  if ! apt_install "$log" "${missing[@]}"; then
    warn "optional 32-bit packages could not be installed (${missing[*]}): $(grep -E '^E:' "$log" | head -1)"
    warn "32-bit test programs will be skipped"
    mkdir -p "$state_dir" && touch "$state_dir/optional-failed"
  else
    rm -f "$state_dir/optional-failed"
  fi
  rm -f "$log"
}

install_required || exit 1
install_optional

# The Japanese locale gives Wine the ANSI code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null || { echo "setup: cannot generate the ja_JP.UTF-8 locale" >&2; exit 1; }
fi
exit 0

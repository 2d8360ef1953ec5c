# kernel_runs_i386: whether this kernel executes i386 programs. Runs a tiny
# static i386 ELF (exit(42) through int 0x80); a kernel without 32-bit
# support refuses to execute it at all. Sourced by setup.sh and wine-run.
kernel_runs_i386() {
  local probe rc
  probe="$(mktemp /tmp/lumetto-i386-probe.XXXXXX)" || return 1
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'`
        `'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'`
        `'\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'`
        `'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'`
        `'\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'`
        `'\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  rc=$?
  rm -f "$probe"
  [ "$rc" -eq 42 ]
}

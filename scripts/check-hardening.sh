#!/usr/bin/env bash
# Checks that ELF binaries carry the hardening Debian packages are expected
# to have: PIE, full RELRO (BIND_NOW), a stack protector, fortified calls and
# x86 control-flow protection. Usage: check-hardening.sh BINARY...
# Stack-clash protection leaves no mark in a binary, so it is not checked.
# Debian's start files carry no CET property note, so control-flow protection
# is read from the code: every function compiled with it begins with endbr64,
# while without it only the two start-file helpers do.
set -euo pipefail
failed=0
for binary in "$@"; do
  header=$(readelf -h -W "$binary")
  dynamic=$(readelf -d -W "$binary")
  segments=$(readelf -l -W "$binary")
  imports=$(readelf --dyn-syms -W "$binary" | awk '$7 == "UND" {print $8}')
  landings=$(objdump -d --no-show-raw-insn "$binary" | grep -c 'endbr64' || true)
  problems=()
  grep -q 'Type: *DYN' <<<"$header" && grep -q 'PIE' <<<"$dynamic" || problems+=("not PIE")
  grep -q 'GNU_RELRO' <<<"$segments" || problems+=("no RELRO")
  grep -Eq 'BIND_NOW|FLAGS_1.*NOW' <<<"$dynamic" || problems+=("no BIND_NOW")
  grep -q '^__stack_chk_fail' <<<"$imports" || problems+=("no stack protector")
  grep -Eq '^__[a-z0-9_]+_chk(@|$)' <<<"$imports" || problems+=("no fortified calls")
  [ "$landings" -gt 2 ] || problems+=("no control-flow protection")
  if [ ${#problems[@]} -gt 0 ]; then
    echo "$binary: $(IFS=,; echo "${problems[*]}" | sed 's/,/, /g')" >&2
    failed=1
  fi
done
exit "$failed"

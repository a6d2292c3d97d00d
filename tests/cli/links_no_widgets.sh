#!/usr/bin/env bash
# Fails unless the binary needs Qt Gui and neither Qt Widgets nor Qt Print Support.
set -euo pipefail
needed=$(objdump -p "$1" | awk '/NEEDED/ {print $2}')
echo "$needed"
grep -q '^libQt6Gui\.so' <<<"$needed" || { echo "no Qt Gui: the check reads the wrong binary" >&2; exit 1; }
if grep -Eq '^libQt6(Widgets|PrintSupport)\.so' <<<"$needed"; then
  echo "the command line links widgets" >&2
  exit 1
fi

#!/usr/bin/env bash
# The hardening check refuses a binary built without the flags and passes
# the same program built with them. Usage: hardening_check_test.sh CXX CHECK
set -euo pipefail
cxx=$1 check=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cat > "$dir/program.cpp" <<'CPP'
#include <cstdio>
#include <cstring>
int main(int argc, char **argv)
{
    char buffer[64];
    std::strcpy(buffer, argc > 1 ? argv[1] : "x");
    std::printf("%s\n", buffer);
    return 0;
}
CPP
"$cxx" -O2 -o "$dir/plain" "$dir/program.cpp" -fno-stack-protector -U_FORTIFY_SOURCE -fcf-protection=none \
  -no-pie -Wl,-z,norelro
"$cxx" -O2 -o "$dir/hardened" "$dir/program.cpp" -fPIE -pie -fstack-protector-strong -fstack-clash-protection \
  -fcf-protection -D_FORTIFY_SOURCE=2 -Wl,-z,relro -Wl,-z,now
if bash "$check" "$dir/plain" 2>"$dir/report"; then
  echo "a binary without hardening passed the check" >&2
  exit 1
fi
for problem in "not PIE" "no RELRO" "no BIND_NOW" "no stack protector" "no fortified calls" "no control-flow protection"; do
  grep -q "$problem" "$dir/report" || { echo "the check did not report: $problem" >&2; cat "$dir/report" >&2; exit 1; }
done
bash "$check" "$dir/hardened"
echo "hardening check: plain refused, hardened passed"

#!/usr/bin/env bash
# check-exports.sh OBJDUMP MODULE LIST [--update]: the symbols MODULE exports, demangled and
# sorted, must be exactly those in LIST, so that nothing of the library's inside reaches the
# programs that link it and no public symbol goes missing unnoticed. --update rewrites LIST
# from MODULE (then review the diff). OBJDUMP reads a Windows DLL's export table; for an ELF
# module nm reads its dynamic symbols.
set -euo pipefail
objdump=$1 module=$2 list=$3 update=${4:-}

[ -f "$module" ] || { echo "$module does not exist" >&2; exit 1; }
if [ "$(head -c 4 "$module" | od -An -tx1 | tr -d ' ')" = 7f454c46 ]; then
  exported=$(nm -D --defined-only "$module" | awk '{print $NF}')
else
  # The export table lists each name after its ordinal and hint:
  #   [   0] +base[   1] 0000 TVXCreateEffectStructs@12
  exported=$("$objdump" -p "$module" |
    sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/{s/^[[:space:]]*\[[ 0-9]*\].* //p}')
fi
actual=$(printf '%s\n' "$exported" | c++filt | LC_ALL=C sort -u)
[ -n "$actual" ] || { echo "$module exports nothing" >&2; exit 1; }

if [ "$update" = --update ]; then
  printf '%s\n' "$actual" > "$list"
  echo "$list: $(wc -l < "$list") symbols"
  exit 0
fi
[ -f "$list" ] || { echo "no export list $list for $(basename "$module") (make it with --update)" >&2; exit 1; }
if ! diff <(LC_ALL=C sort -u "$list") <(printf '%s\n' "$actual") > /dev/null; then
  echo "$(basename "$module") exports differ from $list (< listed only, > exported only):" >&2
  diff <(LC_ALL=C sort -u "$list") <(printf '%s\n' "$actual") | grep '^[<>]' >&2
  exit 1
fi
echo "$(basename "$module"): $(printf '%s\n' "$actual" | wc -l) symbols, as listed"

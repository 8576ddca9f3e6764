#!/usr/bin/env bash
# check-imports.sh OBJDUMP MODULE...: every module may import system DLLs and the other modules
# named (which travel with it) only, so that no MinGW runtime has to travel with it.
set -u
objdump=$1; shift
ours=$(for module in "$@"; do basename "$module" | tr 'A-Z' 'a-z' | sed 's/\./\\./g'; done | paste -sd'|')
allowed="^(kernel32|user32|advapi32|ole32|oleaut32|msvcrt|ntdll|gdi32)\\.dll\$|^($ours)\$"
status=0
for module in "$@"; do
  names=$("$objdump" -p "$module" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ -n "$names" ] || { echo "$module: no imports found" >&2; status=1; continue; }
  while read -r dll; do
    if ! printf '%s\n' "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
      echo "$module imports $dll, which is not a system DLL" >&2
      status=1
    fi
  done <<< "$names"
  echo "$(basename "$module"): $(echo $names)"
done
exit $status

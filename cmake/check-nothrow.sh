#!/usr/bin/env bash
# check-nothrow.sh DIR...: no exception may leave the library (on Windows each statically linked
# module has its own unwinder, so a throw across the boundary ends the process). The library is
# compiled without exceptions; this catches what that flag cannot: the throwing operator new
# and standard containers whose failures throw.
set -u
pattern='(^|[^_[:alnum:]])new[[:space:]]+[A-Za-z_:]|std::(vector|string|map|set|list|deque|unordered_[a-z]+|function|shared_ptr|make_unique|make_shared)([^_[:alnum:]]|$)|(^|[^_[:alnum:]])throw([^_[:alnum:]]|$)'
hits=$(find "$@" -name '*.cpp' -o -name '*.h' | sort | while read -r f; do
  # Comments may say anything; only code counts.
  sed 's://.*$::' "$f" | grep -nE "$pattern" | grep -v 'new (std::nothrow)' | sed "s|^|$f:|"
done)
if [ -n "$hits" ]; then
  echo "constructs that can throw inside the library:" >&2
  echo "$hits" >&2
  exit 1
fi
echo "no throwing constructs in: $*"

#!/usr/bin/env bash
# Builds the benchmarks (bench/, native, optimised) and runs every one of them; ends with a
# table of the ratios they measured side by side. Arguments go to each benchmark program
# (e.g. --benchmark_filter=Load).
# Debian's Google Benchmark library is built without NDEBUG, so each program warns that the
# "Library was built as DEBUG": that is the benchmark framework, not the code it measures.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/packages.sh
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$(nproc)"

log=$(mktemp)
trap 'rm -f "$log"' EXIT
programs=(build/linux/bin/bench_*)
[ -x "${programs[0]}" ] || { echo "no benchmark programs (is libbenchmark-dev installed?)" >&2; exit 1; }
for program in "${programs[@]}"; do
  echo "== $(basename "$program")"
  "$program" --benchmark_color=false "$@" | tee "$log.out"
  sed -n "s|^ratio: \(.*\) = \(.*\)|$(basename "$program")\t\1\t\2|p" "$log.out" >> "$log"
done
rm -f "$log.out"

echo
echo "(a \"built as DEBUG\" warning above is about Debian's benchmark library; the code measured is built -O2)"
echo "ratios (CPU time of the first / of the second, measured in the same run):"
awk -F'\t' '{ printf "  %-14s %-52s %8s\n", $1, $2, $3 }' "$log"

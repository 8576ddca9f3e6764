#!/usr/bin/env bash
# Builds the benchmarks (bench/, native, optimised) and runs every one of them; ends with a
# table of the ratios they measured side by side. Arguments go to each benchmark program
# (e.g. --benchmark_filter=Load).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/packages.sh
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$(nproc)"

ratios=$(mktemp)
trap 'rm -f "$ratios"' EXIT
found=0
for program in build/linux/bin/bench_*; do
  [ -x "$program" ] || continue
  found=1
  echo "== $(basename "$program")"
  "$program" "$@" | tee /dev/stderr | sed -n "s|^ratio: |$(basename "$program")\t|p" >> "$ratios"
done 2>&1
[ $found -eq 1 ] || { echo "no benchmark programs (is libbenchmark-dev installed?)" >&2; exit 1; }

echo
echo "ratios (time of the first / time of the second, same run):"
awk -F'\t' '{ split($2, r, " = "); printf "  %-16s %-56s %8s\n", $1, r[1], r[2] }' "$ratios"

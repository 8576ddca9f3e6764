#!/usr/bin/env bash
# Runs every fuzz target (tests/fuzz) under libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer: fuzz.sh [SECONDS per target, default 60] [TARGET...].
# Each target's corpus grows in build/sanitize/fuzz/TARGET/corpus from the committed seeds; a
# crash or leak leaves its input there as crash-*/leak-*: add it to
# tests/fuzz/regressions/TARGET/ so that the ordinary tests replay it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
declare -A seeds=([project_sized]=project [object_record]=record [effect_lists]=project [tvx_build]=json)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(project_sized object_record effect_lists tvx_build)

scripts/packages.sh
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

status=0
summary=()
for target in "${targets[@]}"; do
  work=build/sanitize/fuzz/$target
  mkdir -p "$work/corpus"
  rm -f "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*
  dict=()
  [ -f "tests/fuzz/$target.dict" ] && dict=(-dict="tests/fuzz/$target.dict")
  echo "== $target: $seconds s"
  set +e
  build/sanitize/bin/fuzz_"$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/" "${dict[@]}" "$work/corpus" "tests/fuzz/corpus/${seeds[$target]}" \
    > "$work/log.txt" 2>&1
  rc=$?
  set -e
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log.txt" | tail -1)
  found=$(find "$work" -maxdepth 1 -name 'crash-*' -o -maxdepth 1 -name 'leak-*' \
            -o -maxdepth 1 -name 'timeout-*' -o -maxdepth 1 -name 'oom-*' | wc -l)
  inputs=$(find "$work/corpus" -type f | wc -l)
  summary+=("$(printf '%-14s %6ss %12s execs %6s corpus %3s crashes/leaks' \
               "$target" "$seconds" "${execs:-?}" "$inputs" "$found")")
  if [ $rc -ne 0 ] || [ "$found" -ne 0 ]; then
    status=1
    echo "$target failed (exit $rc); the log: $work/log.txt" >&2
    grep -E 'ERROR|SUMMARY|check failed|runtime error' "$work/log.txt" | head -20 >&2 || true
  fi
done
printf '%s\n' "${summary[@]}"
exit $status

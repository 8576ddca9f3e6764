#!/usr/bin/env bash
# consumer.sh SOURCE PREFIX WORK config|pkgconfig [WINEPREFIX [TOOLCHAIN]]: configures, builds and runs
# examples/consumer against the TKL installed in PREFIX, the way an application would: found
# through the CMake package or through pkg-config, natively, or (with a Wine prefix) for
# Windows (the i686 toolchain unless another is given) and run under Wine beside the installed
# software mouse. TKL_EXAMPLE names another example folder (its program has the folder's name),
# TKL_EXAMPLE_ARGS its arguments (a file among them is copied beside it first), and TKL_EXPECT
# the extended regular expression its output must match instead.
set -eu
source=$1 prefix=$2 work=$3 mode=$4 wineprefix=${5:-} toolchain=${6:-$1/cmake/mingw-i686.cmake}
example=${TKL_EXAMPLE:-consumer}
rm -rf "$work"
args=(-S "$source/examples/$example" -B "$work" -DCMAKE_BUILD_TYPE=Release)
[ "$mode" = pkgconfig ] && args+=(-DTKL_USE_PKGCONFIG=ON)
if [ -n "$wineprefix" ]; then
  args+=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -Dtkl_DIR="$prefix/lib/cmake/tkl")
else
  args+=(-DCMAKE_PREFIX_PATH="$prefix")
fi
cmake "${args[@]}" >"$work.configure.log" 2>&1 || { cat "$work.configure.log" >&2; exit 1; }
cmake --build "$work" >"$work.build.log" 2>&1 || { cat "$work.build.log" >&2; exit 1; }

run_args=()
for arg in ${TKL_EXAMPLE_ARGS:-}; do
  if [ -f "$arg" ]; then cp "$arg" "$work/"; arg=$(basename "$arg"); fi
  run_args+=("$arg")
done
cd "$work"
if [ -n "$wineprefix" ]; then
  [ -f "$work/tkl.dll" ] || { echo "tkl.dll was not copied beside the program" >&2; exit 1; }
  cp "$prefix/bin/tactra.dll" "$work/"
  out=$("$source/cmake/wine-run.sh" "$wineprefix" "$work/$example.exe" ${run_args[@]+"${run_args[@]}"} | tr -d '\r')
else
  out=$("$work/$example" ${run_args[@]+"${run_args[@]}"})
fi
echo "$out"
if [ -n "${TKL_EXPECT:-}" ]; then
  printf '%s\n' "$out" | tr '\n' ' ' | grep -Eq "$TKL_EXPECT" ||
    { echo "expected: $TKL_EXPECT" >&2; exit 1; }
  exit 0
fi
expected=$'device: force mouse\nplaying: yes'
[ "$out" = "$expected" ] || { echo "expected:"$'\n'"$expected" >&2; exit 1; }

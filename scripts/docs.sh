#!/usr/bin/env bash
# Builds the API reference with Doxygen into OUTPUT_DIR/html (default build/docs/html). Any
# Doxygen warning (an undocumented public declaration, a broken reference) fails it, so the
# test run uses it as the check that every public declaration is documented.
#   scripts/docs.sh [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

out=$(mkdir -p "${1:-build/docs}" && cd "${1:-build/docs}" && pwd)
command -v doxygen >/dev/null || { echo "doxygen is missing (scripts/packages.sh installs it)" >&2; exit 1; }

# The public headers (those tkl/tkl.h brings in), less the platform layer, which declares the
# system's own API.
headers=$(cmake -DROOT="$PWD" -DEXCLUDE='^tkl/platform/' -P cmake/TklPublicHeaders.cmake)
version=$(sed -n 's/^project(tkl VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
log="$out/warnings.log"
rm -rf "$out/html" "$log"
{
  cat docs/Doxyfile
  echo "INPUT = docs/mainpage.md $(echo $headers) capi/include/tkl/tkl_c.h sim/simcontrol.h"
  # The guides, the force models, the project format and the examples, as pages.
  echo "INPUT += $(ls docs/*.md | grep -v mainpage.md | tr '\n' ' ')"
  echo "PROJECT_NUMBER = $version"
  echo "OUTPUT_DIRECTORY = $out"
  echo "WARN_LOGFILE = $log"
} | doxygen - >/dev/null

if [ -s "$log" ]; then
  cat "$log" >&2
  echo "docs: $(wc -l < "$log") Doxygen warnings" >&2
  exit 1
fi
echo "docs: $(echo $headers capi/include/tkl/tkl_c.h sim/simcontrol.h | wc -w) public headers documented: $out/html/index.html"

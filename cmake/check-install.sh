#!/usr/bin/env bash
# check-install.sh BUILD_DIR: installs into a scratch prefix and checks the layout applications
# rely on: headers under include/tkl/, libraries under lib/.
set -eu
build=$1
prefix="$build/install-check"
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in include/tkl/tkl.h include/tkl/core/tklerrors.h include/tkl/devices/tactrarecords.h \
         include/tkl/effects/effectkinds.h; do
  [ -f "$prefix/$f" ] || { echo "missing $f" >&2; exit 1; }
done
ls "$prefix"/lib/*tkl* >/dev/null 2>&1 || { echo "no library under lib/" >&2; exit 1; }
echo "installed: $(cd "$prefix" && find . -type f | wc -l) files"

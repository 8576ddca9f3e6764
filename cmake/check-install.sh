#!/usr/bin/env bash
# check-install.sh BUILD_DIR PREFIX linux|windows TOOL: installs the tree into PREFIX and checks
# the layout applications and their installers rely on. TOOL is readelf (linux) or the
# target's objdump (windows). Each component is also installed alone into PREFIX.<component>,
# to show that the software devices come only with their own.
set -u
build=$1 prefix=$2 target=$3 tool=$4
here=$(cd "$(dirname "$0")" && pwd)
status=0
fail() { echo "$*" >&2; status=1; }
install_into() {  # install_into DIR [--component NAME]
  rm -rf "$1"
  cmake --install "$build" --prefix "$@" >/dev/null || { echo "install into $1 failed" >&2; exit 1; }
}
present() { for f in "$@"; do [ -e "$prefix/$f" ] || fail "missing $f"; done; }
absent() { for f in "$@"; do [ ! -e "$prefix/$f" ] || fail "$f must not be installed"; done; }
# files DIR: every installed file, relative to DIR.
files() { (cd "$1" && find . -type f -o -type l | sed 's|^\./||' | sort); }

install_into "$prefix"
present include/tkl/sim/simcontrol.h include/tkl/tkl.h include/tkl/core/tklerrors.h include/tkl/devices/tactrarecords.h \
        include/tkl/effects/effectkinds.h include/tkl/project/tvx.h \
        lib/cmake/tkl/tklConfig.cmake lib/cmake/tkl/tklConfigVersion.cmake \
        lib/cmake/tkl/tklTargets.cmake
# Headers the public ones do not include are the library's own business.
absent include/tkl/project/loader.h include/tkl/devices/sharedmodule.h

version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$prefix/lib/cmake/tkl/tklConfigVersion.cmake")
[ -n "$version" ] || fail "no version in tklConfigVersion.cmake"

case "$target" in
  linux)
    present lib/libtkl.so lib/libtkl.so.0 "lib/libtkl.so.$version" lib/pkgconfig/tkl.pc \
            lib/libtactra.so lib/libdinput.so bin/tvx bin/tkl-play
    # lib/libdinput.so is the evdev module, never the DirectInput stand-in.
    "$tool" --dyn-syms "$prefix/lib/libdinput.so" | grep -q TklEvdevSetSystem ||
      fail "lib/libdinput.so is not the evdev module"
    [ -L "$prefix/lib/libtkl.so" ] && [ -L "$prefix/lib/libtkl.so.0" ] ||
      fail "libtkl.so and libtkl.so.0 must be symbolic links"
    real=$(readlink -f "$prefix/lib/libtkl.so")
    [ "$(readlink -f "$prefix/lib/libtkl.so.0")" = "$real" ] && [ ! -L "$real" ] ||
      fail "libtkl.so and libtkl.so.0 must lead to one file"
    soname=$("$tool" -d "$real" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
    echo "$(basename "$real"): SONAME $soname"
    [ "$soname" = "libtkl.so.${version%%.*}" ] ||
      fail "SONAME of $(basename "$real") is '$soname', not libtkl.so.${version%%.*}"
    devices="lib/libtactra.so"
    install_into "$prefix.hardware" --component hardware
    [ "$(files "$prefix.hardware" | tr '\n' ' ')" = "lib/libdinput.so " ] ||
      fail "component hardware installs: $(files "$prefix.hardware" | tr '\n' ' ')(expected lib/libdinput.so)"
    ;;
  windows)
    present bin/tkl.dll bin/tactra.dll bin/tvx.exe bin/tkl-play.exe lib/libtkl.dll.a lib/tkl.def
    # The DirectInput stand-in never leaves the build; nor does any import library of a
    # software device.
    [ -z "$(find "$prefix" -iname 'dinput*.dll' -o -iname 'libdinput*')" ] ||
      fail "a DirectInput stand-in is installed"
    absent lib/libtactra.dll.a lib/pkgconfig
    for module in bin/tkl.dll bin/tactra.dll bin/tvx.exe bin/tkl-play.exe; do
      # A top-level resource entry of type 16 (RT_VERSION) holding the package's version.
      "$tool" -p "$prefix/$module" | grep -Eq '^[0-9a-f]{3}   Entry: ID: 0x000010,' ||
        fail "$module has no version resource"
      stamped=$(strings -el "$prefix/$module" | sed -n '/^FileVersion$/{n;p;q}')
      echo "$module: version resource, FileVersion $stamped"
      [ "$stamped" = "$version" ] || fail "$module: FileVersion '$stamped', package version $version"
    done
    "$here/check-imports.sh" "$tool" "$prefix"/bin/*.dll "$prefix"/bin/*.exe || status=1
    devices="bin/tactra.dll"
    ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac

# Components: the library alone brings no software device; the devices alone, nothing else.
install_into "$prefix.library" --component library
for f in $devices; do [ ! -e "$prefix.library/$f" ] || fail "component library installs $f"; done
[ -e "$prefix.library/include/tkl/tkl.h" ] || fail "component library lacks the headers"
install_into "$prefix.devices" --component devices
# Beside the modules, the devices' control API and the library headers it needs.
[ "$(files "$prefix.devices" | grep -v '^include/tkl/' | tr '\n' ' ')" = "$(echo $devices | tr ' ' '\n' | sort | tr '\n' ' ')" ] ||
  fail "component devices installs: $(files "$prefix.devices" | tr '\n' ' ')(expected $devices and headers)"
for f in include/tkl/sim/simcontrol.h include/tkl/devices/tactrarecords.h; do
  [ -e "$prefix.devices/$f" ] || fail "component devices lacks $f"
done

echo "installed: $(files "$prefix" | wc -l) files"
exit $status

#!/usr/bin/env bash
# Checks that the packages both builds need are installed; installs the missing ones when run
# as root, otherwise names them and fails.
set -euo pipefail

native=(cmake g++ make libgtest-dev googletest nlohmann-json3-dev valgrind python3)
windows=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
         binutils-mingw-w64-i686 wine wine32:i386)

missing=()
for p in "${native[@]}" "${windows[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]}" >&2
  echo "install them with: sudo dpkg --add-architecture i386 && sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

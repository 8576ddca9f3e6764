#!/usr/bin/env bash
# Checks that the packages both builds need are installed; installs the missing ones when run
# as root, otherwise names them and fails.
set -euo pipefail

native=(cmake g++ make libgtest-dev googletest nlohmann-json3-dev valgrind python3 pkgconf doxygen)
# tkl-play draws its plots with gnuplot (PNG through the cairo terminal).
native+=(gnuplot-nox)
# A second, standard JSON Schema validator checks the project schema and the samples.
native+=(python3-jsonschema)
# The Python package's tests.
native+=(python3-pytest)
# The sanitizer build and the fuzz targets (clang with its ASan, UBSan and libFuzzer runtimes;
# llvm for readable stacks), and the benchmarks.
native+=(clang libclang-rt-dev llvm libbenchmark-dev)
# The browser studio: the library compiled to WebAssembly, tested in headless Chromium.
native+=(emscripten chromium chromium-driver python3-selenium)
# wine64 brings the native 64-bit wineserver, which serves the 32-bit Wine processes.
windows=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
         binutils-mingw-w64-i686 wine wine32:i386 wine64)
# The 64-bit Windows build.
windows+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
          binutils-mingw-w64-x86-64)
# Runs Wine's 32-bit loader where the kernel has no IA-32 emulation (cmake/wine/setup.sh).
# Versions before 10 crash Wine's threads; bookworm has one only in its backports.
emulator=qemu-user
emulator_min=1:10

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
emulator_ok() {
  installed "$emulator" &&
    dpkg --compare-versions "$(dpkg-query -W -f='${Version}' "$emulator")" ge "$emulator_min"
}

missing=()
for p in "${native[@]}" "${windows[@]}"; do
  installed "$p" || missing+=("$p")
done
need_emulator=0
emulator_ok || need_emulator=1
[ ${#missing[@]} -eq 0 ] && [ $need_emulator -eq 0 ] && exit 0

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
backports=
[ "$codename" = bookworm ] && backports=bookworm-backports

if [ "$(id -u)" -ne 0 ]; then
  [ ${#missing[@]} -gt 0 ] && echo "missing packages: ${missing[*]}" >&2
  [ $need_emulator -eq 1 ] && echo "missing: $emulator >= $emulator_min${backports:+ (from $backports)}" >&2
  echo "run as root: $0" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  update=1
fi
if [ $need_emulator -eq 1 ] && [ -n "$backports" ] &&
   ! grep -rqsw -- "$backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  # Same mirror and key as the main archive; backports are only used where asked for (-t).
  mirror=$(grep -rhsm1 '^URIs:' /etc/apt/sources.list.d/debian.sources | awk '{print $2}')
  cat > /etc/apt/sources.list.d/$backports.sources <<SRC
Types: deb
URIs: ${mirror:-http://deb.debian.org/debian}
Suites: $backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  update=1
fi
[ ${#missing[@]} -gt 0 ] && update=1
# A mirror mid-sync can fail one index; apt then keeps the others, and the install below says
# whether what it needs was found.
if [ $update -eq 1 ] && ! apt-get update -qq; then
  echo "warning: some package indexes could not be fetched; using those that were" >&2
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  # With recommends: Wine creates its prefixes with what they bring.
  # When an update suite's index for one architecture could not be fetched, the two
  # architectures' candidates differ and apt refuses; the release's own suite has both.
  apt-get install -y -qq "${missing[@]}" >/dev/null ||
    { [ -n "$codename" ] && echo "retrying from $codename alone" >&2 &&
      apt-get install -y -qq -t "$codename" "${missing[@]}" >/dev/null; }
fi
if [ $need_emulator -eq 1 ]; then
  echo "installing: $emulator${backports:+ from $backports}"
  apt-get install -y -qq --no-install-recommends ${backports:+-t "$backports"} "$emulator" >/dev/null
  emulator_ok || { echo "$emulator >= $emulator_min is not available" >&2; exit 1; }
fi

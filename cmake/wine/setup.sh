#!/usr/bin/env bash
# One-time machine setup for 32-bit Wine; idempotent, cheap once done, and safe while other
# test runs are using Wine.
#
# Wine's 32-bit loader is an i386 ELF program. Kernels started without IA-32 emulation refuse
# to exec those ("Exec format error"), and they cannot run 32-bit code inside a 64-bit process
# either, so Wine's own WoW64 mode fails there too. There we hand i386 programs to qemu's
# user-mode emulator through binfmt_misc: Wine's loader, and everything it starts (wineboot,
# its services, the test programs), runs emulated; the wineserver is the native 64-bit one.
set -euo pipefail

loader=/usr/lib/wine/wine
bm=/proc/sys/fs/binfmt_misc
# qemu's own i386 ELF pattern: executables and shared objects, any OS/ABI byte.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
magic_hex=7f454c4601010100000000000000000002000300
# bookworm's qemu 7.2 starts Wine but its threads crash at random; 10 is the first release
# seen to run it reliably.
min_qemu=10

die() { echo "wine setup: $*" >&2; exit 1; }
loader_runs() { "$loader" --version >/dev/null 2>&1; }
i386_entries() {
  [ -e "$bm/status" ] || return 0
  grep -l "^magic $magic_hex" "$bm"/* 2>/dev/null || true
}

[ -x "$loader" ] || die "$loader is missing (package wine32:i386; see scripts/packages.sh)"

qemu=
for q in /usr/bin/qemu-i386-static /usr/bin/qemu-i386; do
  [ -x "$q" ] || continue
  v=$("$q" --version 2>/dev/null | sed -n '1s/.* version \([0-9]*\)\..*/\1/p') || v=
  if [ -n "$v" ] && [ "$v" -ge "$min_qemu" ]; then
    qemu=$(readlink -f "$q")
    break
  fi
done

# The entry is named after the emulator binary's identity: with the F flag the kernel keeps
# the file it was given open, so after a qemu upgrade an older entry would still run the old
# emulator.
name=
if [ -n "$qemu" ]; then
  name=tkl-i386-$(stat -Lc '%d:%i:%Y:%s' "$qemu" | md5sum | cut -c1-10)
  if [ -e "$bm/$name" ]; then
    grep -qx enabled "$bm/$name" || echo 1 > "$bm/$name"
    exit 0
  fi
fi

# Nothing of ours is registered: maybe this kernel runs i386 programs itself.
if [ -z "$(i386_entries)" ] && loader_runs; then
  exit 0
fi

[ -n "$qemu" ] || die "this kernel cannot run i386 programs and no qemu-i386 >= $min_qemu is installed (package qemu-user; see scripts/packages.sh)"
[ "$(id -u)" -eq 0 ] || die "registering $qemu for i386 programs with binfmt_misc needs root: run $0 as root once"

if [ ! -e "$bm/register" ]; then
  mount -t binfmt_misc binfmt_misc "$bm" || die "cannot mount binfmt_misc on $bm"
fi

# F: the kernel opens the emulator now, so it works whatever the caller's mount namespace.
# P: the program keeps the argv[0] it was started with.
# The newest entry is matched first, so the new one takes over before any old one goes, and
# runs already going never meet a moment without a handler. Two setups racing both succeed.
printf ':%s:M::%s:%s:%s:FP\n' "$name" "$magic" "$mask" "$qemu" > "$bm/register" 2>/dev/null ||
  [ -e "$bm/$name" ] || die "binfmt_misc refused the i386 entry"
for e in "$bm"/tkl-i386*; do
  if [ -e "$e" ] && [ "${e##*/}" != "$name" ]; then
    echo -1 > "$e" 2>/dev/null || true
  fi
done

loader_runs || die "$loader does not run through $qemu"

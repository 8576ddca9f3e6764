#!/usr/bin/env bash
# Cross-compiling emulator: wine-run.sh PREFIX program.exe [args...]
# Wine passes the program's exit code, stdout and stderr through unchanged, as CTest needs.
here=$(dirname "$0")
. "$here/wine-env.sh" "$1"
shift
# Normally wine-server.sh start has set the machine up. After a reboot without it, every test
# would fail with "Exec format error"; set it up here instead (a no-op where i386 runs natively).
shopt -s nullglob
entries=(/proc/sys/fs/binfmt_misc/tkl-i386-*)
shopt -u nullglob
if [ ${#entries[@]} -eq 0 ]; then
  "$here/wine/setup.sh" || exit 1
fi
exec wine "$@"

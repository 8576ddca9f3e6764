#!/usr/bin/env bash
# Cross-compiling emulator: wine-run.sh PREFIX program.exe [args...]
. "$(dirname "$0")/wine-env.sh" "$1"
shift
exec wine "$@"

#!/usr/bin/env bash
# wine-server.sh start|stop PREFIX: one persistent wineserver for a whole test run, so that
# each test process attaches to it instead of starting (and tearing down) its own.
set -u
cmd=$1
. "$(dirname "$0")/wine-env.sh" "$2"
case "$cmd" in
  start)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      mkdir -p "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1 || { echo "wineboot failed for $WINEPREFIX" >&2; exit 1; }
    fi
    # -p keeps the server alive until it is killed; a server already running for this
    # prefix makes this a no-op.
    wineserver -p >/dev/null 2>&1 || true
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 || true
    ;;
  *) echo "usage: $0 start|stop PREFIX" >&2; exit 2 ;;
esac

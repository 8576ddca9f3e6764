#!/usr/bin/env bash
# wine-server.sh start|stop PREFIX: one persistent wineserver for a whole test run, so that
# each test process attaches to it instead of starting (and tearing down) its own.
set -u
cmd=$1
here=$(dirname "$0")
. "$here/wine-env.sh" "$2"
case "$cmd" in
  start)
    "$here/wine/setup.sh" || exit 1
    mkdir -p "$WINEPREFIX"
    # -p keeps the server alive until it is killed; a server already running for this
    # prefix makes this a no-op.
    wineserver -p >/dev/null 2>&1 || true
    # The marker is written only once wineboot has finished, and the registry reaches the
    # disk only when the server saves it: without both, the creation is redone rather than
    # leaving a half-made prefix behind.
    if [ ! -f "$WINEPREFIX/.tkl-prefix-ready" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >/dev/null 2>&1 || { echo "wineboot failed for $WINEPREFIX" >&2; exit 1; }
      touch "$WINEPREFIX/.tkl-prefix-ready"
    else
      # The first process of a server session starts Wine's own services and waits for them
      # (several seconds here); pay that now rather than in whichever test runs first.
      wine cmd.exe /c exit >/dev/null 2>&1 || { echo "wine does not start in $WINEPREFIX" >&2; exit 1; }
    fi
    # Wine closes the desktop a second after its last program leaves, and a desktop opened
    # again after that keeps the cursor at (0, 0): one program that stays for the whole run
    # keeps the desktop, and SetCursorPos with it, working. The server's end ends it too.
    # It waits for a key on a pipe it holds both ends of, so none ever comes.
    holder="$WINEPREFIX/.tkl-desktop-holder"
    if ! { [ -f "$holder" ] && kill -0 "$(cat "$holder")" 2>/dev/null; }; then
      rm -f "$holder.pipe" && mkfifo "$holder.pipe"
      wine cmd.exe /c pause 0<>"$holder.pipe" >/dev/null 2>&1 &
      echo $! > "$holder"
    fi
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 || true
    rm -f "$WINEPREFIX/.tkl-desktop-holder" "$WINEPREFIX/.tkl-desktop-holder.pipe"
    ;;
  *) echo "usage: $0 start|stop PREFIX" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# Builds the effect studio (the library compiled to WebAssembly, and its page) and serves it on
# the loopback address until Ctrl-C: scripts/studio.sh [--port PORT] (default 8080).
set -euo pipefail
cd "$(dirname "$0")/.."

port=8080
while [ $# -gt 0 ]; do
  case "$1" in
    --port) [ $# -ge 2 ] || { echo "usage: $0 [--port PORT]" >&2; exit 2; }; port=$2; shift 2 ;;
    --port=*) port=${1#--port=}; shift ;;
    -h|--help) echo "usage: $0 [--port PORT]   serve the studio on http://127.0.0.1:PORT/ (default 8080)"; exit 0 ;;
    *) echo "usage: $0 [--port PORT]" >&2; exit 2 ;;
  esac
done
case "$port" in
  ''|*[!0-9]*) echo "$0: --port: expected a number from 1 to 65535: $port" >&2; exit 2 ;;
esac
[ "$port" -ge 1 ] && [ "$port" -le 65535 ] || { echo "$0: --port: expected 1..65535: $port" >&2; exit 2; }

scripts/packages.sh
cmake --preset wasm --log-level=WARNING
cmake --build --preset wasm -j "$(nproc)" --target studio

site=build/wasm/studio/site
echo "The studio: http://127.0.0.1:$port/ (Ctrl-C stops it)"
exec /usr/bin/python3 studio/serve.py "$site" "$port"

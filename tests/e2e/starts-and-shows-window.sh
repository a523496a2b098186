#!/usr/bin/env bash
# The program starts on a desktop and shows its window at the fixed size.
set -euo pipefail
source "$(dirname "$0")/../window/lib.sh"

start_app "$1"
geometry_of "$APP_WINDOW"
[ "$WIDTH" = 497 ] && [ "$HEIGHT" = 435 ] || fail "window is ${WIDTH}x${HEIGHT}, not 497x435"
screenshot started
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
echo "ok: window shown at ${WIDTH}x${HEIGHT}"

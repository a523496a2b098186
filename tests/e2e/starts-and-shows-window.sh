#!/usr/bin/env bash
# The program starts on a desktop and shows its window at the fixed size, having loaded nothing
# of sound (SDL, the sound server's client, codecs), of Wayland on X11, or of Qt's image plugins,
# and no font face it does not draw.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

start_app "$1"
geometry_of "$APP_WINDOW"
[ "${WIDTH}x${HEIGHT}" = "$WINDOW_SIZE" ] || fail "window is ${WIDTH}x${HEIGHT}, not $WINDOW_SIZE"
screenshot started
sleep 1
loaded=$(grep -oE '/[^ ]*(libSDL2|libpulse|libasound|libsndfile|libvorbis|libFLAC|libwayland|/imageformats/)[^ ]*' \
         "/proc/$APP_PID/maps" | sort -u || true)
[ -z "$loaded" ] || fail "loaded at start, before any sound: $loaded"
# Fonts as the window draws them: the reminder is drawn in Comic Neue's bold face only.
! grep -q 'ComicNeue-Regular' "/proc/$APP_PID/maps" || fail "a face the window does not draw was loaded (Comic Neue Regular)"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
echo "ok: window shown at ${WIDTH}x${HEIGHT}, with nothing of sound, Wayland or image plugins loaded"

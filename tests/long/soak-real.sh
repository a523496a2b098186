#!/usr/bin/env bash
# The real program ringing for a long while (default 10 minutes) on a private desktop with a
# tray and the disk audio driver, its resident memory sampled every 10 seconds.
#   tests/long/soak-real.sh [MINUTES]
# Prints the samples and the growth from the first to the last; fails on 1 MiB or more.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${WORK:-}" ]; then
  cmake --build "$top/build" --target meridane-chimewell >/dev/null
  IDENTITY=$top/build/generated/identity.sh DESKTOP_ATSPI=1 exec "$top/tests/window/with-desktop.sh" "$0" "$@"
fi
source "$top/tests/e2e/lib.sh"
minutes=${1:-10}
start_app "$top/build/meridane-chimewell"
type_into Text2_2 1
arm
wait_for 5 heard || fail "the alarm did not ring"
rss() { awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
samples=()
for i in $(seq 0 $((minutes * 6))); do
  [ "$i" -gt 0 ] && sleep 10
  kill -0 "$APP_PID" || fail "the program ended while ringing"
  samples+=("$(rss)")
  printf '%4d s  %6d KiB\n' $((i * 10)) "${samples[-1]}"
done
window_shown || fail "the window was not shown while ringing"
first=${samples[0]}; last=${samples[-1]}
growth=$((last - first))
echo "ringing ${minutes} min: resident memory ${first} KiB -> ${last} KiB, growth ${growth} KiB"
kill "$APP_PID"
[ "$growth" -lt 1024 ] || fail "resident memory grew by ${growth} KiB"

#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get, starts the installed program on a
# private desktop, arms an alarm and closes the program through the icon's menu; then removes
# the package again. Needs root (or sudo).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${WORK:-}" ]; then
  build="$top/build-deb"
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCHIMEWELL_TESTS=OFF -Wno-dev >/dev/null
  cmake --build "$build" --parallel "$(nproc)" >/dev/null
  (cd "$build" && cpack >/dev/null)
  deb=$(ls "$build"/meridane-chimewell_*.deb | head -n1)
  echo "package: $deb"
  dpkg-deb --field "$deb" Depends
  sudo=(); [ "$(id -u)" = 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get install -y -qq "$deb" >/dev/null
  trap '"${sudo[@]}" apt-get remove -y -qq meridane-chimewell >/dev/null' EXIT
  "$top/tests/window/with-desktop.sh" "$0" /usr/bin/meridane-chimewell
  exit
fi
source "$top/tests/e2e/lib.sh"
start_app "$1"
arm
wait_for icon_docked 5 || fail "the icon did not dock"
click_icon 3
sleep 0.5
xdotool key Up Return
expect_exit "Close the Alarm Program"
echo "ok: the installed program ran, armed, and closed through its menu"

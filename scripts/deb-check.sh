#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian and reads its control fields, installs it with apt-get, starts the installed program on a
# private desktop, arms an alarm and closes the program through the icon's menu; then removes
# the package again. Needs root (or sudo).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${WORK:-}" ]; then
  build="$top/build-deb"
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCHIMEWELL_TESTS=OFF -Wno-dev >/dev/null
  cmake --build "$build" --parallel "$(nproc)" >/dev/null
  (cd "$build" && cpack >/dev/null)
  debs=("$build"/meridane-chimewell_*.deb)
  deb=${debs[0]}
  echo "package: $deb"
  dpkg-deb --field "$deb" Depends
  # What Debian would refuse: lintian's errors (its warnings are printed; README says which stay
  # and why), and the control fields the desktops need.
  lintian --fail-on error "$deb"
  [ "$(dpkg-deb --field "$deb" Recommends)" = qt6-wayland ] || { echo "FAIL: qt6-wayland is not recommended" >&2; exit 1; }
  if dpkg-deb --field "$deb" Depends | grep -q qt6-qpa-plugins; then
    echo "FAIL: the package depends on qt6-qpa-plugins, which holds no plugin the program uses" >&2; exit 1
  fi
  dpkg-deb --field "$deb" Depends | grep -q 'qt6-base-abi (= ' \
    || { echo "FAIL: the package does not ask for the Qt release its platform interface was built for" >&2; exit 1; }
  [ "$(dpkg-deb --field "$deb" Description | wc -l)" -gt 1 ] || { echo "FAIL: no extended description" >&2; exit 1; }
  sudo=(); [ "$(id -u)" = 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get install -y -qq "$deb" >/dev/null
  trap '"${sudo[@]}" apt-get remove -y -qq meridane-chimewell >/dev/null' EXIT
  IDENTITY=$build/generated/identity.sh DESKTOP_ATSPI=1 "$top/tests/window/with-desktop.sh" "$0" /usr/bin/meridane-chimewell
  exit
fi
source "$top/tests/e2e/lib.sh"
start_app "$1"
arm
wait_for 5 icon_docked || fail "the icon did not dock"
open_icon_menu
xdotool key Up Return
expect_exit "Close the Alarm Program"
echo "ok: the installed program ran, armed, and closed through its menu"

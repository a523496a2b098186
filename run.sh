#!/usr/bin/env bash
# Sets everything up, builds into build/ and starts Meridane Chimewell.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh
cmake -S . -B build -DCHIMEWELL_TESTS=OFF -Wno-dev >/dev/null
cmake --build build --parallel "$(nproc)" --target meridane-chimewell

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No graphical display found (DISPLAY is not set): start ./run.sh from a desktop session." >&2
  exit 1
fi
echo "Trouble with sound, the tray icon or fonts? See the Troubleshooting section of README.md."
exec build/meridane-chimewell

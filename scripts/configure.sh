#!/usr/bin/env bash
# Configures a build folder for Ninja, which keeps every core busy across targets where make
# finishes a library before it compiles what uses it. A folder that make built starts over.
#   scripts/configure.sh BUILD_DIR [CMAKE OPTIONS...]
set -euo pipefail
dir=$1
shift
grep -qsx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$dir/CMakeCache.txt" || rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
cmake -G Ninja -S "$(dirname "$0")/.." -B "$dir" -Wno-dev "$@" >/dev/null

#!/usr/bin/env bash
# `cmake --install` lays out a desktop program: the binary, a valid desktop entry, the icon in
# the hicolor theme at 32 and 256 pixels, and valid AppStream metadata.
#   tests/install-check.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
id=org.example.MeridaneChimewell
for f in bin/meridane-chimewell share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/256x256/apps/$id.png; do
  [ -e "$prefix/$f" ] || { echo "FAIL: $f is not installed" >&2; exit 1; }
done
[ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/32x32/apps/$id.png")" = 32x32 ]
[ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/256x256/apps/$id.png")" = 256x256 ]
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml"
echo "ok: installed and valid"

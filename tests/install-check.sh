#!/usr/bin/env bash
# `cmake --install` lays out a desktop program: the binary, a valid desktop entry, the icon in
# the hicolor theme at 32 and 256 pixels, and valid AppStream metadata; the files made from the
# project's one statement of the version carry it, each in its spelling.
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
generated="$1/generated"
if grep -rn '@[A-Za-z_]*@' "$generated"; then
  echo "FAIL: a value was not filled in" >&2; exit 1
fi
version=$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\) .*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
IFS=. read -r major minor patch <<<"$version"
shown=$(printf '%d.%02d.%04d' "$major" "$minor" "$patch")
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || { echo "FAIL: metadata not at $version" >&2; exit 1; }
for key in FileVersion ProductVersion; do
  grep -q "VALUE \"$key\", \"$shown\"" "$generated/version.rc" || { echo "FAIL: $key is not $shown" >&2; exit 1; }
done
grep -q "FILEVERSION $major,$minor,0,$patch" "$generated/version.rc" || { echo "FAIL: FILEVERSION" >&2; exit 1; }
grep -q "VersionShown\[\] = \"$shown\"" "$generated/toolkit/AppInfo.h"
grep -q "\"Version $shown\"" "$generated/catalogue.json" || { echo "FAIL: the catalogue's version" >&2; exit 1; }
echo "ok: installed and valid, version $version ($shown)"

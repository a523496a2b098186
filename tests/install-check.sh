#!/usr/bin/env bash
# `cmake --install` lays out a desktop program: the binary, a valid desktop entry, the icon in
# the hicolor theme at 32 and 256 pixels, valid AppStream metadata, the copyright, changelog and
# manual page a package carries; the files made from the
# project's one statement of the version carry it, each in its spelling.
#   tests/install-check.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
# shellcheck source=../scripts/identity.sh.in
source "$1/generated/identity.sh"
id=$DESKTOP_ID
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:[A-Z]*=//p' "$1/CMakeCache.txt")
for f in bin/$PROGRAM_COMMAND "$libdir/$PROGRAM_COMMAND/libchimewell-sound.so" share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
         share/doc/$PROGRAM_COMMAND/copyright share/doc/$PROGRAM_COMMAND/changelog.gz share/man/man1/$PROGRAM_COMMAND.1.gz; do
  [ -e "$prefix/$f" ] || { echo "FAIL: $f is not installed" >&2; exit 1; }
done
[ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/32x32/apps/$id.png")" = 32x32 ]
[ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/256x256/apps/$id.png")" = 256x256 ]
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml"
generated="$1/generated"
holds() { grep -q "$2" "$1" || { echo "FAIL: $3" >&2; exit 1; }; } # file, pattern, what is wrong
if grep -rn '@[A-Za-z_]*@' "$generated"; then
  echo "FAIL: a value was not filled in" >&2; exit 1
fi
version=$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\) .*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
IFS=. read -r major minor patch <<<"$version"
shown=$(printf '%d.%02d.%04d' "$major" "$minor" "$patch")
holds "$prefix/share/metainfo/$id.metainfo.xml" "<release version=\"$version\"" "the metadata is not at $version"
zcat "$prefix/share/doc/$PROGRAM_COMMAND/changelog.gz" | head -n1 | grep -q "($version)" || { echo "FAIL: the changelog is not at $version" >&2; exit 1; }
for key in FileVersion ProductVersion; do
  holds "$generated/version.rc" "VALUE \"$key\", \"$shown\"" "$key is not $shown"
done
holds "$generated/version.rc" "FILEVERSION $major,$minor,0,$patch" "FILEVERSION is not $major,$minor,0,$patch"
holds "$generated/toolkit/AppInfo.h" "VersionShown\[\] = \"$shown\"" "the program does not call itself $shown"
holds "$generated/catalogue.json" "\"Version $shown\"" "the catalogue's version is not $shown"
echo "ok: installed and valid, version $version ($shown)"

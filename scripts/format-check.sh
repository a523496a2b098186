#!/usr/bin/env bash
# Fails when a C++ file is not laid out as .clang-format says, and shows how it should be.
# Every tracked file is checked (the whole tree takes two seconds), or the files given.
#   scripts/format-check.sh [FILE...]
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ $# -eq 0 ] || files=("$@")
status=0
for file in "${files[@]}"; do
  formatted=$(clang-format --style=file --assume-filename="$file" <"$file")
  diff -u --label "$file" --label "as formatted" "$file" <(printf '%s\n' "$formatted") || status=1
done
[ "$status" = 0 ] || echo "FAIL: not laid out as .clang-format says; clang-format -i FILE puts it right" >&2
exit $status

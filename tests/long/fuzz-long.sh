#!/usr/bin/env bash
# Fuzzes every target for as long as asked (seconds per target; default 600).
exec "$(dirname "$0")/../fuzz/run.sh" "${1:-600}" "$(cd "$(dirname "$0")/../.." && pwd)/build-fuzz-long"

#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: unit tests, window tests and journeys on a
# private X server with a tray host, all of them again under AddressSanitizer, UBSan and
# LeakSanitizer, and each fuzz target for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh --test
jobs=$(nproc)

cmake -S . -B build -DCHIMEWELL_TESTS=ON -DCHIMEWELL_STRICT=ON -Wno-dev >/dev/null
cmake --build build --parallel "$jobs"

cmake -S . -B build-asan -DCHIMEWELL_TESTS=ON -DCHIMEWELL_STRICT=ON -DCHIMEWELL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -Wno-dev >/dev/null
cmake --build build-asan --parallel "$jobs"

# Font caches up to date before the desktops start, so no test waits while they are rebuilt.
command -v fc-cache >/dev/null && fc-cache

status=0
echo "== Fuzzing (20 s a target)"
tests/fuzz/run.sh 20 || status=1

echo "== Sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer, LeakSanitizer)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --parallel "$jobs" || status=1

echo "== Main build"
ctest --test-dir build --output-on-failure --parallel "$jobs" || status=1
exit $status

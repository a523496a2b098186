#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: unit, sound and window tests in the normal
# build and again under AddressSanitizer, UBSan and LeakSanitizer; the journeys on the private
# desktops once, in the normal build (what users run); and each fuzz target briefly from its
# corpus (tests/long/ fuzzes for as long as asked). Prints each phase's time at the end.
set -euo pipefail
cd "$(dirname "$0")"

phases=()
started=$SECONDS
phase_done() { phases+=("$(printf '%-44s %4d s' "$1" $((SECONDS - started)))"); started=$SECONDS; }

scripts/setup.sh --test
phase_done "packages"

# The house's own checkers first: every script as shellcheck reads it (.shellcheckrc says what
# is silenced and why), and every C++ file as .clang-format lays it out.
echo "== shellcheck, clang-format"
git ls-files -z '*.sh' .ci/run | xargs -0 shellcheck
scripts/format-check.sh
phase_done "checks"
jobs=$(nproc)
# The desktop tests mostly wait on real time, and wait without spinning: two at once a core.
desktops=$((jobs * 2))

# Each target built as one file of its files (a unity build): the Qt and GoogleTest headers are
# read once a target instead of once a file, which halves the builds.
scripts/configure.sh build -DCHIMEWELL_TESTS=ON -DCHIMEWELL_STRICT=ON -DCMAKE_UNITY_BUILD=ON
cmake --build build --parallel "$jobs"
phase_done "main build"

# Font caches up to date before the desktops start, so no test waits while they are rebuilt.
command -v fc-cache >/dev/null && fc-cache

# The desktop tests mostly wait on real time and leave a third of the CPU idle. What needs only
# CPU runs beside them on that idle CPU alone (SCHED_IDLE: a test's process that wants a core has
# it at once): the sanitizer build beside the main build's tests, the fuzzing beside the
# sanitizer build's. Its output is printed after the tests'.
# What runs beside runs as a process group of its own (job control on while it starts), so an
# interrupted run (Ctrl+C, a CI timeout) takes it down whole: the build's compilers too.
BESIDE=''
trap '[ -z "$BESIDE" ] || kill -- -"$BESIDE" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
beside() {
  BESIDE_LOG=$(mktemp)
  set -m
  (chrt --idle -p 0 "$BASHPID" >/dev/null && "$@") >"$BESIDE_LOG" 2>&1 &
  BESIDE=$!
  set +m
}
beside_done() { # prints what ran beside and returns its status
  local status=0
  wait "$BESIDE" || status=$?
  BESIDE=''
  cat "$BESIDE_LOG"
  rm -f "$BESIDE_LOG"
  return $status
}
sanitizer_build() {
  scripts/configure.sh build-asan -DCHIMEWELL_TESTS=ON -DCHIMEWELL_BENCH=OFF -DCHIMEWELL_STRICT=ON \
    -DCHIMEWELL_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON -DCMAKE_BUILD_TYPE=Debug
  cmake --build build-asan --parallel "$jobs"
}

status=0
beside sanitizer_build
echo "== Main build, every test (the sanitizer build beside them)"
ctest --test-dir build --output-on-failure --parallel "$desktops" || status=1
phase_done "tests, main build"
beside_done || { echo "the sanitizer build failed" >&2; exit 1; }
phase_done "the rest of the sanitizer build"

beside tests/fuzz/run.sh 5
echo "== Sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer, LeakSanitizer), all but the journeys"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --parallel "$desktops" -LE journey || status=1
phase_done "tests, sanitizer build (fuzzing beside them)"
echo "== Fuzzing (5 s a target, from the seed corpus)"
beside_done || status=1
phase_done "the rest of the fuzzing"

echo "== Time by phase"
printf '%s\n' "${phases[@]}"
exit $status

#!/usr/bin/env bash
# Runs every fuzz target for the given seconds each (two at a time) from the committed seed
# corpus, and prints a line per target: executions, and findings (crash, leak or timeout).
#   tests/fuzz/run.sh SECONDS [BUILD_DIR]
set -uo pipefail
seconds=${1:?seconds per target}
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${2:-$top/build-fuzz}

if ! { CC=clang CXX=clang++ "$top/scripts/configure.sh" "$build" -DCHIMEWELL_FUZZ=ON -DCMAKE_UNITY_BUILD=ON \
         -DCMAKE_BUILD_TYPE=RelWithDebInfo && cmake --build "$build" --parallel "$(nproc)" >/dev/null; }; then
  echo "fuzz build failed" >&2
  exit 1
fi
# The targets, as tests/fuzz/CMakeLists.txt names them.
read -r -a targets <"$build/tests/fuzz/targets.txt"

run_one() {
  local t=$1
  local work="$build/corpus/$t" log="$build/fuzz-$t.log"
  mkdir -p "$work" "$build/findings"
  (cd "$build/findings" && "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
     -print_final_stats=1 "$work" "$top/tests/fuzz/corpus/$t" >"$log" 2>&1)
  local status=$? runs findings
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  findings=$(grep -c -E 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer)|runtime error|invariant broken' "$log")
  printf '%-16s %12s executions  %s findings\n' "$t" "${runs:-?}" "$findings"
  [ "$status" = 0 ] && [ "$findings" = 0 ]
}

status=0
pids=()
for t in "${targets[@]}"; do
  run_one "$t" &
  pids+=($!)
  if [ ${#pids[@]} -ge 2 ]; then wait "${pids[0]}" || status=1; pids=("${pids[@]:1}"); fi
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
[ "$status" = 0 ] || echo "fuzzing found faults: see $build/fuzz-*.log and $build/findings/" >&2
exit $status

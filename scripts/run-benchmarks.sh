#!/usr/bin/env bash
# Runs every benchmark program of a build folder. Each prints its own ratio
# against the limit or the peer it measured in the same run; none of them
# fails on timing.
set -uo pipefail
build=${1:-build/release}
status=0
for program in "$build"/bench/bench_*; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" --benchmark_counters_tabular=true || status=1
done
exit $status

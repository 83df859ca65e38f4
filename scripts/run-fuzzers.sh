#!/usr/bin/env bash
# Runs every libFuzzer target of a build folder for a while each, with a
# corpus folder of its own that persists between runs.
set -uo pipefail
build=${1:-build/fuzz}
seconds=${2:-60}
status=0
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  echo "== $name (${seconds}s)"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 "$corpus" \
    >"$build/$name.log" 2>&1 || { status=1; tail -40 "$build/$name.log"; }
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$build/$name.log" || true
done
exit $status

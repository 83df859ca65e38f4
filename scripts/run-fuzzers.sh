#!/usr/bin/env bash
# Runs every libFuzzer target of a build folder for a while each. Each target
# starts from the seeds and past crashes kept in fuzz/corpus/<target> and adds
# what it finds to a corpus folder of its own in the build folder, which
# persists between runs. Crash files go to <build>/crashes/<target>: once the
# fault is fixed, copy the file into fuzz/corpus/<target>, where the replay
# test of every build (make test) keeps checking it.
set -uo pipefail
build=${1:-build/fuzz}
seconds=${2:-60}
seeds_root=$(cd "$(dirname "$0")/.." && pwd)/fuzz/corpus
status=0
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  crashes="$build/crashes/$name"
  mkdir -p "$corpus" "$crashes"
  seeds=()
  [ -d "$seeds_root/$name" ] && seeds=("$seeds_root/$name")
  echo "== $name (${seconds}s)"
  # New inputs land in the first folder only: the kept seeds stay as they are.
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$crashes/" \
    "$corpus" "${seeds[@]}" >"$build/$name.log" 2>&1 || {
    status=1
    tail -40 "$build/$name.log"
    echo "crash files of $name: $crashes"
  }
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$build/$name.log" || true
done
exit $status

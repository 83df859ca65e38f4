#!/usr/bin/env bash
# Runs every libFuzzer target of a build folder for a while each. Each target
# starts from the seeds and past crashes kept in fuzz/corpus/<target> and adds
# what it finds to a corpus folder of its own in the build folder, which
# persists between runs. Afterwards the inputs of that folder that reach
# something the kept corpus does not are merged into fuzz/corpus/<target>
# (libFuzzer's -merge=1: the kept files stay, only new coverage is added), so
# every clone replays them in make test. Crash files go to
# <build>/crashes/<target>: once the fault is fixed, copy the file into
# fuzz/corpus/<target>, where the replay keeps checking it.
#
# One fuzzer process runs at a time, target after target; FUZZ_TARGETS limits
# the run to the targets named (space-separated).
set -uo pipefail
build=${1:-build/fuzz}
seconds=${2:-60}
seeds_root=$(cd "$(dirname "$0")/.." && pwd)/fuzz/corpus
only=${FUZZ_TARGETS:-}
# Some targets write the files they read (a card's folders, a recording, a
# skin package) into a temporary folder thousands of times a second: in
# memory, where there is one.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
status=0
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  if [ -n "$only" ] && [[ " $only " != *" $name "* ]]; then continue; fi
  corpus="$build/corpus/$name"
  crashes="$build/crashes/$name"
  kept="$seeds_root/$name"
  mkdir -p "$corpus" "$crashes" "$kept"
  echo "== $name (${seconds}s)"
  # New inputs land in the first folder only: the kept seeds stay as they are.
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$corpus" "$kept" >"$build/$name.log" 2>&1 || {
    status=1
    tail -40 "$build/$name.log"
    echo "crash files of $name: $crashes"
  }
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$build/$name.log" || true
  grep -E '^#[0-9]+.*(DONE|pulse)' "$build/$name.log" | tail -1 || true
  before=$(find "$kept" -type f | wc -l)
  "$target" -merge=1 -rss_limit_mb=2048 "$kept" "$corpus" >"$build/$name.merge.log" 2>&1 ||
    echo "merge of $name failed: $build/$name.merge.log"
  echo "kept corpus: $before -> $(find "$kept" -type f | wc -l) files"
done
exit $status

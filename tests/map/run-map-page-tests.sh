#!/usr/bin/env bash
# Runs the map page's browser tests: installs their npm packages into WORK
# (once per lock file), then runs them against korvane-cli serve-map.
# Usage: run-map-page-tests.sh SOURCE_DIR WORK_DIR KORVANE_CLI
set -euo pipefail
source_dir=$1
work=$2
cli=$(realpath "$3")

mkdir -p "$work"
cp "$source_dir/package.json" "$source_dir/package-lock.json" "$source_dir/map-page.test.cjs" "$work/"
stamp="$work/node_modules/.korvane-lock"
if ! cmp -s "$work/package-lock.json" "$stamp"; then
  (cd "$work" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$work/package-lock.json" "$stamp"
fi
cd "$work"
KORVANE_CLI="$cli" KORVANE_MAP_TEST_OUT="$work" node --test map-page.test.cjs

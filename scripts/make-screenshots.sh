#!/usr/bin/env bash
# Renders the window on a card into the PNGs the README shows: the single
# view with an event loaded, the 4 x 4 view and the log layout.
# usage: make-screenshots.sh BUILD_DIR CARD OUT_DIR
set -euo pipefail
build=$1
card=$2
out=$3
mkdir -p "$out"
run() {
  local name=$1
  shift
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/korvane" --screenshot "$out/$name.png" "$@" "$card"
  echo "wrote $out/$name.png"
}
run window-event --load event --count 2
run window-thumbnails --load event --count 1 --steps 12 --thumbnail
run window-log --load log --count 1
run window-mxh --model 9 --load event --count 1 --steps 5

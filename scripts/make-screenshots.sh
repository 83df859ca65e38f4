#!/usr/bin/env bash
# Renders the window on a card into the PNGs the README shows: the single
# view with an event loaded, the 4 x 4 view, the log layout and the MX-H
# layout with its lamp display. The settings of the run stay in a folder of
# their own, so the user's model choice is left alone.
# usage: make-screenshots.sh BUILD_DIR CARD OUT_DIR
set -euo pipefail
build=$1
card=$2
out=$3
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
run() {
  local name=$1
  shift
  XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/korvane" --screenshot "$out/$name.png" "$@" "$card" 2>/dev/null
  echo "wrote $out/$name.png"
}
run window-event --model 0 --load event --count 2
run window-thumbnails --model 0 --load event --count 1 --steps 12 --thumbnail
run window-log --model 0 --load log --count 1
run window-mxh --model 9 --load normal --count 2 --steps 40

#!/usr/bin/env bash
# Builds the Debian package, installs it with apt (as root), runs the
# programs from the installed paths, validates what the desktop reads, and
# removes the package again. CI runs it after the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

make deb
deb=$(ls build/korvane_*_"$(dpkg --print-architecture)".deb)
work=$(mktemp -d)
trap 'rm -rf "$work"; apt-get remove -y -qq korvane >/dev/null 2>&1 || true' EXIT

lintian --fail-on error "$deb"
apt-get install -y -qq "./$deb" >/dev/null

korvane-cli --version
korvane-cli make-sample-card "$work/card" >/dev/null
korvane-cli scan "$work/card" >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24" korvane --screenshot "$work/window.png" "$work/card" >/dev/null 2>&1
size=$(identify -format '%wx%h' "$work/window.png")
[ "$size" = 1024x768 ] || { echo "check-package: the window is $size, not 1024x768" >&2; exit 1; }

desktop-file-validate /usr/share/applications/org.korvane.Korvane.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.korvane.Korvane.metainfo.xml
for page in korvane korvane-cli; do
  MANWIDTH=80 man -l --warnings "/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null | { ! grep .; }
done
echo "check-package: $(basename "$deb") installs, runs and validates"

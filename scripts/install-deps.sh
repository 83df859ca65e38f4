#!/usr/bin/env bash
# Installs the Debian packages that building and testing Korvane needs.
# Quick when everything is there already; uses sudo only when not root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git ccache
  libturbojpeg0-dev
  libcli11-dev nlohmann-json3-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  gpsbabel libxml2-utils libimage-exiftool-perl tzdata
  qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev
  xvfb xauth imagemagick fonts-dejavu-core
  libavformat-dev libavcodec-dev libavutil-dev ffmpeg
  dosfstools mtools poppler-utils
  desktop-file-utils appstream lintian
  qt6-webengine-dev libjs-leaflet chromium nodejs
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# npm ships with NodeSource's nodejs, which conflicts with Debian's npm
# package; Debian's own nodejs needs that package.
command -v npm >/dev/null 2>&1 || missing+=(npm)
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

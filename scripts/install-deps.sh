#!/usr/bin/env bash
# Installs the Debian packages that building, testing, packaging and running TramolKulap need
# (the validators of the menu entry and metainfo, lintian and dpkg-dev for the .deb, patch and
# ccache for scripts/check-pins.sh), or, when
# given package names, those instead (the measuring script's tools).
# Idempotent: packages already present are skipped, so a second run does nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev
  libfontconfig-dev fonts-dejavu-core fonts-liberation2
  liblitehtml-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  desktop-file-utils appstream lintian dpkg-dev
  patch ccache
)
[ $# -gt 0 ] && packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"

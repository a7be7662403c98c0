#!/usr/bin/env bash
# Installs the Debian packages one kind of work on TramolKulap needs, by set:
#   run       building and playing the game (the default)
#   test      the tests too: GoogleTest, the menu entry's and metainfo's validators, the
#             package tools the install and package tests use (also what `make sanitize` needs)
#   bench     the benchmarks, on top of the tests
#   fuzz      the fuzz targets: clang and its libFuzzer
#   package   making the .deb and checking it with lintian
#   pins      scripts/check-pins.sh: the tests, patch and ccache
#   art       the generators of the pictures, sounds and music (tools/art/make-all.sh)
#   web       the game in a web page (make web) and its tests in headless Chromium: emscripten
#             with the acorn parser its optimiser needs, woff2 for the page's font, Chromium,
#             its driver, DejaVu as the only font the tests' browser knows, and the Python modules
#             the page's tests drive it with
# Any other name is taken as a Debian package (the measuring scripts' tools).
# Idempotent: packages already present are skipped, so a second run does nothing.
set -euo pipefail

run=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev
  libfontconfig-dev fonts-dejavu-core fonts-liberation2
  liblitehtml-dev libcli11-dev nlohmann-json3-dev
)
package=(dpkg-dev file lintian)
web=(emscripten node-acorn woff2 fonts-liberation2 fonts-dejavu-core cmake ninja-build ccache chromium chromium-driver
     python3-selenium python3-pil)
test=(googletest libgtest-dev libgmock-dev desktop-file-utils appstream groff-base "${package[@]}")

[ $# -eq 0 ] && set -- run
packages=()
for name in "$@"; do
  case "$name" in
    run) packages+=("${run[@]}") ;;
    test) packages+=("${run[@]}" "${test[@]}") ;;
    bench) packages+=("${run[@]}" "${test[@]}" libbenchmark-dev) ;;
    fuzz) packages+=("${run[@]}" clang libclang-rt-14-dev) ;;
    package) packages+=("${run[@]}" "${package[@]}") ;;
    pins) packages+=("${run[@]}" "${test[@]}" patch ccache) ;;
    art) packages+=(g++ pkg-config libcairo2-dev libjpeg-dev lame) ;;
    web) packages+=("${web[@]}") ;;
    *) packages+=("$name") ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
# A package named twice is asked for once.
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"

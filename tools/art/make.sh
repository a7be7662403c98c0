#!/bin/sh
# Rebuilds the picture generator and redraws every picture of the game.
# Needs libcairo2-dev and libjpeg-dev; the game itself only needs the committed pictures.
# With --sheet it also writes look-at-it boards to /tmp/tk-sheet-*.png.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${TMPDIR:-/tmp}/tk-art
mkdir -p "$out" "$root/data/graphics"
g++ -std=c++20 -O2 -Wall -Wextra -o "$out/art" "$here"/*.cpp $(pkg-config --cflags --libs cairo) -ljpeg
"$out/art" "$root/data/graphics" "$root/src/app/resources" "$root/desktop/icons"
if [ "${1:-}" = "--sheet" ]; then
    "$out/art" --sheet "$root/data/graphics" "${TMPDIR:-/tmp}/tk-sheet-"
fi

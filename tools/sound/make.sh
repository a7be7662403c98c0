#!/bin/sh
# Rebuilds the sound-effect generator and rewrites data/sound/*.wav.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${TMPDIR:-/tmp}/tk-sound
mkdir -p "$out" "$root/data/sound"
g++ -std=c++20 -O2 -Wall -Wextra -o "$out/sfx" "$here/sfx.cpp"
"$out/sfx" "$root/data/sound"

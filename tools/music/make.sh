#!/bin/sh
# Rebuilds the music generator, renders the looping tune and encodes it with lame.
# Needs g++ and lame; the game only needs the committed MP3.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${TMPDIR:-/tmp}/tk-music
mkdir -p "$out" "$root/data/music"
g++ -std=c++20 -O2 -Wall -Wextra -o "$out/music" "$here/music.cpp"
"$out/music" "$out/tune.wav"
# 128 kbps CBR; the LAME header keeps the coder's delay and padding, so decoders that
# honour it loop the tune without a gap.
lame --quiet --nohist -b 128 -q 2 "$out/tune.wav" "$root/data/music/Lumfex - Little bit of happiness.mp3"

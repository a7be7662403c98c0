#!/bin/sh
# Regenerates every asset of the game: pictures, sound effects and music.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
"$here/make.sh" "$@"
"$here/../sound/make.sh"
"$here/../music/make.sh"

#!/usr/bin/env bash
# Measures what the game survives and prints the table of the README's Reliability section:
# writers killed while they write (--kills, default 1000), two writers at once beside a reader
# (--writes, default 1000 each), the fuzz targets (--fuzz-seconds N, default not run), and the
# game in a real window under Xvfb + openbox: peak memory in each attacked state and the time a
# signal takes to end it. Not part of `make test`. Options go to measure_reliability.py (--help).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

"$here/install-deps.sh" xvfb openbox xdotool python3 python3-xlib

build="${BUILD:-$here/../build}"
[ -x "$build/tramolkulap-file-writer" ] || make -C "$here/.." build
exec /usr/bin/python3 "$here/measure_reliability.py" --build "$build" "$@"

#!/usr/bin/env bash
# Measures the game's CPU, start-up, memory and close times in a real window under Xvfb +
# openbox, beside PipeWalker and Net, and prints the table of the README's Performance
# section. Not part of `make test`. Options go to measure_performance.py (--help).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

# The harness, and the peers only so as to run them side by side.
"$here/install-deps.sh" xvfb openbox xdotool python3 python3-xlib libgl1-mesa-dri pipewalker sgt-puzzles

build="${BUILD:-$here/../build}"
[ -x "$build/tramolkulap" ] || make -C "$here/.." build
exec /usr/bin/python3 "$here/measure_performance.py" --build "$build" "$@"

#!/usr/bin/env bash
# Builds the page into BUILD/site (default build-web) with Debian's emscripten: the game's
# layers compiled to WebAssembly, the page's scripts, the font and the data. Downloads nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-web}"

# Emscripten's JavaScript optimiser needs the acorn parser. A node that is not Debian's own
# (one from another package source) does not look in Debian's folder of node modules.
acorn="$(dpkg -L node-acorn 2>/dev/null | grep -m1 '/acorn/package.json$' || true)"
if [ -n "$acorn" ]; then
  export NODE_PATH="$(dirname "$(dirname "$acorn")")${NODE_PATH:+:$NODE_PATH}"
fi

launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
test -f "$build/build.ninja" ||
  emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTK_TESTS=OFF "${launcher[@]}"
cmake --build "$build" -j "${JOBS:-$(nproc)}"

#!/usr/bin/env bash
# Checks that the game's sources include only down their layers:
#   puzzle <- platform <- services <- game <- ui <- app
# A folder may include its own headers and those of the layers to its left.
# With --self-test it plants an upward include in a copy of the tree and expects the
# check to refuse it.
set -euo pipefail

layers=(puzzle platform services game ui app)

check() {
    local src=$1 status=0
    for i in "${!layers[@]}"; do
        local folder=${layers[$i]}
        [ -d "$src/$folder" ] || continue
        local allowed=("${layers[@]:0:$((i + 1))}")
        local pattern
        pattern=$(IFS='|'; echo "${allowed[*]}")
        # Every project include names its layer folder first: "layer/file.h".
        while IFS= read -r hit; do
            echo "upward include: $hit" >&2
            status=1
        done < <(grep -rnE '#include *"[a-z_]+/' "$src/$folder" --include='*.h' --include='*.cpp' |
                 grep -vE "#include *\"($pattern)/" || true)
    done
    return $status
}

if [ "${1:-}" = "--self-test" ]; then
    src=$2
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    cp -r "$src" "$scratch/src"
    check "$scratch/src" >/dev/null 2>&1 || { echo "the tree fails the check before planting" >&2; exit 1; }
    echo '#include "ui/texts.h"' >> "$scratch/src/game/play_state.h"
    if check "$scratch/src" 2>/dev/null; then
        echo "an include from game up to ui went unnoticed" >&2
        exit 1
    fi
    exit 0
fi

check "${1:-src}"

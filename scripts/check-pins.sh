#!/usr/bin/env bash
# Checks that every quirk kept on purpose is really pinned: for each row of "Kept on purpose"
# in docs/fidelity.md it applies the row's patch from scripts/pins/ (named after the first
# test the row names), which reverses the quirk in a scratch copy of the tree, builds the
# test programs that hold the row's tests, and expects every one of those tests to fail.
# Passes when every pin bites; a row without a patch, a patch that no longer applies, a
# reversal that does not build and a test that still passes are each a failure.
#
# One scratch copy and one build folder ($PINS_BUILD, by default build-pins/) serve every
# patch and every run: only the files a patch touches are rebuilt, ccache (when present)
# turns the rebuild after a restore into cache hits, and only the needed test programs are
# built.
#
# Usage: scripts/check-pins.sh [row-filter]   (a test name or part of one)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
scratch="${PINS_BUILD:-$root/build-pins}"
tree="$scratch/tree"
build="$scratch/build"
pins="$root/scripts/pins"
register="$root/docs/fidelity.md"
filter="${1:-}"

say() { printf 'check-pins: %s\n' "$*"; }

"$root/scripts/install-deps.sh" pins

# ---- the rows: one line per row, its test names separated by blanks ----------------
rows() {
  awk '
    /^## / { inside = ($0 == "## Kept on purpose"); next }
    inside && /^\|/ && !/^\|[- |]+\|$/ && !/^\| Behaviour/ {
      n = split($0, cells, "|")
      pinned = cells[n - 1]
      names = ""
      while (match(pinned, /`[^`]+`/)) {
        names = names (names == "" ? "" : " ") substr(pinned, RSTART + 1, RLENGTH - 2)
        pinned = substr(pinned, RSTART + RLENGTH)
      }
      print names
    }' "$register"
}

# ---- the scratch copy: the tree's files with their times, so that ninja rebuilds only
# what differs from the last run ---------------------------------------------------------
mkdir -p "$tree" "$build"
(cd "$root" && git ls-files -z --cached --others --exclude-standard) |
  (cd "$root" && tar --null -T - -cf -) | (cd "$tree" && tar -xpf -)
# Files that left the tree leave the copy too.
(cd "$root" && git ls-files --cached --others --exclude-standard | sort) > "$scratch/files.now"
(cd "$tree" && find . -type f ! -path './.git/*' | sed 's|^\./||' | sort) > "$scratch/files.copy"
comm -13 "$scratch/files.now" "$scratch/files.copy" | (cd "$tree" && xargs -r -d '\n' rm -f)

if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" > /dev/null
fi

# The test program that holds a test: the folder of the file that defines it.
target_of() {
  local suite="${1%%.*}" name="${1#*.}" file
  file="$(grep -rlE "TEST(_F)?\\(\\s*${suite},\\s*${name}\\)" "$tree/tests" --include='*.cpp' | head -n 1 || true)"
  [ -n "$file" ] || return 1
  basename "$(dirname "$file")"
}

# Puts back the files a patch changed, with a fresh time so that they are compiled again.
restore() {
  local patch="$1" file
  for file in $(grep -E '^\+\+\+ ' "$patch" | sed -E 's|^\+\+\+ b/([^[:space:]]+).*|\1|'); do
    cp "$root/$file" "$tree/$file"
    touch "$tree/$file"
  done
}

mapfile -t all_rows < <(rows)
bitten=0
failed=0
for tests in "${all_rows[@]}"; do
  [ -n "$tests" ] || continue
  first="${tests%% *}"
  if [ -n "$filter" ] && [[ "$tests" != *"$filter"* ]]; then continue; fi
  patch="$pins/$first.patch"
  if [ ! -f "$patch" ]; then
    say "FAIL $first: no patch $patch reverses this row"
    failed=$((failed + 1))
    continue
  fi
  if ! patch -s -p1 -d "$tree" --dry-run < "$patch" > /dev/null 2>&1; then
    say "FAIL $first: the patch no longer applies"
    failed=$((failed + 1))
    continue
  fi
  patch -s -p1 -d "$tree" < "$patch"
  targets=()
  missing=""
  for t in $tests; do
    if dir="$(target_of "$t")"; then
      targets+=("test_$dir")
    else
      missing="$missing $t"
    fi
  done
  ok=1
  if [ -n "$missing" ]; then
    say "FAIL $first: no such test:$missing"
    ok=0
  elif ! cmake --build "$build" --target $(printf '%s\n' "${targets[@]}" | sort -u) < /dev/null > "$scratch/build.log" 2>&1; then
    say "FAIL $first: the reversed quirk does not build (see $scratch/build.log)"
    ok=0
  else
    for t in $tests; do
      dir="$(target_of "$t")"
      # Run from the test sources as ctest does; the test must run and fail.
      if (cd "$tree/tests" && "$build/tests/test_$dir" --gtest_filter="$t" 2>&1) < /dev/null > "$scratch/run.log" ||
         ! grep -q "^\[  FAILED  \] $t" "$scratch/run.log"; then
        say "FAIL $first: $t still passes with the quirk reversed"
        ok=0
      fi
    done
  fi
  restore "$patch"
  if [ "$ok" = 1 ]; then
    say "bites: $tests"
    bitten=$((bitten + 1))
  else
    failed=$((failed + 1))
  fi
done

say "$bitten pins bite, $failed do not"
[ "$failed" -eq 0 ]

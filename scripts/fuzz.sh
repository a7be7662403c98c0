#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz/ and runs each for the given
# number of seconds (default 60). Fails on any crash, leak, sanitizer report or input slower than
# ten seconds; the input that did it is kept in build-fuzz/artifacts/ and the run's log in
# build-fuzz/logs/. New inputs found along the way gather in build-fuzz/corpus/, never in the
# committed seeds (tests/fuzz/corpus/, data/help for the help view).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build="${FUZZ_BUILD:-build-fuzz}"
targets=(level_reader settings help_view solver scores)

if [ ! -f "$build/build.ninja" ]; then
  CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTK_FUZZ=ON
fi
cmake --build "$build" --target fuzz_targets -j "${JOBS:-$(nproc)}"

# The committed seeds of a target; the help view also starts from the shipped pages.
seeds() {
  echo "tests/fuzz/corpus/$1"
  if [ "$1" = help_view ]; then echo data/help; fi
}

# The longest input tried: past every bound a target's reader keeps (a megabyte for a level,
# the settings, the best times and a help page), so that inputs reach them; a board for the solver.
max_len() {
  if [ "$1" = solver ]; then echo 4096; else echo 1100000; fi
}

mkdir -p "$build/artifacts" "$build/logs"
failed=()
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  log="$build/logs/$target.log"
  mkdir -p "$work"
  echo "fuzz_$target: ${seconds} s"
  # shellcheck disable=SC2046  # one folder a word
  if "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len="$(max_len "$target")" -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
      "$work" $(seeds "$target") >"$log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|new_units_added):' "$log" | sed 's/^/  /' || true
  else
    echo "fuzz_$target FAILED; the end of $log:"
    tail -n 60 "$log"
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $build/artifacts/)"
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets, ${seconds} s each, nothing found"

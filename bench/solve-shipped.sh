#!/usr/bin/env bash
# The shipped level's optimum, proved by glowmere-solve on one and on two
# threads: the result line, the rounds of the search, the witnesses,
# the wall time, and the judge's verdict on the solution file it writes.
# Needs the release build.
#   THREADS="1 2"              thread counts to run (the default)
#   LIMIT=600                  the solver's time limit, seconds
set -euo pipefail
cd "$(dirname "$0")/.."
run=build/release/run
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for threads in ${THREADS:-1 2}; do
  file="$work/$threads.tuv-Glowmere"
  start=$(date +%s%N)
  "$run/glowmere-solve" --threads "$threads" --time-limit "${LIMIT:-600}" --out "$file" \
    >"$work/result" 2>"$work/progress"
  end=$(date +%s%N)
  last=$(grep '^iteration ' "$work/progress" | tail -n 1)
  iterations=$(sed -E 's/^iteration ([0-9]+):.*/\1/' <<<"$last")
  witnesses=$(sed -E 's/^iteration [0-9]+: ([0-9]+) witnesses.*/\1/' <<<"$last")
  verdict=$("$run/glowmere-judge" "$file" 2>/dev/null | cut -f1,2)
  tenths=$(( (end - start) / 100000000 ))
  printf '%s thread(s): %s; %s rounds, %s witnesses, %d.%d s; judge: %s\n' \
    "$threads" "$(cat "$work/result")" "$iterations" "$witnesses" $((tenths / 10)) $((tenths % 10)) "$verdict"
done

#!/usr/bin/env bash
# glowmere-solve on random levels in the shipped level's style
# (glowmere-random-level: wall blocks of 1 to 9 cells a side, a quarter of
# the cells walls, the floor in one piece), from 60 x 39 to 200 x 200. One
# line per level: size, seed, the result, wall-clock and processor time
# (the integer programs' child processes included) and their ratio, how
# far the run went past its limit, the seconds of each kind of work from
# the last progress line, and the judge's verdict on the cover written
# (glowmere-judge --map: its number of lights, or "-" where it leaves floor
# dark). Needs the release build. The machine's load goes first:
# wall-clock times on a busy machine say little, processor times more.
#   SIZES="60x39 100x65 ..."   the sizes to run (the default: below)
#   SEEDS="1"                  the level seeds
#   LIMIT=600                  the solver's time limit, seconds
#   THREADS=N                  the solver's threads (default: its own, the cores)
set -euo pipefail
cd "$(dirname "$0")/.."
run=build/release/run
limit=${LIMIT:-600}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "load: $(uptime)"
echo "limit ${limit} s, ${THREADS:-the default number of} thread(s)"
echo
echo "| size | seed | result | wall s | CPU s | CPU / wall | over limit | regions | rows | dark | search | LP | IP | judge |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
for size in ${SIZES:-60x39 80x52 100x65 150x98 200x130 200x200}; do
  for seed in ${SEEDS:-1}; do
    "$run/glowmere-random-level" "${size%x*}" "${size#*x}" "$seed" >"$work/map.txt"
    status=0
    rm -f "$work/cover.tuv-Glowmere"
    /usr/bin/time -f '%e %U %S' -o "$work/time" "$run/glowmere-solve" --map "$work/map.txt" \
      --time-limit "$limit" ${THREADS:+--threads "$THREADS"} --out "$work/cover.tuv-Glowmere" \
      >"$work/result" 2>"$work/progress" || status=$?
    read -r wall user sys <"$work/time"
    result=$(tr -d '\n' <"$work/result")
    [ "$status" = 0 ] || result="$result (exit $status)"
    last=$(grep '^iteration ' "$work/progress" | tail -n 1 || true)
    field() { sed -nE "s/.*[(, ]$1 ([0-9.]+) s.*/\1/p" <<<"$last"; }
    over=$(awk -v w="$wall" -v l="$limit" 'BEGIN { d = w - l; printf "%s", (d > 0 ? sprintf("%.1f %%", 100 * d / l) : "-") }')
    cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.1f", u + s }')
    ratio=$(awk -v c="$cpu" -v w="$wall" 'BEGIN { printf "%.2f", (w > 0 ? c / w : 0) }')
    judged=$("$run/glowmere-judge" --map "$work/map.txt" "$work/cover.tuv-Glowmere" 2>/dev/null | cut -f1 || true)
    echo "| $size | $seed | $result | $wall | $cpu | $ratio | $over | $(field regions) | $(field rows) | $(field dark) |" \
         "$(field search) | $(field 'LP relaxations') | $(field 'integer programs') | ${judged:-none} |"
  done
done

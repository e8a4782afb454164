#!/bin/bash
# A stand-in for glowmere-solve --machine, for the tests of the editor's
# background solve: it answers in the solver's line protocol without
# solving anything, so that the plumbing is tested on its own. The number
# of wall cells in the map it is given is its "optimum".
#
# FAKE_SOLVE_LOG: a file that gets, per run, its arguments, the files it
# was handed with --start and --witnesses, and then "stopped" when a
# SIGTERM ended it. FAKE_SOLVE_MODE: prove (lines and "optimum N", then
# exit 0), search (one line, then wait for SIGTERM, which writes
# --witnesses-out and exits 0), stubborn (as search, but SIGTERM is
# ignored), crash (one line, then a segmentation fault).
map=$(cat)
walls=$(printf '%s' "$map" | tr -cd '#' | wc -c)
out=""
args=("$@")
for ((i = 0; i < ${#args[@]}; i++)); do
  case "${args[i]}" in
    --witnesses-out) out="${args[i + 1]}" ;;
    --start) start="${args[i + 1]}" ;;
    --witnesses) witnesses="${args[i + 1]}" ;;
  esac
done
{
  echo "run $*"
  [ -n "$start" ] && echo "start $(tr '\r\n' '  ' < "$start")"
  [ -n "$witnesses" ] && echo "witnesses $(tr '\n' ';' < "$witnesses")"
  echo "map $(printf '%s' "$map" | head -c 8)"
} >> "$FAKE_SOLVE_LOG"
stop() {
  printf '1.5 2.5\n7.5 7.5\n' > "$out"
  echo stopped >> "$FAKE_SOLVE_LOG"
  exit 0
}
case "$FAKE_SOLVE_MODE" in
  prove)
    echo "progress bound=$((walls - 1)) best=$((walls + 1)) proved=0 elapsed=0.1 lights=1,1 independent=0.5,0.5"
    echo "progress bound=$walls best=$walls proved=1 elapsed=0.2 lights=1,1;2,2 independent=0.5,0.5;3.5,3.5"
    echo "optimum $walls"
    exit 0 ;;
  search | stubborn)
    if [ "$FAKE_SOLVE_MODE" = search ]; then trap stop TERM; else trap '' TERM; fi
    echo "progress bound=1 best=$walls proved=0 elapsed=0.1 lights=2,3 independent=0.5,0.5"
    while :; do sleep 0.05; done ;;
  crash)
    echo "progress bound=1 best=2 proved=0 elapsed=0 lights= independent="
    kill -SEGV $$ ;;
esac

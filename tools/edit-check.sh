#!/usr/bin/env bash
# The level editor as a designer meets it, in an X window driven by the
# keyboard alone with xdotool, on a copy of the shipped 60 x 39 map:
#
#   tools/edit-check.sh OUTDIR [PROGRAM]
#
# PROGRAM (default build/release/run/glowmere-edit, with glowmere-solve
# beside it) runs from its own folder under xvfb-run with a 1280x800
# screen and a fresh temporary HOME; a preloaded probe (tools/edit_probe,
# built beside it in build/release) lets the script read the panel. The
# steps, each with a screenshot in OUTDIR:
#   proved     the panel shows the proved optimum, «N — доказано», within
#              40 s of the start (proved.png)
#   toggle     Right, Down, Space and Ctrl+S: the file differs from the map
#              in that one cell (toggled.png)
#   undo       Ctrl+Z and Ctrl+S: the file is byte for byte the map again
#              (undone.png)
#   killed     Space again, the editor killed (SIGKILL), started again on
#              the same file and Ctrl+S pressed: the toggled level is saved
#              (restored.png, the restored edit shown as unsaved, and
#              after-kill-saved.png)
# Ctrl+Q then ends the editor without a question. Prints one line per step;
# exit status 1 when any fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/game-under-x.sh"
game_under_x_args "$1" "${2:-$root/build/release/run/glowmere-edit}"
probe="$(dirname "$program")/../tools/edit_probe/libedit_probe.so"
[ -f "$probe" ] || { echo "$0: $probe is not built (build the edit_probe target)" >&2; exit 1; }
game_under_x_screen=1280x800
: >"$outdir/program.log"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/levels"
map="$scratch/levels/level.txt"
cp "$root/data/map.txt" "$map"
cp "$root/data/map.txt" "$scratch/original.txt"

# Inside the X session; each step prints "ok STEP" or "FAILED STEP: why".
inner='
  panel() { cat "$PROBE_OUT" 2>/dev/null || true; }
  start() {
    LD_PRELOAD="$PROBE" EDIT_PROBE_OUT="$PROBE_OUT" "$PROGRAM" "$MAP" >>"$OUT/program.log" 2>&1 &
    pid=$!
    win=$(wait_window "$1") || fail "no window \"$1\": $(tail -5 "$OUT/program.log")"
    sleep 0.5
  }
  # Bytes in which the file differs from the original map.
  differing() { cmp -l "$MAP" "$ORIGINAL" 2>/dev/null | wc -l; }
  step() { if eval "$2"; then echo "ok     $1"; else echo "FAILED $1: $3"; fi; }

  cd "$(dirname "$PROGRAM")"
  start "level.txt — Редактор уровней"
  began=$(date +%s)
  proved=no
  for _ in $(seq 400); do
    if panel | grep -q "доказано"; then proved=yes; break; fi
    sleep 0.1
  done
  seconds=$(( $(date +%s) - began ))
  shot proved.png
  step proved "[ $proved = yes ]" "no «доказано» within 40 s: $(panel | tr "\n" " ")"
  echo "       $(panel | grep ^lbFewest | cut -f2) after about $seconds s"

  keys_to "$win" Right Down space ctrl+s
  sleep 1
  shot toggled.png
  step toggle "[ \"$(differing)\" = 1 ]" "the file differs from the map in $(differing) bytes"
  cp "$MAP" "$SCRATCH/toggled.txt"

  keys_to "$win" ctrl+z ctrl+s
  sleep 1
  shot undone.png
  step undo "cmp -s \"$MAP\" \"$ORIGINAL\"" "the file is not the map again"

  keys_to "$win" space
  sleep 1  # the journal is written at the step
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null || true
  start "level\\.txt\\* — Редактор уровней"  # a pattern: the title marks the unsaved edit
  shot restored.png
  keys_to "$win" ctrl+s
  sleep 1
  shot after-kill-saved.png
  step killed "cmp -s \"$MAP\" \"$SCRATCH/toggled.txt\"" "the level saved after the kill is not the toggled one"

  keys_to "$win" ctrl+q
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || exit 0; sleep 0.1; done
  fail "Ctrl+Q did not end the editor"
'
game_under_x_run "$scratch/home" MAP="$map" ORIGINAL="$scratch/original.txt" SCRATCH="$scratch" PROBE="$probe" \
  PROBE_OUT="$scratch/panel.txt" -- "$inner" | tee "$scratch/steps"
echo "screenshots in $outdir"
! grep -q '^FAILED' "$scratch/steps" && [ "$(grep -c '^ok' "$scratch/steps")" = 4 ]

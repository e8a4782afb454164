#!/usr/bin/env bash
# Plays the real game at several screen scales and checks that a click puts
# the light on the grid point under the pointer.
#
#   tools/scale-check.sh OUTDIR [PROGRAM]
#
# PROGRAM (default build/release/run/glowmere) runs from its own folder
# under xvfb-run with a 2560x1600 screen and a fresh temporary HOME, once
# per case: QT_SCALE_FACTOR 1, 1.5 and 2 at the window's first size, and
# at 1 with the window as large as the screen (the size a maximised window
# has; without a window manager the window is sized to it). The pointer's
# screen pixel is worked out here from the window's geometry alone: the
# field takes the client area left of the panel (178 pixels times the
# scale), at the most whole pixels a cell that fit 62 x 41 cells, centred.
# Two lights are placed with xdotool: one with the pointer on the grid
# point's pixel, one with the pointer 0.4 cell right of and above it, which
# must still land on that point. After Ctrl+Q the autosave must hold
# exactly those two points. Writes OUTDIR/scale-CASE.png (the screen) and
# OUTDIR/scale-CASE-exact.png, scale-CASE-near.png (six cells around each
# light, the light's grid point in the middle, enlarged four times without
# smoothing); prints one line per case; exit status 1 when any fails.
set -euo pipefail
game_under_x_screen=2560x1600
source "$(dirname "$0")/game-under-x.sh"
game_under_x_args "$@"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# Free grid points of the shipped level: on the point, and 0.4 cell off it.
exact='38 9'
near='22 28'

inner='
  cd "$(dirname "$PROGRAM")"
  QT_SCALE_FACTOR=$SCALE "$PROGRAM" >"$HOME/program.log" 2>&1 &
  pid=$!
  game=$(wait_window "Огни подземелья") || fail "the game window did not come up"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$game")"
  # At the first size the field area is 410 pixels high times the scale;
  # the rest above it is the menu bar.
  menu=$((HEIGHT - $(awk -v s="$SCALE" "BEGIN { printf \"%d\", 410 * s }")))
  if [ "$LARGE" = 1 ]; then
    xdotool windowmove --sync "$game" 0 0 windowsize --sync "$game" 2560 1600
    sleep 1.5  # the pictures of the new size are drawn on a worker
    eval "$(xdotool getwindowgeometry --shell "$game")"
  fi
  read -r cell ox oy <<<"$(awk -v w="$WIDTH" -v h="$HEIGHT" -v m="$menu" -v s="$SCALE" "BEGIN {
    fw = w - int(178 * s + 0.5); fh = h - m
    c = int(fw / 62); if (int(fh / 41) < c) c = int(fh / 41)
    print c, int((fw - 62 * c) / 2), m + int((fh - 41 * c) / 2) }")"
  echo "${WIDTH}x$HEIGHT, menu $menu, $cell pixels a cell, field at ($ox, $oy)" >"$HOME/geometry"
  at() {  # grid point, offset in tenths of a cell: the screen pixel
    echo $((X + ox + cell * ($1 + 1) + cell * $3 / 10)) $((Y + oy + cell * ($2 + 1) - cell * $3 / 10))
  }
  xdotool mousemove $(at $EXACT 0); sleep 0.3; xdotool click 1; sleep 0.3
  xdotool mousemove $(at $NEAR 4); sleep 0.3; xdotool click 1; sleep 0.3
  xdotool mousemove $((X + WIDTH - 5)) $((Y + HEIGHT - 5)); sleep 0.5
  shot "scale-$CASE.png"
  for point in exact near; do  # six cells around each point, four times larger
    if [ $point = exact ]; then read -r px py <<<"$(at $EXACT 0)"; else read -r px py <<<"$(at $NEAR 0)"; fi
    convert "$OUT/scale-$CASE.png" -crop $((6 * cell))x$((6 * cell))+$((px - 3 * cell))+$((py - 3 * cell)) +repage \
      -filter point -resize 400% "$OUT/scale-$CASE-$point.png" || fail "no crop"
  done
  keys_to "$game" ctrl+q
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || exit 0; sleep 0.1; done
  fail "Ctrl+Q did not end the game"
'

failed=0
for case in 1 1.5 2 large; do
  scale=$case large=0
  [ "$case" = large ] && scale=1 large=1
  home="$scratch/home-$case"
  mkdir -p "$home/Documents" "$home/.local/share/TUV-2009-2"
  printf '[/help/showonstart/]\r\nstatement=0\r\n' >"$home/.local/share/TUV-2009-2/Glowmere.set"
  status=ok
  game_under_x_run "$home" CASE="$case" SCALE="$scale" LARGE="$large" EXACT="$exact" NEAR="$near" -- "$inner" ||
    status="the run failed"
  got=$(awk -F= '{ sub(/\r$/, "", $2) } $1 ~ /^[xy](#|$)/ { printf "%s ", $2 }' \
    "$home/.local/share/TUV-2009-2/Glowmere.sav" 2>/dev/null || true)
  if [ "$status" = ok ] && [ "$got" != "$exact $near " ]; then
    status="the autosave holds [$got], not [$exact $near ]"
  fi
  geometry=$(cat "$home/geometry" 2>/dev/null || true)
  if [ "$status" = ok ]; then echo "ok     $case: $geometry"; else echo "FAILED $case: $status ($geometry)"; failed=1; fi
done
echo "screenshots in $outdir"
exit $failed

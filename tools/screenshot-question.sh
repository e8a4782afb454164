#!/usr/bin/env bash
# Screenshots of a restart and of the question asked before clearing.
#
#   tools/screenshot-question.sh OUTDIR [PROGRAM]
#
# Like tools/screenshot.sh: PROGRAM (default build/release/run/glowmere)
# runs from its own folder under xvfb-run with a 1024x768 screen and a fresh
# temporary HOME, whose autosave holds four lights, as after a restart.
# Writes into OUTDIR:
#   statement.png  the statement shown at start-up
#   field.png      the field with the four autosaved lights, statement closed
#   question.png   the question box after a click on «Очистить»
#   save.png       the save dialog after a click on «Сохранить»
#   titles.txt     the title of every window shown, one a line
#   home.txt       every file and folder in the HOME after the program ended
#   program.log    what the program wrote to its standard output and error
# Questions and dialogs are answered with Escape (nothing changes); the
# program is ended with SIGTERM. Exit status 1 when the program is missing, dies, or
# a window does not come up.
set -euo pipefail
source "$(dirname "$0")/game-under-x.sh"
game_under_x_args "$@"

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Documents" "$home/.local/share/TUV-2009-2"
# Four lights of a full solution: enough to show lit floor, glows and grid.
printf '[/]\r\nvertices=4\r\nx=38\r\ny=9\r\nx#1=52\r\ny#1=16\r\nx#2=22\r\ny#2=28\r\nx#3=4\r\ny#3=16\r\n' \
  >"$home/.local/share/TUV-2009-2/Glowmere.sav"

# Inside the X session. Without a window manager windows have no frames,
# so the game window's geometry is its client area with the menu bar on top.
inner='
  cd "$(dirname "$PROGRAM")"
  "$PROGRAM" >"$OUT/program.log" 2>&1 &
  pid=$!
  game=$(wait_window "Огни подземелья") || fail "the game window did not come up"
  if help=$(wait_window "Условие задачи"); then
    shot statement.png
    titles >"$OUT/titles.txt"
    keys_to "$help" Escape
  fi
  sleep 0.5
  shot field.png
  eval "$(xdotool getwindowgeometry --shell "$game")"
  # Panel buttons are 145 x 25, 16 px into the panel (which starts at 620);
  # their tops are counted in the 410-pixel client below the menu bar.
  menu=$((HEIGHT - 410))
  # top, caption, title of the window it opens, shot: click, shoot, escape.
  press() {
    xdotool mousemove $((X + 620 + 16 + 72)) $((Y + menu + $1 + 12)) click 1
    local id
    id=$(wait_window "$3") || fail "no «$3» after the click on «$2»"
    shot "$4"
    titles >>"$OUT/titles.txt"
    keys_to "$id" Escape
    sleep 0.3
  }
  press 311 "Очистить" "Подтверждение" question.png
  press 373 "Сохранить" "Сохранить как" save.png
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
'
game_under_x_run "$home" -- "$inner"
sort -u -o "$outdir/titles.txt" "$outdir/titles.txt"
(cd "$home" && find . -mindepth 1 | sed 's|^\./||' | sort) >"$outdir/home.txt"
echo "screenshots written to $outdir"

#!/usr/bin/env bash
# Makes the pictures that README.md and doc/ show, from the built programs,
# in a virtual X session with throw-away homes (tools/game-under-x.sh):
#
#   tools/make-doc-images.sh [OUTDIR]
#
# OUTDIR defaults to doc/images. Needs build/release with the targets
# glowmere, glowmere-judge, glowmere-solve, glowmere-edit, edit_probe and
# glowmere-random-level. Makes:
#   game.png              the game at 1x with the first eight lights of the
#                         solver's optimum, the pointer off the window
#   game-hint.png         the same with H held: the dark floor marked
#   game-2x.png           the same at QT_SCALE_FACTOR=2
#   judge-rejected.png    glowmere-judge --picture of a file that leaves
#                         floor dark, with a light off the field
#   designer-preview.png  glowmere --map on a random level of 100 x 65
#                         cells with the solver's lights
#   editor.png            glowmere-edit on the shipped level once its
#                         optimum is proved, the best cover shown
# Windows are taken alone (no window manager, so no frame). Pictures of
# more than 256 colours are reduced to 256 so that each stays a few hundred
# KiB; the field's own pictures have few colours, so little is lost.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
run="$root/build/release/run"
images="$(realpath -m "${1:-$root/doc/images}")"
for tool in glowmere glowmere-judge glowmere-solve glowmere-edit glowmere-random-level; do
  [ -x "$run/$tool" ] || { echo "$0: $run/$tool is not built" >&2; exit 1; }
done
mkdir -p "$images"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# solution FILE X Y ...: a solution file of the lights given.
solution() {
  local file=$1 i=0 key
  shift
  {
    printf '[/]\r\nvertices=%d\r\n' $(($# / 2))
    while [ $# -gt 0 ]; do
      key=$([ $i -eq 0 ] && echo "" || echo "#$i")
      printf 'x%s=%s\r\ny%s=%s\r\n' "$key" "$1" "$key" "$2"
      shift 2
      i=$((i + 1))
    done
  } >"$file"
}
# lights FILE: the lights of a solution file, "x y" a line.
lights() {
  awk -F= '{ sub(/\r$/, "", $2) } $1 == "vertices" { n = $2 + 0 }
           $1 ~ /^x(#|$)/ { x[$1 == "x" ? 0 : substr($1, 3)] = $2 }
           $1 ~ /^y(#|$)/ { y[$1 == "y" ? 0 : substr($1, 3)] = $2 }
           END { for (i = 0; i < n; i++) print x[i], y[i] }' "$1"
}
# small PNG: at most 256 colours, fewer while it is over 384 KiB; no time
# or name in the file.
small() {
  local colours
  for colours in 256 128 64; do
    if [ "$(identify -format %k "$1")" -gt "$colours" ]; then
      convert "$1" -dither None -colors "$colours" "$1"
    fi
    mogrify -strip -define png:exclude-chunks=date,time -define png:compression-level=9 "$1"
    [ "$(stat -c %s "$1")" -gt $((384 * 1024)) ] || return 0
  done
}

# Eight lights of the shipped level's optimum: a field partly lit.
"$run/glowmere-solve" --threads 1 --out "$scratch/optimum.tuv-Glowmere" >/dev/null 2>"$scratch/solve.log" ||
  { cat "$scratch/solve.log" >&2; exit 1; }
mapfile -t some < <(lights "$scratch/optimum.tuv-Glowmere" | head -8)

source "$root/tools/game-under-x.sh"
outdir="$scratch/shots"
program="$run/glowmere"
mkdir -p "$outdir"

# One game in the X session (with MAP set, the preview of MAP with the
# lights of LIGHTS), taken as $SHOT; HINT=1 holds H meanwhile.
inner='
  xset r off 2>/dev/null || true  # a held key must not repeat
  cd "$(dirname "$PROGRAM")"
  args=()
  [ -z "$MAP" ] || args=(--map "$MAP" "$LIGHTS")
  QT_SCALE_FACTOR=$SCALE "$PROGRAM" "${args[@]}" >"$HOME/program.log" 2>&1 &
  pid=$!
  game=$(wait_window "$TITLE") || fail "no window $TITLE: $(cat "$HOME/program.log")"
  sleep 2  # pictures of a new size are drawn on a worker
  eval "$(xdotool getwindowgeometry --shell "$game")"
  xdotool mousemove $((X + WIDTH + 5)) $((Y + HEIGHT + 5))
  if [ "$HINT" = 1 ]; then xdotool windowfocus --sync "$game" 2>/dev/null || true; xdotool keydown h; fi
  sleep 1
  import -window "$game" "$OUT/$SHOT" || fail "no shot"
  [ "$HINT" = 1 ] && xdotool keyup h
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null || true
'
# shoot SHOT TITLE SCALE HINT LIGHTS [MAP]: the window, with the autosave
# holding the lights of the solution file LIGHTS, or with MAP the
# designer's preview of MAP with those lights.
shoot() {
  local shot=$1 title=$2 scale=$3 hint=$4 lights=$5 map=${6:-}
  local home="$scratch/home-$shot"
  mkdir -p "$home/Documents" "$home/.local/share/TUV-2009-2"
  [ -n "$map" ] || cp "$lights" "$home/.local/share/TUV-2009-2/Glowmere.sav"
  printf '[/help/showonstart/]\r\nstatement=0\r\n' >"$home/.local/share/TUV-2009-2/Glowmere.set"
  game_under_x_run "$home" SHOT="$shot" TITLE="$title" SCALE="$scale" HINT="$hint" LIGHTS="$lights" MAP="$map" \
    -- "$inner"
  cp "$outdir/$shot" "$images/$shot"
  small "$images/$shot"
}

# shellcheck disable=SC2086
solution "$scratch/some.tuv-Glowmere" ${some[*]}
shoot game.png "Огни подземелья" 1 0 "$scratch/some.tuv-Glowmere"
shoot game-hint.png "Огни подземелья" 1 1 "$scratch/some.tuv-Glowmere"
game_under_x_screen=2560x1600
shoot game-2x.png "Огни подземелья" 2 0 "$scratch/some.tuv-Glowmere"

# A file a judge turns down: three of those lights, a fourth stacked on
# the first, and one off the field to the left.
# shellcheck disable=SC2086
solution "$scratch/rejected.tuv-Glowmere" ${some[*]:0:3} ${some[0]} -6 20
mkdir -p "$scratch/pictures"
"$run/glowmere-judge" --picture "$scratch/pictures" "$scratch/rejected.tuv-Glowmere" || true
cp "$scratch/pictures/rejected.png" "$images/judge-rejected.png"
small "$images/judge-rejected.png"

# A larger level of the designer's, with the solver's fewest lights.
"$run/glowmere-random-level" 100 65 2 >"$scratch/level.txt"
"$run/glowmere-solve" --map "$scratch/level.txt" --out "$scratch/level.tuv-Glowmere" --time-limit 120 \
  >"$scratch/level.solve" 2>"$scratch/solve.log" || { cat "$scratch/solve.log" >&2; exit 1; }
game_under_x_screen=1600x1000
shoot designer-preview.png "Огни подземелья — level.txt" 1 0 "$scratch/level.tuv-Glowmere" "$scratch/level.txt"

# The level editor on a copy of the shipped level, once the panel says
# «доказано» (read through tools/edit_probe), with the best cover shown.
mkdir -p "$scratch/editor/levels" "$scratch/home-editor"
cp "$root/data/map.txt" "$scratch/editor/levels/level.txt"
program="$run/glowmere-edit"
editor_inner='
  cd "$(dirname "$PROGRAM")"
  LD_PRELOAD="$PROBE" EDIT_PROBE_OUT="$HOME/panel.txt" "$PROGRAM" "$MAP" >"$HOME/program.log" 2>&1 &
  pid=$!
  win=$(wait_window "level.txt — Редактор уровней") || fail "no editor window: $(cat "$HOME/program.log")"
  for _ in $(seq 600); do grep -q "доказано" "$HOME/panel.txt" 2>/dev/null && break; sleep 0.1; done
  grep -q "доказано" "$HOME/panel.txt" || fail "the editor proved nothing in a minute"
  keys_to "$win" ctrl+1
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove $((X + WIDTH + 5)) $((Y + HEIGHT + 5))
  sleep 1
  import -window "$win" "$OUT/editor.png" || fail "no shot"
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null || true
'
game_under_x_screen=1280x800
game_under_x_run "$scratch/home-editor" MAP="$scratch/editor/levels/level.txt" \
  PROBE="$root/build/release/tools/edit_probe/libedit_probe.so" -- "$editor_inner"
cp "$outdir/editor.png" "$images/editor.png"
small "$images/editor.png"

for image in game.png game-hint.png game-2x.png judge-rejected.png designer-preview.png editor.png; do
  printf '%-22s %s, %s bytes\n' "$image" "$(identify -format '%wx%h, %k colours' "$images/$image")" \
    "$(stat -c %s "$images/$image")"
done
echo "the designer's level: $(cat "$scratch/level.solve")"

#!/usr/bin/env bash
# Plays the real game as a player would, in an X window driven with
# xdotool, and checks what a player must be able to trust.
#
#   tools/play-check.sh OUTDIR [PROGRAM]
#
# PROGRAM (default build/release/run/glowmere) runs from its own folder
# under xvfb-run with a 1024x768 screen, once per check, each time with a
# fresh temporary HOME whose autosave holds four lights and whose settings
# keep the statement from opening. Each run ends with Ctrl+Q; what the game
# left in its autosave, and in the chosen file, is then compared with what
# it must be. The numbers are shown as for a Russian user where localedef
# can build ru_RU.UTF-8. The checks:
#   load     Load of a text file with Russian notes: a box says there is no
#            solution; the lights stay; the file is byte for byte, inode and
#            modification time the same after the game has ended.
#   hover    The pointer rests on a light, leaves the window and comes back
#            to the same pixel, and clicks: no second light. Again, with the
#            right button: that light is gone.
#   undo     «Очистить», «Да», then Ctrl+Z: every light is back, in order.
#   keys     A light placed with Space and moved with Enter, arrows and
#            Enter, with no mouse at all.
#   killed   Two lights placed, the game killed (SIGKILL) 1.5 s later and
#            started again: it shows all six.
# Writes into OUTDIR a screenshot after each step (load-box.png,
# hover-click.png, undo-cleared.png, undo-back.png, keys-moved.png,
# killed-restart.png) and program.log. Prints one line per check; exit status 1 when any fails or
# the game does not come up.
set -euo pipefail
source "$(dirname "$0")/game-under-x.sh"
game_under_x_args "$@"
: >"$outdir/program.log"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
locale_env=()
if localedef -i ru_RU -f UTF-8 "$scratch/ru_RU.UTF-8" >/dev/null 2>&1 || [ -d "$scratch/ru_RU.UTF-8" ]; then
  locale_env=(LOCPATH="$scratch" LC_ALL=ru_RU.UTF-8)
fi

# Four lights of a full solution, as after a restart.
lights='38 9
52 16
22 28
4 16'

# One game in the X session: $1 is the check, done by the functions below.
inner='
  answer_yes() {  # Enter says «Нет»; «Да» is the button before it
    local box
    box=$(wait_window "Подтверждение") || fail "no question"
    sleep 0.3
    keys_to "$box" shift+Tab space
    sleep 0.3
  }
  at() { echo $((X + 10 * $1 + 10)) $((Y + menu + 10 * $2 + 10)); }  # grid point to screen pixel

  cd "$(dirname "$PROGRAM")"
  "$PROGRAM" >>"$OUT/program.log" 2>&1 &
  pid=$!
  game=$(wait_window "Огни подземелья") || fail "the game window did not come up"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$game")"
  menu=$((HEIGHT - 410))
  case "$CHECK" in
    load)
      keys_to "$game" ctrl+o
      answer_yes
      dialog=$(wait_window "Открыть") || fail "no open dialog"
      xdotool windowfocus --sync "$dialog" 2>/dev/null || true
      xdotool type --delay 20 "$NOTES"
      xdotool key Return
      box=$(wait_window "Ошибка") || fail "no box about the file"
      shot load-box.png
      keys_to "$box" Return ;;
    hover)
      xdotool mousemove $(at 38 9); sleep 0.3
      xdotool mousemove 1015 760; sleep 0.3
      xdotool mousemove $(at 38 9); sleep 0.3
      xdotool click 1; sleep 0.3
      shot hover-click.png
      xdotool mousemove 1015 760; sleep 0.3
      xdotool mousemove $(at 52 16); sleep 0.3
      xdotool mousemove 1015 760; sleep 0.3
      xdotool mousemove $(at 52 16); sleep 0.3
      xdotool click 3 ;;
    undo)
      # «Очистить» is 16 px into the panel, which starts at 620, top 311.
      xdotool mousemove $((X + 620 + 16 + 72)) $((Y + menu + 311 + 12)) click 1
      answer_yes
      shot undo-cleared.png
      keys_to "$game" ctrl+z
      shot undo-back.png ;;
    keys)
      # The keyboard cursor starts at (30, 19): to (33, 17), place; pick it
      # up, to (32, 25), put it down.
      keys_to "$game" Right Right Right Up Up space Return Down Down Down Down Down Down Down Down Left Return
      shot keys-moved.png ;;
    killed)
      # As a crash, a logout or the OOM killer would end it: no handler runs.
      xdotool mousemove $(at 26 12) click 1; sleep 0.3
      xdotool mousemove $(at 22 17) click 1
      sleep 1.5
      kill -KILL "$pid"
      wait "$pid" 2>/dev/null || true
      "$PROGRAM" >>"$OUT/program.log" 2>&1 &
      pid=$!
      game=$(wait_window "Огни подземелья") || fail "the game did not come up again after the kill"
      xdotool mousemove 1015 760
      shot killed-restart.png ;;
  esac
  sleep 0.3
  keys_to "$game" ctrl+q
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || exit 0; sleep 0.1; done
  fail "Ctrl+Q did not end the game"
'

# The lights an autosave holds, "x y" a line, in order.
saved() {
  awk -F= '{ sub(/\r$/, "", $2) } $1 == "vertices" { n = $2 + 0 }
           $1 ~ /^x(#|$)/ { x[$1 == "x" ? 0 : substr($1, 3)] = $2 }
           $1 ~ /^y(#|$)/ { y[$1 == "y" ? 0 : substr($1, 3)] = $2 }
           END { for (i = 0; i < n; i++) print x[i], y[i] }' "$1"
}

failed=0
check() {  # name, expected autosave lights, extra test command...
  local name=$1 expected=$2
  shift 2
  local home="$scratch/home-$name"
  mkdir -p "$home/Documents" "$home/.local/share/TUV-2009-2"
  {
    printf '[/]\r\nvertices=4\r\n'
    i=0
    while read -r x y; do
      s=$([ $i -eq 0 ] && echo "" || echo "#$i")
      printf 'x%s=%s\r\ny%s=%s\r\n' "$s" "$x" "$s" "$y"
      i=$((i + 1))
    done <<<"$lights"
  } >"$home/.local/share/TUV-2009-2/Glowmere.sav"
  printf '[/help/showonstart/]\r\nstatement=0\r\n' >"$home/.local/share/TUV-2009-2/Glowmere.set"
  printf 'Заметки: начать с левого зала, потом юг.\n' >"$home/Documents/notes.txt"
  local before
  before=$(stat -c '%i %y' "$home/Documents/notes.txt")
  local status=ok
  game_under_x_run "$home" "${locale_env[@]}" CHECK="$name" NOTES="$home/Documents/notes.txt" -- "$inner" ||
    status="the run failed"
  local got
  got=$(saved "$home/.local/share/TUV-2009-2/Glowmere.sav" 2>/dev/null || true)
  if [ "$status" = ok ] && [ "$got" != "$expected" ]; then
    status="autosave holds [$(echo $got)], not [$(echo $expected)]"
  fi
  if [ "$status" = ok ] && [ "$name" = load ]; then
    if ! printf 'Заметки: начать с левого зала, потом юг.\n' | cmp -s - "$home/Documents/notes.txt"; then
      status="the chosen file's bytes changed"
    elif [ "$(stat -c '%i %y' "$home/Documents/notes.txt")" != "$before" ]; then
      status="the chosen file was replaced or touched"
    fi
  fi
  if [ "$status" = ok ]; then echo "ok     $name"; else echo "FAILED $name: $status"; failed=1; fi
}

check load "$lights"
check hover "$(printf '38 9\n22 28\n4 16')"
check undo "$lights"
check keys "$(printf '%s\n32 25' "$lights")"
check killed "$(printf '%s\n26 12\n22 17' "$lights")"
echo "screenshots in $outdir"
exit $failed

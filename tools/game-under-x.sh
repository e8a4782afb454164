# Sourced by the scripts that drive the real game in a virtual X session
# (tools/play-check.sh, tools/screenshot-question.sh, tools/scale-check.sh):
# what they share, so that a change to how the game is found, started or
# watched is made once.
#
#   game_under_x_args "$@"    OUTDIR [PROGRAM]: sets outdir and program,
#                             checks the program and the X tools
#   game_under_x_run HOME ENV... -- INNER
#                             runs the bash text INNER under xvfb-run with a
#                             screen of game_under_x_screen (1024x768 unless
#                             the caller sets it), HOME as the home folder, only
#                             the ENV given (NAME=VALUE), PROGRAM and OUT set,
#                             and the helpers below defined before INNER
#
# The helpers for INNER: fail MESSAGE, shot NAME.png, wait_window TITLE
# (prints the id of the visible window with that title), keys_to ID KEY...,
# titles (the title of every visible window). INNER sets pid to the game's.

game_under_x_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
game_under_x_screen=${game_under_x_screen:-1024x768}

game_under_x_args() {
  if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 OUTDIR [PROGRAM]" >&2
    exit 2
  fi
  outdir="$(realpath -m "$1")"
  program="$(realpath -m "${2:-$game_under_x_root/build/release/run/glowmere}")"
  if [ ! -x "$program" ]; then
    echo "$0: $program is not built (run ./run-game or build the glowmere target)" >&2
    exit 1
  fi
  local tool
  for tool in xdotool import xvfb-run; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing (tools/setup-deps.sh installs it)" >&2; exit 1; }
  done
  mkdir -p "$outdir"
}

# Single-quoted: expanded inside the X session, not here.
# shellcheck disable=SC2016
game_under_x_helpers='
  set -u
  fail() { echo "$(basename "$SCRIPT"): $*" >&2; kill -TERM "$pid" 2>/dev/null; exit 1; }
  shot() { sleep 0.5; import -window root "$OUT/$1" || fail "no shot $1"; }
  wait_window() {
    local id
    for _ in $(seq 100); do
      id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1) && [ -n "$id" ] && { echo "$id"; return 0; }
      kill -0 "$pid" 2>/dev/null || return 1
      sleep 0.1
    done
    return 1
  }
  # Without a window manager nobody hands the focus back after a box, so
  # keys are sent after focusing their window, as a desktop would.
  keys_to() { local id=$1; shift; xdotool windowfocus --sync "$id" 2>/dev/null || true; xdotool key --clearmodifiers "$@"; }
  titles() { for id in $(xdotool search --onlyvisible --name "." 2>/dev/null); do xdotool getwindowname "$id"; done; }
'

game_under_x_run() {
  local home=$1
  shift
  local env_given=()
  while [ "$1" != -- ]; do env_given+=("$1"); shift; done
  shift
  # No variable of the caller's desktop may lead the game to a real user's
  # files or display.
  env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME -u XDG_RUNTIME_DIR \
    -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR "${env_given[@]}" \
    HOME="$home" PROGRAM="$program" OUT="$outdir" SCRIPT="$0" \
    xvfb-run -a -s "-screen 0 ${game_under_x_screen}x24" bash -c "$game_under_x_helpers$1"
}

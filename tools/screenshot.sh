#!/usr/bin/env bash
# Takes a screenshot of the running game on a virtual X screen.
#
#   tools/screenshot.sh OUT.png [SECONDS [PROGRAM [ARG...]]]
#
# Starts PROGRAM (default build/release/run/glowmere, built by ./run-game or
# ./run-tests) with the ARGs (give files as absolute paths, such as
# `--map "$PWD/level.txt"`) from its own folder, where its localization files lie, under
# xvfb-run with a 1024x768 screen and a fresh temporary HOME, so that no
# real user's files are read or written. After SECONDS (default 3) it grabs
# the whole screen into OUT.png and ends the program with SIGTERM. Exit
# status 1 when the program is missing, dies before the shot, or the shot
# fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

if [ $# -lt 1 ]; then
  echo "usage: $0 OUT.png [SECONDS [PROGRAM [ARG...]]]" >&2
  exit 2
fi
out="$(realpath -m "$1")"
delay="${2:-3}"
program="$(realpath -m "${3:-$root/build/release/run/glowmere}")"
shift $(( $# < 3 ? $# : 3 ))
if [ ! -x "$program" ]; then
  echo "$0: $program is not built (run ./run-game or build the glowmere target)" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Documents"

# The inner script runs inside the X session: start, wait, grab, stop.
inner='
  cd "$(dirname "$PROGRAM")"
  "$PROGRAM" "$@" >"$HOME/program.log" 2>&1 &
  pid=$!
  sleep "$DELAY"
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "screenshot: the program ended before the shot:" >&2
    cat "$HOME/program.log" >&2
    exit 1
  fi
  status=0
  import -window root "$OUT" || status=1
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  exit $status
'
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME -u XDG_RUNTIME_DIR \
  -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  HOME="$home" PROGRAM="$program" DELAY="$delay" OUT="$out" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$inner" screenshot "$@"
echo "screenshot written to $out"

#!/usr/bin/env bash
# Redraws the level's pictures, icons and splash into data/ from
# data/map.txt (or the map and folder given). Builds the generator on its
# own in build/level-art first; only Qt is needed.
#
#   tools/make-level-art.sh [MAP.txt [OUTDIR]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
map="${1:-$root/data/map.txt}"
out="${2:-$root/data}"
build="$root/build/level-art"

cmake -S "$root/tools/level_art" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/level_art" "$map" "$out"
echo "level art written to $out"

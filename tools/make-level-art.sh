#!/usr/bin/env bash
# Redraws the level's pictures, icons and splash into data/ from
# data/map.txt (or the map and folder given). Builds the generator in the
# project's release build first (build/release, as ./run-tests configures
# it), since it links the engine's map reader and the art library.
#
#   tools/make-level-art.sh [MAP.txt [OUTDIR]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
map="${1:-$root/data/map.txt}"
out="${2:-$root/data}"
build="$root/build/release"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target level_art >/dev/null
QT_QPA_PLATFORM=offscreen "$build/tools/level_art/level_art" "$map" "$out"
echo "level art written to $out"

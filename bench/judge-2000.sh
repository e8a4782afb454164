#!/usr/bin/env bash
# Times glowmere-judge on 2000 one-light solution files (target: 1.2 s).
#   bench/judge-2000.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
judge="${1:-$root/build/release}/run/glowmere-judge"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for i in $(seq 0 1999); do
  printf '[/]\r\nvertices=1\r\nx=%d\r\ny=%d\r\n' $((i % 61)) $((i / 61 % 40)) >"$work/s$i.tuv-Glowmere"
done
start=$(date +%s%N)
# Every file leaves floor dark, so each gets its remark on standard error.
"$judge" --rank "$work"/*.tuv-Glowmere >"$work/out.txt" 2>"$work/err.txt"
end=$(date +%s%N)
ms=$(( (end - start) / 1000000 ))
echo "judged $(wc -l <"$work/out.txt") files ($(wc -l <"$work/err.txt") remarks) in $((ms / 1000)).$(printf %03d $((ms % 1000))) s"

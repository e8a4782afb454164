#!/usr/bin/env bash
# Judges the same few hundred solution files with two builds of
# glowmere-judge and compares what they say: standard output, standard
# error and the exit status of each run, plain, --strict, --rank, both,
# --picture (the pictures byte for byte too) and --map.
#
#   tools/compare-judges.sh OLD_JUDGE [NEW_JUDGE [SOLVE]]
#
# NEW_JUDGE defaults to build/release/run/glowmere-judge, SOLVE (which
# gives the full covers the files are made from) to glowmere-solve beside
# it. The files, made afresh with a fixed seed (SEED, default 26), are of
# every kind a judge meets: lights at random, full covers, covers with
# lights far off the field up to the 32-bit limits, stacked and walled
# lights, other levels, covers with a light or more taken away, the lights
# that once made a cover look over-lit, odd coordinate texts, and files
# that hold no solution (empty, binary, bad counts). Prints one line per
# run and exits 1 when any run differs; the runs' outputs stay in WORK
# (default a temporary folder, removed at the end unless KEEP=1).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
old="${1:?usage: tools/compare-judges.sh OLD_JUDGE [NEW_JUDGE [SOLVE]]}"
new="${2:-$root/build/release/run/glowmere-judge}"
solve="${3:-$(dirname "$new")/glowmere-solve}"
old="$(realpath "$old")"
new="$(realpath "$new")"
solve="$(realpath "$solve")"
seed="${SEED:-26}"
work="${WORK:-$(mktemp -d)}"
[ "${KEEP:-0}" = 1 ] || [ -n "${WORK:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work/files" "$work/map"
cd "$work"

"$solve" --time-limit 20 --out cover.tuv-Glowmere >/dev/null 2>&1 || true
[ -s cover.tuv-Glowmere ] || { echo "no cover from $solve" >&2; exit 2; }
# The cover's lights as "x y" lines, in the file's order.
awk -F= '/^x/ {x = $2} /^y/ {print x, $2}' cover.tuv-Glowmere | tr -d '\r' >cover.txt
tr -d '\r' <"$root/data/map.txt" >map.txt

# The solution files, from the map (walled points) and the cover.
awk -v seed="$seed" -v out="files" '
  # Counted from 0: an unset counter is the empty string as an index,
  # which would lose the first light of every file.
  BEGIN { n = 0; m = 0 }
  FNR == NR { row[NR - 1] = $0; h = NR; w = length($0); next }
  { cx[n] = $1; cy[n] = $2; n++ }
  function wall(c, r) { return c < 0 || r < 0 || c >= w || r >= h || substr(row[r], c + 1, 1) == "#" }
  function walled(i, j) { return wall(i - 1, j - 1) && wall(i, j - 1) && wall(i - 1, j) && wall(i, j) }
  function rnd(k) { return int(rand() * k) }
  function field() { px = rnd(w + 1); py = rnd(h + 1) }
  function add(x, y) { lx[m] = x; ly[m] = y; m++ }
  function addcover(skip,   i) { for (i = 0; i < n; i++) if (i != skip) add(cx[i], cy[i]) }
  function far(   k) {
    k = rnd(8)
    if (k == 0) add(-61, 2147483647)
    else if (k == 1) add(-2147483648, -2147483648)
    else if (k == 2) add(2147483647, 19)
    else if (k == 3) add(30, -2147483648)
    else if (k == 4) add(30 + 1000000 * (rnd(3) - 1), 19 + 1000000 * (rnd(3) - 1))
    else if (k == 5) add(30 - 1000, 19 + 1000)
    else if (k == 6) add(-1, rnd(h + 1))
    else add(w + 1 + rnd(3), -1 - rnd(3))
  }
  function walledpoint() { do field(); while (!walled(px, py)); add(px, py) }
  function freepoint() { do field(); while (walled(px, py)); add(px, py) }
  function write(name, head,   f, i, s) {
    f = out "/" name ".tuv-Glowmere"
    printf "%s[/]\r\nvertices=%d\r\n", head, m > f
    for (i = 0; i < m; i++) {
      s = i == 0 ? "" : "#" i
      printf "x%s=%s\r\ny%s=%s\r\n", s, lx[i], s, ly[i] > f
    }
    close(f)
    m = 0
  }
  END {
    srand(seed)
    for (t = 0; t < 60; t++) { k = 1 + rnd(40); for (i = 0; i < k; i++) { field(); add(px, py) } write("plain-" t, "") }
    for (t = 0; t < 40; t++) { k = 1 + rnd(60); for (i = 0; i < k; i++) freepoint(); write("free-" t, "") }
    for (t = 0; t < 40; t++) { addcover(-1); k = rnd(4); for (i = 0; i < k; i++) freepoint(); write("cover-" t, "") }
    for (t = 0; t < 60; t++) { addcover(t % (n + 1) - 1); k = 1 + rnd(5); for (i = 0; i < k; i++) far(); write("far-" t, "") }
    for (t = 0; t < 20; t++) { k = 1 + rnd(10); for (i = 0; i < k; i++) far(); write("faronly-" t, "") }
    for (t = 0; t < 40; t++) {
      addcover(-1); k = 1 + rnd(4)
      for (i = 0; i < k; i++) { j = rnd(n); add(cx[j], cy[j]) }
      write("stacked-" t, "")
    }
    for (t = 0; t < 40; t++) { addcover(t % 3 == 0 ? rnd(n) : -1); k = 1 + rnd(3); for (i = 0; i < k; i++) walledpoint(); write("walled-" t, "") }
    for (t = 0; t < 10; t++) { k = 1 + rnd(5); for (i = 0; i < k; i++) walledpoint(); write("walledonly-" t, "") }
    for (t = 0; t < 40; t++) {
      addcover(t % 2 ? -1 : rnd(n))
      lv = t % 5 == 0 ? "1" : t % 5 == 1 ? "2" : t % 5 == 2 ? "abc" : t % 5 == 3 ? "" : "-7"
      write("level-" t, "[/etc/]\r\nlevel=" lv "\r\n\r\n")
    }
    for (t = 0; t < 60; t++) {
      for (i = 0; i < n; i++) if (rand() >= 0.1 + 0.3 * (t % 3) / 2) add(cx[i], cy[i])
      write("dark-" t, "")
    }
    for (t = 0; t < 20; t++) {
      addcover(-1)
      add(-61, 2147483647)
      for (dx = -1; dx <= 1; dx++) for (dy = -1; dy <= 1; dy++) if (dx || dy) {
        add(30 + dx * 1000, 19 + dy * 1000); add(30 + dx * 1000000, 19 + dy * 1000000)
        add(dx < 0 ? -2147483648 : dx > 0 ? 2147483647 : 30, dy < 0 ? -2147483648 : dy > 0 ? 2147483647 : 19)
      }
      write("overlit-" t, "")
    }
  }' map.txt cover.txt

# Files that hold no solution, or hold one in odd writing.
f=files
: >"$f/empty.tuv-Glowmere"
printf 'just text\n' >"$f/text.tuv-Glowmere"
printf '\001\000\377=[/]' >"$f/binary.tuv-Glowmere"
head -c 4096 /dev/urandom >"$f/random.tuv-Glowmere"
for v in two -1 2441 2147483647 4294967297 1,0 ''; do printf '[/]\r\nvertices=%s\r\nx=1\r\ny=1\r\n' "$v" >"$f/count-${v:-none}.tuv-Glowmere"; done
printf '[/]\r\nvertices=-5\r\nx=1\r\ny=1\r\n' >"$f/negative.tuv-Glowmere"
printf '[/]\r\nvertices=0\r\n' >"$f/zero.tuv-Glowmere"
printf '[/]\r\nvertices=3\r\nx=twelve\r\ny=$10\r\nx#1=0x0C\r\ny#1= 7 \r\nx#2=99999999999\r\n' >"$f/odd-values.tuv-Glowmere"
printf '; a note\r\n[/]\r\nvertices=1\r\nx=38\r\ny=9\r\n[/]\r\nVERTICES=2\r\nx#1=3\r\n' >"$f/duplicate-sections.tuv-Glowmere"
printf '[/]\nvertices=1\nx=0\ny=0' >"$f/lf-only.tuv-Glowmere"
printf '[/]\r\nvertices=2\r\nx=1\000\r\ny=2\r\nx#1=5\r\ny#1=5\r\n' >"$f/nul-value.tuv-Glowmere"
awk 'BEGIN { printf "[/]\r\nvertices=2440\r\n"; n = 0
  for (j = 0; j <= 39; j++) for (i = 0; i <= 60; i++) { s = n ? "#" n : ""; printf "x%s=%d\r\ny%s=%d\r\n", s, i, s, j; n++ } }' \
  >"$f/every-point.tuv-Glowmere"
mkdir -p "$f/folder.tuv-Glowmere"

# A designer's map: the shipped one with a wall block and two wall cells
# that meet only at a corner in its top left. (No ring of walls: the old
# floor lost the floor a ring encloses, so there the dark area differs.)
awk 'NR == 2 { $0 = "###." substr($0, 5) } NR == 3 { $0 = "###." substr($0, 5) } NR == 4 { $0 = "...#" substr($0, 5) } { print }' \
  map.txt >map/designer.txt

files=("$f"/*.tuv-Glowmere)
few=("$f"/plain-1*.tuv-Glowmere "$f"/far-1*.tuv-Glowmere "$f"/walled-1*.tuv-Glowmere "$f"/empty.tuv-Glowmere
     "$f"/stacked-1.tuv-Glowmere "$f"/level-1*.tuv-Glowmere "$f"/overlit-1.tuv-Glowmere "$f"/faronly-1*.tuv-Glowmere)
differ=0
# compare NAME ARGS...: both judges on the same arguments, in their own
# folders so that pictures do not meet.
compare() {
  local name="$1"
  shift
  local side
  for side in old new; do
    mkdir -p "$side-$name"
    local judge="$old"
    [ "$side" = new ] && judge="$new"
    set +e
    (cd "$side-$name" && "$judge" "$@" >out.txt 2>err.txt; echo $? >status.txt)
    set -e
  done
  if diff -r "old-$name" "new-$name" >"diff-$name.txt"; then
    echo "same    $name ($(wc -l <"new-$name/out.txt") lines, $(wc -l <"new-$name/err.txt") remarks)"
  else
    echo "DIFFER  $name (see $work/diff-$name.txt)"
    differ=1
  fi
}
abs=("${files[@]/#/$work/}")
compare plain "${abs[@]}"
compare strict --strict "${abs[@]}"
compare rank --rank "${abs[@]}"
compare strict-rank --strict --rank "${abs[@]}"
compare picture --picture pictures --rank "${few[@]/#/$work/}"
compare map --map "$work/map/designer.txt" --strict "${few[@]/#/$work/}"
echo "$(ls "$f" | wc -l) files"
exit "$differ"

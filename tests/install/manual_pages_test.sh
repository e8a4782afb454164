#!/usr/bin/env bash
# The manual pages as installed: one in section 6 for each program, and the
# game's also in Russian; each renders without a warning from groff, has
# the sections a reader looks for, and lists exactly the options that the
# program's --help lists. The English pages take their options from --help
# when they are made; the Russian page is written by hand, and this is what
# keeps it true when a program gains or loses an option.
#
#   manual_pages_test.sh BUILD_DIR BINDIR
set -euo pipefail
build="$1" bindir="$2"

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
man="$prefix/share/man"
pages="$(cd "$man" && find . -type f | sort)"
expected="./man6/glowmere-edit.6.gz
./man6/glowmere-judge.6.gz
./man6/glowmere-solve.6.gz
./man6/glowmere.6.gz
./ru/man6/glowmere.6.gz"
[ "$pages" = "$expected" ] || fail "manual pages installed:
$pages"

# Option names in text: -x and --long-name, one per line, sorted.
option_names() { grep -oE -- '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' | sed -E 's/^[ ,]//' | sort -u; }

# The options of --help: the start of each line of its Options block.
help_options() {
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$tmp" QT_QPA_PLATFORM=offscreen "$prefix/$bindir/$1" --help >"$tmp/help" ||
    fail "$1 --help ended with $?"
  awk '/^Options:/ { on = 1; next } on && /^$/ { on = 0 } on && /^  -/' "$tmp/help" |
    sed -E 's/^  (-[^ ]*( [^ ]+)*)  .*$/\1/' | option_names
}

for page in $pages; do
  name="$(basename "$page" .6.gz)"
  path="$man/$page"
  zcat "$path" >"$tmp/page.6"
  # As lintian reads it: every message of groff is a fault of the page.
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$tmp/page.6" >/dev/null 2>"$tmp/groff" ||
    fail "$page does not render: $(cat "$tmp/groff")"
  [ ! -s "$tmp/groff" ] || fail "groff on $page: $(cat "$tmp/groff")"
  # Rendered wide and plain; groff's minus and hyphen signs read as "-".
  LC_ALL=C.UTF-8 MANWIDTH=250 MAN_KEEP_FORMATTING= man -E UTF-8 -l "$tmp/page.6" 2>/dev/null |
    sed 's/\x08.//g; s/−/-/g; s/‐/-/g' >"$tmp/text"

  if [[ "$page" == ./ru/* ]]; then
    sections=(НАЗВАНИЕ СИНТАКСИС ОПИСАНИЕ ПАРАМЕТРЫ "КОД ВЫХОДА" ФАЙЛЫ ПРИМЕРЫ)
  else
    sections=(NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES)
  fi
  for section in "${sections[@]}"; do
    grep -qx "$section" "$tmp/text" || fail "$page has no section $section:
$(grep -E '^[^ ]' "$tmp/text")"
  done
  # The options section's items: the lines indented as a tag, up to the
  # next section.
  listed="$(awk -v head="${sections[3]}" '$0 == head { on = 1; next } on && /^[^ ]/ { on = 0 } on && /^       -/' "$tmp/text" |
    option_names)"
  wanted="$(help_options "$name")"
  [ -n "$wanted" ] || fail "$name --help lists no option: $(cat "$tmp/help")"
  missing="$(comm -23 <(echo "$wanted") <(echo "$listed"))"
  stale="$(comm -13 <(echo "$wanted") <(echo "$listed"))"
  [ -z "$missing$stale" ] || fail "$page does not list the options of $name --help:
lacks: $missing
lists but --help does not: $stale"
done
echo "manual pages: $(echo "$pages" | wc -l) pages, sections and options as --help"

#!/usr/bin/env bash
# The README and the pages under doc/ as a reader follows them: every
# relative link and picture names a file that exists (a page moved or
# renamed leaves no dead link behind), every picture under doc/images/ is
# shown by some page and is small enough to send with the sources, and the
# README reaches every page.
#
#   pages_test.sh SOURCE_DIR
set -euo pipefail
source="$1"
cd "$source"
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}

# Targets of Markdown links and pictures, "](target)", without an anchor;
# addresses with a scheme are left alone.
targets() { grep -oE '\]\([^)#]+' "$1" | sed 's/^](//' | grep -vE '^[a-z]+:' || true; }

shown=""
for page in README.md doc/*.md; do
  folder="$(dirname "$page")"
  for target in $(targets "$page"); do
    path="$(realpath -m "$folder/$target")"
    [ -e "$path" ] || fail "$page links $target, which does not exist"
    shown="$shown$path"$'\n'
  done
done

for image in doc/images/*; do
  [ -e "$image" ] || continue
  grep -qxF "$(realpath "$image")" <<<"$shown" || fail "$image is shown by no page"
  size=$(stat -c %s "$image")
  [ "$size" -le $((400 * 1024)) ] || fail "$image is $size bytes, more than 400 KiB"
done

for page in doc/*.md; do
  grep -qF "]($page)" README.md || fail "README.md does not link $page"
done
exit $failed

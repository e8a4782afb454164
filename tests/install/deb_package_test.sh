#!/usr/bin/env bash
# The Debian package: CPack makes glowmere_VERSION_amd64.deb in
# BUILD_DIR/package (where it stays, for whoever wants to install it), and
# it is what an organiser's apt and a Debian maintainer expect: lintian
# finds no error and no warning, its informational tags are each explained
# in doc/package.md, the control fields and the file list are the game's (the
# programs in /usr/games, manual pages, copyright and changelog, nothing of
# the tests), and nothing in it carries the time or the folder of the
# build.
#
#   deb_package_test.sh BUILD_DIR SOURCE_DIR VERSION APP_ID EDITOR_APP_ID MAINTAINER SOURCE_DATE_EPOCH
set -euo pipefail
build="$1" source="$2" version="$3" appid="$4" editorid="$5" maintainer="$6" epoch="${SOURCE_DATE_EPOCH:-$7}"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

out="$build/package"
mkdir -p "$out"
rm -f "$out"/glowmere_*.deb
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
# Under a umask that lets the group write, which must not reach the package.
(cd "$build" && umask 0002 && cpack -G DEB --config CPackConfig.cmake -B "$out") >"$dir/log" 2>&1 ||
  fail "cpack: $(cat "$dir/log")"
arch="$(dpkg --print-architecture)"
deb="$out/glowmere_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$out")"

# lintian as a Debian maintainer runs it, informational tags shown.
lintian --display-info "$deb" >"$dir/lintian" 2>&1 || fail "lintian ended with $?: $(cat "$dir/lintian")"
grep -E '^[EW]: ' "$dir/lintian" && fail "lintian reports errors or warnings"
for tag in $(sed -nE 's/^I: glowmere: ([a-z0-9-]+).*/\1/p' "$dir/lintian" | sort -u); do
  grep -qF "\`$tag\`" "$source/doc/package.md" || fail "lintian's $tag is not explained in doc/package.md: $(cat "$dir/lintian")"
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = glowmere ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[ "$(field Maintainer)" = "$maintainer" ] || fail "Maintainer: $(field Maintainer)"
[ -z "$(field Homepage)" ] || fail "a homepage that does not exist: $(field Homepage)"
depends="$(field Depends)"
# dpkg-shlibdeps writes versioned dependencies of the libraries linked.
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libpolyclipping22 \
  coinor-libcbc3; do
  grep -qE "(^|, )${library//+/\\+} \(>= [^)]+\)" <<<"$depends" || fail "Depends lacks $library: $depends"
done

dpkg-deb -c "$deb" >"$dir/contents"
files="$(awk '{print $6}' "$dir/contents" | sed 's|^\./|/|' | grep -v '/$')"
expected="/usr/games/glowmere
/usr/games/glowmere-edit
/usr/games/glowmere-judge
/usr/games/glowmere-solve
/usr/share/applications/$appid.desktop
/usr/share/applications/$editorid.desktop
/usr/share/doc/glowmere/changelog.gz
/usr/share/doc/glowmere/copyright
/usr/share/games/glowmere/Glowmere-2.loc
/usr/share/games/glowmere/TUV-2009-2.loc
/usr/share/icons/hicolor/128x128/apps/$appid.png
/usr/share/icons/hicolor/128x128/apps/$editorid.png
/usr/share/icons/hicolor/256x256/apps/$appid.png
/usr/share/icons/hicolor/256x256/apps/$editorid.png
/usr/share/icons/hicolor/48x48/apps/$appid.png
/usr/share/icons/hicolor/48x48/apps/$editorid.png
/usr/share/icons/hicolor/64x64/apps/$appid.png
/usr/share/icons/hicolor/64x64/apps/$editorid.png
/usr/share/lintian/overrides/glowmere
/usr/share/man/man6/glowmere-edit.6.gz
/usr/share/man/man6/glowmere-judge.6.gz
/usr/share/man/man6/glowmere-solve.6.gz
/usr/share/man/man6/glowmere.6.gz
/usr/share/man/ru/man6/glowmere.6.gz
/usr/share/metainfo/$appid.metainfo.xml
/usr/share/metainfo/$editorid.metainfo.xml"
extra="$(comm -13 <(sort <<<"$expected") <(sort <<<"$files"))"
missing="$(comm -23 <(sort <<<"$expected") <(sort <<<"$files"))"
[ -z "$missing" ] || fail "missing from the package: $missing"
[ -z "$extra" ] || fail "unexpected in the package: $extra"
# Root owns every file, folders and programs are rwxr-xr-x, other files
# rw-r--r--, and every member has the release's time.
owners="$(awk '{print $2}' "$dir/contents" | sort -u)"
[ "$owners" = root/root ] || fail "owners: $owners"
modes="$(awk '{ kind = $6 ~ /\/$/ ? "folder" : $6 ~ /^\.\/usr\/games\// ? "program" : "file"; print kind, $1 }' "$dir/contents" | sort -u)"
[ "$modes" = $'file -rw-r--r--\nfolder drwxr-xr-x\nprogram -rwxr-xr-x' ] || fail "modes: $modes"
stamp="$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M')"
times="$(awk '{print $4 " " $5}' "$dir/contents" | sort -u)"
[ "$times" = "$stamp" ] || fail "file times other than $stamp: $times"

dpkg-deb -x "$deb" "$dir/root"
root="$dir/root"
kind="$(file -b "$root/usr/games/glowmere")"
[[ "$kind" == *", stripped"* ]] || fail "glowmere is not stripped: $kind"
# Compressed without a name or a time (gzip -n): bytes 3 to 7 of the header
# hold the flags and the time.
for gz in $(cd "$root" && find . -name '*.gz'); do
  header="$(od -An -tx1 -j3 -N5 "$root/$gz" | tr -d ' ')"
  [ "$header" = 0000000000 ] || fail "$gz carries a name or a time (header $header)"
done
# Nor does any file name the folders it was built in.
for folder in "$(realpath "$source")" "$(realpath "$build")"; do
  leaks="$(grep -rlF "$folder" "$root" || true)"
  [ -z "$leaks" ] || fail "files that name $folder: $leaks"
done
zcat "$root/usr/share/doc/glowmere/changelog.gz" | cmp -s - "$source/doc/changelog" ||
  fail "the package's changelog is not doc/changelog"
for id in "$appid" "$editorid"; do
  entry="$root/usr/share/applications/$id.desktop" metadata="$root/usr/share/metainfo/$id.metainfo.xml"
  desktop-file-validate "$entry" || fail "desktop-file-validate on the package's entry $id"
  appstreamcli validate --no-net "$metadata" >"$dir/appstream" || fail "appstreamcli validate: $(cat "$dir/appstream")"
done
grep -qx "Exec=/usr/games/glowmere" "$root/usr/share/applications/$appid.desktop" ||
  fail "the menu entry: $(grep Exec "$root/usr/share/applications/$appid.desktop")"
grep -qx "Exec=/usr/games/glowmere-edit %f" "$root/usr/share/applications/$editorid.desktop" ||
  fail "the editor's menu entry: $(grep Exec "$root/usr/share/applications/$editorid.desktop")"
echo "package $deb: Depends: $depends"
sed 's/^/  /' "$dir/lintian"

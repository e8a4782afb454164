#!/usr/bin/env bash
# The Debian package: CPack makes glowmere_VERSION_amd64.deb in
# BUILD_DIR/package (where it stays, for whoever wants to install it), and
# its control fields and file list are what an organiser's apt expects:
# dependencies from the linked libraries, files only under /usr, nothing
# of the tests.
#
#   deb_package_test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build="$1" version="$2" appid="$3"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

out="$build/package"
mkdir -p "$out"
rm -f "$out"/glowmere_*.deb
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
(cd "$build" && cpack -G DEB --config CPackConfig.cmake -B "$out") >"$log" 2>&1 || fail "cpack: $(cat "$log")"
arch="$(dpkg --print-architecture)"
deb="$out/glowmere_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = glowmere ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
depends="$(field Depends)"
# dpkg-shlibdeps writes versioned dependencies of the libraries linked.
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libpolyclipping22 \
  coinor-libcbc3; do
  grep -qE "(^|, )${library//+/\\+} \(>= [^)]+\)" <<<"$depends" || fail "Depends lacks $library: $depends"
done

files="$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$')"
expected="/usr/bin/glowmere
/usr/bin/glowmere-judge
/usr/bin/glowmere-solve
/usr/share/applications/$appid.desktop
/usr/share/glowmere/Glowmere-2.loc
/usr/share/glowmere/TUV-2009-2.loc
/usr/share/icons/hicolor/128x128/apps/$appid.png
/usr/share/icons/hicolor/256x256/apps/$appid.png
/usr/share/icons/hicolor/48x48/apps/$appid.png
/usr/share/icons/hicolor/64x64/apps/$appid.png
/usr/share/metainfo/$appid.metainfo.xml"
extra="$(comm -13 <(sort <<<"$expected") <(sort <<<"$files"))"
missing="$(comm -23 <(sort <<<"$expected") <(sort <<<"$files"))"
[ -z "$missing" ] || fail "missing from the package: $missing"
[ -z "$extra" ] || fail "unexpected in the package: $extra"
# Root owns every file, and the programs are stripped.
owners="$(dpkg-deb -c "$deb" | awk '{print $2}' | sort -u)"
[ "$owners" = root/root ] || fail "owners: $owners"
dir="$(mktemp -d)"
trap 'rm -f "$log"; rm -rf "$dir"' EXIT
dpkg-deb -x "$deb" "$dir"
kind="$(file -b "$dir/usr/bin/glowmere")"
[[ "$kind" == *", stripped"* ]] || fail "glowmere is not stripped: $kind"
echo "package $deb: Depends: $depends"

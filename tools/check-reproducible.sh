#!/usr/bin/env bash
# Builds the Debian package of one source tree twice, as two people would
# who check it out at different times into different folders, and compares
# the two packages byte for byte. The two builds differ in the folder (and the
# length of its path), the files' times, the time of day, the time zone and
# the locale (Russian for the second where that locale exists); ccache is
# left out, so that neither build takes objects from the other. Both run
# under the umask 022: cpack gives the three members of the .deb archive
# (not the files in it) the modes that the umask leaves, which dpkg ignores.
#
#   tools/check-reproducible.sh [COMMIT]
#   tools/check-reproducible.sh --against BUILD_DIR
#
# Without COMMIT it builds the files of the working tree (those git tracks
# and those it does not ignore), as ./run-tests does.
#
# With --against, BUILD_DIR is an optimised build of the working tree that
# is already made (./run-tests passes build/release): when it was built as
# the fresh builds are (RelWithDebInfo, no sanitizer, no compiler launcher
# such as ccache, no flags of its own), its package stands for the first
# build and only the second is made, elsewhere, from a fresh copy; the two
# are still independent builds, in other folders at other times. Otherwise
# it says why and builds twice as without it.
#
# Prints the package's SHA-256 when the two are the same; otherwise shows
# what differs (with diffoscope when it is installed) and exits 1.
set -euo pipefail
cd "$(dirname "$0")/.."
against=""
if [ "${1:-}" = --against ]; then
  [ $# -eq 2 ] || { echo "usage: $0 [COMMIT] | --against BUILD_DIR" >&2; exit 2; }
  against="$(realpath "$2")"
  shift 2
fi
if [ $# -gt 0 ]; then
  commit="$(git rev-parse --verify "$1^{commit}")"
  export_tree() { git archive --format=tar "$commit"; }
else
  commit="the working tree"
  export_tree() { git ls-files -z -co --exclude-standard | tar --null -T - --ignore-failed-read -cf - 2>/dev/null; }
fi
jobs=$(nproc)

work="$(mktemp -d "${TMPDIR:-/tmp}/glowmere-reproducible.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# build FOLDER TZ LOCALE FILE_TIME: the package of the files, built in
# FOLDER from files dated FILE_TIME; prints the package's path.
build() {
  local tree="$1"
  mkdir -p "$tree"
  export_tree | tar -x -C "$tree"
  find "$tree" -exec touch -h -d "$4" {} +
  (
    cd "$tree"
    umask 022
    export TZ="$2" LC_ALL="$3" CCACHE_DISABLE=1
    # Only what the package holds is built: cpack then builds nothing more.
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLOWMERE_BENCH=OFF \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
    cmake --build build/release -j "$jobs" --target glowmere glowmere-judge glowmere-solve \
      glowmere_localization glowmere_documents >/dev/null
    cd build/release && cpack -G DEB >/dev/null
  ) >&2
  ls "$tree"/build/release/package/glowmere_*.deb
}

# built_alike BUILD_DIR: empty when that build's package may stand for a
# fresh build's, else the reason it may not.
built_alike() {
  local cache="$1/CMakeCache.txt"
  [ -f "$cache" ] || { echo "it has no CMakeCache.txt"; return; }
  value() { sed -n "s/^$1:[A-Z]*=//p" "$cache"; }
  [ "$(value CMAKE_BUILD_TYPE)" = RelWithDebInfo ] || { echo "it is a $(value CMAKE_BUILD_TYPE) build"; return; }
  [ "$(value GLOWMERE_SANITIZE)" != ON ] || { echo "it is a sanitizer build"; return; }
  [ "$(value GLOWMERE_FUZZ)" != ON ] || { echo "it is a fuzzing build"; return; }
  [ -z "$(value CMAKE_CXX_COMPILER_LAUNCHER)$(value CMAKE_C_COMPILER_LAUNCHER)" ] ||
    { echo "it compiles through $(value CMAKE_CXX_COMPILER_LAUNCHER)"; return; }
  case "$(realpath "$(value CMAKE_CXX_COMPILER)")" in
    *ccache*) echo "its compiler is ccache"; return ;;
  esac
  [ -z "$(value CMAKE_CXX_FLAGS)$(value CMAKE_EXE_LINKER_FLAGS)" ] || { echo "it has flags of its own"; return; }
  [ "$(value CMAKE_HOME_DIRECTORY)" = "$(pwd)" ] || { echo "it is a build of $(value CMAKE_HOME_DIRECTORY)"; return; }
}

# The package of an existing build, made as the fresh builds make theirs.
package_of() {
  (
    umask 022
    cd "$1"
    export TZ=UTC LC_ALL=C.UTF-8
    cpack -G DEB --config CPackConfig.cmake -B "$2" >/dev/null
  ) >&2
  ls "$2"/glowmere_*.deb
}

second_locale=C.UTF-8
if locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then second_locale=ru_RU.UTF-8; fi
reason=""
if [ -n "$against" ]; then
  reason="$(built_alike "$against")"
  [ -z "$reason" ] || echo "not comparing with $against: $reason" >&2
fi
if [ -n "$against" ] && [ -z "$reason" ]; then
  echo "building $commit once in $work, to compare with the package of $against" >&2
  first="$(package_of "$against" "$work/from-build")"
else
  echo "building $commit twice in $work" >&2
  first="$(build "$work/a" UTC C.UTF-8 '2001-02-03 04:05:06')"
fi
second="$(build "$work/second-checkout-elsewhere" Asia/Vladivostok "$second_locale" now)"

if cmp "$first" "$second"; then
  echo "reproducible: $(sha256sum "$first" | cut -d' ' -f1)  $(basename "$first")"
  exit 0
fi
if command -v diffoscope >/dev/null; then
  diffoscope "$first" "$second" || true
else
  # Without diffoscope: the archive's members, the listings of the files
  # (modes, owners, times) and the files themselves.
  for deb in "$first" "$second"; do
    mkdir -p "$deb.x"
    dpkg-deb -R "$deb" "$deb.x"
    { ar tv "$deb" && dpkg-deb -c "$deb"; } >"$deb.list"
  done
  diff "$first.list" "$second.list" || true
  diff -r "$first.x" "$second.x" || true
fi
echo "NOT reproducible: $first and $second differ" >&2
exit 1

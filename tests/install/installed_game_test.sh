#!/usr/bin/env bash
# The installed game, as a player meets it: `cmake --install` into a fresh
# prefix, the desktop files validated, then the game started offscreen from
# an unrelated folder with a throw-away HOME. It must show the Russian texts
# of its installed localization files, leave every installed file as it
# was (this test runs as root on the development machines, where nothing
# would stop a write), keep a second start from opening a second game, and
# start again after a game was killed.
#
#   installed_game_test.sh BUILD_DIR WINDOW_PROBE.so VERSION APP_ID BINDIR DATADIR EDITOR_APP_ID
set -euo pipefail
build="$1" probe="$2" version="$3" appid="$4" bindir="$5" datadir="$6" editorid="$7"

tmp="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# What an installed tree holds.
for f in "$bindir/glowmere" "$bindir/glowmere-judge" "$bindir/glowmere-solve" "$bindir/glowmere-edit" \
  "$datadir/TUV-2009-2.loc" "$datadir/Glowmere-2.loc" \
  "share/applications/$appid.desktop" "share/metainfo/$appid.metainfo.xml" \
  "share/applications/$editorid.desktop" "share/metainfo/$editorid.metainfo.xml" \
  share/doc/glowmere/copyright share/doc/glowmere/changelog.gz; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
for size in 48 64 128 256; do
  for id in "$appid" "$editorid"; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -f "$icon" ] || fail "no ${size}px icon of $id"
    kind="$(file -b "$icon")"
    [[ "$kind" == "PNG image data, $size x $size"* ]] || fail "the ${size}px icon of $id is $kind"
  done
done
# (Whole outputs are compared, never piped into grep -q: under pipefail a
# writer cut off by an early match would fail the test now and then.)
task_texts="$(iconv -f CP1251 -t UTF-8 "$prefix/$datadir/Glowmere-2.loc" | tr -d '\r')"
grep -qx 'title=Огни подземелья' <<<"$task_texts" ||
  fail "the installed task localization is not the Windows-1251 one"
for id in "$appid" "$editorid"; do
  desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate $id"
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate: $(appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml")"
  grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || fail "metadata of $id lacks version $version"
done
editor_exec="$(grep '^Exec=' "$prefix/share/applications/$editorid.desktop")"
[ "$editor_exec" = "Exec=$prefix/$bindir/glowmere-edit %f" ] || fail "the editor's menu entry runs $editor_exec"
# The menu entry starts the game installed beside it, whatever the PATH.
exec_line="$(grep '^Exec=' "$prefix/share/applications/$appid.desktop")"
[ "$exec_line" = "Exec=$prefix/$bindir/glowmere" ] || fail "the menu entry runs $exec_line"

# The environment of a fresh account: nothing of the caller's reaches it.
home="$tmp/home" elsewhere="$tmp/elsewhere"
mkdir -p "$home" "$elsewhere"
cd "$elsewhere"
player=(env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_DOCUMENTS_DIR -u XDG_RUNTIME_DIR -u DISPLAY
  -u WAYLAND_DISPLAY -u LD_PRELOAD HOME="$home" QT_QPA_PLATFORM=offscreen)
game="$prefix/$bindir/glowmere"

[ "$("${player[@]}" "$game" --version)" = "Glowmere $version" ] || fail "glowmere --version"
help="$("${player[@]}" "$game" --help)" || fail "glowmere --help ended with $?"
grep -q -- '--version' <<<"$help" || fail "glowmere --help: $help"
for tool in glowmere-judge glowmere-solve glowmere-edit; do
  [ "$("${player[@]}" "$prefix/$bindir/$tool" --version)" = "$tool $version" ] || fail "$tool --version"
done

snapshot() {
  (cd "$prefix" && find . -printf '%p %y %m %s %T@\n' | sort && find . -type f -exec sha256sum {} + | sort)
}
snapshot >"$tmp/before"

# 1. The texts. The probe prints what the windows say once the statement
# is up over the game window, then ends the game as SIGTERM does. In a
# sanitizer build the preloaded probe loads Qt ahead of the program, so
# Qt's own exit-time clean-up comes too late for the leak check; the later
# runs check leaks without it.
"${player[@]}" LD_PRELOAD="$probe" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0:detect_leaks=0" \
  timeout 120 "$game" >"$tmp/texts" 2>"$tmp/texts.err" || fail "the game ended with $?: $(cat "$tmp/texts.err")"
expect() {
  grep -qxF -- "$1" "$tmp/texts" || fail "no line '$1' among the texts shown:
$(cat "$tmp/texts")"
}
expect $'window\tTfrmGlowmere Огни подземелья'
expect $'window\tTfmHelp Условие задачи'
expect $'action\tФайл'
expect $'action\tОчистить'
expect $'button\tЧто осталось?'
expect $'button\tЗакрыть'
expect $'checkbox\tПоказывать условие при запуске'
grep -q $'^text\t..........' "$tmp/texts" || fail "the statement shows no text"
# A missing text shows as " - ", which the probe prints as "-". Only the
# record may read "-" (no record yet).
placeholders="$(grep -P '\t-$|^window\t\S+ -$' "$tmp/texts" || true)"
[ "$placeholders" = $'label\t-' ] || fail "placeholders shown:
$placeholders"
userdata="$home/.local/share/TUV-2009-2"
for f in Glowmere.rec Glowmere.sav Glowmere.set Glowmere.stat; do
  [ -f "$userdata/$f" ] || fail "$f was not written at exit"
done
[ -z "$(ls -A "$elsewhere")" ] || fail "the game wrote into the folder it was started from: $(ls -A "$elsewhere")"

# 2. One game per user. The first game listens once it holds the lock.
wait_for() {  # CONDITION...: up to 60 s
  for _ in $(seq 600); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}
# A lock is never tried while a game starts (a try at the wrong moment
# would be a second game to it); the kernel's lock table says who holds it.
lock_held() { ! flock -n "$userdata/Glowmere.lock" true; }
holds_lock() { grep -qE "^[0-9]+: FLOCK +ADVISORY +WRITE +$1 " /proc/locks; }
[ ! -e "$userdata/Glowmere.socket" ] || fail "the game left its socket behind at exit"
"${player[@]}" "$game" >"$tmp/first.log" 2>&1 &
first=$!
pids+=("$first")
wait_for holds_lock "$first" || fail "the first game did not take the lock: $(cat "$tmp/first.log")"
wait_for test -S "$userdata/Glowmere.socket" || fail "the first game does not listen: $(cat "$tmp/first.log")"
# The second start asks the first to come to the front and ends at once;
# a second game would run on until the timeout.
"${player[@]}" timeout 60 "$game" >"$tmp/second.log" 2>&1 || fail "the second start ended with $?: $(cat "$tmp/second.log")"
kill -0 "$first" 2>/dev/null || fail "the first game is gone"

# 3. A killed game leaves its lock file and socket behind, and no lock.
kill -KILL "$first"
wait "$first" 2>/dev/null || true
[ -e "$userdata/Glowmere.lock" ] || fail "no lock file"
[ -S "$userdata/Glowmere.socket" ] || fail "no socket left behind"
lock_held && fail "a killed game still holds the lock"
"${player[@]}" "$game" >"$tmp/third.log" 2>&1 &
third=$!
pids+=("$third")
wait_for holds_lock "$third" || fail "the game after the killed one did not take the lock: $(cat "$tmp/third.log")"
lock_held || fail "the game after the killed one holds another lock"
sleep 1
kill -0 "$third" 2>/dev/null || fail "the game after the killed one ended: $(cat "$tmp/third.log")"
kill -TERM "$third"
wait "$third" || fail "the game after the killed one ended with $? on SIGTERM"
[ ! -e "$userdata/Glowmere.lock" ] && [ ! -e "$userdata/Glowmere.socket" ] ||
  fail "a game that ended normally left its lock file or socket behind"

# 4. The level editor, started elsewhere too: its texts in Russian, the
# solver found beside it, and a SIGTERM ends it with status 0.
"${player[@]}" LD_PRELOAD="$probe" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0:detect_leaks=0" \
  timeout 120 "$prefix/$bindir/glowmere-edit" "$tmp/level.txt" >"$tmp/editor" 2>"$tmp/editor.err" ||
  fail "the editor ended with $?: $(cat "$tmp/editor.err")"
for line in $'window\tTEditorWindow level.txt[*] — Редактор уровней' $'action\tФайл' $'action\tСохранить' \
  $'label\tНаименьшее число светильников' $'checkbox\tВидимость клеток'; do
  grep -qxF -- "$line" "$tmp/editor" || fail "no line '$line' among the editor's texts:
$(cat "$tmp/editor")"
done
grep -q 'glowmere-solve не найден' "$tmp/editor" && fail "the editor does not find the solver beside it"
[ ! -e "$tmp/level.txt" ] || fail "the editor wrote the level unasked"
[ -z "$(ls -A "$elsewhere")" ] || fail "the editor wrote into the folder it was started from: $(ls -A "$elsewhere")"

snapshot >"$tmp/after"
diff "$tmp/before" "$tmp/after" >&2 || fail "files under the prefix changed"
echo "installed game: texts, read-only data, single game and restart after a kill all fine; the editor's texts and solver"

#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UBSan, in
# build/fuzz) and runs each for a bounded time (FUZZ_SECONDS, default 30)
# on a copy of its seed corpus, so the committed corpus never changes.
# Exits non-zero on any crash, leak, timeout or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/fuzz
seconds=${FUZZ_SECONDS:-30}
jobs=$(nproc)

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGLOWMERE_FUZZ=ON -DGLOWMERE_BENCH=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null

# target:max_len
targets="fuzz_ini:4096 fuzz_help_markup:4096 fuzz_load_solution:2048 fuzz_lit_region:8"
names=""
for t in $targets; do names="$names ${t%%:*}"; done
# shellcheck disable=SC2086
cmake --build "$build" -j "$jobs" --target $names

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
scratch=$build/tmp
mkdir -p "$scratch"
export TMPDIR=$scratch

failed=0
for t in $targets; do
  name=${t%%:*}
  maxlen=${t##*:}
  work=$build/run/$name
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -r "fuzz/corpus/$name/." "$work/corpus/"
  echo "== $name: ${seconds}s"
  if "$build/fuzz/$name" -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" >"$work/log" 2>&1; then
    grep -E "^(#[0-9]+.*DONE|Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$work/log" || true
  else
    echo "FAILED: $name (log: $work/log, artifacts: $work/artifacts)"
    tail -n 40 "$work/log"
    failed=1
  fi
  if [ -n "$(ls -A "$work/artifacts")" ]; then
    echo "FAILED: $name left artifacts in $work/artifacts"
    failed=1
  fi
done
exit $failed

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
targetNames=""
for t in $targets; do targetNames="$targetNames ${t%%:*}"; done
# shellcheck disable=SC2086
cmake --build "$build" -j "$jobs" --target $targetNames

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
scratch=$build/tmp
mkdir -p "$scratch"
export TMPDIR=$scratch

# One target on a fresh copy of its corpus; non-zero when libFuzzer
# reported anything or left an artifact.
run_one() {
  local name=$1 maxlen=$2
  local work=$build/run/$name
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -r "fuzz/corpus/$name/." "$work/corpus/"
  local rc=0
  "$build/fuzz/$name" -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" >"$work/log" 2>&1 || rc=$?
  if [ -n "$(ls -A "$work/artifacts")" ] && [ "$rc" -eq 0 ]; then rc=1; fi
  return "$rc"
}

# As many targets at a time as there are cores, so the whole run takes
# about (targets / cores) * FUZZ_SECONDS.
pids=()
names=()
failed=0
wait_all() {
  local i
  for i in "${!pids[@]}"; do
    local name=${names[$i]}
    local log=$build/run/$name/log
    if wait "${pids[$i]}"; then
      echo "== $name: passed"
      grep -E "DONE|^Done|stat::number_of_executed_units" "$log" || true
    else
      echo "== $name: FAILED (log: $log, artifacts: $build/run/$name/artifacts)"
      tail -n 40 "$log"
      failed=1
    fi
  done
  pids=()
  names=()
}
echo "Fuzzing each target for ${seconds}s"
for t in $targets; do
  run_one "${t%%:*}" "${t##*:}" &
  pids+=($!)
  names+=("${t%%:*}")
  if [ "${#pids[@]}" -ge "$jobs" ]; then wait_all; fi
done
wait_all
rm -rf "$scratch"
exit $failed

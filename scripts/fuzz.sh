#!/usr/bin/env bash
# Runs every fuzz target of the `fuzz` preset for a bounded time each (default 10 seconds),
# starting from the seed corpus in fuzz/corpus/<target>/, with the words of fuzz/<target>.dict.
# Inputs that find new paths are kept in build/fuzz/corpus/<target>/, findings in
# build/fuzz/findings/. Prints how many inputs each target ran; fails when any target reports a
# finding (crash, sanitizer report, leak, timeout, running out of memory) or does not run.
#   scripts/fuzz.sh [seconds] [target...]
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
# Inputs up to 256 KB: long lines are what makes a quadratic step show (libFuzzer's own cap,
# taken from the seed corpus, is a few KB).
max_len=262144
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(settings_fuzz project_file_fuzz group_file_fuzz member_file_fuzz text_helpers_fuzz)
fi

bin=build/fuzz/bin
mkdir -p build/fuzz/findings build/fuzz/logs
status=0
summary=()
for t in "${targets[@]}"; do
  work=build/fuzz/corpus/$t
  log=build/fuzz/logs/$t.log
  mkdir -p "$work"
  dict=()
  [ -f "fuzz/$t.dict" ] && dict=(-dict="fuzz/$t.dict")
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$bin/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len="$max_len" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$t-" "${dict[@]}" "$work" "fuzz/corpus/$t" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ "$rc" -ne 0 ] || [ -z "$runs" ]; then
    status=1
    summary+=("$t: FINDING (exit $rc), see $log")
    echo "==== $t failed; the end of its log:"
    tail -40 "$log"
  else
    summary+=("$t: $runs runs, no finding")
  fi
done
echo "==== fuzzing, ${seconds} s per target:"
printf '  %s\n' "${summary[@]}"
exit "$status"

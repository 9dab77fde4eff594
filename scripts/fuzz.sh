#!/usr/bin/env bash
# Runs each fuzz target of a ZORREL_FUZZ=ON build for SECONDS, starting from
# the seed corpus in tests/fuzz/corpus. What the fuzzer adds stays in the
# build folder; an input that breaks a target is kept there too and fails
# the run: add it to tests/fuzz/corpus/<target>/ with the fix, so that the
# ordinary test suite replays it from then on.
#   scripts/fuzz.sh BUILD-DIR SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2
status=0
for target in settings wave command_line; do
  work="$build/fuzz-work/$target"
  crashes="$build/fuzz-crashes/$target"
  mkdir -p "$work" "$crashes"
  log="$build/fuzz-$target.log"
  # Inputs of at most 4 KiB: the parsers read whole files, and larger ones
  # only slow the search down.
  if "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$crashes/" "$work" "tests/fuzz/corpus/$target" \
    >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)
  echo "fuzz $target: $result, ${seconds} s, ${runs:-?} runs, ${rate:-?} exec/s, ${coverage:-no coverage line}"
  if [ "$result" = FAILED ]; then
    grep -E 'ERROR|broken:|SUMMARY' "$log" | head -n 5 || true
    ls "$crashes"
  fi
done
exit "$status"

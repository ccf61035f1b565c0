#!/usr/bin/env bash
# Runs every fuzz target of PROGRAM for SECONDS seconds each, growing the
# corpus in CORPUS/<target> from the seeds in fuzz/corpus/<target>. An input
# that crashes or hangs is written to fuzz/regressions/<target>/ (kept in
# the repository and replayed by the fuzzreplay test). Prints one line of
# figures per target; exits 1 when any target failed.
set -uo pipefail
program=$(realpath "$1") seconds=$2 corpus=$(realpath -m "$3")
# The program works in a folder of its own: every path it is given is whole.
here=$(cd "$(dirname "$0")" && pwd)
status=0
for target in $(TALLYO_FUZZ_TARGET=list "$program"); do
  mkdir -p "$corpus/$target" "$here/regressions/$target" "$here/corpus/$target"
  log="$corpus/$target.log"
  TALLYO_FUZZ_TARGET=$target "$program" "$corpus/$target" "$here/corpus/$target" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -detect_leaks=0 -print_final_stats=1 \
    -artifact_prefix="$here/regressions/$target/" >"$log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  inputs=$(ls "$corpus/$target" | wc -l)
  if [ "$result" -eq 0 ]; then
    echo "fuzz $target: ${runs:-?} inputs in ${seconds} s, ${edges:-?} edges covered, corpus of $inputs, no crash or hang"
  else
    echo "fuzz $target: FAILED (exit $result); the input is in fuzz/regressions/$target/, see $log"
    status=1
  fi
done
exit $status

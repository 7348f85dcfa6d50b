#!/usr/bin/env bash
# Runs one fuzz target for SECONDS on a scratch copy of its corpus; inputs that fail land
# in FINDINGS. Prints the executions made. With RUNS it stops after that many executions
# if they come before the time is up.  fuzz-one.sh TARGET CORPUS FINDINGS SECONDS [RUNS]
set -euo pipefail
target=$1 corpus=$2 findings=$3 seconds=$4 runs=${5:--1}
mkdir -p "$findings"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
log="$scratch/log"
rc=0
"$target" -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
  -artifact_prefix="$findings/$(basename "$target")-" "$scratch" "$corpus" >"$log" 2>&1 || rc=$?
grep -E '^(stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)' "$log" || true
[ $rc -eq 0 ] || tail -n 40 "$log"
exit $rc

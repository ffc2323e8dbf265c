#!/usr/bin/env bash
# Runs every fuzz target for SECONDS, one after the other (one core), and
# adds up the executions:
#   fuzz_all.sh BUILD SECONDS
# Each target's corpus grows in BUILD/corpus/<name> from run to run.
set -uo pipefail
build="$1"; seconds="$2"
here="$(cd "$(dirname "$0")" && pwd)"
total=0
failed=0
for target in "$build"/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target"); name=${name#fuzz_}
  report=$(bash "$here/run.sh" "$target" "$here/corpus/$name" "$seconds" "$build/corpus/$name")
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' <<< "$report" | tail -n 1)
  echo "$name: ${runs:-0} executions$([ "$status" -eq 0 ] || echo ", FAILED")"
  [ "$status" -eq 0 ] || { failed=1; echo "$report"; }
  total=$((total + ${runs:-0}))
done
echo "all targets: $total executions"
exit "$failed"

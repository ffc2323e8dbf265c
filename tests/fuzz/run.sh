#!/usr/bin/env bash
# Runs one fuzz target for a bounded time:
#   run.sh TARGET SEEDS SECONDS [CORPUS]
# SEEDS is the target's seed folder; the files listed in SEEDS.seeds (paths
# from the repository's root, such as test fixtures) are seeds as well. New
# inputs go to CORPUS (a fresh temporary folder when not given), never into
# the seeds. An input that breaks the target is kept beside CORPUS as
# artifacts-<target>-crash-*|timeout-*|oom-* and the run exits non-zero.
# libFuzzer's last lines give the executions done
# (stat::number_of_executed_units). FUZZ_MAX_LEN bounds the input size (4096).
set -uo pipefail
target="$1"; seeds="$2"; seconds="$3"
if [ $# -ge 4 ]; then
  corpus="$4"; mkdir -p "$corpus"; keep=1
else
  corpus=$(mktemp -d); keep=0
fi
root="$(cd "$(dirname "$0")/../.." && pwd)"
listed=""
if [ -f "$seeds.seeds" ]; then
  while read -r file; do
    [ -n "$file" ] && listed="${listed:+$listed,}$root/$file"
  done < "$seeds.seeds"
fi
artifacts="$(dirname "$corpus")/artifacts-$(basename "$target")-"
"$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len="${FUZZ_MAX_LEN:-4096}" \
  -print_final_stats=1 -artifact_prefix="$artifacts" ${listed:+-seed_inputs="$listed"} \
  "$corpus" "$seeds" > "$corpus.log" 2>&1
status=$?
grep -E '^stat::number_of_executed_units|^Done [0-9]+ runs|ERROR|SUMMARY|Test unit written|check failed' \
  "$corpus.log"
[ "$status" -eq 0 ] || tail -n 40 "$corpus.log"
rm -f "$corpus.log"
[ "$keep" -eq 1 ] || rm -rf "$corpus"
exit "$status"

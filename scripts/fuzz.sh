#!/usr/bin/env bash
# Fuzzes each harness of tests/fuzz for SECONDS seconds (default 30) in the
# sanitizer build (built first if needed) and prints its run count. New
# inputs go to a scratch folder; the saved inputs are only read. A failing
# input is saved in build-asan/fuzz-failures/.
#   fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

scripts/build.sh asan >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

status=0
for corpus in tests/fuzz/corpus/*/; do
  name=$(basename "$corpus")
  harness=build-asan/tests/fuzz/fuzz_$name
  if [[ ! -x $harness ]]; then
    echo "fuzz_$name: not built in this tree, skipped"
    continue
  fi
  mkdir -p "$scratch/$name"
  log=$scratch/$name.log
  mkdir -p build-asan/fuzz-failures
  if "$harness" -max_total_time="$seconds" -max_len=1024 -print_final_stats=1 \
       -artifact_prefix=build-asan/fuzz-failures/"$name"- \
       "$scratch/$name" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$name: $runs runs in ${seconds} s, no failure"
  else
    status=1
    echo "fuzz_$name: FAILED" >&2
    tail -n 40 "$log" >&2
  fi
done
exit "$status"

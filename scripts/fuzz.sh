#!/usr/bin/env bash
# Fuzzes each harness of tests/fuzz for SECONDS seconds (default 30) in the
# sanitizer build (built first if needed) and prints its run count. New
# inputs go to a scratch folder; the saved inputs are only read. A failing
# input is saved in build-asan/fuzz-failures/.
#   fuzz.sh [SECONDS]
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/.."
seconds=${1:-30}

scripts/build.sh asan >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The harnesses this tree builds: those with a saved-input test.
harnesses=$(ctest --test-dir build-asan -N -R '^fuzz_.*_corpus$' |
            sed -n 's/^ *Test *#[0-9]*: \(fuzz_.*\)_corpus$/\1/p')
[[ -n $harnesses ]] || { echo "no fuzz harnesses in build-asan" >&2; exit 1; }

status=0
mkdir -p build-asan/fuzz-failures
for harness in $harnesses; do
  name=${harness#fuzz_}
  mkdir -p "$scratch/$name"
  log=$scratch/$name.log
  if build-asan/tests/fuzz/"$harness" -max_total_time="$seconds" -max_len=1024 \
       -print_final_stats=1 -artifact_prefix=build-asan/fuzz-failures/"$name"- \
       "$scratch/$name" tests/fuzz/corpus/"$name" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$harness: $runs runs in ${seconds} s, no failure"
  else
    status=1
    echo "$harness: FAILED" >&2
    tail -n 40 "$log" >&2
  fi
done
exit "$status"

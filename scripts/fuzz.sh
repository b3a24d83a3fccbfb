#!/usr/bin/env bash
# Fuzzes each harness of tests/fuzz for SECONDS seconds (default 30) in the
# sanitizer build (built first if needed) and prints its run count. New
# inputs go to a scratch folder; the saved inputs are only read. A failing
# input is saved in build-asan/fuzz-failures/. As many harnesses run at
# once as there are processors (FUZZ_JOBS in the environment says otherwise),
# each for SECONDS of its own. The random seed comes from the commit, so
# running the same commit again searches the same inputs (FUZZ_SEED in the
# environment names another); the report's first line names it.
#   fuzz.sh [SECONDS]
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/.."
seconds=${1:-30}

# The folder's own coverage setting unless the environment names one: a
# different one would configure it afresh and rebuild everything.
if [[ -z ${TAGORA_COVERAGE:-} && -f build-asan/CMakeCache.txt ]]; then
  TAGORA_COVERAGE=$(sed -n 's/^TAGORA_COVERAGE:BOOL=//p' build-asan/CMakeCache.txt)
  export TAGORA_COVERAGE
fi
scripts/build.sh asan >/dev/null
commit=$(git rev-parse --short=7 HEAD 2>/dev/null || echo 1)
seed=${FUZZ_SEED:-$((16#$commit))}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The harnesses this tree builds: those with a saved-input test.
harnesses=$(ctest --test-dir build-asan -N -R '^fuzz_.*_corpus$' |
            sed -n 's/^ *Test *#[0-9]*: \(fuzz_.*\)_corpus$/\1/p')
[[ -n $harnesses ]] || { echo "no fuzz harnesses in build-asan" >&2; exit 1; }

# Runs one harness; its lines for the report in the file $scratch/NAME.result.
fuzz_one() {
  local harness=$1 name=${1#fuzz_}
  local log=$scratch/$name.log result=$scratch/$name.result
  mkdir -p "$scratch/$name"
  if build-asan/tests/fuzz/"$harness" -max_total_time="$seconds" -max_len=1024 \
       -print_final_stats=1 -seed="$seed" -artifact_prefix=build-asan/fuzz-failures/"$name"- \
       "$scratch/$name" tests/fuzz/corpus/"$name" >"$log" 2>&1; then
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$harness: $runs runs in ${seconds} s, no failure" >"$result"
  else
    { echo "$harness: FAILED"; tail -n 40 "$log"; } >"$result.failed"
  fi
}

mkdir -p build-asan/fuzz-failures
jobs=${FUZZ_JOBS:-$(nproc)}
running=0
for harness in $harnesses; do
  if ((running >= jobs)); then
    wait -n || true  # fuzz_one writes its outcome down
    running=$((running - 1))
  fi
  fuzz_one "$harness" &
  running=$((running + 1))
done
wait

# The report in the harnesses' order, whichever ended first.
status=0
echo "seed $seed (FUZZ_SEED=$seed repeats this search)"
for harness in $harnesses; do
  name=${harness#fuzz_}
  if [[ -f $scratch/$name.result ]]; then
    cat "$scratch/$name.result"
  else
    status=1
    cat "$scratch/$name.result.failed" >&2 2>/dev/null || echo "$harness: FAILED (no report)" >&2
  fi
done
exit "$status"

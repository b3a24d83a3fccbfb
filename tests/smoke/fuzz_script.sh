#!/usr/bin/env bash
# scripts/fuzz.sh, over stand-in harnesses in a tree of its own: it builds
# the sanitizer folder with the coverage setting that folder has (another
# one would configure it afresh and rebuild everything), unless the
# environment names one; it reports every harness in order, whichever ends
# first; a failing harness is named with its output and fails the run; no
# more harnesses run at once than FUZZ_JOBS; each is given the seed the
# report names.
#   fuzz_script.sh FUZZ_SH
set -uo pipefail
fuzz_sh=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work/scripts" "$work/build-asan/tests/fuzz"
cp "$fuzz_sh" "$work/scripts/fuzz.sh"
cat >"$work/scripts/build.sh" <<'EOF'
#!/usr/bin/env bash
echo "$* coverage=${TAGORA_COVERAGE-unset}" >>"$(dirname "$0")/../builds"
EOF
printf 'TAGORA_COVERAGE:BOOL=ON\n' >"$work/build-asan/CMakeCache.txt"
# Three harnesses, the first the slowest; each notes how many run with it.
for name in slow quick odd; do
  mkdir -p "$work/tests/fuzz/corpus/$name"
  echo "add_test(fuzz_${name}_corpus \"/bin/true\")" >>"$work/build-asan/CTestTestfile.cmake"
  cat >"$work/build-asan/tests/fuzz/fuzz_$name" <<EOF
#!/usr/bin/env bash
touch "$work/running.$name"
ls "$work" | grep -c '^running\.' >>"$work/together"
printf '%s\n' "\$@" | grep '^-seed=' >>"$work/seeds"
if [[ $name == slow ]]; then sleep 1; else sleep 0.3; fi
rm "$work/running.$name"
[[ $name == odd && -n \${FAIL_ODD:-} ]] && { echo "odd broke"; exit 1; }
echo "stat::number_of_executed_units: 7"
EOF
  chmod +x "$work/build-asan/tests/fuzz/fuzz_$name"
done
chmod +x "$work/scripts/"*.sh

expected='seed 42 (FUZZ_SEED=42 repeats this search)
fuzz_slow: 7 runs in 1 s, no failure
fuzz_quick: 7 runs in 1 s, no failure
fuzz_odd: 7 runs in 1 s, no failure'
out=$(cd "$work" && env -u TAGORA_COVERAGE FUZZ_SEED=42 FUZZ_JOBS=2 bash scripts/fuzz.sh 1 2>&1) || fail "status $? with no failure"
[[ $out == "$expected" ]] || fail "report: $out"
[[ $(cat "$work/builds") == "asan coverage=ON" ]] || fail "built as: $(cat "$work/builds")"
(($(sort -n "$work/together" | tail -n1) <= 2)) || fail "more than 2 at once: $(cat "$work/together")"
[[ $(sort -u "$work/seeds") == "-seed=42" ]] || fail "seeds given: $(cat "$work/seeds")"

rm "$work/builds" "$work/together"
out=$(cd "$work" && TAGORA_COVERAGE=OFF FAIL_ODD=1 FUZZ_JOBS=1 bash scripts/fuzz.sh 1 2>&1) && fail "status 0 with a failure"
[[ $(cat "$work/builds") == "asan coverage=OFF" ]] || fail "the environment's setting ignored: $(cat "$work/builds")"
[[ $out == *"fuzz_odd: FAILED"*"odd broke"* ]] || fail "failure not reported: $out"
[[ $out == *"fuzz_quick: 7 runs"* ]] || fail "the others not reported: $out"
(($(sort -n "$work/together" | tail -n1) == 1)) || fail "more than 1 at once: $(cat "$work/together")"

((failures == 0)) && echo "fuzz.sh: all checks passed"
exit $((failures > 0))

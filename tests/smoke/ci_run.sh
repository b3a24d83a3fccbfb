#!/usr/bin/env bash
# .ci/run over stand-ins for the scripts and ctest, in a tree of its own:
# the sanitizer build runs at the lowest priority, with coverage, beside the
# Release tests, and fuzzing builds that folder with coverage too; each step
# prints the processor time its programs took, each test run its slowest
# tests, slowest first; a failure of the tests or of the sanitizer build
# fails the run, and stops the sanitizer build still running.
#   ci_run.sh CI_RUN
set -uo pipefail
ci_run=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work/.ci" "$work/scripts" "$work/bin"
cp "$ci_run" "$work/.ci/run"
# The README's test command itself, over the stand-ins below.
cp "$(dirname "$ci_run")/../scripts/test.sh" "$work/scripts/test.sh"
for script in install-deps build coverage fuzz; do
  cat >"$work/scripts/$script.sh" <<EOF
#!/usr/bin/env bash
echo "$script \$* nice=\$(nice) coverage=\${TAGORA_COVERAGE-unset}" >>"$work/calls"
if [[ $script == build && \${1:-} == asan ]]; then
  echo "\$\$" >"$work/asan-started"
  sed -n 's/.* nice \(.*\)/\1/p' /proc/self/autogroup >"$work/asan-group" 2>/dev/null
  sleep "\${ASAN_SECONDS:-0.2}"
  [[ -z \${FAIL_ASAN:-} ]] || { echo "asan broke"; exit 1; }
fi
exit 0
EOF
done
# ctest: three tests' costs, BURN seconds of processor time in the Release
# tests, which end only once the sanitizer build has started.
cat >"$work/bin/ctest" <<EOF
#!/usr/bin/env bash
dir=\$2
mkdir -p "\$dir/Testing/Temporary"
printf 'quick 1 0.5\nslowest 1 12.25\nslow 1 3.5\n---\nslow\n' >"\$dir/Testing/Temporary/CTestCostData.txt"
for _ in {1..100}; do
  [[ \$dir == build && ! -f "$work/asan-started" ]] || break
  sleep 0.05
done
[[ -f "$work/asan-started" ]] || { echo "no sanitizer build beside the Release tests"; exit 1; }
[[ \$dir != build || -z \${BURN:-} ]] || python3 -c "
import time
t = time.process_time()
while time.process_time() - t < \$BURN: pass"
[[ -z \${FAIL_TESTS:-} ]]
EOF
chmod +x "$work/scripts/"*.sh "$work/bin/ctest"
run() { (cd "$work" && rm -f calls asan-started && env -u TAGORA_COVERAGE PATH="$work/bin:$PATH" "$@" bash .ci/run 2>&1); }

out=$(run BURN=1.5) || fail "status $? with nothing failing"
calls=$(cat "$work/calls")
[[ $calls == "install-deps test "*$'\n'* ]] || fail "the packages not first: $calls"
grep -qx 'build asan nice=19 coverage=ON' <<<"$calls" || fail "sanitizer build not at nice 19 with coverage: $calls"
# Where the kernel groups each session, the group's own nice counts.
[[ ! -f /proc/self/autogroup || $(cat "$work/asan-group") == 19 ]] ||
  fail "sanitizer build's scheduling group not at nice 19: $(cat "$work/asan-group")"
grep -qx "fuzz 8 nice=$(nice) coverage=ON" <<<"$calls" || fail "fuzzing without the folder's coverage: $calls"
grep -q '^install-deps test ' <<<"$calls" || fail "the test packages not installed: $calls"
slowest=$(grep -A3 '^Slowest tests in build:' <<<"$out" | tail -n3 | awk '{print $3}' | tr '\n' ' ')
[[ $slowest == "slowest slow quick " ]] || fail "slowest tests: $slowest"
cpu=$(grep -o '^--- [0-9]* s wall, [0-9]* s processor' <<<"$out" | awk '{print $5}' | sort -n | tail -n1)
((cpu >= 1)) || fail "no processor time counted: $(grep '^---' <<<"$out" | tr '\n' ' ')"
[[ $out == *"=== Done"* ]] || fail "not to the end: $out"

out=$(run FAIL_TESTS=1) && fail "status 0 with the Release tests failing"
[[ $out != *"=== Tests under the sanitizers"* ]] || fail "went on after the Release tests failed"
out=$(run FAIL_TESTS=1 ASAN_SECONDS=30) && fail "status 0 with the Release tests failing"
# Stopped, it may wait for a processor a while at the lowest priority on a
# busy machine before it ends: up to 10 s. A zombie has ended.
running() { [[ $(ps -o stat= -p "$1" 2>/dev/null) == [^Z]* ]]; }
for _ in $(seq 50); do running "$(cat "$work/asan-started")" || break; sleep 0.2; done
running "$(cat "$work/asan-started")" && fail "the sanitizer build left running"
out=$(run FAIL_ASAN=1) && fail "status 0 with the sanitizer build failing"
[[ $out == *"asan broke"* ]] || fail "the sanitizer build's log not shown: $out"
[[ $out != *"=== Tests under the sanitizers"* ]] || fail "went on after the sanitizer build failed"

((failures == 0)) && echo ".ci/run: all checks passed"
exit $((failures > 0))

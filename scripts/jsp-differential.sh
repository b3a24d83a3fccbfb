#!/bin/bash
# Random JSP pages (tests/engine/random_jsp_page.h) and their templates run
# by javac's model of a container and compiled by Jasper (Debian's
# libtomcat10-embed-java); prints how many were converted, refused,
# printed the same and printed differently.
# Usage: scripts/jsp-differential.sh [BUILD_DIR] [CASES] [SEED]
set -euo pipefail
build=${1:-build}
cases=${2:-300}
seed=${3:-$RANDOM}
test_binary=$build/tests/engine/tst_jsp
[[ -x $test_binary ]] || { echo "no $test_binary: build tst_jsp first" >&2; exit 2; }
log="${TMPDIR:-/tmp}/jsp-differential.log"
TAGORA_JSP_RANDOM_CASES=$cases TAGORA_JSP_RANDOM_SEED=$seed "$test_binary" randomPagesPrintTheSame jasperCompilesEveryPage 2>&1 \
    | tee "$log" | grep -E "random JSP pages|FAIL|SKIP" || true
grep -q "printed differently 0" "$log" && ! grep -q "^FAIL" "$log"

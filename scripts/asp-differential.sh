#!/bin/bash
# Random classic ASP pages (tests/engine/random_asp_page.h) and their
# templates run by the VBScript engine of Wine's cscript; prints how many
# were converted, refused, printed the same and printed differently.
# Usage: scripts/asp-differential.sh [BUILD_DIR] [CASES] [SEED]
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
build=${1:-build}
cases=${2:-300}
seed=${3:-$RANDOM}
test_binary=$build/tests/engine/tst_legacy_asp_round_trip
[[ -x $test_binary ]] || { echo "no $test_binary: build tst_legacy_asp_round_trip first" >&2; exit 2; }
TAGORA_ASP_RANDOM_CASES=$cases TAGORA_ASP_RANDOM_SEED=$seed "$test_binary" randomPagesPrintTheSame 2>&1 \
    | tee "${TMPDIR:-/tmp}/asp-differential.log" | grep -E "random ASP pages|FAIL" || true
grep -q "printed differently 0" "${TMPDIR:-/tmp}/asp-differential.log"

#!/usr/bin/env bash
# Builds the project and runs every test.
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"

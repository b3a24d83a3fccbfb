#!/usr/bin/env bash
# Runs a test only when the programs it needs are installed; otherwise
# says which one is missing and exits 77, which CTest reports as skipped.
#   run_if_found.sh PROGRAM... -- TEST_COMMAND...
set -uo pipefail
while [[ $# -gt 0 && $1 != -- ]]; do
  if ! command -v "$1" >/dev/null; then
    echo "skipped: $1 is not installed (scripts/install-deps.sh test installs it)"
    exit 77
  fi
  shift
done
shift
exec "$@"

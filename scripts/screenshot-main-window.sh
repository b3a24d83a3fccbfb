#!/usr/bin/env bash
# On a running X display: starts the program, waits for its main window to
# appear (after the splash), saves a screenshot of it and stops the program.
#   screenshot-main-window.sh PROGRAM OUTPUT.png TITLE
# TITLE is the main window's, as CMake sets it (TAGORA_PRODUCT_TITLE).
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
program=$1 shot=$2 title=$3

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

for _ in $(seq 100); do
  if xwininfo -name "$title" 2>/dev/null | grep -q 'Map State: IsViewable'; then
    sleep 0.5   # let it paint
    import -window root "$shot"
    exit 0
  fi
  sleep 0.1
done
echo "The main window did not appear within 10 seconds." >&2
exit 1

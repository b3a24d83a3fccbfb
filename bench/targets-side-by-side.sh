#!/usr/bin/env bash
# Times tagora-convert --to TARGET against --to php on the same page, for
# every target, in interleaved pairs whose order alternates; prints each
# target's median time, PHP's, and the median of the per-pair ratios
# target / php (the goal: at most 1.10 for every target). Times are CPU
# seconds (user + system, every thread), which the other programs of a
# busy machine disturb far less than the wall clock.
#   bench/targets-side-by-side.sh BUILD_DIR [PAIRS]
# The page is the 32 MB CR LF page of race-cli.sh; output goes to /dev/null.
# PAIRS defaults to 9.
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
here=$(cd "$(dirname "$0")" && pwd)
[[ $# -ge 1 ]] || { echo "usage: $0 BUILD_DIR [PAIRS]" >&2; exit 2; }
build=$1 pairs=${2:-9}
[[ $pairs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 BUILD_DIR [PAIRS]" >&2; exit 2; }
convert=$build/cli/tagora-convert
[[ -x $convert ]] || { echo "$0: no $convert; build first" >&2; exit 2; }
source "$here/race_lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/targets-side-by-side.XXXXXX")
trap 'rm -rf "$work"' EXIT
page=$work/page.html
python3 "$here/race_corpus.py" "$page" 32000000

# CPU seconds of one run.
timed() {
  local TIMEFORMAT='%3U %3S' spent
  spent=$({ time "$convert" --to "$1" "$page" >/dev/null; } 2>&1)
  awk -v s="$spent" 'BEGIN { split(s, t, " "); printf "%.4f\n", t[1] + t[2] }'
}
targets=$(python3 -c 'import json, sys; print(*(t["name"] for t in json.load(open(sys.argv[1]))))' \
          "$build/generated/targets.json")

echo "$(awk -v b="$(stat -c %s "$page")" 'BEGIN { printf "%.1f", b / 1e6 }') MB page, $pairs pairs per target"
printf '%-11s %9s %9s %11s\n' target "CPU s" "php CPU s" "target/php"
for target in $targets; do
  times=() php=() ratios=()
  for ((r = 0; r < pairs; r++)); do
    if ((r % 2)); then
      p=$(timed php); t=$(timed "$target")
    else
      t=$(timed "$target"); p=$(timed php)
    fi
    times+=("$t") php+=("$p")
    ratios+=("$(awk -v t="$t" -v p="$p" 'BEGIN { printf "%.4f", t / p }')")
  done
  printf '%-11s %9.3f %9.3f %11.2f\n' "$target" "$(printf '%s\n' "${times[@]}" | median)" \
    "$(printf '%s\n' "${php[@]}" | median)" "$(printf '%s\n' "${ratios[@]}" | median)"
done

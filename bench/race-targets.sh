#!/usr/bin/env bash
# Races tagora-convert --to TARGET, for every target, against the tools a
# user would pick to write the same script: a Python replace/join script
# for every target (race_peer_targets.py, byte for byte our script), and
# for JSON `jq -Rs .`, Python's json.dumps and Node's JSON.stringify, for
# JavaScript Node's JSON.stringify (those write a string of the raw text,
# not our script: the race shows what a user gives up, not the same
# bytes). Then races --to html against running the PHP script with php,
# the obvious way to get its HTML. Peak memory is reported for every run.
#   bench/race-targets.sh BUILD_DIR [--quick] [ROUNDS]
# RACE_TARGETS="php json" races only those targets (and html only when named).
# The input is the 32 MB CR LF page of race-cli.sh (--quick: 4 MB). Runs are
# paired and interleaved; figures are medians over ROUNDS pairs (default 5,
# --quick 3). Output goes to /dev/null. MB = 10^6 bytes, MiB = 2^20.
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
here=$(cd "$(dirname "$0")" && pwd)

usage() { echo "usage: $0 BUILD_DIR [--quick] [ROUNDS]" >&2; exit 2; }
(($# >= 1)) || usage
build=$1
shift
size=32000000 rounds=5
if [[ ${1:-} == --quick ]]; then
  size=4000000 rounds=3
  shift
fi
rounds=${1:-$rounds}
[[ $rounds =~ ^[1-9][0-9]*$ ]] || usage

convert=$build/cli/tagora-convert
if [[ -f $build/CMakeCache.txt ]]; then
  cmake --build "$build" -j2 --target tagora-convert >/dev/null
fi
[[ -x $convert ]] || { echo "$0: no $convert; build first" >&2; exit 2; }
for tool in python3 php jq node /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing (scripts/install-deps.sh bench)" >&2; exit 2; }
done
source "$here/race_lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/race-targets.XXXXXX")
trap 'rm -rf "$work"' EXIT
page=$work/page.html
python3 "$here/race_corpus.py" "$page" "$size"

# The contenders: each reads the file $1 and writes to $2; $target is the
# target raced.
ours() { "$convert" --to "$target" "$1" >"$2"; }
python_script() { python3 "$here/race_peer_targets.py" "$target" "$work/sample.$target" "$1" >"$2"; }
jq_raw() { jq -Rs . "$1" >"$2"; }
python_json() { python3 -c 'import json, sys; sys.stdout.write(json.dumps(open(sys.argv[1], encoding="utf-8").read()))' "$1" >"$2"; }
node_stringify() {
  node -e 'const fs = require("fs"); process.stdout.write("const html = " + JSON.stringify(fs.readFileSync(process.argv[1], "utf8")) + ";")' "$1" >"$2"
}
html_ours() { "$convert" --to html "$1" >"$2"; }
php_runs_it() { php -n -d memory_limit=-1 "$1" >"$2"; }
export convert here work target
export -f ours python_script jq_raw python_json node_stringify html_ours php_runs_it

# Paired, interleaved runs of FIRST (ours) and SECOND on FILE; prints the
# medians, the median of the per-pair ratios and the peak memory of each.
race() {
  local first=$1 second=$2 file=$3 r a b ratios=() as=() bs=()
  for ((r = 0; r < rounds; r++)); do
    if ((r % 2)); then
      b=$(seconds "$second" "$file" /dev/null); a=$(seconds "$first" "$file" /dev/null)
    else
      a=$(seconds "$first" "$file" /dev/null); b=$(seconds "$second" "$file" /dev/null)
    fi
    as+=("$a") bs+=("$b")
    ratios+=("$(awk -v p="$b" -v o="$a" 'BEGIN { printf "%.4f", p / o }')")
  done
  local ratio ours_mib
  ratio=$(printf '%s\n' "${ratios[@]}" | median)
  ours_mib=$(peak_mb "$first" "$file" /dev/null)
  printf '%-11s %-16s %8.3f %8.3f %9.2f %9s %9s\n' "$target" "${second//_/ }" \
    "$(printf '%s\n' "${as[@]}" | median)" "$(printf '%s\n' "${bs[@]}" | median)" "$ratio" \
    "$ours_mib" "$(peak_mb "$second" "$file" /dev/null)"
  echo "$target $second $ratio $ours_mib" >>"$work/ratios"
}

echo "tagora-convert: $convert; $(python3 --version), $(jq --version), node $(node --version), $(php -n -r 'echo "PHP ", PHP_VERSION;')"
echo "== $(awk -v b="$(stat -c %s "$page")" 'BEGIN { printf "%.1f", b / 1e6 }') MB of HTML, $rounds pairs, output to /dev/null =="
printf '%-11s %-16s %8s %8s %9s %9s %9s\n' target peer "ours s" "peer s" peer/ours "ours MiB" "peer MiB"
all_targets="php asp php-nowdoc js js-concat json jsp perl python html"
for target in ${RACE_TARGETS:-$all_targets}; do
  [[ $target == html ]] && continue
  printf 'Q7Z' | "$convert" --to "$target" >"$work/sample.$target"
  ours "$page" "$work/ours"
  python_script "$page" "$work/peer"
  cmp -s "$work/ours" "$work/peer" || echo "  (the Python script wrote another script for $target)" >&2
  peers=(python_script)
  [[ $target == json ]] && peers+=(jq_raw python_json node_stringify)
  [[ $target == js || $target == js-concat ]] && peers+=(node_stringify)
  for peer in "${peers[@]}"; do
    race ours "$peer" "$page"
  done
done

# The HTML back from the PHP script of the page: php prints it.
if [[ " ${RACE_TARGETS:-$all_targets} " == *" html "* ]]; then
  target=html
  "$convert" --to php "$page" >"$work/script.php"
  html_ours "$work/script.php" "$work/ours"
  php_runs_it "$work/script.php" "$work/peer"
  cmp -s "$work/ours" "$work/peer" || echo "  (php printed something else than --to html)" >&2
  echo "== --to html on the $(awk -v b="$(stat -c %s "$work/script.php")" 'BEGIN { printf "%.1f", b / 1e6 }') MB PHP script of that page =="
  race html_ours php_runs_it "$work/script.php"
fi

echo
echo "== goals: >= 15x the Python script, >= 5x every other peer (>= 5x php for html), under 16 MiB =="
awk '{ goal = $2 == "python_script" ? 15 : 5
       printf "%-4s %-11s %-16s peer/ours %7.2f, goal >= %s; ours %s MiB\n",
              ($3 >= goal && $4 < 16 ? "MET" : "MISS"), $1, $2, $3, goal, $4 }' "$work/ratios"

#!/usr/bin/env bash
# Races tagora-convert (PHP script) against peers that write the same script
# the way one would by hand: a Python split/replace/join script, a PHP
# str_replace/explode/implode script, sed, awk and a Perl one-liner; and
# against cat and cp of the same file. Then checks that its peak memory
# stays the same for huge inputs.
#   bench/race-cli.sh BUILD_DIR [--quick] [ROUNDS]
# The input is the HTML documentation under /usr/share/doc, repeated, with
# CR LF line ends: a 32 MB file (--quick: 4 MB) and one four times as big.
# Each peer's output is compared byte for byte with ours first. Runs are
# paired and interleaved (ours, peer; peer, ours; ...); the figures are
# medians over ROUNDS pairs (default 7, --quick 3). MB = 10^6 bytes.
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
here=$(cd "$(dirname "$0")" && pwd)

usage() { echo "usage: $0 BUILD_DIR [--quick] [ROUNDS]" >&2; exit 2; }
(($# >= 1)) || usage
build=$1
shift
size=32000000 rounds=7 memory_scale=1
if [[ ${1:-} == --quick ]]; then
  size=4000000 rounds=3 memory_scale=10
  shift
fi
rounds=${1:-$rounds}
[[ $rounds =~ ^[1-9][0-9]*$ ]] || usage

convert=$build/cli/tagora-convert
if [[ -f $build/CMakeCache.txt ]]; then
  cmake --build "$build" -j2 --target tagora-convert >/dev/null
fi
[[ -x $convert ]] || { echo "$0: no $convert; build first" >&2; exit 2; }
for tool in python3 php sed mawk perl /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing (scripts/install-deps.sh bench)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/race-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The header and the rule for $ come from tagora-convert itself (fine in a
# benchmark), so that the peers write the same script with either escaping.
tail=$'echo "x";\r\n?>'
printf 'x' | "$convert" --php >"$work/one-line.php"
header_bytes=$(($(stat -c %s "$work/one-line.php") - ${#tail}))
head -c "$header_bytes" "$work/one-line.php" >"$work/header"
[[ $(tail -c +$((header_bytes + 1)) "$work/one-line.php") == "$tail" ]] ||
  { echo "$0: unexpected script for a one-line input" >&2; exit 2; }
escape_dollar=0
[[ $(printf '$' | "$convert" --php | tail -c 9) == $'"\\$";\r\n?>' ]] && escape_dollar=1

# The contenders: each reads the file $1 and writes to $2. The peers that
# work line by line rely on the file ending with CR LF (the last, empty
# line is written by the printf).
last_line=$'echo "";\r\n?>'
quoted='"' perl_quoted='"'
((escape_dollar)) && quoted='"$' perl_quoted='"\$'
sed_program='s/\\/\\\\/g; s/['$quoted']/\\&/g; s/\t/\\t/g; s/\r$/\\n";\r/; s/^/echo "/'
awk_program='{ gsub(/\\/, "&&"); gsub(/['$quoted']/, "\\\\&"); gsub(/\t/, "\\t"); printf "echo \"%s\\n\";\r\n", $0 }'
perl_program='BEGIN { $/ = "\r\n" } chomp; s/([\\'$perl_quoted'])/\\$1/g; s/\t/\\t/g; $_ = qq{echo "$_\\n";\r\n}'
ours() { "$convert" --php "$1" >"$2"; }
python() { python3 "$here/race_peer.py" "$work/header" "$escape_dollar" "$1" >"$2"; }
php_str_replace() { php -n -d memory_limit=-1 "$here/race_peer.php" "$work/header" "$escape_dollar" "$1" >"$2"; }
sed_() { { cat "$work/header"; sed -e "$sed_program" "$1"; printf %s "$last_line"; } >"$2"; }
awk_() { { cat "$work/header"; mawk -v RS='\r\n' "$awk_program" "$1"; printf %s "$last_line"; } >"$2"; }
perl_() { { cat "$work/header"; perl -pe "$perl_program" "$1"; printf %s "$last_line"; } >"$2"; }
cat_() { cat "$1" >"$2"; }
cp_() { cp "$1" "$2"; }
peers=(python php_str_replace sed_ awk_ perl_)
baselines=(cat_ cp_)
export convert here work escape_dollar last_line sed_program awk_program perl_program
export -f ours python php_str_replace sed_ awk_ perl_ cat_ cp_

source "$here/race_lib.sh"
label() { local name=${1%_}; echo "${name//_/ }"; }

# Paired, interleaved runs of ours and CONTENDER on FILE writing to TARGET;
# prints the medians and the median of the per-pair ratios.
race() {
  local contender=$1 file=$2 target=$3 r ours_s peer_s ratios=() ours_all=() peer_all=()
  for ((r = 0; r < rounds; r++)); do
    if ((r % 2)); then
      peer_s=$(seconds "$contender" "$file" "$target"); ours_s=$(seconds ours "$file" "$target")
    else
      ours_s=$(seconds ours "$file" "$target"); peer_s=$(seconds "$contender" "$file" "$target")
    fi
    ours_all+=("$ours_s") peer_all+=("$peer_s")
    ratios+=("$(awk -v p="$peer_s" -v o="$ours_s" 'BEGIN { printf "%.4f", p / o }')")
  done
  local where=file ratio
  [[ $target == /dev/null ]] && where=/dev/null
  ratio=$(printf '%s\n' "${ratios[@]}" | median)
  printf '%-18s %-10s %9.3f %9.3f %10.2f %9s %9s\n' "$(label "$contender")" "$where" \
    "$(printf '%s\n' "${ours_all[@]}" | median)" "$(printf '%s\n' "${peer_all[@]}" | median)" \
    "$ratio" "$(peak_mb ours "$file" /dev/null)" "$(peak_mb "$contender" "$file" /dev/null)"
  echo "$contender $where $ratio" >>"$work/ratios"
}

# The targets on the first file: at least 15 times as fast as the Python
# script and 5 times as fast as every other peer; within 2 times cp's time
# when writing to a file.
targets() {
  echo
  echo "== targets on the first file =="
  awk '$1 == "cat_" || ($1 == "cp_" && $2 == "/dev/null") { next }
       { goal = $1 == "python" ? 15 : $1 == "cp_" ? 0.5 : 5
         sub(/_$/, "", $1); gsub(/_/, " ", $1)
         printf "%-4s %-16s %-10s peer/ours %7.2f, goal >= %s\n", ($3 >= goal ? "MET" : "MISS"), $1, $2, $3, goal }' \
    "$work/ratios"
}

# Every peer must write exactly our script, or it is left out of the race.
same_as_ours() {
  local file=$1 peer ok=()
  ours "$file" "$work/ours.php"
  for peer in "${peers[@]}"; do
    if "$peer" "$file" "$work/peer.php" && cmp -s "$work/ours.php" "$work/peer.php"; then
      ok+=("$peer")
    else
      echo "  $(label "$peer"): failed or wrote another script ($(cmp "$work/ours.php" "$work/peer.php" 2>&1 | head -1)); left out" >&2
    fi
  done
  rm -f "$work/peer.php"
  racers=("${ok[@]}")
}

race_on() {
  local file=$1 contender target
  local bytes; bytes=$(stat -c %s "$file")
  echo
  echo "== $(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }') MB of HTML, $(grep -c $'\r$' "$file") CR LF lines, $rounds pairs =="
  same_as_ours "$file"
  printf '%-18s %-10s %9s %9s %10s %9s %9s\n' contender "output to" "ours s" "peer s" "peer/ours" \
    "ours MiB" "peer MiB"
  for target in /dev/null "$work/out.file"; do
    for contender in "${racers[@]}" "${baselines[@]}"; do
      race "$contender" "$file" "$target"
    done
  done
  rm -f "$work/out.file" "$work/ours.php"
}

echo "tagora-convert: $convert ($( "$convert" --version | head -1)); \$ escaped: $((escape_dollar ? 1 : 0))"
echo "python3 $(python3 -c 'import sys; print(sys.version.split()[0])'), $(php -n -r 'echo "PHP ", PHP_VERSION;'), $(sed --version | head -1), $(mawk -W version 2>&1 | head -1), perl $(perl -e 'print $^V')"
echo "peer/ours: the peer's time over ours in the same pair (above 1: ours is faster). MiB: peak memory (maximum resident set size, /usr/bin/time -v) writing to /dev/null."
python3 "$here/race_corpus.py" "$work/page.html" "$size"
race_on "$work/page.html"
targets
python3 "$here/race_corpus.py" "$work/page.html" $((size * 4))
rounds=$(((rounds + 1) / 2))
peers=(php_str_replace awk_)
race_on "$work/page.html"
rm -f "$work/page.html"

# Peak memory for huge inputs: a file, a single long line, endless-looking
# standard input. Under a 3 GB address-space limit, so that a converter that
# keeps everything fails instead of taking the machine's memory.
memory() {
  local what=$1; shift
  local result rc=0
  result=$( (ulimit -v 3000000; /usr/bin/time -v "$@" 2>&1 >/dev/null) ) || rc=$?
  local peak
  peak=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' <<<"$result")
  printf '%-4s %-40s %8s MiB  exit %s  %s\n' "$(awk -v p="$peak" 'BEGIN { print p * 1.048576 < 16 ? "MET" : "MISS" }')" \
    "$what" "$peak" "$rc" \
    "$(grep -m1 -e '^tagora-convert:' -e 'terminate' -e 'signal' <<<"$result" || true)"
}
echo
echo "== peak memory of tagora-convert --php, goal < 16 MB (limit: 3 GB of address space; MB = 10^6 bytes, MiB = 2^20) =="
big=$((320000000 / memory_scale))
python3 "$here/race_corpus.py" "$work/page.html" "$big"
memory "$((big / 1000000)) MB HTML file" "$convert" --php "$work/page.html"
rm -f "$work/page.html"
line=$((200000000 / memory_scale))
head -c "$line" /dev/zero | tr '\0' 'x' >"$work/line.html"
memory "one line of $((line / 1000000)) MB (file)" "$convert" --php "$work/line.html"
rm -f "$work/line.html"
zeros=$((1073741824 / memory_scale))
memory "$((zeros / 1048576)) MiB of NUL bytes (head -c | pipe)" \
  bash -c 'head -c "$1" /dev/zero | "$2" --php' _ "$zeros" "$convert"

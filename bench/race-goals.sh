#!/usr/bin/env bash
# The command line's speed goals, side by side in one run:
#   1. tagora-convert --to=TARGET FILE -o OUT for every target, against cp
#      and cat of the same file, on the 32 MB CR LF page of race-cli.sh and
#      on a Cyrillic page of the same size (text beyond ASCII throughout).
#      Goals: --to=php within 1.4 times cp's time, every target within 2
#      times cat's (cat FILE > OUT).
#   2. With PREVIOUS_BUILD: every target's output on both pages, and on a
#      page with LF line ends, the same bytes as the previous build's.
#   3. -j: 10,000 small pages converted with -d by one thread and by one
#      per core (bench/jobs-speedup.sh, which prints processor time too).
#      Goal: at most half the time with -j 2 on 2 cores.
# Runs are paired and interleaved (ours first, then the other first);
# figures are medians over ROUNDS rounds (default 7), of the wall-clock
# time and of the processor time (user + system, every thread). The load
# average is printed before and after: other work on the machine slows
# every figure, the wall-clock ones most.
#   bench/race-goals.sh BUILD_DIR [PREVIOUS_BUILD_DIR] [ROUNDS]
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
here=$(cd "$(dirname "$0")" && pwd)
(($# >= 1)) || { echo "usage: $0 BUILD_DIR [PREVIOUS_BUILD_DIR] [ROUNDS]" >&2; exit 2; }
build=$1 previous=${2:-} rounds=${3:-7}
convert=$build/cli/tagora-convert
[[ -x $convert ]] || { echo "$0: no $convert; build first" >&2; exit 2; }
source "$here/race_lib.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/race-goals.XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
python3 "$here/race_corpus.py" "$work/page.html" 32000000
python3 -c 'import sys
line = "<p>Привет, мир! Съешь же ещё этих мягких булок. Это — «тест».</p>\r\n"
open(sys.argv[1], "w", newline="").write(line * (32000000 // len(line.encode())))' "$work/cyrillic.html"
targets=$("$convert" --help | sed -n 's/^ \{27\}\([a-z-]*\)  .*/\1/p' | grep -v '^html$')

cp_() { cp "$1" "$2"; }
cat_() { cat "$1" >"$2"; }
# The floor of a program that reads the file into its own memory and
# writes it out, as tagora-convert must: cp and cat copy inside the kernel.
dd_() { dd if="$1" of="$2" bs=256K status=none; }
ours() { "$convert" --to="$target" "$1" -o "$2"; }

# The processor seconds (user + system) of this shell's finished children,
# as `times` wrote them to FILE (`times` itself must run in this shell,
# not in a subshell of its own).
children_seconds() {
  awk 'NR == 2 { split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%.4f\n", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$1"
}

# "wall processor" seconds of one run of COMMAND FILE OUT.
both_seconds() {
  rm -f "$3"
  local start wall
  times >"$work/times.before"
  start=$EPOCHREALTIME
  "$@"
  wall=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f", b - a }')
  times >"$work/times.after"
  awk -v w="$wall" -v a="$(children_seconds "$work/times.before")" -v b="$(children_seconds "$work/times.after")" \
    'BEGIN { printf "%s %.4f\n", w, b - a }'
}

# Median wall and processor seconds of ours and of the other on FILE,
# interleaved: "ours_wall other_wall ours_processor other_processor".
pair() { pair_with ours "$@"; }

# The same for ONE and OTHER.
pair_with() {
  local ours=$1 other=$2 file=$3 r
  : >"$work/ours.s"; : >"$work/other.s"
  for ((r = 0; r < rounds; r++)); do
    if ((r % 2)); then
      both_seconds "$other" "$file" "$work/out" >>"$work/other.s"; both_seconds "$ours" "$file" "$work/out" >>"$work/ours.s"
    else
      both_seconds "$ours" "$file" "$work/out" >>"$work/ours.s"; both_seconds "$other" "$file" "$work/out" >>"$work/other.s"
    fi
  done
  echo "$(cut -d' ' -f1 "$work/ours.s" | median) $(cut -d' ' -f1 "$work/other.s" | median)" \
       "$(cut -d' ' -f2 "$work/ours.s" | median) $(cut -d' ' -f2 "$work/other.s" | median)"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

goal() {  # RATIO LIMIT
  awk -v r="$1" -v g="$2" 'BEGIN { printf "%-4s", r <= g ? "MET" : "MISS" }'
}

echo
echo "== tagora-convert -o FILE against cp and cat (medians of $rounds) =="
echo "   wall: wall-clock seconds and ratio; cpu: the ratio of processor time"
printf '%-9s %-11s %7s %7s %7s %7s %7s %7s %7s %7s\n' page target ours cp /cp "cpu /cp" ours cat /cat "cpu /cat"
for page in page cyrillic; do
  for target in $targets; do
    read -r ours_cp cp_s ours_cp_cpu cp_cpu < <(pair cp_ "$work/$page.html")
    read -r ours_cat cat_s ours_cat_cpu cat_cpu < <(pair cat_ "$work/$page.html")
    cp_ratio=$(ratio "$ours_cp" "$cp_s") cat_ratio=$(ratio "$ours_cat" "$cat_s")
    printf '%-9s %-11s %7.3f %7.3f %7s %7s %7.3f %7.3f %7s %7s' "$page" "$target" "$ours_cp" "$cp_s" "$cp_ratio" \
      "$(ratio "$ours_cp_cpu" "$cp_cpu")" "$ours_cat" "$cat_s" "$cat_ratio" "$(ratio "$ours_cat_cpu" "$cat_cpu")"
    [[ $target == php ]] && printf '  cp goal 1.4: %s' "$(goal "$cp_ratio" 1.4)"
    printf '  cat goal 2: %s\n' "$(goal "$cat_ratio" 2)"
  done
  target=php
  read -r ours_dd dd_s ours_dd_cpu dd_cpu < <(pair dd_ "$work/$page.html")
  read -r cp_dd dd_cp cp_dd_cpu dd_cp_cpu < <(pair_with cp_ dd_ "$work/$page.html")
  printf '%-9s the floor, dd bs=256K (read and write): %.3f s; php / dd %s (cpu %s); dd / cp %s (cpu %s)\n' "$page" \
    "$dd_s" "$(ratio "$ours_dd" "$dd_s")" "$(ratio "$ours_dd_cpu" "$dd_cpu")" "$(ratio "$dd_cp" "$cp_dd")" \
    "$(ratio "$dd_cp_cpu" "$cp_dd_cpu")"
done

if [[ -n $previous ]]; then
  echo
  echo "== the same bytes as $previous =="
  head -c 8000000 "$work/page.html" | tr -d '\r' >"$work/lf.html"
  differ=0
  for page in page cyrillic lf; do
    for target in $targets; do
      "$convert" --to="$target" "$work/$page.html" -o "$work/new" || true
      "$previous/cli/tagora-convert" --to="$target" "$work/$page.html" -o "$work/old" || true
      if ! cmp -s "$work/new" "$work/old"; then
        echo "DIFFERS: --to=$target $page.html"; differ=1
      fi
    done
  done
  ((differ)) || echo "SAME: every target on page.html, cyrillic.html and lf.html"
  rm -f "$work/new" "$work/old" "$work/lf.html"
fi
rm -f "$work/page.html" "$work/cyrillic.html" "$work/out"

echo
echo "== -j: 10,000 small pages into a folder =="
"$here/jobs-speedup.sh" "$build" 10000 "$rounds"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

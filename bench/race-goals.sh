#!/usr/bin/env bash
# The command line's speed goals, side by side in one run:
#   1. tagora-convert --to=TARGET FILE -o OUT for every target, against cp
#      and cat of the same file, on the 32 MB CR LF page of race-cli.sh and
#      on a Cyrillic page of the same size (text beyond ASCII throughout).
#      Goals: --to=php within 1.4 times cp's time, every target within 2
#      times cat's (cat FILE > OUT).
#   2. With PREVIOUS_BUILD: every target's output on both pages, and on a
#      page with LF line ends, the same bytes as the previous build's.
#   3. -j: 10,000 small pages (bench/race-goals-pages.py) converted with
#      -d by one thread and by one per core. Goal: at most half the time
#      with -j 2 on 2 cores.
# Runs are paired and interleaved (ours first, then the other first);
# figures are medians over ROUNDS rounds (default 7). The load average is
# printed before and after: other work on the machine slows every figure.
#   bench/race-goals.sh BUILD_DIR [PREVIOUS_BUILD_DIR] [ROUNDS]
set -euo pipefail
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
ours() { "$convert" --to="$target" "$1" -o "$2"; }

# Median seconds of ours and of the other on FILE, interleaved.
pair() {
  local other=$1 file=$2 r
  : >"$work/ours.s"; : >"$work/other.s"
  for ((r = 0; r < rounds; r++)); do
    if ((r % 2)); then
      seconds "$other" "$file" "$work/out" >>"$work/other.s"; seconds ours "$file" "$work/out" >>"$work/ours.s"
    else
      seconds ours "$file" "$work/out" >>"$work/ours.s"; seconds "$other" "$file" "$work/out" >>"$work/other.s"
    fi
  done
  echo "$(median <"$work/ours.s") $(median <"$work/other.s")"
}

goal() {  # RATIO LIMIT
  awk -v r="$1" -v g="$2" 'BEGIN { printf "%-4s", r <= g ? "MET" : "MISS" }'
}

echo
echo "== tagora-convert -o FILE against cp and cat (medians of $rounds, seconds) =="
printf '%-10s %-12s %8s %8s %8s %8s %8s %10s\n' page target ours cp ours/cp ours cat ours/cat
for page in page cyrillic; do
  for target in $targets; do
    read -r ours_cp cp_s < <(pair cp_ "$work/$page.html")
    read -r ours_cat cat_s < <(pair cat_ "$work/$page.html")
    cp_ratio=$(awk -v a="$ours_cp" -v b="$cp_s" 'BEGIN { printf "%.2f", a / b }')
    cat_ratio=$(awk -v a="$ours_cat" -v b="$cat_s" 'BEGIN { printf "%.2f", a / b }')
    printf '%-10s %-12s %8.3f %8.3f %8s %8.3f %8.3f %10s' "$page" "$target" "$ours_cp" "$cp_s" "$cp_ratio" "$ours_cat" "$cat_s" "$cat_ratio"
    [[ $target == php ]] && printf '  cp goal 1.4: %s' "$(goal "$cp_ratio" 1.4)"
    printf '  cat goal 2: %s\n' "$(goal "$cat_ratio" 2)"
  done
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
echo "== -j: 10,000 small pages into a folder (medians of $rounds, seconds) =="
python3 "$here/race-goals-pages.py" "$work/pages" 10000
cores=$(nproc)
batch() { rm -rf "$work/out.d"; mkdir "$work/out.d"; "$convert" -j "$1" -d "$work/out.d" "$work"/pages/*.html; }
: >"$work/one.s"; : >"$work/all.s"
for ((r = 0; r < rounds; r++)); do
  if ((r % 2)); then
    seconds batch "$cores" /dev/null >>"$work/all.s"; seconds batch 1 /dev/null >>"$work/one.s"
  else
    seconds batch 1 /dev/null >>"$work/one.s"; seconds batch "$cores" /dev/null >>"$work/all.s"
  fi
done
one=$(median <"$work/one.s") all=$(median <"$work/all.s")
ratio=$(awk -v a="$all" -v b="$one" 'BEGIN { printf "%.2f", a / b }')
printf -- '-j 1: %.3f s   -j %s: %.3f s   ratio %s  goal 0.5: %s\n' "$one" "$cores" "$all" "$ratio" "$(goal "$ratio" 0.5)"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

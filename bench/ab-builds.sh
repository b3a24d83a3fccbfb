#!/usr/bin/env bash
# Compares two builds of the same program (say, before and after a change)
# in one run: tagora-convert on the 32 MB CR LF page of race-cli.sh (to
# PHP, JavaScript and JSP, and the PHP script back to HTML) and a Cyrillic
# page of the same size, then tagora-bench's rows. Runs are paired and
# interleaved (A, B; B, A; ...); figures are medians over ROUNDS pairs
# (default 7). Both builds need tagora-convert and tagora-bench built.
#   bench/ab-builds.sh BUILD_A BUILD_B [ROUNDS]
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
here=$(cd "$(dirname "$0")" && pwd)
(($# >= 2)) || { echo "usage: $0 BUILD_A BUILD_B [ROUNDS]" >&2; exit 2; }
a=$1 b=$2 rounds=${3:-7}
source "$here/race_lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/race_corpus.py" "$work/page.html" 32000000
python3 -c 'import sys; open(sys.argv[1], "w", newline="").write("<p>Привет, мир! Съешь же ещё этих мягких булок.</p>\r\n" * 330000)' "$work/cyrillic.html"
"$a/cli/tagora-convert" --to=php "$work/page.html" -o "$work/page.php"
for build in "$a" "$b"; do
  "$build/cli/tagora-convert" --to=html "$work/page.php" | cmp -s - <("$a/cli/tagora-convert" --to=html "$work/page.php") ||
    { echo "$build: --to=html differs from $a's" >&2; exit 1; }
done

# Seconds of one run of BUILD's tagora-convert with the arguments.
run() {
  local start=$EPOCHREALTIME
  "$1/cli/tagora-convert" "${@:2}" -o /dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f\n", b - a }'
}
printf '%-34s %10s %10s %8s\n' "tagora-convert" "A median s" "B median s" "B/A"
for job in "--to=php page.html" "--to=js page.html" "--to=jsp page.html" "--to=html page.php" \
           "--to=php cyrillic.html" "--to=js cyrillic.html"; do
  read -r option file <<<"$job"
  : >"$work/a" && : >"$work/b"
  for ((i = 0; i < rounds; ++i)); do
    first=$a second=$b
    ((i % 2)) && first=$b second=$a
    run "$first" "$option" "$work/$file" >>"$work/$([[ $first == "$a" ]] && echo a || echo b)"
    run "$second" "$option" "$work/$file" >>"$work/$([[ $second == "$a" ]] && echo a || echo b)"
  done
  ma=$(median <"$work/a") mb=$(median <"$work/b")
  printf '%-34s %10s %10s %8.3f\n' "$job" "$ma" "$mb" "$(awk -v x="$ma" -v y="$mb" 'BEGIN { print y / x }')"
done

# tagora-bench: the median ms of each row (reused memory) over the rounds.
echo
printf '%-34s %10s %10s %8s\n' "tagora-bench (reused memory)" "A ms" "B ms" "B/A"
for ((i = 0; i < rounds; ++i)); do
  for build in $( ((i % 2)) && echo "$b $a" || echo "$a $b"); do
    "$build/bench/tagora-bench" --runs 3 | sed -n '/^Reused memory/,/^Scaling/p' |
      sed -nE "s|^(.*[^ ]) +[0-9.]+ MB +([0-9.]+) .*|$build\t\1\t\2|p"
  done
done >"$work/bench"
cut -f2 "$work/bench" | awk '!seen[$0]++' | while IFS= read -r name; do
  ma=$(awk -F'\t' -v b="$a" -v n="$name" '$1 == b && $2 == n { print $3 }' "$work/bench" | median)
  mb=$(awk -F'\t' -v b="$b" -v n="$name" '$1 == b && $2 == n { print $3 }' "$work/bench" | median)
  printf '%-34s %10s %10s %8.3f\n' "$name" "$ma" "$mb" "$(awk -v x="$ma" -v y="$mb" 'BEGIN { print y / x }')"
done

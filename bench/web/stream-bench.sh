#!/usr/bin/env bash
# The Node package's stream against tagora-convert: a page of SIZE MB
# (default 100: the large test pages repeated) converted to PHP (or TARGET) by
# `tagora-converter --to=php` (the package's bin, convertStream) and by
# tagora-convert, in PAIRS pairs (default 5), one right after the other,
# which goes first alternating; prints each pair's times and peak memory,
# then the medians and the median of the pairs' time ratios. Goals: at
# most 3 times the CLI's time, under 64 MB. Then, once each, the package's
# convertStream in a Node pipeline from the file to standard output, and
# that pipeline without it (Node's own floor for a stream of that size).
#   bench/web/stream-bench.sh TAGORA_CONVERT PACKAGE_TARBALL CASES_DIR [SIZE] [PAIRS] [TARGET]
# TARGET (default php): php-nowdoc measures the nowdoc stream, which holds
# only its first 8 MB to choose its label.
set -euo pipefail
cli=$(realpath "$1") tarball=$(realpath "$2") cases=$(realpath "$3") size=${4:-100} pairs=${5:-5} to=${6:-php}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '{"name": "bench", "version": "1.0.0", "private": true}\n' >package.json
npm install --offline --no-audit --no-fund --ignore-scripts --cache "$work/.npm" "$tarball" >/dev/null
bin=$work/node_modules/tagora-converter/bin/tagora-converter.cjs
cat "$cases"/inputs/large_*.html >seed.html
while (( $(stat -c %s page.html 2>/dev/null || echo 0) < size * 1000000 )); do cat seed.html >>page.html; done
head -c $((size * 1000000)) page.html >input.html
echo "input: $(stat -c %s input.html) bytes"

# Seconds and peak kilobytes of a command, its output to out.
measure() {
  /usr/bin/time -f '%e %M' -o measured "$@" >out
  cat measured
}
node_times=() cli_times=() node_kb=() cli_kb=() ratios=()
for ((pair = 0; pair < pairs; ++pair)); do
  if ((pair % 2 == 0)); then
    read -r nt nk < <(measure node "$bin" --to="$to" input.html); cp out node.out
    read -r ct ck < <(measure "$cli" --to="$to" input.html)
  else
    read -r ct ck < <(measure "$cli" --to="$to" input.html)
    read -r nt nk < <(measure node "$bin" --to="$to" input.html); cp out node.out
  fi
  cmp -s out node.out || { echo "the stream's script differs from tagora-convert's" >&2; exit 1; }
  node_times+=("$nt") cli_times+=("$ct") node_kb+=("$nk") cli_kb+=("$ck")
  ratios+=("$(echo "$nt / $ct" | bc -l)")
  printf 'pair %d: stream %ss %s KB, tagora-convert %ss %s KB\n' "$pair" "$nt" "$nk" "$ct" "$ck"
done
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
printf 'median: stream %ss, %s MB peak; tagora-convert %ss, %s MB peak; time ratio %.2f (goal: at most 3, under 64 MB)\n' \
  "$(median "${node_times[@]}")" "$(( $(median "${node_kb[@]}" | cut -d. -f1) / 1024 ))" \
  "$(median "${cli_times[@]}")" "$(( $(median "${cli_kb[@]}" | cut -d. -f1) / 1024 ))" "$(median "${ratios[@]}")"

lib=$work/node_modules/tagora-converter/index.cjs
read -r st sk < <(measure node -e "const { pipeline } = require('node:stream/promises');
  pipeline(require('node:fs').createReadStream('input.html'), require('$lib').convertStream({ to: '$to' }), process.stdout)")
cmp -s out node.out || { echo "convertStream's script differs from tagora-convert's" >&2; exit 1; }
read -r pt pk < <(measure node -e "require('node:fs').createReadStream('input.html').pipe(process.stdout)")
printf 'convertStream in a pipeline: %ss, %s MB peak; the same pipeline without it: %ss, %s MB peak\n' \
  "$st" "$((sk / 1024))" "$pt" "$((pk / 1024))"

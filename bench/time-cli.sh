#!/usr/bin/env bash
# Times tagora-convert end to end (read, check and decode the file, generate,
# write) on a generated HTML file of at least 32 MiB of UTF-8: to /dev/null
# in each mode, and into a file (with -o, and as standard output, which is
# checked whole before anything is written) beside `cp` of the same file,
# run interleaved; each output file is removed outside the timing.
#   bench/time-cli.sh [BUILD_DIR] [RUNS]
# BUILD_DIR defaults to build-bench (configured for Release and built when
# needed); RUNS defaults to 5. MB = 10^6 bytes of the UTF-8 input file.
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-5}

if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 --target tagora-bench tagora-convert >/dev/null
convert=$build/cli/tagora-convert

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input=$work/input.html
bytes=$("$build/bench/tagora-bench" --write-utf8 "$input")
megabytes=$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }')
echo "Input: $bytes bytes of UTF-8 HTML = $megabytes MB (MB = 10^6 bytes); $runs runs each."
printf '%-16s %10s %10s %12s %12s\n' run "median s" "best s" "median MB/s" "best MB/s"

# Seconds of one run of the command, its standard output to /dev/null.
time_once() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f\n", b - a }'
}

summary() {
  sort -n | awk -v name="$1" -v b="$bytes" '
    { t[NR] = $1 }
    END {
      median = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
      printf "%-16s %10.3f %10.3f %12.1f %12.1f\n", name, median, t[1], b / 1e6 / median, b / 1e6 / t[1]
    }'
}

for mode in --php --asp --codes "--php --classic"; do
  # shellcheck disable=SC2086
  for ((r = 0; r < runs; r++)); do time_once "$convert" $mode "$input"; done \
    | summary "$mode"
done

: >"$work/times"
for ((r = 0; r < runs; r++)); do
  rm -f "$work/out.php" "$work/copy.html" "$work/stdout.php"
  echo "convert $(time_once "$convert" --php -o "$work/out.php" "$input")" >>"$work/times"
  echo "stdout $(time_once sh -c '"$0" --php "$1" >"$2"' "$convert" "$input" "$work/stdout.php")" >>"$work/times"
  echo "cp $(time_once cp "$input" "$work/copy.html")" >>"$work/times"
done
awk '$1 == "convert" { print $2 }' "$work/times" | summary "--php -o FILE"
awk '$1 == "stdout" { print $2 }' "$work/times" | summary "--php >FILE"
awk '$1 == "cp" { print $2 }' "$work/times" | summary "cp FILE FILE"

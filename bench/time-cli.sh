#!/usr/bin/env bash
# Times tagora-convert end to end (read and decode the file, generate, encode
# and write to /dev/null) on a generated HTML file of at least 32 MiB of UTF-8.
#   bench/time-cli.sh [BUILD_DIR] [RUNS]
# BUILD_DIR defaults to build-bench (configured for Release and built when
# needed); RUNS defaults to 5. MB = 10^6 bytes of the UTF-8 input file.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-5}

if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 --target tagora-bench tagora-convert >/dev/null
convert=$build/cli/tagora-convert

input=$(mktemp --suffix=.html)
trap 'rm -f "$input"' EXIT
bytes=$("$build/bench/tagora-bench" --write-utf8 "$input")
megabytes=$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }')
echo "Input: $input, $bytes bytes of UTF-8 HTML = $megabytes MB (MB = 10^6 bytes); $runs runs each."
printf '%-8s %10s %10s %12s %12s\n' mode "median s" "best s" "median MB/s" "best MB/s"

# Seconds of one run, output to /dev/null.
time_once() {
  local start=$EPOCHREALTIME
  "$convert" "$1" "$input" >/dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f\n", b - a }'
}

for mode in --php --asp --codes; do
  times=$(for ((r = 0; r < runs; r++)); do time_once "$mode"; done | sort -n)
  awk -v mode="$mode" -v b="$bytes" '
    { t[NR] = $1 }
    END {
      median = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
      printf "%-8s %10.3f %10.3f %12.1f %12.1f\n", mode, median, t[1], b / 1e6 / median, b / 1e6 / t[1]
    }' <<<"$times"
done

# Shared by the race scripts: timing one run, medians, peak memory.
# Sourced, not run.

# Seconds of one run of COMMAND FILE TARGET; a TARGET file is removed
# first, outside the timing, so that no run pays for freeing the last output.
seconds() {
  [[ $3 == /dev/null ]] || rm -f "$3"
  local start=$EPOCHREALTIME
  "$@"
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f\n", b - a }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Peak resident memory in MiB of one run of the exported function $1 on
# FILE $2 writing to $3.
peak_mb() {
  /usr/bin/time -v bash -c "$1"' "$1" "$2"' _ "$2" "$3" 2>&1 >/dev/null |
    awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }'
}

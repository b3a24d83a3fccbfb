#!/usr/bin/env bash
# The -j speed-up: PAGES small pages (bench/race-goals-pages.py, default
# 10,000) converted into a folder by one thread (-j 1) and by one per core
# (-j N), and copied by cp into a folder (the file system's share: each
# page opened, read, created and written), in interleaved rounds. Prints
# the medians over ROUNDS rounds (default 5) of the wall-clock time and of
# the processor time (user + system, all threads), the processor time per
# page, and how many cores were busy on average (processor / wall time).
# Goal: -j N in at most half the time of -j 1 on 2 cores. The load average
# is printed before and after: on a busy machine the threads wait for a
# core, which the wall-clock time shows and the processor time does not.
#   bench/jobs-speedup.sh BUILD_DIR [PAGES] [ROUNDS]
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
here=$(cd "$(dirname "$0")" && pwd)
(($# >= 1)) || { echo "usage: $0 BUILD_DIR [PAGES] [ROUNDS]" >&2; exit 2; }
build=$1 pages=${2:-10000} rounds=${3:-5}
convert=$build/cli/tagora-convert
[[ -x $convert ]] || { echo "$0: no $convert; build first" >&2; exit 2; }
source "$here/race_lib.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/jobs-speedup.XXXXXX")
trap 'rm -rf "$work"' EXIT
cores=$(nproc)

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg); $cores cores; $pages pages"
python3 "$here/race-goals-pages.py" "$work/pages" "$pages"

# Appends "wall processor" seconds of one run of the named way to its file.
one() {
  rm -rf "$work/out.d" && mkdir "$work/out.d"
  local command
  case $1 in
    j1) command=("$convert" -j 1 -d "$work/out.d") ;;
    jN) command=("$convert" -j "$cores" -d "$work/out.d") ;;
    cp) command=(cp -t "$work/out.d") ;;
  esac
  /usr/bin/time -f '%e %U %S' -o "$work/time" "${command[@]}" "$work"/pages/*.html
  awk '{ printf "%s %.3f\n", $1, $2 + $3 }' "$work/time" >>"$work/$1.s"
}
ways=(j1 jN cp)
for way in "${ways[@]}"; do : >"$work/$way.s"; done
for ((r = 0; r < rounds; r++)); do
  order=("${ways[@]}")
  ((r % 2)) && order=(cp jN j1)
  for way in "${order[@]}"; do one "$way"; done
done

printf '%-16s %10s %14s %14s %12s\n' "" "wall s" "processor s" "per page ms" "busy cores"
for way in "${ways[@]}"; do
  wall=$(cut -d' ' -f1 "$work/$way.s" | median) cpu=$(cut -d' ' -f2 "$work/$way.s" | median)
  declare "wall_$way=$wall"
  case $way in j1) name="-j 1" ;; jN) name="-j $cores" ;; cp) name="cp" ;; esac
  awk -v n="$name" -v w="$wall" -v c="$cpu" -v p="$pages" \
    'BEGIN { printf "%-16s %10.3f %14.3f %14.3f %12.2f\n", n, w, c, c / p * 1000, c / w }'
done
ratio=$(awk -v a="$wall_jN" -v b="$wall_j1" 'BEGIN { printf "%.2f", a / b }')
goal=$(awk -v r="$ratio" 'BEGIN { print r <= 0.5 ? "MET" : "MISS" }')
echo "-j $cores / -j 1 wall-clock: $ratio (goal 0.5: $goal)"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

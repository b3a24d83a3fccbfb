#!/usr/bin/env bash
# The 10 MB page in the window, two builds side by side: runs
# `tagora-window-bench --large --runs 1` of each in turn (interleaved, so
# that both see the same load) and prints the median of each figure, with
# Convert's ratio to tagora-convert timed in the same runs.
#   bench/window/large-before-after.sh BEFORE_BENCH AFTER_BENCH [RUNS] [CLI]
# BEFORE_BENCH and AFTER_BENCH are tagora-window-bench programs (an older
# build's and this one's); CLI is the tagora-convert both time (by default
# build/cli/tagora-convert).
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/../.."
before=$1 after=$2 runs=${3:-3} cli=${4:-build/cli/tagora-convert}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for _ in $(seq "$runs"); do
  for side in before after; do
    bench=$before; [[ $side == after ]] && bench=$after
    QT_QPA_PLATFORM=offscreen "$bench" --large --runs 1 "$cli" 2>/dev/null |
      sed -n "s/^\([a-zA-Z].*[^ ]\) \{2,\}\([0-9]\+\).*/$side\t\1\t\2/p" >>"$log"
  done
done
python3 - "$log" "$runs" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    side, what, ms = line.rstrip("\n").split("\t")
    rows.setdefault(what, {}).setdefault(side, []).append(float(ms))
print(f"A 10.8 MB page to PHP, {sys.argv[2]} interleaved runs each; medians, ms\n")
print(f"{'step':44} {'before':>8} {'after':>8}")
for what, sides in rows.items():
    cells = [f"{statistics.median(sides[s]):8.0f}" if s in sides else f"{'-':>8}" for s in ("before", "after")]
    print(f"{what:44} {' '.join(cells)}")
cli = rows.get("tagora-convert (start to exit)", {})
for key in ("window: Convert", "window: Convert, the script shown"):
    for side in ("before", "after"):
        if key in rows and side in rows[key] and side in cli:
            ratio = statistics.median(rows[key][side]) / statistics.median(cli[side])
            print(f"{side}: {key} = {ratio:.1f} x tagora-convert")
PY

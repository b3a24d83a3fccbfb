#!/usr/bin/env bash
# Idle CPU of the desktop program with a 1 MB single-line page, on a virtual
# X display with a window manager (so that the window has the focus and its
# caret would blink):
#   1. tagora-converter started with the page as its argument (input box);
#   2. tagora-window-bench --idle: either box focused, with a short line as
#      the baseline in the same run.
# Each figure is the process's CPU time over 10 s, in % of one core.
#   bench/window/idle-cpu.sh [BUILD_DIR]      (needs xvfb, openbox)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake --build "$build" -j2 --target tagora-converter tagora-window-bench >/dev/null

if [[ -z ${IDLE_CPU_ON_DISPLAY:-} ]]; then
  exec env IDLE_CPU_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

openbox >/dev/null 2>&1 & wm=$!
page=$(mktemp --suffix=.html)
trap 'kill $wm 2>/dev/null; rm -f "$page"' EXIT
"$build/bench/window/tagora-window-bench" --write-line "$page"
sleep 1

cpu_ticks() { local s; read -r -a s <"/proc/$1/stat"; echo $((s[13] + s[14])); }

"$build/app/tagora-converter" "$page" 2>/dev/null & program=$!
sleep 8   # splash, opening, first paint
before=$(cpu_ticks $program)
sleep 10
after=$(cpu_ticks $program)
kill $program; wait $program 2>/dev/null || true
awk -v d=$((after - before)) -v hz="$(getconf CLK_TCK)" -v bytes="$(stat -c %s "$page")" 'BEGIN {
  printf "tagora-converter, %d-byte line in the input box:  %5.1f%% of a core\n", bytes, d / hz / 10 * 100 }'

"$build/bench/window/tagora-window-bench" --idle 2>/dev/null

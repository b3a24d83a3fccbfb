#!/usr/bin/env bash
# Starts the real desktop program on a private virtual X display and follows
# its top-level windows: first the 288 x 232 splash must be mapped while the
# main window is still hidden; once the splash has gone, the main window
# must appear. Then the program is stopped.
#   main_window_after_splash.sh PROGRAM MAIN_WINDOW_TITLE
set -uo pipefail

program=$1 main_title=$2
# Limits in milliseconds.
splash_appear_limit=30000   # from start; the first start may be slow
splash_close_limit=15000    # how long the splash may stay
main_appear_limit=15000     # from the splash closing to the main window
shortest_splash=500         # it runs three 500 ms ticks; a flash is a fault

fail() { echo "FAIL: $*" >&2; exit 1; }

program_pid= xvfb_pid= workdir=$(mktemp -d)
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$workdir"
}
trap cleanup EXIT

# Xvfb picks a free display itself (-displayfd), so parallel runs do not race.
start_display() {
  command -v Xvfb >/dev/null || fail "Xvfb is not installed (package xvfb)"
  command -v xwininfo >/dev/null || fail "xwininfo is not installed (package x11-utils)"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$workdir/display" 2>"$workdir/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 200); do
    [[ -s $workdir/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$workdir/xvfb.log" >&2; fail "Xvfb did not start"; }
    sleep 0.05
  done
  [[ -s $workdir/display ]] || fail "Xvfb did not report its display"
  export DISPLAY=":$(head -n1 "$workdir/display")"
  # The number can arrive before the server takes connections.
  for _ in $(seq 200); do
    xwininfo -root >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  fail "the display $DISPLAY does not answer"
}

now_ms() { local t=${EPOCHREALTIME//[.,]/}; echo $((10#$t / 1000)); }
ms_since() { echo $(($(now_ms) - $1)); }

is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# The splash: a mapped top-level window of 288 x 232 (a thin border may add
# a pixel on each side).
splash_shown() {
  local id width height
  while read -r id width height; do
    ((width >= 288 && width <= 290 && height >= 232 && height <= 234)) || continue
    is_viewable "$id" && return 0
  done < <(xwininfo -root -children 2>/dev/null |
           sed -nE 's/^ *(0x[0-9a-f]+) .* ([0-9]+)x([0-9]+)[+-][0-9]+[+-][0-9]+ .*/\1 \2 \3/p')
  return 1
}

main_shown() { xwininfo -name "$main_title" 2>/dev/null | grep -q 'Map State: IsViewable'; }

program_running() { kill -0 "$program_pid" 2>/dev/null; }

# Starts the display and the program. A program that cannot reach the
# display at all (another test's server going away at the wrong moment has
# been seen when many tests share the machine) is started once more on a
# fresh display; any other early end is a failure.
launch() {
  start_display
  export QT_QPA_PLATFORM=xcb
  "$program" >"$workdir/program.log" 2>&1 &
  program_pid=$!
  started=$(now_ms)
}
launch
until main_shown || splash_shown || ! program_running ||
      (($(ms_since "$started") > splash_appear_limit)); do
  sleep 0.05
done
if ! program_running && grep -q 'could not connect to display' "$workdir/program.log"; then
  echo "the program could not reach $DISPLAY (Xvfb $(kill -0 "$xvfb_pid" 2>/dev/null &&
        echo running || echo gone)); trying once more on a fresh display"
  kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  launch
fi

# 1. The splash comes first. The main window is checked before the splash in
# every round, so that a window seen in both checks was on screen together.
until splash_shown; do
  main_shown && fail "the main window appeared without a splash before it"
  program_running || { cat "$workdir/program.log" >&2; fail "the program ended before showing the splash"; }
  (($(ms_since "$started") > splash_appear_limit)) && fail "no splash within ${splash_appear_limit} ms"
  sleep 0.05
done
splash_seen=$(now_ms)
echo "splash mapped $(ms_since "$started") ms after start"

# 2. While the splash is up, the main window stays hidden.
while true; do
  main_visible=no
  main_shown && main_visible=yes
  splash_shown || break
  [[ $main_visible == yes ]] && fail "the main window is visible while the splash is shown"
  program_running || fail "the program ended while the splash was shown"
  (($(ms_since "$splash_seen") > splash_close_limit)) &&
    fail "the splash was still shown after ${splash_close_limit} ms"
  sleep 0.05
done
splash_gone=$(now_ms)
splash_time=$((splash_gone - splash_seen))
echo "splash shown for about $splash_time ms"
((splash_time < shortest_splash)) && fail "the splash closed after only $splash_time ms"

# 3. Then the main window.
until main_shown; do
  program_running || { cat "$workdir/program.log" >&2; fail "the program ended after the splash"; }
  (($(ms_since "$splash_gone") > main_appear_limit)) &&
    fail "no main window within ${main_appear_limit} ms after the splash closed"
  sleep 0.05
done
echo "main window mapped $(ms_since "$splash_gone") ms after the splash closed"
splash_shown && fail "the splash came back together with the main window"
program_running || fail "the program ended right after showing its main window"
echo "PASS"

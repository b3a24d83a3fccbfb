#!/usr/bin/env bash
# Screenshots of the main window's two arrangements on a virtual X display
# with a window manager: stacked and side by side, on the light and the
# dark palette, at 100% and at 200% (QT_SCALE_FACTOR=2), each converting
# the same page to PHP.
#   bench/window/layout-screenshots.sh [BUILD_DIR] [OUT_DIR]   (needs xvfb, openbox, imagemagick)
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/../.."
build=${1:-build}
out=${2:-$build/screenshots}
mkdir -p "$out"
cmake --build "$build" -j2 --target tagora-window-bench >/dev/null
if [[ -z ${SCREENSHOTS_ON_DISPLAY:-} ]]; then
  exec env SCREENSHOTS_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1920x1200x24" "$0" "$build" "$out"
fi
openbox >/dev/null 2>&1 & wm=$!
page=$(mktemp --suffix=.html)
config=$(mktemp -d)  # each start as the first, at the stored size
trap 'kill $wm 2>/dev/null; rm -rf "$page" "$config"' EXIT
cat >"$page" <<'HTML'
<!DOCTYPE html>
<!-- the price list -->
<p class="price" title='5 & up'>$5 for {$item} &amp; "more"</p>
<a href=/next>Next</a>	<b>caf&eacute;</b>
HTML
shot() {  # name scale [flags...]
  rm -rf "${config:?}"/*
  XDG_CONFIG_HOME=$config QT_SCALE_FACTOR=$2 \
    "$build/bench/window/tagora-window-bench" --show php "$page" "${@:3}" 4 2>/dev/null & local program=$!
  sleep 3
  import -window root "$out/$1.png"
  wait $program || true
}
for scale in 1 2; do
  shot "stacked-light-${scale}00" $scale
  shot "side-by-side-light-${scale}00" $scale --side-by-side
  shot "stacked-dark-${scale}00" $scale --dark
  shot "side-by-side-dark-${scale}00" $scale --dark --side-by-side
done
echo "screenshots in $out"

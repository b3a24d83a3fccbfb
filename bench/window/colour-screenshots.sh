#!/usr/bin/env bash
# Screenshots of the colours on a virtual X display with a window manager:
# every target's script of one page, Script to HTML with a PHP and an ASP
# page, the dark palette, and the viewer.
#   bench/window/colour-screenshots.sh [BUILD_DIR] [OUT_DIR]   (needs xvfb, openbox, imagemagick)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
out=${2:-$build/screenshots}
mkdir -p "$out"
cmake --build "$build" -j2 --target tagora-window-bench >/dev/null

if [[ -z ${SCREENSHOTS_ON_DISPLAY:-} ]]; then
  exec env SCREENSHOTS_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$out"
fi

openbox >/dev/null 2>&1 & wm=$!
page=$(mktemp --suffix=.html)
trap 'kill $wm 2>/dev/null; rm -f "$page"' EXIT
cat >"$page" <<'HTML'
<!DOCTYPE html>
<!-- the price list -->
<p class="price" title='5 & up'>$5 for {$item} &amp; "more" %></p>
<a href=/next>Next</a>	<b>caf&eacute;</b> \n
HTML
shot() {  # name target file [--dark] [--viewer]
  "$build/bench/window/tagora-window-bench" --show "$2" "$3" "${@:4}" 4 2>/dev/null & local program=$!
  sleep 3
  import -window root "$out/$1.png"
  wait $program || true
}
for target in php asp php-nowdoc js js-concat json jsp perl python; do
  shot "target-$target" "$target" "$page"
done
shot script-to-html-php html tests/engine/legacy_php/mixed_html.php
shot script-to-html-asp html tests/engine/legacy_asp/16_guestbook.asp
shot dark-php php "$page" --dark
shot dark-script-to-html html tests/engine/legacy_php/mixed_html.php --dark
shot viewer-perl perl "$page" --viewer
shot viewer-dark-js js "$page" --dark --viewer
echo "screenshots in $out"

#!/usr/bin/env bash
# Screenshots of the main window on a virtual X display with a window
# manager, at 100% on a 1024 by 768 screen and at 200% on a 1920 by 1000
# one, light and dark: a script, the character listing, an unreadable
# script in Script to HTML mode (its line marked), the viewer, and the
# find bar.
#   bench/window/window-screenshots.sh [BUILD_DIR] [OUT_DIR]   (needs xvfb, openbox, imagemagick)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
out=$(realpath -m "${2:-$build/screenshots}")
mkdir -p "$out"
cmake --build "$build" -j2 --target tagora-window-bench >/dev/null

# shots SCALE WIDTHxHEIGHT: every picture at that scale, on its own display
shots() {
  xvfb-run -a -s "-screen 0 ${2}x24" env SCALE="$1" OUT="$out" BUILD="$build" bash -c '
    set -euo pipefail
    export QT_SCALE_FACTOR=$SCALE XDG_CONFIG_HOME=$(mktemp -d)
    openbox >/dev/null 2>&1 & wm=$!
    page=$(mktemp --suffix=.html)
    broken=$(mktemp --suffix=.php)
    trap "kill $wm 2>/dev/null; rm -rf \"$page\" \"$broken\" \"$XDG_CONFIG_HOME\"" EXIT
    printf "<!DOCTYPE html>\n<!-- the price list -->\n<style>p.price { color: #333; margin: 0 1.5em; } /* note */</style>\n<p class=\"price\">\$5 &amp; \"more\"</p>\n<script>if (total > 0) { show(\"price\", 2.5); } // update</script>\n<a href=/next>Next</a>\n" >"$page"
    printf "<?php\necho \"<p>ok</p>\";\necho \"unterminated;\n" >"$broken"
    shot() {  # name target file [flags]
      "$BUILD/bench/window/tagora-window-bench" --show "$2" "$3" "${@:4}" 6 2>/dev/null & local program=$!
      sleep 5
      import -window root "$OUT/$1-$((SCALE * 100)).png"
      wait $program || true
    }
    shot light-php php "$page"
    shot dark-php php "$page" --dark
    shot light-listing php "$page" --listing
    shot dark-error html "$broken" --dark
    shot light-viewer php "$page" --viewer
    shot light-find php "$page" --find
    shot dark-find php "$page" --dark --find
  '
}
shots 1 1024x768
shots 2 1920x1000
echo "screenshots in $out"

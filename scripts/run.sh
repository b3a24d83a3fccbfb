#!/usr/bin/env bash
# Builds and starts Tagora Converter. Without a display it starts the
# program on a virtual display instead, saves a screenshot of the main
# window once it is shown, prints where the picture is and stops.
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/.."
scripts/install-deps.sh app
scripts/build.sh >/dev/null
program=build/app/tagora-converter

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec "$program"
fi

shot="$PWD/build/screenshots/main-window.png"
mkdir -p "$(dirname "$shot")"
title=$(sed -n 's/^TAGORA_PRODUCT_TITLE:INTERNAL=//p' build/CMakeCache.txt)
xvfb-run -a -s "-screen 0 1024x768x24" scripts/screenshot-main-window.sh "$program" "$shot" "$title"
echo "No display: the program ran on a virtual display. Screenshot of the main window: $shot"

#!/bin/bash
# The manual page shows the targets of --to as a table: rendered by groff,
# each target listed in --help starts a line of its own, followed by its
# description, as in --help.
# usage: man_target_table.sh TAGORA_CONVERT MANPAGE
set -u
convert=$1 page=$2
rendered=$(groff -man -Tutf8 "$page" 2>/dev/null | col -b) || { echo "FAIL: groff cannot render $page"; exit 1; }
rows=$("$convert" --help | sed -n '/--to=TARGET/,/--from=TARGET/p' | grep -E '^ {27}[a-z][a-z-]* {2,}')
[ -n "$rows" ] || { echo "FAIL: no targets found in --help"; exit 1; }
status=0 count=0
while read -r name description; do
  count=$((count + 1))
  if ! grep -qE "^[[:space:]]+${name}[[:space:]]+${description%% *}" <<<"$rendered"; then
    echo "FAIL: '$name' does not start a line of the manual page's target table"
    status=1
  fi
done <<<"$rows"
echo "$count targets checked"
exit $status

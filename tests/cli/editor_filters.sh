#!/usr/bin/env bash
# Real editors filter a selection through tagora-convert, as the README's
# "From your editor" recipes do: the selection becomes a JavaScript string
# literal in place, node says the literal's value is the selection exactly,
# and the literal filtered back with --unescape gives the file it was.
#   editor_filters.sh TAGORA_CONVERT vim|emacs
set -euo pipefail
convert=$1
editor=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Lines 2 and 3 hold what a JavaScript string must escape.
printf 'line1\nl2 "q" `b` ${x} </script> <!-- \xc3\xa9 \xe2\x80\xa8 \\n\nl3\\\nline4\n' >original.js
cp original.js file.js

fail() { echo "$editor: $*" >&2; exit 1; }

# The file's text between its first and last line must be a literal whose
# value, evaluated by node, is the given text.
check_literal() {
  node -e '
    const fs = require("fs");
    const file = fs.readFileSync("file.js", "utf8");
    const expected = process.argv[1];
    if (!file.startsWith("line1\n") || !file.endsWith("\nline4\n")) throw new Error("lines 1 and 4 moved: " + JSON.stringify(file));
    const literal = file.slice("line1\n".length, -"\nline4\n".length);
    const value = new Function("return " + literal + ";")();
    if (value !== expected) throw new Error(JSON.stringify(value) + " is not " + JSON.stringify(expected));
  ' -- "$1" || fail "the literal is not the selection: $(cat -A file.js)"
}

selection=$(sed -n '2,3p' original.js; echo .)  # the final line break kept
selection=${selection%.}
case $editor in
vim)
  # :2,3! sends whole lines, each with its line break, and puts the
  # output's lines in their place; :2,$-1! sends the literal back.
  printf '2,3!"%s" --to js --literal\nwq\n' "$convert" | vim -Es -u NONE -i NONE file.js \
    || fail "vim could not filter lines 2-3"
  check_literal "$selection"
  printf '2,$-1!"%s" --unescape\nwq\n' "$convert" | vim -Es -u NONE -i NONE file.js \
    || fail "vim could not filter the literal back"
  ;;
emacs)
  # The region runs from the start of line 2 to the end of line 3, without
  # its line break; C-u M-| (shell-command-on-region, replacing) puts the
  # output in its place.
  run_emacs() {
    emacs --batch -Q --eval "(progn
      (setq coding-system-for-read 'utf-8-unix coding-system-for-write 'utf-8-unix)
      (find-file \"file.js\")
      (goto-char (point-min)) (forward-line 1)
      (let ((start (point)))
        $1
        (shell-command-on-region start (point) \"\\\"$convert\\\" $2\" nil t))
      (save-buffer))" 2>/dev/null
  }
  run_emacs "(forward-line 1) (end-of-line)" "--to js --literal" || fail "emacs could not filter lines 2-3"
  check_literal "${selection%$'\n'}"
  run_emacs "(goto-char (point-max)) (forward-line -1) (backward-char)" "--unescape" \
    || fail "emacs could not filter the literal back"
  ;;
*)
  fail "unknown editor"
  ;;
esac
cmp -s original.js file.js || fail "the literal did not come back to the lines: $(cat -A file.js)"
echo "$editor: lines 2-3 to a literal and back"

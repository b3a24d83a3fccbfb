#!/usr/bin/env bash
# The recipes of docs/editor-recipes.md, run as written: real Vim and
# Emacs filter a selection through tagora-convert and the VS Code task
# runs on a clipboard (a file standing in for xclip). The selection
# becomes a JavaScript string literal in place, node says the literal's
# value is the selection exactly, and the literal filtered back with
# --unescape gives the file it was.
#   editor_filters.sh TAGORA_CONVERT RECIPES_MD vim|emacs|vscode
set -euo pipefail
convert=$1
readme=$2
editor=$3
PATH="$(cd "$(dirname "$convert")" && pwd):$PATH"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "$editor: $*" >&2; exit 1; }

# The page's code block of the language, the n-th one (from 1).
code_block() {
  awk -v language="$1" -v wanted="$2" '
    /^```/ { if (inside) { inside = 0; next } if ($0 == "```" language && ++count == wanted) { inside = 1; next } }
    inside { print }' "$readme"
}

# The file's text between its first and last line must be a literal whose
# value, evaluated by node, is the given text.
check_literal() {
  node -e '
    const file = require("fs").readFileSync("file.js", "utf8");
    const expected = process.argv[1];
    if (!file.startsWith("line1\n") || !file.endsWith("\nline4\n")) throw new Error("lines 1 and 4 moved");
    const literal = file.slice("line1\n".length, -"\nline4\n".length);
    const value = new Function("return " + literal + ";")();
    if (value !== expected) throw new Error(JSON.stringify(value) + " is not " + JSON.stringify(expected));
  ' -- "$1" || fail "the literal is not the selection: $(cat -A file.js)"
}

# Lines 2 and 3 hold what a JavaScript string must escape.
printf 'line1\nl2 "q" `b` ${x} </script> <!-- \xc3\xa9 \xe2\x80\xa8 \\n\nl3\\\nline4\n' >original.js
cp original.js file.js
selection=$(sed -n '2,3p' original.js; echo .)  # the final line break kept
selection=${selection%.}

case $editor in
vim)
  # :'<,'>! with lines 2-3 selected sends them, each with its line break,
  # and puts the output's lines in their place.
  to_literal=$(code_block vim 1 | sed -n 1p)
  back=$(code_block vim 1 | sed -n 2p)
  [[ $to_literal == ":'<,'>!tagora-convert "* && $back == ":'<,'>!tagora-convert "* ]] || fail "no Vim recipe"
  printf '%s\nwq\n' "${to_literal/\'<,\'>/2,3}" | vim -Es -u NONE -i NONE file.js || fail "vim: $to_literal"
  check_literal "$selection"
  printf '%s\nwq\n' "${back/\'<,\'>/2,\$-1}" | vim -Es -u NONE -i NONE file.js || fail "vim: $back"
  ;;
emacs)
  # The region runs from the start of line 2 to the end of line 3, without
  # its line break.
  code_block elisp 1 >recipe.el
  grep -q tagora-literal recipe.el || fail "no Emacs recipe"
  run_emacs() {
    emacs --batch -Q -l recipe.el --eval "(progn
      (setq coding-system-for-read 'utf-8-unix coding-system-for-write 'utf-8-unix)
      (find-file \"file.js\")
      (goto-char (point-min)) (forward-line 1)
      (let ((start (point)))
        $1
        ($2 start (point)))
      (save-buffer))" 2>/dev/null
  }
  run_emacs "(forward-line 1) (end-of-line)" tagora-literal || fail "emacs: tagora-literal"
  check_literal "${selection%$'\n'}"
  run_emacs "(goto-char (point-max)) (forward-line -1) (backward-char)" tagora-unescape \
    || fail "emacs: tagora-unescape"
  ;;
vscode)
  # The task's command on a clipboard holding lines 2-3; the file gets
  # what it leaves there in their place.
  command=$(code_block json 1 | node -e '
    const tasks = JSON.parse(require("fs").readFileSync(0, "utf8")).tasks;
    process.stdout.write(tasks[0].command);') || fail "no VS Code task"
  xclip() { if [[ $1 == -o ]]; then cat clipboard; else cat >clipboard.new && mv clipboard.new clipboard; fi; }
  export -f xclip
  printf '%s' "$selection" >clipboard
  bash -c "$command" || fail "the task failed: $command"
  { echo line1; cat clipboard; printf '\nline4\n'; } >file.js
  check_literal "$selection"
  printf '%s\n' "$command" | grep -q -- '--to=js --literal' || fail "the task makes no JavaScript literal"
  tagora-convert --unescape <clipboard >clipboard.text
  { echo line1; cat clipboard.text; echo line4; } >file.js
  ;;
*)
  fail "unknown editor"
  ;;
esac
cmp -s original.js file.js || fail "the literal did not come back to the lines: $(cat -A file.js)"
echo "$editor: lines 2-3 to a literal and back"

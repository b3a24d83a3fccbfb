"""Real editors drive tagora-lsp headless: Neovim's built-in client
(neovim_test.lua) or Emacs with eglot (eglot_test.el) open PHP, JavaScript,
JSP, ASP and HTML files, run each action at a place given here, and save;
each file must then be, byte for byte, what tagora-convert makes of the
same text. The literal edited as HTML is saved and written back too.
  editor_test.py neovim|emacs TAGORA_LSP TAGORA_CONVERT"""
import json
import os
import subprocess
import sys
import tempfile

editor = sys.argv[1]
lsp, converter = (os.path.abspath(path) for path in sys.argv[2:4])
here = os.path.dirname(os.path.abspath(__file__))


def convert(arguments, text):
    run = subprocess.run([converter] + arguments, input=text.encode("utf-8"), capture_output=True, check=True)
    return run.stdout.decode("utf-8")


LITERAL = "Escape the selection into "
UNESCAPE = "Unescape the string literal into its text"
TEMPLATE = "Turn the selected code into the HTML it prints"
EDIT_AS_HTML = "Edit the string literal as HTML"
HTML_BLOCK = '<p title="a">Caf\u00e9 \U0001F600 $y \\ "q" `t` ${z}</p>\n<br>\n'
GREETING = convert(["--to=php", "--literal"], 'Caf\u00e9 \U0001F600 "q" $n\n')

# name, language (Neovim's filetype; Emacs's mode is named in eglot_test.el),
# text, title, what is selected (a caret where start is end), the
# tagora-convert arguments of the result.
CASES = [
    ("escape.php", "php", "<?php\n$x = 1;\n" + HTML_BLOCK + "?>\n", LITERAL + "a PHP string literal",
     HTML_BLOCK, ["--to=php", "--literal"]),
    ("unescape.php", "php", "<?php\n$greeting = " + GREETING + ";\n", UNESCAPE, GREETING, ["--unescape", "--from=php"]),
    ("echo.php", "php", '<?php\necho "<ul>\\n";\necho "  <li>" . htmlspecialchars($x) . "</li>\\n";\n'
                        'echo "</ul>\\n";\n?>\n<p>after \U0001F600</p>\n', TEMPLATE, None, ["--to=html", "--from=php"]),
    ("escape.js", "javascript", "// \U0001F600 before\nconst page = 1;\n" + HTML_BLOCK + "// end\n",
     LITERAL + "a JavaScript template literal", HTML_BLOCK, ["--to=js", "--literal"]),
    ("joined.js", "javascript", "const s = " + convert(["--to=js-concat", "--literal"], "l1\nl2 \U0001F600\nl3") + ";\n",
     UNESCAPE, convert(["--to=js-concat", "--literal"], "l1\nl2 \U0001F600\nl3"), ["--unescape", "--from=js-concat"]),
    ("page.jsp", "jsp", '<%@ page contentType="text/html; charset=UTF-8" %>\n'
                        '<% out.print("<p>caf\\u00e9 \U0001F600</p>"); %>\n<% out.write("<br>\\n"); %>\n',
     TEMPLATE, None, ["--to=html", "--from=jsp"]),
    ("escape.jsp", "jsp", "<% String s = null; %>\n" + HTML_BLOCK + "<% } %>\n", LITERAL + "a Java string literal", HTML_BLOCK,
     ["--to=jsp", "--literal"]),
    ("page.asp", "aspvbs", '<%\nResponse.Write("<p>" & "caf\u00e9 ""q""</p>")\nResponse.Write("<br>")\n%>\n',
     TEMPLATE, None, ["--to=html", "--from=asp"]),
    ("escape.asp", "aspvbs", "<% Dim s %>\n" + HTML_BLOCK + "<% End If %>\n", LITERAL + "a VBScript string literal", HTML_BLOCK,
     ["--to=asp", "--literal"]),
    ("page.html", "html", "<!DOCTYPE html>\n<p>caf\u00e9 \U0001F600 $x</p>\n", "Convert the page to a PHP Script",
     "", ["--to=php"]),
]
ROUND_TRIP_HTML = '<p class="edited">\U0001F600 & "q" \\ $v</p>\n'


def main():
    work = tempfile.mkdtemp(prefix="tagora-lsp-editor-")
    os.mkdir(os.path.join(work, "tmp"))
    steps, expected = [], {}
    for name, language, text, title, selected, arguments in CASES:
        if selected is None:  # the whole text
            start, end, selected = 0, len(text.encode()), text
        elif selected == "":  # a caret at the start: the whole text
            start, end, selected = 0, len(text.encode()), text
        else:
            start = text.encode().index(selected.encode())
            end = start + len(selected.encode())
        if title == UNESCAPE:  # the caret in the literal, after the emoji if it has one
            caret = text.encode().index("\U0001F600".encode()) + 4 if "\U0001F600" in selected else start + 2
            caret = caret if start < caret < end else start + 2
            start_at, end_at = caret, caret
        elif title.startswith("Convert the page"):
            start_at, end_at = 0, 0
        else:
            start_at, end_at = start, end
        encoded = text.encode()
        expected[name] = encoded[:start] + convert(arguments, selected).encode() + encoded[end:]
        write(work, name, text)
        steps.append({"file": name, "language": language, "title": title, "start": start_at, "end": end_at})
    # Edit as HTML: the literal's text saved as new HTML comes back as its literal.
    literal = convert(["--to=php", "--literal"], "<p>old</p>")
    text = "<?php\n$page = " + literal + ";\necho $page;\n"
    write(work, "roundtrip.php", text)
    caret = text.index("old")
    steps.append({"file": "roundtrip.php", "language": "php", "title": EDIT_AS_HTML, "start": caret, "end": caret,
                  "html": ROUND_TRIP_HTML})
    expected["roundtrip.php"] = text.replace(literal, convert(["--to=php", "--literal"], ROUND_TRIP_HTML)).encode()
    steps_file = os.path.join(work, "steps.json")
    with open(steps_file, "w", encoding="utf-8") as file:
        json.dump(steps, file)
    environment = dict(os.environ, TAGORA_LSP=lsp, TAGORA_STEPS=steps_file, TAGORA_WORK=work,
                       TMPDIR=os.path.join(work, "tmp"), HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"))
    if editor == "neovim":
        command = ["nvim", "--headless", "--clean", "-n", "-c", "luafile " + os.path.join(here, "neovim_test.lua")]
    else:
        command = ["emacs", "--batch", "-l", os.path.join(here, "eglot_test.el")]
    run = subprocess.run(command, env=environment, capture_output=True, timeout=120, check=False)
    output = run.stdout.decode(errors="replace") + run.stderr.decode(errors="replace")
    failures = [] if run.returncode == 0 else ["%s ended with status %d:\n%s" % (editor, run.returncode, output)]
    for name, wanted in expected.items():
        with open(os.path.join(work, name), "rb") as file:
            got = file.read()
        if got != wanted:
            failures.append("%s is\n%r\nnot tagora-convert's\n%r" % (name, got, wanted))
    if failures:
        print("\n".join(failures), file=sys.stderr)
        print("(the editor said)\n" + output, file=sys.stderr)
        sys.exit(1)
    print("%s: %d files as tagora-convert makes them" % (editor, len(expected)))
    subprocess.run(["rm", "-rf", work], check=False)


def write(work, name, text):
    with open(os.path.join(work, name), "w", encoding="utf-8", newline="") as file:
        file.write(text)


main()

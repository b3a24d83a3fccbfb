#!/bin/bash
# Peak memory of tagora-convert --to=html on large legacy files: a PHP and
# an ASP page of the tests repeated to SIZE_MB, real-looking PHP and ASP
# pages (all the tests' legacy pages, the ASP one with an include) and a
# JSP page of mixed statements repeated to SIZE_MB, and one of the program's
# own PHP scripts of that size (read back in constant memory). Prints the
# peak resident size, its ratio to the file's size, and the time.
# Needs php (its tokenizer tells where a test page ends in code).
# Usage: bench/legacy-memory.sh [BUILD_DIR] [SIZE_MB]   (default build, 290)
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
build=${1:-build}
size_mb=${2:-290}
tool=$build/cli/tagora-convert
here=$(cd "$(dirname "$0")" && pwd)
[[ -x $tool ]] || { echo "no $tool: build tagora-convert first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Copies of a page, each standing alone, up to size_mb megabytes.
repeat_to_size() {
    local page=$1 out=$2
    cp "$page" "$work/block"
    while (( $(stat -c %s "$work/block") < 4 << 20 )); do
        cat "$work/block" "$work/block" > "$work/double" && mv "$work/double" "$work/block"
    done
    : > "$out"
    while (( $(stat -c %s "$out") < size_mb << 20 )); do cat "$work/block" >> "$out"; done
}

measure() {
    local label=$1 file=$2
    shift 2
    /usr/bin/time -f '%M %e' -o "$work/time" "$tool" --to=html "$@" "$file" > /dev/null
    read -r peak_kb seconds < "$work/time"
    local bytes
    bytes=$(stat -c %s "$file")
    awk -v l="$label" -v k="$peak_kb" -v b="$bytes" -v s="$seconds" 'BEGIN {
        printf "%-28s %7.1f MB file: peak %8.1f MB (%5.2fx the file), %6.1f s\n", l, b / 1048576, k / 1024, k * 1024 / b, s }'
}

# A PHP page of echo statements and code (no closing ?>: copies follow
# each other as code), an ASP page of Response.Write and <%= %>.
repeat_to_size "$here/../tests/engine/legacy_asp/01_product_table.asp" "$work/big.asp"
measure "legacy ASP page" "$work/big.asp"
printf '<?php\n' > "$work/big.php"
printf 'echo "<tr><td>" . $name . "</td><td>" . htmlspecialchars($price) . "</td></tr>\\n"; $n = $n + 1;\n' > "$work/line"
repeat_to_size "$work/line" "$work/body"
cat "$work/body" >> "$work/big.php"
measure "legacy PHP page" "$work/big.php"
# Real-looking pages: every UTF-8 legacy page of the tests one after the
# other (mixed statements: writes, loops, functions, classes, inline
# expressions), the ASP one including a file of functions, repeated to
# size.
python3 - "$here/../tests/engine" "$work" <<'PAGES'
import pathlib, subprocess, sys
tests, work = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
def utf8(path):
    try:
        return path.read_bytes().decode("utf-8").encode()
    except UnicodeDecodeError:
        return None
asp = b'<!--#include file="functions.inc"-->\r\n'
for page in sorted((tests / "legacy_asp").glob("*.asp")):
    asp += (utf8(page) or b"") + b"\r\n"
# Whether PHP's own tokenizer ends the page in code (an open tag's text
# inside a string fools a count of tags).
def ends_in_code(text):
    last = subprocess.run(["php", "-r", "$t = token_get_all(stream_get_contents(STDIN));"
                           " $l = end($t); echo is_array($l) ? token_name($l[0]) : 'code';"],
                          input=text, capture_output=True, check=True).stdout
    return last not in (b"T_INLINE_HTML", b"T_CLOSE_TAG", b"")
php = b""
for page in sorted((tests / "legacy_php").glob("*.php")):
    text = utf8(page) or b""
    if text and ends_in_code(text):
        text += b"\n?>\n"  # the next page starts as HTML
    php += text + b"\n"
(work / "mixed.asp").write_bytes(asp)
(work / "mixed.php").write_bytes(php)
(work / "functions.inc").write_bytes((tests / "legacy_asp" / "09_functions.asp").read_bytes())
PAGES
# The language named: a test page of one language may hold what looks like
# another's code.
repeat_to_size "$work/mixed.asp" "$work/real.asp"
measure "real-looking ASP page" "$work/real.asp" --from=asp
rm -f "$work/real.asp"
repeat_to_size "$work/mixed.php" "$work/real.php"
measure "real-looking PHP page" "$work/real.php" --from=php
rm -f "$work/real.php"
# JSP: a directive, declarations, loops, writes of text and expressions,
# comments.
cat > "$work/mixed.jsp" <<'JSP'
<%@ page contentType="text/html; charset=UTF-8" %>
<html><body>
<% String name = request.getParameter("name"); int n = 0; %>
<ul>
<% for (int i = 0; i < 3; i++) { out.print("<li>" + i + "</li>"); } %>
</ul>
<% out.println("<p>Hello, " + name + "!</p>"); n = n + 1; /* count */ %>
<table><% for (String row : rows) { %><tr><td><%= row %></td></tr><% } %></table>
<% if (n > 1) { out.write("<b>many</b>\n"); } else { out.print(n); } // done %>
</body></html>
JSP
repeat_to_size "$work/mixed.jsp" "$work/real.jsp"
measure "real-looking JSP page" "$work/real.jsp" --from=jsp
rm -f "$work/real.jsp"

head -c $((size_mb << 20)) /dev/zero | tr '\0' 'a' | fold -w 100 > "$work/text.html"
"$tool" --php "$work/text.html" > "$work/own.php"
measure "this program's PHP script" "$work/own.php"

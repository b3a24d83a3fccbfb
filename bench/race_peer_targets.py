#!/usr/bin/env python3
"""Every target's script of an HTML file written the way one would by hand in
Python: replace, a regular expression for control characters, join.
    race_peer_targets.py TARGET SAMPLE_FILE HTML_FILE   (script to stdout)
SAMPLE_FILE is the target's script of the text "Q7Z", from which the header
and footer are taken. The HTML file has CR LF line breaks only (as the
input rules leave every text)."""
import sys

if sys.argv[1:2] == ["--help"]:
    print(__doc__)
    sys.exit(0)

import re

target, sample_file, html_file = sys.argv[1:4]
sample = open(sample_file, "rb").read()
marker = sample.index(b"Q7Z")
opening, closing = sample[:marker], sample[marker + 3:]
text = open(html_file, "rb").read()

CONTROLS = rb"[\x00-\x08\x0b\x0c\x0e-\x1f]"


def replace_all(data, pairs):
    for old, new in pairs:
        data = data.replace(old, new)
    return data


def controls(data, form):
    return re.sub(CONTROLS, lambda m: form % m[0][0], data)


def separators(data):
    return data.replace("\u2028".encode(), b"\\u2028").replace("\u2029".encode(), b"\\u2029")


def jsp_beyond_ascii(data):
    def escape(match):
        units = match[0].encode("utf-16-be")
        return "".join("\\u%02X%02X" % (units[i], units[i + 1]) for i in range(0, len(units), 2))
    return re.sub(r"[^\x00-\x7f]+", escape, data.decode()).encode()


def lines(data, pairs, form, line_break):
    data = controls(replace_all(data, pairs), form) if form else replace_all(data, pairs)
    return line_break.join(data.split(b"\r\n"))


def nowdoc_label(data):
    closed = {int(n or 0) for n in re.findall(rb"(?m)^[ \t]*HTML([1-9][0-9]*|)(?![A-Za-z0-9_\x80-\xff])", data)}
    number = next(n for n in range(len(closed) + 1) if n not in closed)
    return b"HTML" + (str(number).encode() if number else b"")


if target == "php":
    body = lines(text, [(b"\\", b"\\\\"), (b'"', b'\\"'), (b"\t", b"\\t"), (b"$", b"\\$")], None,
                 b'\\n";\r\necho "')
elif target == "asp":
    body = lines(text, [(b'"', b'""'), (b"%>", b'%" & ">')], None, b'") & vbCrLf\r\nResponse.Write("')
elif target == "php-nowdoc":
    label = nowdoc_label(text)
    opening = opening.replace(b"'HTML'", b"'" + label + b"'")
    closing = closing.replace(b"\r\nHTML;", b"\r\n" + label + b";")
    body = text
elif target == "js":
    body = separators(lines(text, [(b"\\", b"\\\\"), (b"`", b"\\`"), (b"${", b"\\${"), (b"</", b"<\\/"),
                                   (b"<!", b"<\\!")], b"\\x%02X", b"\r\n"))
elif target == "js-concat":
    body = separators(lines(text, [(b"\\", b"\\\\"), (b'"', b'\\"'), (b"\t", b"\\t"), (b"</", b"<\\/"),
                                   (b"<!", b"<\\!")], b"\\x%02X", b'\\n" +\r\n    "'))
elif target == "json":
    body = separators(lines(text, [(b"\\", b"\\\\"), (b'"', b'\\"'), (b"\t", b"\\t"), (b"</", b"<\\/"),
                                   (b"<!", b"\\u003C!")], b"\\u%04X", b"\\n"))
elif target == "jsp":
    # A backslash before "u" is \134, so that Java sees no \u escape there.
    text = re.sub(rb"\\(u?)", lambda m: b"\\134u" if m[1] else b"\\\\", text)
    line_break = b'\\n");\r\nout.write("'
    body = jsp_beyond_ascii(lines(text, [(b'"', b'\\"'), (b"\t", b"\\t"), (b"%>", b"%\\u003E")],
                                  b"\\%03o", line_break))
    # A new part (an anonymous class) after every 1,999 line breaks; the
    # strings of lines shorter than 48 KB are never split.
    part = (b'");\r\n}}.print(out);\r\nnew Object() { void print(java.io.Writer out) '
            b'throws java.io.IOException {\r\nout.write("')
    statements = body.split(line_break)
    body = b"".join(s + (line_break + (part if (i + 1) % 1999 == 0 else b"") if i + 1 < len(statements) else b"")
                    for i, s in enumerate(statements))
elif target == "perl":
    body = lines(text, [(b"\\", b"\\\\"), (b'"', b'\\"'), (b"\t", b"\\t"), (b"$", b"\\$"), (b"@", b"\\@")],
                 b"\\x%02X", b'\\n";\r\nprint "')
elif target == "python":
    body = lines(text, [(b"\\", b"\\\\"), (b'"', b'\\"'), (b"\t", b"\\t")], b"\\x%02X",
                 b'\\n")\r\nsys.stdout.write("')
else:
    sys.exit("unknown target " + target)
sys.stdout.buffer.write(opening + body + closing)

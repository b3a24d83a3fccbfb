#!/usr/bin/env python3
"""The PHP script of an HTML file by split, replace and join.
    race_peer.py HEADER_FILE ESCAPE_DOLLAR(0|1) HTML_FILE  (script to stdout)"""
import sys

if sys.argv[1:2] == ["--help"]:
    print(__doc__)
    sys.exit(0)


header = open(sys.argv[1], "rb").read()
escapes = [(b"\\", b"\\\\"), (b'"', b'\\"'), (b"\t", b"\\t")]
if sys.argv[2] == "1":
    escapes.append((b"$", b"\\$"))
lines = open(sys.argv[3], "rb").read().split(b"\r\n")
for i, line in enumerate(lines):
    for old, new in escapes:
        line = line.replace(old, new)
    lines[i] = line
sys.stdout.buffer.write(header + b'echo "' + b'\\n";\r\necho "'.join(lines) + b'";\r\n?>')

#!/usr/bin/env python3
"""Writes an HTML file of the given size from the HTML documentation under
/usr/share/doc: the valid UTF-8 pages one after the other, repeated as
needed, without byte order marks, every line ending in CR LF, cut at a line
end at or just below the size.
    race_corpus.py OUTPUT BYTES"""
import sys

if sys.argv[1:2] == ["--help"]:
    print(__doc__)
    sys.exit(0)

import pathlib


def pages():
    found = sorted(p for p in pathlib.Path("/usr/share/doc").rglob("*")
                   if p.suffix in (".html", ".htm") and p.is_file())
    for path in found:
        try:
            text = path.read_bytes().decode("utf-8")
        except (OSError, UnicodeDecodeError):
            continue
        text = text.lstrip("\ufeff").replace("\r", "")
        if text:
            yield (text if text.endswith("\n") else text + "\n").replace("\n", "\r\n").encode()


def main():
    output, size = sys.argv[1], int(sys.argv[2])
    corpus = b"".join(pages())
    if not corpus:
        sys.exit("race_corpus.py: no HTML pages under /usr/share/doc")
    data = corpus * (size // len(corpus) + 1)
    end = data.rfind(b"\r\n", 0, size - 1) + 2
    pathlib.Path(output).write_bytes(data[:end])


main()

#!/usr/bin/env python3
"""Writes COUNT small HTML pages (1 to 6 kB, LF or CR LF line ends, some
text beyond ASCII) into FOLDER, the same every time.
    race-goals-pages.py FOLDER COUNT"""
import pathlib
import random
import sys

WORDS = 'lorem ipsum <b>dolor</b> sit "amet" $x \\ été 日本 — tab\there <a href="#">link</a>'.split(" ")


def main():
    folder, count = pathlib.Path(sys.argv[1]), int(sys.argv[2])
    folder.mkdir(parents=True, exist_ok=True)
    random.seed(32)
    for i in range(count):
        end = random.choice(["\r\n", "\n"])
        lines = [" ".join(random.choices(WORDS, k=random.randint(3, 14))) for _ in range(random.randint(10, 80))]
        text = "<html><body>" + end + end.join(lines) + end + "</body></html>" + end
        (folder / f"page{i:05d}.html").write_text(text, encoding="utf-8", newline="")


main()

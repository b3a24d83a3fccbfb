#!/usr/bin/env python3
"""Sums an llvm-cov summary export by library (the first folder of each
source file) and prints lines and branches covered per library.
    coverage_table.py COVERAGE_JSON SOURCE_DIR [--files]
--files also lists each engine file under 95% of its lines."""
import sys

if sys.argv[1:2] == ["--help"]:
    print(__doc__)
    sys.exit(0)

import json
import pathlib

ENGINE = ("input_text", "script_writer", "script_reader")


NOT_MEASURED = ("tests", "bench")


def library_of(path, source):
    """The first folder of the source file, or None for the tests, the
    benchmarks, generated files and anything outside the tree."""
    relative = pathlib.Path(path).resolve().relative_to(source)
    library = relative.parts[0] if len(relative.parts) > 1 else "."
    return None if library in NOT_MEASURED or library.startswith("build") else library


def percent(covered, count):
    return 100.0 * covered / count if count else 100.0


def main():
    export, source = sys.argv[1], pathlib.Path(sys.argv[2]).resolve()
    list_files = "--files" in sys.argv[3:]
    data = json.loads(pathlib.Path(export).read_text())
    # A header compiled in several folders is recorded once per folder (ccache
    # makes the paths relative to each): the record whose tests ran most of
    # it stands for it, which may count a little less than all of them did.
    files = {}
    for entry in data["data"][0]["files"]:
        path = pathlib.Path(entry["filename"]).resolve()
        try:
            library = library_of(path, source)
        except ValueError:
            continue  # outside the source tree
        if library is None:
            continue
        lines = entry["summary"]["lines"]
        known = files.get(path)
        if known is None or lines["covered"] > known[1]["lines"]["covered"]:
            files[path] = (library, entry["summary"])
    totals, weak = {}, []
    for path, (library, summary) in files.items():
        sums = totals.setdefault(library, [0, 0, 0, 0])
        sums[0] += summary["lines"]["covered"]
        sums[1] += summary["lines"]["count"]
        sums[2] += summary["branches"]["covered"]
        sums[3] += summary["branches"]["count"]
        line_share = percent(summary["lines"]["covered"], summary["lines"]["count"])
        if library in ENGINE and line_share < 95:
            weak.append((line_share, str(path.relative_to(source)),
                         summary["lines"]["count"] - summary["lines"]["covered"]))
    print(f"{'library':<15} {'lines':>17} {'branches':>17}")
    for library in sorted(totals, key=lambda name: (name not in ENGINE, name)):
        lines, line_count, branches, branch_count = totals[library]
        print(f"{library:<15} {percent(lines, line_count):6.1f}% {lines:>5}/{line_count:<5}"
              f" {percent(branches, branch_count):6.1f}% {branches:>5}/{branch_count:<5}")
    if list_files:
        print("\nEngine files under 95% of lines (share, file, lines not run):")
        for share, name, missed in sorted(weak):
            print(f"  {share:5.1f}% {name} ({missed})")


main()

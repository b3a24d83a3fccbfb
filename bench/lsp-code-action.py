#!/usr/bin/env python3
"""Times tagora-lsp on a 1 MB PHP document: the code actions offered at a
caret inside a string literal and for a selection of the whole document
(the answer to textDocument/codeAction), a one-character change followed by
that request, and the literal of the whole document made and sent
(workspace/executeCommand until its workspace/applyEdit has arrived),
beside tagora-convert --literal on the same bytes (a process per run) as
the baseline, run interleaved. Times are of the whole round trip through
the pipes, with the client's JSON parsing.
  bench/lsp-code-action.py [BUILD_DIR] [RUNS]
BUILD_DIR defaults to build; RUNS to 21."""
import os
import statistics
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "lsp"))
from lsp_client import Client, OpenDocument, range_of  # noqa: E402

build = sys.argv[1] if len(sys.argv) > 1 else "build"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
lsp = os.path.join(build, "lsp", "tagora-lsp")
convert = os.path.join(build, "cli", "tagora-convert")

# A PHP page of about 1 MB: echo lines with literals holding text beyond ASCII.
line = 'echo "<tr><td class=\\"c\\">caf\u00e9 \U0001F600 \\$x</td><td>%d</td></tr>\\n";\n'
lines = []
size = 0
while size < 1_000_000:
    lines.append(line % len(lines))
    size += len(lines[-1].encode())
text = "<?php\n" + "".join(lines) + "?>\n"
encoded = text.encode()


def timed(action):
    start = time.perf_counter()
    action()
    return (time.perf_counter() - start) * 1000


def main():
    client = Client([lsp], timeout=60)
    client.result("initialize", {"capabilities": {}})
    client.notify("initialized", {})
    document = OpenDocument(client, "file:///bench/page.php", "php", text)
    caret = text.index("caf\u00e9", len(text) // 2)
    figures = {name: [] for name in ["caret actions", "change + caret actions", "whole-document actions",
                                     "literal of 1 MB (LSP)", "tagora-convert --literal"]}

    def caret_actions():
        actions = document.actions(caret, caret)
        assert any(a["command"]["command"] == "tagora.unescape" for a in actions)

    def change_then_actions():
        document.change(caret - 1, caret, text[caret - 1])  # the same character again
        caret_actions()

    whole = []

    def whole_actions():
        whole[:] = document.actions(0, len(text))

    def literal_action():
        action = next(a for a in whole if a["command"]["command"] == "tagora.literal")
        action["command"]["arguments"][0]["version"] = document.version
        before = len(client.requests)
        client.result("workspace/executeCommand", {"command": "tagora.literal",
                                                   "arguments": action["command"]["arguments"]})
        assert client.requests[before]["method"] == "workspace/applyEdit"
        client.requests.clear()

    def baseline():
        subprocess.run([convert, "--to=php", "--literal"], input=encoded, stdout=subprocess.DEVNULL, check=True)

    for _ in range(runs):
        figures["caret actions"].append(timed(caret_actions))
        figures["change + caret actions"].append(timed(change_then_actions))
        figures["whole-document actions"].append(timed(whole_actions))
        figures["literal of 1 MB (LSP)"].append(timed(literal_action))
        figures["tagora-convert --literal"].append(timed(baseline))
    client.finish()
    print("Document: %d bytes of PHP (%d lines); %d runs each, interleaved." % (len(encoded), len(lines) + 2, runs))
    print("%-26s %10s %10s %12s" % ("request", "median ms", "worst ms", "/ baseline"))
    base = statistics.median(figures["tagora-convert --literal"])
    for name, values in figures.items():
        median = statistics.median(values)
        print("%-26s %10.2f %10.2f %12.2f" % (name, median, max(values), median / base))


main()

#!/usr/bin/env python3
"""The real legacy PHP of php/ turned into templates and checked by php.

For every .php file: converted or refused (with its reason); whether the
template parses (`php -l`); the file and its template run by `php -n` in a
copy of the project (each template in place of its file, so includes find
theirs) and compared, output and exit status; and the share of the literal
text that echo and print wrote which became plain HTML; the reasons
--explain gives, by count. Prints the figures;
exit status 1 when a template does not parse or prints something else.

    php_corpus.py TAGORA_CONVERT
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "php")
PHP = ["php", "-n", "-d", "display_errors=stderr", "-d", "max_execution_time=10"]


def run(command, cwd=None):
    try:
        r = subprocess.run(command, capture_output=True, timeout=20, cwd=cwd)
        return r.returncode, r.stdout, r.stderr
    except subprocess.TimeoutExpired:
        return None, b"", b"timeout"


def count_reasons(reasons, explanation):
    """Adds the reasons of --explain's lines ("file:line:column: reason"),
    with what they quote left out, to the counts."""
    for line in explanation.decode(errors="replace").splitlines():
        parts = line.split(": ", 1)
        if len(parts) == 2 and parts[0].count(":") >= 2:
            kind = re.sub(r"`[^`]*`", "`…`", parts[1])
            reasons[kind] = reasons.get(kind, 0) + 1


def print_reasons(reasons):
    print("writes left as code, kept whole or with values computed first, by reason:")
    for kind, count in sorted(reasons.items(), key=lambda item: (-item[1], item[0])):
        print("%6d  %s" % (count, kind))


def main():
    convert = sys.argv[1]
    work = tempfile.mkdtemp()
    originals = os.path.join(work, "original")
    templates = os.path.join(work, "template")
    shutil.copytree(CORPUS, originals)
    shutil.copytree(CORPUS, templates)
    files = sorted(os.path.relpath(os.path.join(d, f), CORPUS)
                   for d, _, names in os.walk(CORPUS) for f in names if f.endswith(".php"))
    counts = dict(converted=0, refused=0, parse=0, no_parse=0, old=0, ran=0, finished=0, same=0, different=0)
    literal = became_html = 0
    reasons = {}
    for name in files:
        source = os.path.join(CORPUS, name)
        status, made, reason = run([convert, "--to=html", "--encoding=auto", "--explain", source])
        if status != 0:
            counts["refused"] += 1
            print("refused %s: %s" % (name, reason.decode(errors="replace").strip()))
            continue
        counts["converted"] += 1
        count_reasons(reasons, reason)
        target = os.path.join(templates, name)
        with open(target, "wb") as f:
            f.write(made)
        if run(["php", "-n", "-l", target])[0] == 0:
            counts["parse"] += 1
        elif run(["php", "-n", "-l", source])[0] != 0:
            counts["old"] += 1  # PHP 8 cannot read the file itself
        else:
            counts["no_parse"] += 1
            print("template of %s does not parse" % name)
        share = run(["php", "-n", "-d", "extension=tokenizer", os.path.join(HERE, "php_text_share.php"), source, target])
        if share[0] == 0 and share[1].split():
            written, before, after = (int(x) for x in share[1].split())
            literal += written
            became_html += max(0, after - before)
    for name in files:
        folder = os.path.dirname(name)
        original = run(PHP + [os.path.basename(name)], cwd=os.path.join(originals, folder))
        template = run(PHP + [os.path.basename(name)], cwd=os.path.join(templates, folder))
        counts["ran"] += 1
        counts["finished"] += original[0] == 0 and bool(original[1])
        if original[:2] == template[:2]:
            counts["same"] += 1
        else:
            counts["different"] += 1
            print("%s prints something else as a template" % name)
    shutil.rmtree(work)
    print("files %d: converted %d, refused %d; templates that parse %d of %d (%d of the others: PHP 8 cannot read "
          "the file itself either)" % (len(files), counts["converted"], counts["refused"], counts["parse"],
                                       counts["converted"], counts["old"]))
    print("run by php -n, original and template: %d (%d of the originals print and end with status 0, the others "
          "stop on what they need: a database, a configuration), printing the same %d, something else %d" % (
              counts["ran"], counts["finished"], counts["same"], counts["different"]))
    print("literal text written by echo and print: %d bytes, of which plain HTML in the templates: %d (%.1f%%)" % (
        literal, became_html, 100.0 * became_html / literal if literal else 0.0))
    print_reasons(reasons)
    return 1 if counts["no_parse"] or counts["different"] else 0


if __name__ == "__main__":
    sys.exit(main())

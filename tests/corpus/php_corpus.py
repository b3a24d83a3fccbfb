#!/usr/bin/env python3
"""Real legacy PHP turned into templates and checked by php.

The projects are the folders of php/ (kept here) and, with MIRRORS, those
of php_sources.txt (read from local git copies, never fetched). For every
.php file: converted or refused (with its reason); whether the template
parses (`php -l`); the file and its template run by `php -n` in a copy of
the project (each template in place of its file, so includes find theirs)
and compared, output and exit status; the share of the literal text that
echo and print write which became plain HTML (by PHP's tokenizer: strings
that are neither array keys nor arguments of a call), per project and by
kind of page (no includes, every include present, one missing or with a
computed path); and the reasons --explain gives, by count, for all pages
and for those whose includes are all present. Prints the figures; exit
status 1 when a template does not parse or prints something else.

    php_corpus.py TAGORA_CONVERT [MIRRORS]

MIRRORS holds a git copy of each repository of php_sources.txt, as
OWNER+NAME/repo (or OWNER+NAME, OWNER+NAME.git) holding the commit named
there.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "php")
SOURCES = os.path.join(HERE, "php_sources.txt")
PHP = ["php", "-n", "-d", "display_errors=stderr", "-d", "max_execution_time=10"]
TOKENIZER = ["php", "-n", "-d", "extension=tokenizer"]
KINDS = ("no includes", "every include present", "an include missing or computed")


def run(command, cwd=None):
    try:
        r = subprocess.run(command, capture_output=True, timeout=20, cwd=cwd)
        return r.returncode, r.stdout, r.stderr
    except subprocess.TimeoutExpired:
        return None, b"", b"timeout"


def git_dir(mirrors, repo):
    stem = os.path.join(mirrors, repo.replace("/", "+"))
    for candidate in (stem + "/repo/.git", stem + "/repo", stem + ".git", stem):
        if os.path.isdir(candidate) and subprocess.run(
                ["git", "--git-dir", candidate, "rev-parse", "-q", "--verify", "HEAD"],
                capture_output=True).returncode == 0:
            return candidate
    return None


def extract(git, commit, folder, into):
    """The .php files of the commit's folder (and the files they may
    include), but for those whose content the copy lacks."""
    listing = subprocess.run(["git", "--git-dir", git, "ls-tree", "-r", "-z", commit, "--", folder],
                             capture_output=True, check=True).stdout
    for entry in filter(None, listing.split(b"\0")):
        info, path = entry.split(b"\t", 1)
        mode, kind, blob = info.split()
        if kind != b"blob" or mode == b"120000" or not re.search(rb"\.(php|inc|tpl|html?|txt)$", path, re.I):
            continue
        content = subprocess.run(["git", "--git-dir", git, "cat-file", "blob", blob], capture_output=True)
        if content.returncode != 0:
            continue
        target = os.path.join(into, os.path.relpath(os.fsdecode(path), folder))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(content.stdout)


def projects(mirrors, work):
    """(name, folder) of each project: php/'s, then the mirrored ones."""
    found = [(name, os.path.join(CORPUS, name)) for name in sorted(os.listdir(CORPUS))]
    if not mirrors:
        return found
    for line in open(SOURCES):
        if not line.strip() or line.startswith("#"):
            continue
        repo, commit, folder = line.split()[:3]
        git = git_dir(mirrors, repo)
        if not git:
            print("%s: no copy under %s" % (repo, mirrors))
            continue
        into = os.path.join(work, "mirrored", repo.replace("/", "+"))
        extract(git, commit, "" if folder == "." else folder, into)
        found.append((repo, into))
    return found


def include_kind(page, root, cache):
    """Whether the page includes nothing, only files that are present
    (found from the including file's folder or the project's root, as
    far as they include others), or one that is missing or has a path
    computed when the page runs."""
    folders, pending, seen, any_include = {}, [page], {page}, False
    while pending:
        path = pending.pop()
        if path not in cache:
            cache[path] = run(TOKENIZER + [os.path.join(HERE, "php_include_paths.php"), path])[1].decode(
                errors="replace").splitlines()
        for line in cache[path]:
            kind, _, rest = line.partition(" ")
            if kind == "folder":
                folders[rest] = True
                continue
            any_include = True
            if kind == "computed":
                return KINDS[2]
            if kind == "constant":
                name, _, rest = rest.partition(" ")
                if name not in folders:
                    return KINDS[2]
            named = rest.lstrip("/") if kind in ("here", "constant") else rest
            bases = [os.path.dirname(path)] if kind == "here" else [os.path.dirname(path), root]
            found = [os.path.normpath(os.path.join(base, named)) for base in bases
                     if os.path.isfile(os.path.join(base, named))]
            if not found or not os.path.realpath(found[0]).startswith(os.path.realpath(root) + os.sep):
                return KINDS[2]
            if found[0] not in seen:
                seen.add(found[0])
                pending.append(found[0])
    return KINDS[1] if any_include else KINDS[0]


def count_reasons(reasons, explanation):
    """Adds the reasons of --explain's lines ("file:line:column: reason"),
    with what they quote left out, to the counts."""
    for line in explanation.decode(errors="replace").splitlines():
        parts = line.split(": ", 1)
        if len(parts) == 2 and parts[0].count(":") >= 2:
            kind = re.sub(r"`[^`]*`", "`…`", parts[1])
            reasons[kind] = reasons.get(kind, 0) + 1


def print_reasons(title, reasons):
    print(title)
    for kind, count in sorted(reasons.items(), key=lambda item: (-item[1], item[0])):
        print("%6d  %s" % (count, kind))


def share(html, text):
    return "%5.1f%% (%d of %d bytes)" % (100.0 * html / text if text else 100.0, html, text)


class Project:
    def __init__(self, name, source, work):
        self.name, self.source = name, source
        self.originals = os.path.join(work, "original", name.replace("/", "+"))
        self.templates = os.path.join(work, "template", name.replace("/", "+"))
        shutil.copytree(source, self.originals)
        shutil.copytree(source, self.templates)
        self.files = sorted(os.path.relpath(os.path.join(d, f), source)
                            for d, _, names in os.walk(source) for f in names if f.endswith(".php"))
        self.counts = dict(converted=0, refused=0, parse=0, no_parse=0, old=0, ran=0, finished=0, same=0,
                           different=0, all=0, written=0, html=0)
        self.converted = []


def convert_all(convert, project, totals, kinds, reasons, reasons_present, worst):
    cache, counts = {}, project.counts
    for name in project.files:
        source = os.path.join(project.source, name)
        status, made, reason = run([convert, "--to=html", "--encoding=auto", "--explain", "--root", project.source,
                                    source])
        if status != 0:
            counts["refused"] += 1
            print("refused %s/%s: %s" % (project.name, name, reason.decode(errors="replace").strip()))
            continue
        counts["converted"] += 1
        project.converted.append(name)
        kind = include_kind(source, project.source, cache)
        count_reasons(reasons, reason)
        if kind == KINDS[1]:
            count_reasons(reasons_present, reason)
        target = os.path.join(project.templates, name)
        with open(target, "wb") as f:
            f.write(made)
        if run(["php", "-n", "-l", target])[0] == 0:
            counts["parse"] += 1
        elif run(["php", "-n", "-l", source])[0] != 0:
            counts["old"] += 1  # PHP 8 cannot read the file itself
        else:
            counts["no_parse"] += 1
            print("template of %s/%s does not parse" % (project.name, name))
        figures = run(TOKENIZER + [os.path.join(HERE, "php_text_share.php"), source, target])
        if figures[0] == 0 and len(figures[1].split()) == 4:
            literal, written, before, after = (int(x) for x in figures[1].split())
            html = min(written, max(0, after - before))
            counts["all"] += literal
            counts["written"] += written
            counts["html"] += html
            kinds.setdefault(kind, [0, 0, 0])
            kinds[kind] = [kinds[kind][0] + 1, kinds[kind][1] + html, kinds[kind][2] + written]
            worst.append((written - html, written, "%s/%s (%s)" % (project.name, name, kind)))


def run_all(project):
    counts = project.counts
    for name in project.converted:
        folder = os.path.dirname(name)
        original = run(PHP + [os.path.basename(name)], cwd=os.path.join(project.originals, folder))
        template = run(PHP + [os.path.basename(name)], cwd=os.path.join(project.templates, folder))
        counts["ran"] += 1
        counts["finished"] += original[0] == 0 and bool(original[1])
        if original[:2] == template[:2]:
            counts["same"] += 1
        else:
            counts["different"] += 1
            print("%s/%s prints something else as a template" % (project.name, name))


def main():
    if len(sys.argv) < 2 or sys.argv[1] == "--help":
        sys.exit(__doc__)
    convert = os.path.abspath(sys.argv[1])
    mirrors = sys.argv[2] if len(sys.argv) > 2 else None
    work = tempfile.mkdtemp(prefix="php-corpus-")
    totals = dict(files=0, converted=0, refused=0, parse=0, no_parse=0, old=0, ran=0, finished=0, same=0,
                  different=0, all=0, written=0, html=0)
    kinds, reasons, reasons_present, worst = {}, {}, {}, []
    try:
        for name, source in projects(mirrors, work):
            project = Project(name, source, work)
            convert_all(convert, project, totals, kinds, reasons, reasons_present, worst)
            run_all(project)
            c = project.counts
            print("%-30s %4d files: converted %4d, refused %3d; print the same %4d, something else %d; "
                  "written text now HTML %s" % (name, len(project.files), c["converted"], c["refused"], c["same"],
                                                 c["different"], share(c["html"], c["written"])))
            totals["files"] += len(project.files)
            for key in c:
                totals[key] += c[key]
    finally:
        shutil.rmtree(work)
    t = totals
    print("files %d: converted %d, refused %d; templates that parse %d of %d (%d of the others: PHP 8 cannot read "
          "the file itself either)" % (t["files"], t["converted"], t["refused"], t["parse"], t["converted"], t["old"]))
    print("run by php -n, original and template: %d (%d of the originals print and end with status 0, the others "
          "stop on what they need: a database, a configuration), printing the same %d, something else %d" % (
              t["ran"], t["finished"], t["same"], t["different"]))
    print("literal text that echo and print write: %d bytes, of which plain HTML in the templates: %s"
          % (t["written"], share(t["html"], t["written"])))
    print("every string literal inside echo and print, keys and arguments too (the older measure): %d bytes, "
          "plain HTML %s" % (t["all"], share(t["html"], t["all"])))
    for kind in KINDS:
        if kind in kinds:
            pages, html, text = kinds[kind]
            print("%-32s %4d files: written text now HTML %s" % (kind, pages, share(html, text)))
    for left, text, name in sorted(worst, reverse=True)[:10]:
        if left:
            print("%6d bytes left in code of %6d: %s" % (left, text, name))
    print_reasons("writes left as code, kept whole or with values computed first, by reason:", reasons)
    print_reasons("the same, on the files whose includes are all present:", reasons_present)
    return 1 if t["no_parse"] or t["different"] else 0


if __name__ == "__main__":
    sys.exit(main())

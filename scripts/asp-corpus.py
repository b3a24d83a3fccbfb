#!/usr/bin/env python3
"""Real public classic ASP pages (tests/asp_corpus/sources.txt) through
tagora-convert --to=html: prints per project and in all how many pages were
converted and refused, how many templates VBScript compiles (Wine's cscript;
among the pages whose own code it compiles, includes expanded), and the
share of the text their Response.Write statements write that became plain
HTML, as the --dry-run report counts it: per project, by kind of page
(includes none, all found or some missing; skips errors or not, that is
holds On Error Resume Next itself or in an include) and for the pages
that keep the most text in code; and the reasons --explain gives for the
writes kept whole or evaluated first, by count.

Usage: scripts/asp-corpus.py MIRRORS [BUILD_DIR]
MIRRORS holds a git copy of each repository, as OWNER+NAME/repo (or
OWNER+NAME, OWNER+NAME.git), holding the commit named in sources.txt."""
import sys

if sys.argv[1:2] == ["--help"]:
    print(__doc__)
    sys.exit(0)


import os
import re
import shutil
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCES = os.path.join(HERE, "..", "tests", "asp_corpus", "sources.txt")
INCLUDE = re.compile(rb'<!--\s*#include\s+(file|virtual)\s*=\s*"([^"]*)"\s*-->', re.I)
REPORT = re.compile(r"\((\d+) of (\d+) bytes\)$", re.M)
EXPLANATION = re.compile(r"^\S+:\d+:\d+: (.*)$", re.M)


def git_dir(mirrors, repo):
    stem = os.path.join(mirrors, repo.replace("/", "+"))
    for candidate in (stem + "/repo/.git", stem + "/repo", stem + ".git", stem):
        if os.path.isdir(candidate) and subprocess.run(
                ["git", "--git-dir", candidate, "rev-parse", "-q", "--verify", "HEAD"],
                capture_output=True).returncode == 0:
            return candidate
    return None


def extract(git, commit, into):
    """The commit's files, but for those whose content the copy lacks
    (large binaries are often left out)."""
    listing = subprocess.run(["git", "--git-dir", git, "ls-tree", "-r", "-z", commit],
                             capture_output=True, check=True).stdout
    for entry in filter(None, listing.split(b"\0")):
        info, path = entry.split(b"\t", 1)
        mode, kind, blob = info.split()
        if kind != b"blob" or mode == b"120000":
            continue
        content = subprocess.run(["git", "--git-dir", git, "cat-file", "blob", blob], capture_output=True)
        if content.returncode != 0:
            continue
        target = os.path.join(into, os.fsdecode(path))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(content.stdout)


SKIPS = re.compile(rb"on\s+error\s+resume\s+next", re.I)
WORST = 10


def includes_found(text, folder, root, depth=0):
    """None when the page includes nothing, else whether every include
    (and theirs) was found."""
    found = None
    for match in INCLUDE.finditer(text):
        path = match.group(2).decode("latin-1").replace("\\", "/")
        base = root if match.group(1).lower() == b"virtual" and path.startswith("/") else folder
        full = os.path.normpath(os.path.join(base, path.lstrip("/")))
        if depth >= 8 or not os.path.isfile(full):
            return False
        with open(full, "rb") as included:
            found = includes_found(included.read(), os.path.dirname(full), root, depth + 1) is not False
        if not found:
            return False
    return found


def kind_of_page(text, folder, root):
    found = includes_found(text, folder, root)
    includes = "no includes" if found is None else "includes found" if found else "includes missing"
    skips = SKIPS.search(expanded(text, folder, root)) is not None
    return "%s, %s" % (includes, "skips errors" if skips else "no error skipping")


def expanded(text, folder, root, depth=0):
    """What ASP compiles: includes replaced by their files (missing ones by
    nothing), as far as eight deep."""
    def replace(match):
        path = match.group(2).decode("latin-1").replace("\\", "/")
        base = root if match.group(1).lower() == b"virtual" and path.startswith("/") else folder
        full = os.path.normpath(os.path.join(base, path.lstrip("/")))
        if depth >= 8 or not os.path.isfile(full):
            return b""
        with open(full, "rb") as included:
            return expanded(included.read(), os.path.dirname(full), root, depth + 1)
    return INCLUDE.sub(replace, text)


def program(page):
    """The VBScript ASP compiles a page into, after an Err.Raise that stops
    it before anything runs: a compilation error shows instead."""
    code, explicit, pos = [], False, 0
    while pos < len(page):
        open_at = page.find(b"<%", pos)
        text = page[pos:] if open_at < 0 else page[pos:open_at]
        if text:
            code.append(b'Response.Write "' + text.replace(b'"', b'""').replace(b"\r", b'" & vbCr & "')
                        .replace(b"\n", b'" & vbLf & "') + b'"')
        if open_at < 0:
            break
        close = page.find(b"%>", open_at + 2)
        if close < 0:
            code.append(b"this page never closes a block")
            break
        block = page[open_at + 2:close]
        if block.startswith(b"="):
            code.append(b"Response.Write (" + block[1:] + b")")
        elif not block.startswith(b"@"):
            if block.strip().lower().startswith(b"option explicit"):
                explicit, block = True, block.strip()[15:]
            code.append(block)
        pos = close + 2
    return (b"Option Explicit\r\n" if explicit else b"") + b"Err.Raise 9999\r\n" + b"\r\n".join(code)


DRIVER = r'''Dim fso, out, engine, i
Set fso = CreateObject("Scripting.FileSystemObject")
For i = FIRST To PROGRAMS - 1
  Set engine = CreateObject("MSScriptControl.ScriptControl")
  engine.Language = "VBScript"
  On Error Resume Next
  engine.AddCode fso.OpenTextFile("p" & i & ".vbs", 1, False, 0).ReadAll
  Set out = fso.OpenTextFile("errors.txt", 8, True)
  out.WriteLine i & " " & Err.Number
  out.Close
  Err.Clear
  On Error GoTo 0
Next
'''


def compile_errors(programs, work):
    '''The error each program stops with: 9999 when it compiles, None when
    the engine itself failed on it (cscript is started again after it).'''
    for i, code in enumerate(programs):
        with open(os.path.join(work, "p%d.vbs" % i), "wb") as f:
            f.write(code)
    env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               WINEPREFIX=os.path.join(work, "..", "wineprefix"))
    env.pop("DISPLAY", None)
    errors = {}
    first = 0
    while first < len(programs):
        with open(os.path.join(work, "driver.vbs"), "w", newline="\r\n") as f:
            f.write(DRIVER.replace("FIRST", str(first)).replace("PROGRAMS", str(len(programs))))
        try:
            subprocess.run(["wine", "cscript", "//nologo", "driver.vbs"], cwd=work, env=env,
                           capture_output=True, timeout=600)
        except subprocess.TimeoutExpired:
            pass
        if os.path.exists(os.path.join(work, "errors.txt")):
            with open(os.path.join(work, "errors.txt")) as f:
                for line in f:
                    index, number = line.split()
                    errors[int(index)] = int(number)
        progress = first
        while progress in errors:
            progress += 1
        if progress == first:  # cscript stopped on this one: go on after it
            errors[first] = None
            progress += 1
        first = progress
    return [errors.get(i) for i in range(len(programs))]


def convert(tool, page, root, output):
    common = [tool, "--to=html", "--encoding=auto", "--root", root, page]
    report = subprocess.run(common + ["--dry-run", "--explain"], capture_output=True, text=True, errors="replace")
    made = subprocess.run(common + ["-o", output], capture_output=True)
    return report.returncode == 0 and made.returncode == 0, report.stdout.strip() or report.stderr.strip()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    mirrors, build = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "build"
    tool = os.path.abspath(os.path.join(build, "cli", "tagora-convert"))
    work = tempfile.mkdtemp(prefix="asp-corpus-")
    totals = dict(pages=0, converted=0, refused=0, compiled=0, parse=0, html=0, text=0)
    refusals, programs, pairs, names, kinds, shares, reasons = [], [], [], [], {}, [], {}
    try:
        for line in open(SOURCES):
            if not line.strip() or line.startswith("#"):
                continue
            repo, commit = line.split()[:2]
            git = git_dir(mirrors, repo)
            if not git:
                print("%-45s no copy under %s" % (repo, mirrors))
                continue
            root = os.path.join(work, repo.replace("/", "+"))
            os.makedirs(root)
            extract(git, commit, root)
            counts = dict(pages=0, converted=0, refused=0, html=0, text=0)
            for folder, subfolders, names in os.walk(root):
                # FrontPage's notes on each file, which share its name
                subfolders[:] = [sub for sub in subfolders if sub.lower() != "_vti_cnf"]
                for name in sorted(n for n in names if n.lower().endswith(".asp")):
                    page = os.path.join(folder, name)
                    counts["pages"] += 1
                    output = page + ".template"
                    ok, report = convert(tool, page, root, output)
                    if not ok:
                        counts["refused"] += 1
                        refusals.append("%s %s" % (repo, report.replace(work + "/", "")))
                        continue
                    counts["converted"] += 1
                    for reason in EXPLANATION.findall(report):
                        kind = re.sub(r"`[^`]*`", "`…`", reason)
                        reasons[kind] = reasons.get(kind, 0) + 1
                    found = REPORT.search(report)
                    if found:
                        html, text = int(found.group(1)), int(found.group(2))
                        counts["html"] += html
                        counts["text"] += text
                        with open(page, "rb") as original:
                            kind = kind_of_page(original.read(), folder, root)
                        kinds.setdefault(kind, [0, 0, 0])
                        kinds[kind] = [kinds[kind][0] + 1, kinds[kind][1] + html, kinds[kind][2] + text]
                        shares.append((text - html, html, text, os.path.relpath(page, work)))
                    with open(page, "rb") as original, open(output, "rb") as template:
                        pairs.append(len(programs))
                        names.append(os.path.relpath(page, work))
                        programs.append(program(expanded(original.read(), folder, root)))
                        programs.append(program(expanded(template.read(), folder, root)))
            share = 100.0 * counts["html"] / counts["text"] if counts["text"] else 100.0
            print("%-45s %4d pages: %4d converted, %3d refused; %5.1f%% of written text now HTML"
                  % (repo, counts["pages"], counts["converted"], counts["refused"], share))
            for key in counts:
                totals[key] += counts[key]
        wine = os.path.join(work, "wine")
        os.makedirs(wine)
        errors = compile_errors(programs, wine) if shutil.which("wine") else []
        failed = sum(1 for number in errors if number is None)
        if failed:
            print("the VBScript engine itself failed on %d of %d programs" % (failed, len(programs)))
        for first in pairs if len(errors) == len(programs) else []:
            if errors[first] == 9999:
                totals["compiled"] += 1
                totals["parse"] += errors[first + 1] == 9999
                if errors[first + 1] != 9999:
                    print("template does not compile: %s" % names[first // 2])
    finally:
        shutil.rmtree(work, ignore_errors=True)
    share = 100.0 * totals["html"] / totals["text"] if totals["text"] else 100.0
    print("all: %d pages, %d converted, %d refused; %d of the %d templates of pages VBScript compiles compile too;"
          " %.1f%% of written text now HTML (%d of %d bytes)"
          % (totals["pages"], totals["converted"], totals["refused"], totals["parse"], totals["compiled"],
             share, totals["html"], totals["text"]))
    for kind, (pages, html, text) in sorted(kinds.items()):
        print("%-45s %4d pages: %5.1f%% of written text now HTML (%d of %d bytes)"
              % (kind, pages, 100.0 * html / text if text else 100.0, html, text))
    for left, html, text, name in sorted(shares, reverse=True)[:WORST]:
        if left:
            print("%5d bytes left in code of %5d: %s" % (left, text, name))
    print("writes kept whole or with values computed first, by reason (--explain, what it quotes left out):")
    for kind, count in sorted(reasons.items(), key=lambda item: (-item[1], item[0])):
        print("%6d  %s" % (count, kind))
    for refusal in refusals:
        print("refused:", refusal)


if __name__ == "__main__":
    main()

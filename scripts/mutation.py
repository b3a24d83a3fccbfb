#!/usr/bin/env python3
"""Plants faults in the engine and the command line one at a time and runs
their tests on each: a test that fails (or runs out of time) catches the
fault; a fault no test notices survives.

    mutation.py [--seed N] [--count N] [--only I,J,...] [--work DIR]
                [--timeout SECONDS] [--tests REGEX]

The faults are drawn with the seed from every place in input_text/,
script_writer/, script_reader/ and cli/ where one of these changes applies:
a comparison turned into its neighbour (< and <=, > and >=, == and !=), &&
and || swapped, + and - swapped, a negation dropped, a condition reversed
(the branches swapped), a true or a false flipped, a whole-number constant
changed by one. The same seed on the same sources draws the same faults;
--only runs some of them again (by their number in the table of the last
full run with that seed, kept in WORK/faults-seed-N.json).

The tree is copied to WORK/src (build-mutation/src by default), built there
in Release with ccache when CMAKE_CXX_COMPILER_LAUNCHER says so, and each
fault is written into the copy and built (only the test programs, the
command line and its completion writer; make rebuilds only what the
changed file reaches). A fault the compiler refuses, or in a file none of
these programs compiles, is drawn again; one that leaves every program as it
was is equivalent (the compiler proved it). Only the tests that run a
program the fault changed are run (a test runs the programs named on its
command line or in its environment, and those whose path is written into
them), with ctest until one fails, and the file is put back. At the end the
tests that caught a fault run once more without any (unless they passed
on the same sources before): a catch by a test that fails anyway is
"unsure", not counted. Prints a table: number, place, change, result, the test that
caught it. Long: run it with nice when the build cache is warm.
"""
import argparse
import hashlib
import json
import os
import pathlib
import random
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ("input_text", "script_writer", "script_reader", "cli")
# The programs the tests below need, and the completion its test compares.
TARGETS = ("tagora-convert", "tagora-convert-completion", "tagora-convert-completion-script", "tst_input_text", "tst_html_encoding", "tst_script_generator", "tst_interpreter_round_trip",
           "tst_php_template", "tst_asp_template", "tst_legacy_asp_round_trip", "tst_lexers", "tst_jsp",
           "tst_syntax_spans", "tst_cli_runs", "tst_cli_encodings", "tst_cli_script_to_html",
           "tst_cli_large_inputs", "tst_cli_files", "tst_cli_batches", "fuzz_input_text", "fuzz_html_encoding",
           "fuzz_round_trip", "fuzz_utf8_script", "fuzz_php_template", "fuzz_asp_template",
           "fuzz_jsp_template", "fuzz_syntax_spans")
# The engine's tests, the command line's, and the fuzz harnesses' saved inputs.
TESTS = r"^(tst_(input_text|html_encoding|script_generator|interpreter_round_trip|php_template|asp_template|" \
        r"legacy_asp_round_trip|lexers|jsp|syntax_spans|cli_(runs|encodings|script_to_html|large_inputs|files|batches))|cli_php_.*|cli_other_file_system|" \
        r"cli_bash_completion|" \
        r"fuzz_(input_text|html_encoding|round_trip|utf8_script|php_template|asp_template|jsp_template|" \
        r"syntax_spans)_corpus)$"

# Those of them that take longest, run last.
SLOW = r"^(tst_(interpreter_round_trip|jsp|cli_script_to_html|cli_large_inputs|php_template)|cli_php_differential)$"

# Each change: a pattern on code (strings and comments blanked out) and what
# the match becomes.
def swap(table):
    return lambda text: table[text]


CHANGES = [
    ("comparison", re.compile(r"(?<=\s)(<=|>=|<|>|==|!=)(?=\s)"),
     swap({"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="})),
    ("logic", re.compile(r"(?<=\s)(&&|\|\|)(?=\s)"), swap({"&&": "||", "||": "&&"})),
    ("arithmetic", re.compile(r"(?<=\s)([+-])(?=\s)"), swap({"+": "-", "-": "+"})),
    ("negation dropped", re.compile(r"(?<=[(\s])!(?=[\w(])"), lambda text: ""),
    ("boolean", re.compile(r"\b(true|false)\b"), swap({"true": "false", "false": "true"})),
    ("constant", re.compile(r"(?<![\w.'])(\d+)(?![\w.'])"), lambda text: str(int(text) + 1)),
]
CONDITION = re.compile(r"\b(if|while) \(")


def blank_strings_and_comments(text):
    """The text with the insides of string and character literals and
    comments replaced by spaces, so that offsets stay the same."""
    out, i, n = list(text), 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out[i:end] = " " * (end - i)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out[i:end] = [ch if ch == "\n" else " " for ch in text[i:end]]
            i = end
        elif c in "\"'" and not (c == "'" and i and text[i - 1].isalnum()):  # not 1'000
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out[i + 1:j] = " " * (j - i - 1)
            i = j + 1
        elif c == "#" and (i == 0 or text[i - 1] == "\n"):  # preprocessor line
            end = text.find("\n", i)
            end = n if end < 0 else end
            out[i:end] = " " * (end - i)
            i = end
        else:
            i += 1
    return "".join(out)


def closing_paren(code, start):
    depth = 0
    for i in range(start, len(code)):
        if code[i] == "(":
            depth += 1
        elif code[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def sites(path, text):
    """Every (offset, length, replacement, kind) that changes PATH."""
    code = blank_strings_and_comments(text)
    found = []
    for kind, pattern, change in CHANGES:
        for match in pattern.finditer(code):
            line_start = code.rfind("\n", 0, match.start()) + 1
            line = code[line_start:code.find("\n", match.start())]
            if kind == "comparison" and ("template" in line or "operator" in line):
                continue
            if kind == "constant" and re.search(r"\[\s*$", code[line_start:match.start()]):
                continue  # array sizes mostly fail to compile
            found.append((match.start(), len(match.group(0)), change(match.group(0)), kind))
    for match in CONDITION.finditer(code):
        open_at = match.end() - 1
        close_at = closing_paren(code, open_at)
        if close_at > 0 and "\n" not in code[open_at:close_at]:
            condition = text[open_at + 1:close_at]
            if condition.startswith(("const ", "auto ")) or ";" in condition:
                continue  # an if with an initialiser
            found.append((open_at + 1, close_at - open_at - 1, "!(" + condition + ")", "condition reversed"))
    return [(path, *site) for site in found]


def all_sites(source):
    everything = []
    for folder in FOLDERS:
        for path in sorted((source / folder).rglob("*")):
            if path.suffix in (".cpp", ".h") and path.is_file():
                everything += sites(path.relative_to(source), path.read_text(encoding="utf-8"))
    return everything


def run(command, cwd, timeout=None, log=None):
    result = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            errors="replace", timeout=timeout)
    if log:
        pathlib.Path(log).write_text(result.stdout)
    return result


def copy_tree(work):
    """The copy, and a digest of its sources. A file that differs from the
    tree's is written anew, with the present time: keeping the tree's older
    time would leave make believing the objects built from a fault that a
    stopped run left in the copy are up to date."""
    source = work / "src"
    files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, stdout=subprocess.PIPE, check=True).stdout
    sources = hashlib.sha256()
    for name in files.decode().split("\0"):
        if not name or not (ROOT / name).is_file():
            continue
        target = source / name
        content = (ROOT / name).read_bytes()
        sources.update(name.encode() + b"\0" + hashlib.sha256(content).digest())
        if not target.exists() or target.read_bytes() != content:
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(ROOT / name, target)
            shutil.copymode(ROOT / name, target)
    return source, sources.hexdigest()


def build(source, jobs):
    return run(["cmake", "--build", "build", "-j", str(jobs), "--target", *TARGETS], source)


def programs(source):
    """The programs of TARGETS in the copy's build, by path."""
    found = {}
    for path in (source / "build").rglob("*"):
        if path.name in TARGETS and path.is_file() and os.access(path, os.X_OK) and "CMakeFiles" not in path.parts:
            found[str(path)] = path
    return found


def object_of(source, relative):
    """The object files compiled from RELATIVE in the build."""
    # A library's objects lie in the build folder of its CMakeLists.txt,
    # which may be above the file's folder: .../CMakeFiles/LIB.dir/report/x.cpp.o
    name = relative.name + ".o"
    return sorted(p for p in (source / "build").rglob(name)
                  if "CMakeFiles" in p.parts and relative.parent.name in ("", *p.parts))


def digests(paths):
    return {name: hashlib.sha256(path.read_bytes()).hexdigest() for name, path in paths.items()}


def programs_of_tests(source, pattern, paths):
    """For each test ctest selects with PATTERN, the programs it runs: those
    named on its command line or in its environment, and those whose path
    one of these has written into it (a test that starts the command line)."""
    listing = run(["ctest", "--test-dir", "build", "-R", pattern, "--show-only=json-v1"], source)
    tests = json.loads(listing.stdout)["tests"]
    def written(other, program):  # as UTF-8, or as UTF-16 (a QStringLiteral)
        return other.encode() in program or other.encode("utf-16-le") in program

    contents = {name: path.read_bytes() for name, path in paths.items()}
    written_in = {name: {other for other in paths if other != name and written(other, contents[name])}
                  for name in paths}
    used = {}
    for test in tests:
        words = list(test.get("command", []))
        for prop in test.get("properties", []):
            if prop["name"] == "ENVIRONMENT":
                words += prop["value"]
        text = "\n".join(words)
        direct = {name for name in paths if name in text}
        used[test["name"]] = direct.union(*(written_in[name] for name in direct))
    return used


def run_tests(source, names, args, log):
    """Runs the tests named until one fails; none: passed."""
    if not names:
        return subprocess.CompletedProcess([], 0, "")
    return run(["ctest", "--test-dir", "build", "-j", str(args.jobs), "--timeout", str(args.timeout), "--stop-on-failure",
                "-R", "^(" + "|".join(map(re.escape, names)) + ")$"], source, log=log)


def check_catchers(source, rows, args, work, stamp):
    """The tests that caught a fault are run once more without any: a
    catch by a test that fails anyway is no catch. Tests that passed on
    the same sources before are not run again."""
    passed = work / "passed-without-faults.json"
    known = json.loads(passed.read_text()) if passed.exists() else {}
    cleared = set(known.get(stamp, []))
    catchers = {name for row in rows if row[5] == "caught" for name in row[7]}
    ran = run_tests(source, sorted(catchers - cleared), args,
                    work / "without-faults.log")
    failing = set(failed_tests(ran.stdout))
    if ran.returncode != 0 and not failing:
        sys.exit("mutation.py: the tests without any fault did not run: see " + str(work / "without-faults.log"))
    passed.write_text(json.dumps({stamp: sorted((cleared | catchers) - failing)}))
    checked = []
    for row in rows:
        if row[5] == "caught" and row[7] and set(row[7]) <= failing:
            row = row[:5] + ("unsure", row[6] + "; fails without the fault too", row[7])
        checked.append(row)
    return checked


def failed_tests(output):
    names = re.findall(r"^\s*\d+ - (\S+) \((?:Failed|Timeout|SEGFAULT|Subprocess aborted|Child aborted|"
                       r"Exception|[^)]*)\)", output, re.M)
    return sorted(set(names))


def describe(text, offset, length, replacement):
    line = text.count("\n", 0, offset) + 1
    start = text.rfind("\n", 0, offset) + 1
    end = text.find("\n", offset)
    before = text[start:end].strip()
    after = (text[start:offset] + replacement + text[offset + length:end]).strip()
    return line, before, after


def stop_on_signal(number, frame):
    # The file being changed is put back by the finally of main()'s loop.
    sys.exit(f"mutation.py: stopped by signal {number}")


def main():
    for number in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, stop_on_signal)
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--seed", type=int, default=2026)
    parser.add_argument("--count", type=int, default=30)
    parser.add_argument("--only", default="", help="numbers of the table to run again, e.g. 3,17")
    parser.add_argument("--work", type=pathlib.Path, default=ROOT / "build-mutation")
    parser.add_argument("--timeout", type=int, default=300, help="seconds each test may take")
    parser.add_argument("--tests", default=TESTS, help="ctest -R pattern of the tests to run")
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()
    work = args.work.resolve()
    source, sources = copy_tree(work)
    configure = ["cmake", "-S", ".", "-B", "build"]
    if not (source / "build" / "CMakeCache.txt").exists():
        configure += ["-DCMAKE_BUILD_TYPE=Release", "-DTAGORA_BUILD_BENCH=OFF"]
    run(configure, source)
    started = time.monotonic()
    baseline = build(source, args.jobs)
    if baseline.returncode != 0:
        sys.exit("mutation.py: the copy does not build:\n" + baseline.stdout[-3000:])
    tests = ["ctest", "--test-dir", "build", "-R", args.tests, "-j", str(args.jobs), "--timeout", str(args.timeout)]
    wanted = {int(n) for n in args.only.split(",") if n}
    print(f"seed {args.seed}; tests: ctest -R '{args.tests}'; copy built in {time.monotonic() - started:.0f} s",
          flush=True)
    paths = programs(source)
    unchanged = digests(paths)
    uses = programs_of_tests(source, args.tests, paths)

    candidates = all_sites(source)
    generator = random.Random(args.seed)
    generator.shuffle(candidates)
    # The draws that compiled, by number, kept for --only.
    record = work / f"faults-seed-{args.seed}.json"
    if wanted and not record.exists():
        sys.exit(f"mutation.py: --only needs a full run with seed {args.seed} first ({record})")
    drawn = json.loads(record.read_text()) if wanted else None
    if drawn is not None:
        order = [(n + 1, candidates[i]) for n, i in enumerate(drawn) if n + 1 in wanted]
    else:
        order, drawn = list(enumerate(candidates)), []
    rows, number = [], 0
    originals = {}
    for index, (path, offset, length, replacement, kind) in order:
        if len(drawn) >= args.count and not wanted:
            break
        if path.suffix == ".cpp" and not object_of(source, path):
            continue  # in none of the programs built: drawn again
        file = source / path
        text = originals.setdefault(path, file.read_text(encoding="utf-8"))
        mutated = text[:offset] + replacement + text[offset + length:]
        try:
            file.write_text(mutated, encoding="utf-8")
            built = build(source, args.jobs)
            if built.returncode != 0:
                continue  # the compiler refuses it: drawn again
            if wanted:
                number = index
            else:
                drawn.append(index)
                record.write_text(json.dumps(drawn))
                number = len(drawn)
            line, before, after = describe(text, offset, length, replacement)
            changed = {name for name, value in digests(paths).items() if value != unchanged[name]}
            reached = sorted(test for test, used in uses.items() if used & changed)
            if not changed:
                result, caught, failed = "equivalent", "same programs", []
            else:
                t0 = time.monotonic()
                # The quick tests first: most faults are caught there.
                quick = [test for test in reached if not re.match(SLOW, test)]
                slow = [test for test in reached if re.match(SLOW, test)]
                ran = run_tests(source, quick, args, work / f"fault-{number}.log")
                if ran.returncode == 0:
                    ran = run_tests(source, slow, args, work / f"fault-{number}-slow.log")
                failed = failed_tests(ran.stdout)
                result = "caught" if ran.returncode != 0 else "survived"
                caught = ", ".join(failed) if failed else ("" if ran.returncode == 0 else "ctest failed")
                caught += f" ({time.monotonic() - t0:.0f} s)"
            rows.append((number, f"{path}:{line}", kind, before, after, result, caught, failed))
            print(f"{number:3} {path}:{line} [{kind}] {result}: {caught}\n      - {before}\n      + {after}",
                  flush=True)
        finally:
            file.write_text(text, encoding="utf-8")
    build(source, args.jobs)  # the copy as it was, for the next run
    rows = check_catchers(source, rows, args, work, f"{sources} {args.tests}")

    counted = [row for row in rows if row[5] not in ("equivalent", "unsure")]
    caught = sum(1 for row in counted if row[5] == "caught")
    print("\n| # | place | change | result |\n|---|---|---|---|")
    for row in rows:
        before, after = (text.replace("|", "\\|") for text in (row[3], row[4]))
        print(f"| {row[0]} | {row[1]} | {row[2]}: `{before}` to `{after}` | {row[5]}: {row[6]} |")
    print(f"\n{len(rows)} faults: {caught} caught, {len(counted) - caught} survived, "
          f"{sum(1 for row in rows if row[5] == 'unsure')} unsure (a test that fails anyway), "
          f"{sum(1 for row in rows if row[5] == 'equivalent')} equivalent (same programs); "
          f"{100.0 * caught / len(counted) if counted else 100:.0f}% of the others caught; "
          f"{time.monotonic() - started:.0f} s")


main()

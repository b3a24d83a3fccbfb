#!/usr/bin/env python3
"""PHP pages made invalid by one small edit, judged by `php -l`, and read
by tagora-convert --to=html.

Each case takes a page that PHP reads (tests/engine/legacy_php/ and the
folders given), and makes one edit of its code at a token drawn with the
seed: a token deleted, doubled, or swapped with the next one, or an
operator, bracket, "," or ";" put in front of it. `php -n -l` judges the
result. Prints how many pages PHP rejected and how many of those
tagora-convert refused (its message must give a line and column), how many
pages PHP reads, and how many of those it refused (which must be none);
how many refusals name the line PHP names, and those that do not;
the pages it converts that PHP rejects, with PHP's message, follow.
Exit status 1 when a page PHP reads is refused, or when fewer than
--at-least percent of those PHP rejects are.

    php_syntax_mutations.py TAGORA_CONVERT [--count N] [--seed S]
                            [--at-least PERCENT] [FOLDER...]
"""
import argparse
import json
import os
import random
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
PAGES = os.path.join(HERE, "..", "engine", "legacy_php")
# The code tokens of a file: start and length, by PHP's tokenizer.
TOKENS = r"""
$at = 0; $found = [];
foreach (token_get_all(file_get_contents($argv[1])) as $t) {
    $text = is_array($t) ? $t[1] : $t;
    $skip = is_array($t) && in_array($t[0], [T_WHITESPACE, T_COMMENT, T_DOC_COMMENT, T_INLINE_HTML,
                                             T_OPEN_TAG, T_OPEN_TAG_WITH_ECHO, T_CLOSE_TAG]);
    if (!$skip) $found[] = [$at, strlen($text)];
    $at += strlen($text);
}
echo json_encode($found);
"""
INSERTED = ["+", "-", "*", ".", "=", "(", ")", "[", "]", "{", "}", ",", ";", "->", "=>", "$", "!", "?", ":",
            "&&", "==", "function", "if", "echo", "'s'", "$v", "1"]


def run(command, data=None):
    result = subprocess.run(command, capture_output=True, input=data, timeout=30)
    return result.returncode, result.stdout, result.stderr


def mutate(rng, text, tokens):
    start, length = tokens[rng.randrange(len(tokens))]
    kind = rng.randrange(4)
    if kind == 0:
        return text[:start] + text[start + length:]
    if kind == 1:
        return text[:start + length] + b" " + text[start:start + length] + text[start + length:]
    if kind == 2:
        following = [t for t in tokens if t[0] > start]
        if following:
            s2, l2 = following[0]
            return text[:start] + text[s2:s2 + l2] + text[start + length:s2] + text[start:start + length] + text[s2 + l2:]
    return text[:start] + rng.choice(INSERTED).encode() + b" " + text[start:]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("convert")
    parser.add_argument("folders", nargs="*")
    parser.add_argument("--count", type=int, default=150)
    parser.add_argument("--seed", type=int, default=5)
    parser.add_argument("--at-least", type=float, default=0.0)
    options = parser.parse_args()
    rng = random.Random(options.seed)
    sources = []
    for folder in [PAGES] + options.folders:
        for d, _, names in os.walk(folder):
            sources += [os.path.join(d, n) for n in sorted(names) if n.endswith(".php")]
    sources.sort()
    readable = [s for s in sources if run(["php", "-n", "-l", s])[0] == 0]
    rejected = refused = same_line = valid = valid_refused = 0
    missed = []
    elsewhere = []
    with tempfile.TemporaryDirectory() as work:
        helper = os.path.join(work, "tokens.php")
        with open(helper, "w") as f:
            f.write("<?php\n" + TOKENS)
        for case in range(options.count):
            source = rng.choice(readable)
            with open(source, "rb") as f:
                text = f.read()
            tokens = json.loads(run(["php", "-n", "-d", "extension=tokenizer", helper, source])[1] or b"[]")
            if not tokens:
                continue
            page = os.path.join(work, "case%d.php" % case)
            with open(page, "wb") as f:
                f.write(mutate(rng, text, tokens))
            lint = run(["php", "-n", "-l", page])
            status, _, message = run([options.convert, "--to=html", "--encoding=auto", "--root", work, page])
            said = message.decode(errors="replace").strip()
            if lint[0] == 0:
                valid += 1
                if status != 0:
                    valid_refused += 1
                    print("refused, though PHP reads it: %s (from %s): %s" % (page, source, said))
                continue
            rejected += 1
            place = re.search(r":(\d+):\d+: ", said)
            if status != 0 and place:
                refused += 1
                php_line = re.search(rb"on line (\d+)", lint[1] + lint[2])
                if php_line and int(php_line.group(1)) == int(place.group(1)):
                    same_line += 1
                else:
                    elsewhere.append("%s: PHP: line %s; %s" % (os.path.basename(source),
                                                               php_line.group(1).decode() if php_line else "?",
                                                               said[said.find(place.group(0)) + 1:]))
            else:
                php_said = (lint[1] + lint[2]).decode(errors="replace").strip().splitlines()
                missed.append("%s: %s" % (os.path.basename(source), php_said[0] if php_said else "?"))
                if options.folders == [] and os.environ.get("KEEP"):
                    os.rename(page, os.path.join(os.environ["KEEP"], "case%d.php" % case))
    share = 100.0 * refused / rejected if rejected else 100.0
    print("pages PHP rejects: %d, refused with a place: %d (%.1f%%), at the line PHP names: %d; "
          "pages PHP reads: %d, refused: %d" % (rejected, refused, share, same_line, valid, valid_refused))
    for line in elsewhere:
        print("refused at another line than PHP's:", line)
    for line in missed:
        print("converted, though PHP rejects it:", line)
    return 1 if valid_refused or share < options.at_least else 0


if __name__ == "__main__":
    sys.exit(main())

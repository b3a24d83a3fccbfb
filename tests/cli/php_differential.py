#!/usr/bin/env python3
"""Random legacy PHP against its template, both run by `php -n`.

Builds scripts from a small grammar of what old PHP pages do to print
(echo and print in every form, helpers that echo, printf or die, print
inside expressions, ?>text<?php, <?=, heredoc and nowdoc, braceless if/else
with comments, loops, switch) and of what makes reading a value print,
throw or change state (an error handler that echoes, try and catch,
runtime errors, magic methods and ArrayAccess that echo, an autoloader,
helpers and classes in an included file that ends in a blank line, an
include that cannot be read), turns each into a template with
`tagora-convert --to=html`, runs both and compares output and exit status.
A refusal (exit status not 0, a reason on standard error) is counted, a
different output or exit status is a failure, also on a page that stops
on an uncaught error (PHP's message goes to standard error). Prints the
figures;
exit status 1 when any template printed something else.

    php_differential.py TAGORA_CONVERT [--count N] [--seed S] [--keep DIR]
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

WORDS = ["<p>", "</p>", "<td>", "a&b", "caf\u00e9", "{x}", "$5", "<?xml?>", "\\n", "'q'", '"dq"', "100%", ""]


def php_string(rng, text=None):
    """A PHP string literal (single, double quoted or with escapes) for text."""
    text = rng.choice(WORDS) if text is None else text
    kind = rng.randrange(3)
    if kind == 0:
        return "'" + text.replace("\\", "\\\\").replace("'", "\\'") + "'"
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("$", "\\$").replace("{", "\\{")
    if kind == 1:
        return '"' + escaped + '"'
    return '"' + escaped + rng.choice(["\\n", "\\t", "\\x41", "\\101", "\\u{e9}", "\\r\\n"]) + '"'


# Classes whose methods PHP calls by itself; %s is what they do besides.
CLASSES = """class Shown { public $p = 'p'; public function __toString(): string { %s return '<T>'; }
    public function __get($k) { %s return "<$k>"; } }
class Cells implements ArrayAccess { public function offsetExists($k): bool { return true; }
    public function offsetGet($k): mixed { %s return strtoupper($k); }
    public function offsetSet($k, $v): void {} public function offsetUnset($k): void {} }
class Base { const NAME = 'base'; }
"""
SIDE_EFFECTS = ["", "", "echo '[m]';", "if ($GLOBALS['n'] == 2) throw new Exception('m');"]


class Script:
    def __init__(self, rng):
        self.rng = rng
        self.helpers = []  # (name, kind)
        self.out = []
        self.objects = False
        self.autoload = False
        self.included = None  # the text of inc.php

    def helper(self, kind):
        name = "h%d" % len(self.helpers)
        self.helpers.append((name, kind))
        body = {
            "quiet": "return '<b>' . $a . '</b>';",
            "echo": "echo '<i>' . $a . '</i>'; return 'r';",
            "print": "print \"[$a]\"; return '';",
            "printf": "printf('<%s>', $a); return $a;",
            "html": "?><hr><?php return 'h';",
            "die": "if ($a === 'stop') die('<p>stopped</p>'); return $a;",
            "exit": "if ($a === 'stop') exit(3); return $a;",
            "nested": "return '(' . h0($a) . ')';",
            "writes": "global $v; $v = '<w>' . $a; return '!';",
        }[kind]
        return "function %s($a = 'x') { %s }" % (name, body)

    def call(self):
        rng = self.rng
        name, kind = rng.choice(self.helpers)
        arg = "'stop'" if kind in ("die", "exit") and rng.random() < 0.15 else php_string(rng, rng.choice(["a", "b<", "c"]))
        return "%s(%s)" % (name, arg)

    def operand(self, depth=0):
        rng = self.rng
        r = rng.random()
        if r < 0.35:
            return php_string(rng)
        if r < 0.5:
            return rng.choice(["$v", "$v", "$n", "$arr['k']", "PHP_EOL", "42", "0x1F", "__LINE__", "$n++"])
        if r < 0.55:
            return '"in {$arr[\'k\']} and $v"'
        if r < 0.75 and self.helpers:
            return self.call()
        if r < 0.8:
            return "sprintf('%03d', $n)"
        if r < 0.85:
            return "($n > 1 ? " + php_string(rng) + " : " + php_string(rng) + ")"
        if r < 0.9:
            return "htmlspecialchars(" + php_string(rng) + ")"
        if r < 0.93:
            return "(print " + php_string(rng) + ")"
        if r < 0.965:
            hazards = ["$undef", "$arr['nokey']", "($n / $z)", "intdiv(7, $z)", "strlen($arr)", "NO_SUCH_CONSTANT",
                       "(0.1 + $z)", "0.1", "1 / 3"]
            if self.objects:
                hazards += ["$obj", "$obj->title", "$cells['k']", "\"<$obj>\""]
            if self.autoload:
                hazards += ["Auto::NAME"]
            return rng.choice(hazards)
        if depth < 2:
            return "(" + self.concat(depth + 1) + ")"
        return php_string(rng)

    def concat(self, depth=0):
        return " . ".join(self.operand(depth) for _ in range(self.rng.randint(1, 4)))

    def statement(self, depth=0):
        rng = self.rng
        r = rng.random()
        if r < 0.25:
            return "echo " + ", ".join(self.concat() for _ in range(rng.randint(1, 3))) + ";"
        if r < 0.35:
            return "print " + self.concat() + ";"
        if r < 0.4:
            return "print(" + php_string(rng) + ") . " + php_string(rng) + ";"
        if r < 0.47:
            return rng.choice([
                "$n ? print %s : print %s;",
                "$x = (int) print %s; echo $x, %s;",
                "$z ?: print %s; echo %s;",
                "print %s and print %s;",
                "print %s or print %s;",
                "$r = print %s . %s;",
                "for ($i = 0; print %s; $i++) { if ($i > 0) break; echo %s; }",
            ]) % (php_string(rng), php_string(rng))
        if r < 0.52:
            return "printf('<%%s>%%d', %s, $n);" % php_string(rng)
        if r < 0.57:
            return "?>" + rng.choice(["text", "<b>x</b>\n", "\n", "a?b", "\r\n<p>"]) + "<?php "
        if r < 0.62:
            return "?><?= " + self.concat() + " ?>" + rng.choice(["", "\n", "x"]) + "<?php "
        if r < 0.67:
            label = rng.choice(["EOT", "HTML"])
            quoted = rng.choice(["%s", "'%s'", '"%s"']) % label
            return "echo <<<%s\n  <p>$v {$arr['k']}</p>\n  line\n  %s;\n" % (quoted, label)
        if r < 0.75 and depth < 2:
            comment = rng.choice(["", " // note", " # note {", " /* c */", " // a { b"])
            body = self.simple()
            other = self.simple()
            if rng.random() < 0.5:
                return "if ($n > 1)%s\n    %s\nelse%s\n    %s\n" % (comment, body, rng.choice(["", " // e"]), other)
            return "if ($n > 1) {%s\n    %s\n} else {\n    %s\n}\n" % (comment, body, other)
        if r < 0.8 and depth < 2:
            return "foreach ([1, 2] as $i)%s\n    %s\n" % (rng.choice(["", " // each"]), self.simple())
        if r < 0.85 and depth < 2:
            return "switch ($n) {\n    case 1: %s\n    case 2: %s break;\n    default: %s\n}\n" % (
                self.simple(), self.simple(), self.simple())
        if r < 0.9 and depth < 2:
            return "if ($n): %s\nelse: %s\nendif;\n" % (self.simple(), self.simple())
        if r < 0.93 and depth < 2:
            return "try {\n    %s\n    %s\n} catch (Throwable $e) {\n    echo '<caught>';\n}\n" % (
                self.statement(depth + 1), self.statement(depth + 1))
        if r < 0.95 and self.helpers:
            return self.call() + ";"
        return "$v = " + self.concat() + "; // set"

    def simple(self):
        # a statement that is one statement (for braceless bodies)
        while True:
            s = self.statement(depth=3)
            if not s.startswith("?>") and s.count(";") == 1 and not s.startswith("$x") and not s.startswith("for"):
                return s

    def build(self):
        rng = self.rng
        kinds = ["quiet", "echo", "print", "printf", "html", "die", "exit", "writes", "writes"]
        lines = ["<?php", "$v = 'v<'; $n = %d; $z = 0; $arr = ['k' => 'K&'];" % rng.randint(0, 2)]
        if rng.random() < 0.3:
            lines.append("set_error_handler(function ($level, $message) { echo '[E]'; return true; });")
        if rng.random() < 0.1:
            lines.append("set_exception_handler(function ($e) { echo '[X]'; });")
        declared = []  # helpers and classes, in the page or in inc.php
        for kind in rng.sample(kinds, rng.randint(0, 4)):
            declared.append(self.helper(kind))
        if self.helpers and self.helpers[0][1] == "quiet" and rng.random() < 0.5:
            declared.append(self.helper("nested"))
        if rng.random() < 0.4:
            self.objects = True
            declared.append(CLASSES % tuple(rng.choice(SIDE_EFFECTS) for _ in range(3)))
        if self.objects and rng.random() < 0.4:
            self.autoload = True
            declared.append("spl_autoload_register(function ($class) { echo \"\\n\"; class_alias('Base', $class); });")
        if declared and rng.random() < 0.5:
            ending = rng.choice(["", "\n", "\n?>\n", "\n?>\n\n"])
            self.included = "<?php\n" + "\n".join(declared) + ending
            lines.append(rng.choice(["include 'inc.php';", "require_once __DIR__ . '/inc.php';",
                                     "require('inc.php');"]))
        else:
            lines += declared
        if rng.random() < 0.1:
            lines.append("@include 'missing.php';")
        if self.objects:
            lines.append("$obj = new Shown(); $cells = new Cells();")
        for _ in range(rng.randint(1, 8)):
            lines.append(self.statement())
        prefix = rng.choice(["", "<html>\n", "<!DOCTYPE html>\r\n"])
        return prefix + "\n".join(lines) + rng.choice(["", "\n", "\n?>\n<footer>", "\n?>"])


def run(command, stdin=None):
    result = subprocess.run(command, input=stdin, capture_output=True, timeout=30)
    return result.returncode, result.stdout, result.stderr


def check(args, index, seed):
    script = Script(random.Random(seed * 1000003 + index))
    source = script.build().encode()
    with tempfile.TemporaryDirectory() as folder:
        original = os.path.join(folder, "original.php")
        with open(original, "wb") as f:
            f.write(source)
        if script.included is not None:
            with open(os.path.join(folder, "inc.php"), "w") as f:
                f.write(script.included)
            source += b"\n/* inc.php:\n" + script.included.encode() + b"\n*/"
        lint = run(["php", "-n", "-l", original])
        if lint[0] != 0:
            return "invalid", source, b""
        status, made, reason = run([args.convert, "--to=html", original])
        if status != 0:
            return "refused", source, reason
        template = os.path.join(folder, "template.php")
        with open(template, "wb") as f:
            f.write(made)
        php = ["php", "-n", "-d", "display_errors=stderr", "-d", "error_reporting=-1"]
        expected = run(php + [original])
        actual = run(php + [template])
        if expected[:2] == actual[:2]:
            return "same", source, made
        return "different", source, made


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("convert")
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", help="folder for the scripts whose template printed something else")
    args = parser.parse_args()
    counts = {"same": 0, "refused": 0, "different": 0, "invalid": 0}
    with ThreadPoolExecutor(max_workers=2) as pool:
        results = pool.map(lambda i: check(args, i, args.seed), range(args.count))
        for index, (verdict, source, made) in enumerate(results):
            counts[verdict] += 1
            if verdict == "different":
                print("case %d prints something else" % index, file=sys.stderr)
                if args.keep:
                    os.makedirs(args.keep, exist_ok=True)
                    for suffix, data in (("original", source), ("template", made)):
                        with open(os.path.join(args.keep, "%d.%s.php" % (index, suffix)), "wb") as f:
                            f.write(data)
            elif verdict == "refused":
                print("case %d refused: %s" % (index, made.decode(errors="replace").strip()), file=sys.stderr)
    print("cases %d: same %d, refused %d, different %d, not valid PHP %d" % (
        args.count, counts["same"], counts["refused"], counts["different"], counts["invalid"]))
    return 1 if counts["different"] or counts["invalid"] > args.count // 10 else 0


if __name__ == "__main__":
    sys.exit(main())

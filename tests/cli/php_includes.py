#!/usr/bin/env python3
"""PHP pages whose included files decide what a write does, converted by
tagora-convert and run by `php -n` beside their files: the template must
print what the page prints. An included class whose __get prints, an
included error handler that prints, an autoloader that loads a class file
ending in a blank line, paths through a constant, __DIR__ and
dirname(__FILE__), an include that cannot be read, one outside the root,
and two files that include each other. --explain must name what it could
not read, for ASP pages too, with the file and line of the #include. Exit
status 1 on any failure.

    php_includes.py TAGORA_CONVERT
"""
import os
import subprocess
import sys
import tempfile

PHP = ["php", "-n", "-d", "display_errors=stderr", "-d", "error_reporting=-1"]

# name: (files, the line --explain must hold or None, text the template must hold as HTML or None)
CASES = {
    "included class that prints": ({
        "page.php": "<?php\ninclude 'inc/lazy.php';\n$page = new Lazy();\n"
                    "echo \"<title>\" . $page->title . \"</title>\\n\";\n",
        "inc/lazy.php": "<?php\nclass Lazy { public function __get($name) { echo \"(load $name)\"; return 'T'; } }\n",
    }, "may print or stop the page", "<title>"),
    "included error handler": ({
        "page.php": "<?php\ndefine('ROOT', dirname(__FILE__) . '/');\nrequire ROOT . 'inc/errors.php';\n"
                    "echo \"<p>\" . $title . \"</p>\\n\";\n",
        "inc/errors.php": "<?php\nset_error_handler(function ($l, $m) { echo '[warning]'; return true; });\n",
    }, "set_error_handler", "<p>"),
    "included file that includes the next": ({
        "page.php": "<?php\nrequire_once __DIR__ . '/inc/a.php';\necho \"<td>\" . $x . \"</td>\\n\";\n",
        "inc/a.php": "<?php\nrequire_once 'b.php';\n",
        "inc/b.php": "<?php\nrequire_once 'a.php';\nset_error_handler(function () { echo '!'; return true; });\n",
    }, "set_error_handler", "<td>"),
    "autoloaded class file ending in a blank line": ({
        "page.php": "<?php\ninclude 'inc/autoload.php';\necho \"<title>\" . Site::NAME . \"</title>\\n\";\n",
        "inc/autoload.php": "<?php\nspl_autoload_register(function ($class) { include __DIR__ . \"/$class.php\"; });\n",
        "inc/Site.php": "<?php\nclass Site { const NAME = 'Site'; }\n?>\n\n",
    }, None, "<title>"),
    "include that cannot be read": ({
        "page.php": "<?php\n@include 'settings.php';\necho \"<td>\" . $total . \"</td>\\n\";\n",
    }, "`settings.php` cannot be read", "<td>"),
    "include outside the root": ({
        "site/page.php": "<?php\ninclude '../outside.php';\necho \"<td>\" . $total . \"</td>\\n\";\n",
        "outside.php": "<?php\nset_error_handler(function () { echo '!'; return true; });\n",
    }, "`../outside.php` cannot be read", "<td>"),
    "double-quoted path in brackets": ({
        "page.php": "<?php\nrequire_once(\"inc/errors.php\");\necho \"<p>\" . $title . \"</p>\\n\";\n",
        "inc/errors.php": "<?php\nset_error_handler(function ($l, $m) { echo '[warning]'; return true; });\n",
    }, "set_error_handler", "<p>"),
    "quiet double-quoted includes: no value computed first": ({
        "page.php": "<?php\ninclude(\"inc/text.php\");\necho \"<td>\" . shout($word) . \"</td>\\n\";\n",
        "inc/text.php": "<?php\ninclude_once \"words.php\";\nfunction shout($w) { return $w . '!'; }\n",
        "inc/words.php": "<?php\n$word = 'hi';\n",
    }, "", "<td><?= shout($word) ?></td>"),
    "double-quoted path with a variable": ({
        "page.php": "<?php\n$lang = 'en';\ninclude(\"lang-$lang.php\");\necho \"<td>\" . $total . \"</td>\\n\";\n",
        "lang-en.php": "<?php\nset_error_handler(function () { echo '!'; return true; });\n",
    }, "`include(\"lang-$lang.php\")` cannot be read", "<td>"),
    "quiet includes: no value computed first": ({
        "page.php": "<?php\ninclude 'inc/text.php';\necho \"<td>\" . shout($word) . \"</td>\\n\";\n",
        "inc/text.php": "<?php\n$word = 'hi';\nfunction shout($w) { return $w . '!'; }\n",
    }, "", "<td><?= shout($word) ?></td>"),
}


def run(command, cwd=None):
    result = subprocess.run(command, capture_output=True, timeout=30, cwd=cwd)
    return result.returncode, result.stdout, result.stderr


def check(convert, name, files, explained, html):
    with tempfile.TemporaryDirectory() as folder:
        for path, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(folder, path)), exist_ok=True)
            with open(os.path.join(folder, path), "w") as f:
                f.write(text)
        page = next(path for path in files if path.endswith("page.php"))
        where = os.path.dirname(os.path.join(folder, page))
        status, made, explanation = run([convert, "--to=html", "--explain", "page.php"], cwd=where)
        if status != 0:
            return "refused: " + explanation.decode(errors="replace")
        with open(os.path.join(where, "template.php"), "wb") as f:
            f.write(made)
        expected = run(PHP + ["page.php"], cwd=where)
        actual = run(PHP + ["template.php"], cwd=where)
        problems = []
        if expected[:2] != actual[:2]:
            problems.append("prints %r instead of %r" % (actual[1], expected[1]))
        if explained is not None and explained not in explanation.decode():
            problems.append("--explain says %r" % explanation.decode())
        if explained == "" and explanation:
            problems.append("--explain says %r of a write it split" % explanation.decode())
        if html is not None and html not in made.decode():
            problems.append("%r is not in the template %r" % (html, made.decode()))
        return "; ".join(problems)


# ASP pages whose include is missing: --explain names it, and where it is included.
ASP_CASES = {
    "missing include of the page": ({
        "page.asp": "<html>\r\n<body>\r\n<!--#include file=\"inc_x.asp\"-->\r\n"
                    "<% Response.Write \"<p>\" & strLE & \"</p>\" %>\r\n",
    }, "`inc_x.asp` (included at page.asp:3) cannot be read"),
    "missing include of an include": ({
        "page.asp": "<!--#include file=\"inc/a.asp\"-->\n<% Response.Write \"<p>\" & strLE & \"</p>\" %>\n",
        "inc/a.asp": "<% Dim shown %>\n<!--#include file=\"b.asp\"-->\n",
    }, "`b.asp` (included at inc/a.asp:2) cannot be read"),
}


def check_asp(convert, name, files, explained):
    with tempfile.TemporaryDirectory() as where:
        for path, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(where, path)), exist_ok=True)
            with open(os.path.join(where, path), "w", newline="") as f:
                f.write(text)
        status, _, explanation = run([convert, "--to=html", "--explain", "page.asp"], cwd=where)
        if status != 0 or explained not in explanation.decode():
            return "%s: status %s, --explain says %r" % (name, status, explanation.decode())
    return None


def main():
    failures = 0
    for name, (files, explained, html) in CASES.items():
        problem = check(os.path.abspath(sys.argv[1]), name, files, explained, html)
        if problem:
            failures += 1
            print("%s: %s" % (name, problem))
    for name, (files, explained) in ASP_CASES.items():
        problem = check_asp(os.path.abspath(sys.argv[1]), name, files, explained)
        if problem:
            failures += 1
            print(problem)
    print("cases %d, failed %d" % (len(CASES) + len(ASP_CASES), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

"""tagora-lsp driven by a protocol client: every action's edit is what
tagora-convert writes for the same bytes, positions are counted in UTF-16
units (or UTF-8 bytes when agreed), and bad input gets the protocol's
errors without stopping the server.
  protocol_test.py TAGORA_LSP TAGORA_CONVERT"""
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lsp_client import Client, OpenDocument, ServerError, range_of  # noqa: E402

LSP = CONVERT = None


def convert(arguments, text):
    """tagora-convert's output for the text, the independent judge."""
    run = subprocess.run([CONVERT] + arguments, input=text.encode("utf-8"), capture_output=True, check=False)
    if run.returncode != 0:
        raise AssertionError("tagora-convert %s: %s" % (" ".join(arguments), run.stderr.decode()))
    return run.stdout.decode("utf-8")


def convert_error(arguments, text):
    run = subprocess.run([CONVERT] + arguments, input=text.encode("utf-8"), capture_output=True, check=False)
    assert run.returncode != 0
    return run.stderr.decode("utf-8")


def started(capabilities=None, options=None):
    client = Client([LSP])
    client.result("initialize", {"processId": None, "rootUri": None, "capabilities": capabilities or {},
                                 "initializationOptions": options or {}})
    client.notify("initialized", {})
    return client


def by_command(actions, command, target=None):
    found = [a for a in actions if a["command"]["command"] == command
             and (target is None or a["command"]["arguments"][0].get("target") == target)]
    return found[0] if found else None


def run_action(client, action):
    """Executes an action's command; returns the edit it asked for."""
    before = len(client.requests)
    client.result("workspace/executeCommand", {"command": action["command"]["command"],
                                               "arguments": action["command"]["arguments"]})
    edits = [r for r in client.requests[before:] if r["method"] == "workspace/applyEdit"]
    assert len(edits) == 1, "one edit per action"
    changes = edits[0]["params"]["edit"]
    if "documentChanges" in changes:
        return changes["documentChanges"][0]["edits"][0]
    (only,) = changes["changes"].values()
    return only[0]


# Beyond the BMP on purpose: an emoji is two UTF-16 units and four bytes.
PHP_PAGE = ('<?php\n$title = "R\u00e9sum\u00e9 \U0001F600 \\"q\\" \\$x";\n'
            'echo "<p class=\\"x\\">\U0001F600</p>\\n";\necho \'<b>\' . $title . \'</b>\';\n?>\n')
SELECTION = '<a href="x">\t$y \\ \U0001F600 caf\u00e9</a>\n'


class Actions(unittest.TestCase):
    def setUp(self):
        self.client = started({"workspace": {"workspaceEdit": {"documentChanges": True}}})

    def tearDown(self):
        self.assertEqual(self.client.finish(), 0)

    def test_literal_of_a_selection_in_each_language(self):
        # (languageId, targets offered): each literal is tagora-convert --literal's.
        for language, names in [("php", ["php", "php-nowdoc"]), ("javascript", ["js", "js-concat"]),
                                ("json", ["json"]), ("java", ["jsp"]), ("perl", ["perl"]),
                                ("python", ["python"]), ("vb", ["asp"])]:
            text = "x = \U0001F600;\n" + SELECTION + "end\n"
            document = OpenDocument(self.client, "file:///t/literal." + language, language, text)
            start = text.index("<a")
            end = start + len(SELECTION)
            actions = document.actions(start, end)
            for name in names:
                edit = run_action(self.client, by_command(actions, "tagora.literal", name))
                self.assertEqual(edit["newText"], convert(["--to=" + name, "--literal"], SELECTION), name)
                self.assertEqual(edit["range"], range_of(text, start, end))

    def test_unescape_the_literal_under_the_caret(self):
        document = OpenDocument(self.client, "file:///t/page.php", "php", PHP_PAGE)
        literal_start = PHP_PAGE.index('"R')
        literal_end = PHP_PAGE.index(";\necho")
        # The caret after the emoji, inside the literal.
        caret = PHP_PAGE.index("\U0001F600") + 1
        action = by_command(document.actions(caret, caret), "tagora.unescape")
        self.assertIsNotNone(action)
        edit = run_action(self.client, action)
        self.assertEqual(edit["range"], range_of(PHP_PAGE, literal_start, literal_end))
        literal = PHP_PAGE[literal_start:literal_end]
        self.assertEqual(edit["newText"], convert(["--unescape", "--from=php"], literal))
        # After an escaped quote, the caret is still in the same literal.
        caret = PHP_PAGE.index('q\\"') + 3
        edit = run_action(self.client, by_command(document.actions(caret, caret), "tagora.unescape"))
        self.assertEqual(edit["range"], range_of(PHP_PAGE, literal_start, literal_end))
        # Not in a literal: no such action.
        caret = PHP_PAGE.index("$title")
        self.assertIsNone(by_command(document.actions(caret, caret), "tagora.unescape"))

    def test_joined_strings_under_the_caret(self):
        text = "const a = 1;\n" + convert(["--to=js-concat", "--literal"], "l1\nl2 \U0001F600\nl3") + ";\n"
        document = OpenDocument(self.client, "file:///t/joined.js", "javascript", text)
        caret = text.index("l2")
        edit = run_action(self.client, by_command(document.actions(caret, caret), "tagora.unescape"))
        self.assertEqual(edit["newText"], "l1\nl2 \U0001F600\nl3")
        asp = '<% x = ' + convert(["--to=asp", "--literal"], 'a "q"\r\nb\n') + ' %>\n'
        document = OpenDocument(self.client, "file:///t/joined.asp", "vb", asp)
        caret = asp.index('"b"') + 1
        edit = run_action(self.client, by_command(document.actions(caret, caret), "tagora.unescape"))
        self.assertEqual(edit["newText"], 'a "q"\r\nb\n')

    def test_a_long_line_of_joined_strings_answers_at_once(self):
        # 60,000 strings joined on a line, and as js-concat joins them: the
        # caret's literal is found within the client's time limit, its
        # joins followed 10,000 each way.
        text = "var s = " + " + ".join('"a%d"' % i for i in range(60000)) + ";\n"
        document = OpenDocument(self.client, "file:///t/line.js", "javascript", text)
        caret = text.index('"a30000"') + 2
        action = by_command(document.actions(caret, caret), "tagora.unescape")
        start = text.index('"a30000"')  # the engine does not read them joined so
        self.assertEqual(action["command"]["arguments"][0]["range"], range_of(text, start, start + len('"a30000"')))
        text = "var s = " + " +\n".join('"a%d\\n"' % i for i in range(60000)) + ";\n"
        document = OpenDocument(self.client, "file:///t/long.js", "javascript", text)
        caret = text.index('"a30000') + 2
        action = by_command(document.actions(caret, caret), "tagora.unescape")
        start = text.index('"a20000')
        end = text.index('"a40000\\n"') + len('"a40000\\n"')
        self.assertEqual(action["command"]["arguments"][0]["range"], range_of(text, start, end))

    def test_template_of_echo_code(self):
        document = OpenDocument(self.client, "file:///t/page.php", "php", PHP_PAGE)
        start = PHP_PAGE.index("echo")
        end = PHP_PAGE.index("?>")
        edit = run_action(self.client, by_command(document.actions(start, end), "tagora.template"))
        self.assertEqual(edit["newText"], convert(["--to=html", "--from=php"], PHP_PAGE[start:end]))
        for language, code in [("vb", '<%\nResponse.Write("<p>" & "caf\u00e9")\n%>'),
                               ("jsp", '<% out.print("<p>\U0001F600</p>"); %>')]:
            document = OpenDocument(self.client, "file:///t/page." + language, language, "\n" + code)
            edit = run_action(self.client, by_command(document.actions(1, 1 + len(code)), "tagora.template"))
            self.assertEqual(edit["newText"], convert(["--to=html", "--from=" + ("asp" if language == "vb" else "jsp")], code))

    def test_template_refusal_has_its_place(self):
        code = '<?php echo "\U0001F600"; /* never closed\n'
        text = "<p>\n<b>\U0001F600</b> " + code
        document = OpenDocument(self.client, "file:///t/bad.php", "php", text)
        start = text.index("<?php")
        action = by_command(document.actions(start, len(text)), "tagora.template")
        response = self.client.request("workspace/executeCommand", {"command": action["command"]["command"],
                                                                      "arguments": action["command"]["arguments"]})
        self.assertEqual(response["error"]["code"], -32803)
        # tagora-convert's place in the selection, moved to the document.
        judged = convert_error(["--to=html", "--from=php"], code)
        place, message = judged.split(": ", 1)[1].split(": ", 1)
        line, column = (int(n) for n in place.split(":")[1:3])
        expected_line = 1 + line
        expected_column = column + (len("<b>\U0001F600</b> ") if line == 1 else 0)
        self.assertEqual(response["error"]["message"], "bad.php:%d:%d: %s" % (expected_line + 0, expected_column, message.strip()))
        shown = [n for n in self.client.notifications if n["method"] == "window/showMessage"]
        self.assertEqual(shown[-1]["params"]["message"], response["error"]["message"])

    def test_script_of_a_page_with_settings(self):
        page = '<!DOCTYPE html>\n<p title="\U0001F600">caf\u00e9 $x \\ "q" %></p>\r\n'
        document = OpenDocument(self.client, "file:///t/page.html", "html", page)
        actions = document.actions(0, 0)
        for name in ["php", "asp", "php-nowdoc", "js", "js-concat", "json", "jsp", "perl", "python"]:
            action = by_command(actions, "tagora.script", name)
            edit = run_action(self.client, action)
            self.assertEqual(edit["newText"], convert(["--to=" + name], page), name)
        self.client.notify("workspace/didChangeConfiguration", {"settings": {"tagora": {
            "escaping": "classic", "header": False, "javascriptName": "page"}}})
        actions = document.actions(0, 0)
        for name, flags in [("php", ["--classic"]), ("asp", ["--classic"]), ("js", ["--name=page"]),
                            ("js-concat", ["--name=page"]), ("perl", [])]:
            edit = run_action(self.client, by_command(actions, "tagora.script", name))
            self.assertEqual(edit["newText"], convert(["--to=" + name, "--no-header"] + flags, page), name)
        # A selection converts only itself.
        start, end = page.index("<p"), page.index("</p>")
        edit = run_action(self.client, by_command(document.actions(start, end), "tagora.script", "json"))
        self.assertEqual(edit["newText"], convert(["--to=json", "--no-header"], page[start:end]))
        self.assertEqual(edit["range"], range_of(page, start, end))

    def test_actions_setting(self):
        self.client.notify("workspace/didChangeConfiguration", {"settings": {"actions": ["unescape"]}})
        document = OpenDocument(self.client, "file:///t/page.php", "php", PHP_PAGE)
        caret = PHP_PAGE.index("R\u00e9")
        commands = {a["command"]["command"] for a in document.actions(caret, caret + 3)}
        self.assertEqual(commands, set())  # a selection that is no literal
        commands = {a["command"]["command"] for a in document.actions(caret, caret)}
        self.assertEqual(commands, {"tagora.unescape"})

    def test_changes_full_and_incremental(self):
        document = OpenDocument(self.client, "file:///t/changes.py", "python", "a = 1\n")
        document.change(0, 0, "# \U0001F600\n")
        document.change(len("# \U0001F600\n"), len("# \U0001F600\na"), "b")  # after the emoji, counted in UTF-16
        document.replace_all(document.text + "s = 'caf\u00e9'\n")
        document.change(len(document.text), len(document.text), "t = \"\U0001F600\\n\"\n")
        self.assertEqual(document.text, "# \U0001F600\nb = 1\ns = 'caf\u00e9'\nt = \"\U0001F600\\n\"\n")
        start = document.text.index("\U0001F600\\n")
        end = document.text.index("\\n\"") + 2
        edit = run_action(self.client, by_command(document.actions(start, end), "tagora.literal", "python"))
        self.assertEqual(edit["newText"], convert(["--to=python", "--literal"], document.text[start:end]))
        caret = document.text.index("t = ") + 5
        edit = run_action(self.client, by_command(document.actions(caret, caret), "tagora.unescape"))
        self.assertEqual(edit["newText"], "\U0001F600\n")


class Settings(unittest.TestCase):
    def test_pulled_and_given_settings(self):
        page = "<p>$x</p>\n"

        def answer(message):
            if message["method"] == "workspace/configuration":
                self.assertEqual(message["params"]["items"], [{"section": "tagora"}])
                return [{"header": False, "javascriptName": "pulled"}]
            return {"applied": True}
        client = Client([LSP])
        client.result("initialize", {"capabilities": {"workspace": {"configuration": True}},
                                     "initializationOptions": {"escaping": "classic", "javascriptName": "1bad"}})
        self.assertIn("javascriptName", client.notifications[-1]["params"]["message"])  # the bad name, reported
        client.notify("initialized", {})
        document = OpenDocument(client, "file:///t/s.html", "html", page)
        actions = client.result("textDocument/codeAction", {"textDocument": {"uri": document.uri},
                                "range": range_of(page, 0, 0), "context": {}}, answer)
        for name, flags in [("php", ["--classic"]), ("js", ["--name=pulled"])]:
            edit = run_action(client, by_command(actions, "tagora.script", name))
            self.assertEqual(edit["newText"], convert(["--to=" + name, "--no-header"] + flags, page))
        self.assertEqual(client.finish(), 0)


class EditAsHtml(unittest.TestCase):
    def round_trip(self, capabilities, attached):
        """attached: the editor opens the HTML file with this server and
        tells it of each save; else it only writes the file."""
        client = started(capabilities)
        text = "<?php\n$page = " + convert(["--to=php", "--literal"], "<p>\U0001F600 caf\u00e9</p>") + ";\necho $page;\n"
        origin = OpenDocument(client, "file:///t/origin.php", "php", text)
        caret = text.index("<p>")
        action = by_command(origin.actions(caret, caret), "tagora.editAsHtml")
        html_uri = client.result("workspace/executeCommand", {"command": action["command"]["command"],
                                                              "arguments": action["command"]["arguments"]})["uri"]
        if capabilities["window"]["showDocument"]["support"]:
            shown = [r for r in client.requests if r["method"] == "window/showDocument"]
            self.assertEqual(shown[-1]["params"]["uri"], html_uri)
        else:
            shown = [n for n in client.notifications if n["method"] == "window/showMessage"]
            self.assertIn(html_uri[len("file://"):], shown[-1]["params"]["message"])
        path = html_uri[len("file://"):]
        with open(path, encoding="utf-8", newline="") as file:
            self.assertEqual(file.read(), "<p>\U0001F600 caf\u00e9</p>")
        html = OpenDocument(client, html_uri, "html", "<p>\U0001F600 caf\u00e9</p>") if attached else None
        # A change before the literal moves it; each save writes it back.
        origin.change(len("<?php\n"), len("<?php\n"), "// \U0001F600 first\n")
        for new_text in ['<p class="a">$x \\ "q"</p>\r\n', "<b>\U0001F600</b>"]:
            self.save(client, html, path, new_text)
            edit = client.wait_request("workspace/applyEdit")["params"]["edit"]
            edit = edit["documentChanges"][0]["edits"][0] if "documentChanges" in edit \
                else edit["changes"]["file:///t/origin.php"][0]
            self.assertEqual(edit["newText"], convert(["--to=php", "--literal"], new_text))
            origin.apply(edit)
        self.assertEqual(origin.text, "<?php\n// \U0001F600 first\n$page = "
                         + convert(["--to=php", "--literal"], "<b>\U0001F600</b>") + ";\necho $page;\n")
        # The literal changed in its own file: a save is refused, not written.
        start = origin.text.index("<b>")
        origin.change(start, start + 1, "<")
        origin.change(start, start, "x")
        self.save(client, html, path, "<i></i>")
        message = client.receive()
        self.assertEqual(message["method"], "window/showMessage", message)
        self.assertIn("not written back", message["params"]["message"])
        self.assertEqual(client.finish(), 0)

    @staticmethod
    def save(client, html, path, new_text):
        with open(path, "w", encoding="utf-8", newline="") as file:
            file.write(new_text)
        if html:
            html.replace_all(new_text)
            client.notify("textDocument/didSave", {"textDocument": {"uri": html.uri}})

    def test_round_trip_with_show_document(self):
        self.round_trip({"window": {"showDocument": {"support": True}},
                         "workspace": {"workspaceEdit": {"documentChanges": True}}}, attached=True)

    def test_round_trip_with_a_named_file(self):
        self.round_trip({"window": {"showDocument": {"support": False}}}, attached=False)


class Positions(unittest.TestCase):
    def test_utf8_when_offered(self):
        client = Client([LSP])
        result = client.result("initialize", {"capabilities": {"general": {"positionEncodings": ["utf-8", "utf-16"]}}})
        self.assertEqual(result["capabilities"]["positionEncoding"], "utf-8")
        text = "s = '\U0001F600 caf\u00e9 x'\n"
        document = OpenDocument(client, "file:///t/u8.py", "python", text, encoding="utf-8")
        start, end = text.index("caf"), text.index(" x'")
        edit = run_action(client, by_command(document.actions(start, end), "tagora.literal"))
        self.assertEqual(edit["range"], range_of(text, start, end, "utf-8"))
        self.assertEqual(edit["range"]["start"]["character"], 5 + 4 + 1)
        self.assertEqual(client.finish(), 0)

    def test_utf16_by_default_and_surrogates_refused(self):
        client = started()
        text = "s = '\U0001F600\U0001F600 x'\n"
        document = OpenDocument(client, "file:///t/u16.py", "python", text)
        edit = run_action(client, by_command(document.actions(6, 7), "tagora.literal"))  # the second emoji
        self.assertEqual(edit["range"], {"start": {"line": 0, "character": 7}, "end": {"line": 0, "character": 9}})
        self.assertEqual(edit["newText"], convert(["--to=python", "--literal"], "\U0001F600"))
        for character in [6, 8, 14]:  # inside a pair, inside the other, past the line's end
            response = client.request("textDocument/codeAction", {"textDocument": {"uri": document.uri},
                                      "range": {"start": {"line": 0, "character": character},
                                                "end": {"line": 0, "character": character}}, "context": {}})
            self.assertEqual(response["error"]["code"], -32602, character)
        self.assertEqual(client.finish(), 0)


class Errors(unittest.TestCase):
    def test_bad_messages_and_requests(self):
        client = Client([LSP, "--max-message-bytes=4096"])
        self.assertEqual(client.request("textDocument/codeAction", {})["error"]["code"], -32002)
        client.result("initialize", {"capabilities": {}})
        # Not JSON; JSON that is no request; a header with no length; too large.
        client.send_raw(b"Content-Length: 9\r\n\r\n{\"jsonrpc")
        self.assertEqual(client.receive()["error"]["code"], -32700)
        client.send_raw(b"Content-Length: 2\r\n\r\n[]")
        self.assertEqual(client.receive()["error"]["code"], -32600)
        client.send_raw(b"Content-Type: x\r\n\r\n")
        self.assertEqual(client.receive()["error"]["code"], -32700)
        big = b'{"jsonrpc":"2.0","method":"x","params":"' + b"a" * 5000 + b'"}'
        client.send_raw(b"Content-Length: %d\r\n\r\n" % len(big) + big)
        self.assertIn("limit", client.receive()["error"]["message"])
        # Header names in any case, other header lines passed over.
        body = b'{"jsonrpc":"2.0","id":"s","method":"no/such/method"}'
        client.send_raw(b"content-length: %d\r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n"
                        % len(body) + body)
        self.assertEqual(client.receive(), {"jsonrpc": "2.0", "id": "s", "error": {
            "code": -32601, "message": "no such method: no/such/method"}})
        self.assertEqual(client.request("no/such/method", {})["error"]["code"], -32601)
        self.assertEqual(client.request("initialize", {"capabilities": {}})["error"]["code"], -32600)
        text = "x = '\U0001F600'\n"
        document = OpenDocument(client, "file:///t/e.py", "python", text)
        # Outside the document; not a range at all.
        for bad in [{"start": {"line": 5, "character": 0}, "end": {"line": 5, "character": 0}},
                    {"start": {"line": 0, "character": 3}, "end": {"line": 0, "character": 1}},
                    {"start": {"line": -1, "character": 0}, "end": {"line": 0, "character": 0}},
                    {"start": "x"}]:
            response = client.request("textDocument/codeAction", {"textDocument": {"uri": document.uri},
                                                                  "range": bad, "context": {}})
            self.assertEqual(response["error"]["code"], -32602, bad)
        # A stale version: the action was offered before a change.
        action = by_command(document.actions(5, 7), "tagora.literal")
        document.change(0, 1, "y")
        response = client.request("workspace/executeCommand", {"command": action["command"]["command"],
                                                               "arguments": action["command"]["arguments"]})
        self.assertEqual(response["error"]["code"], -32801)
        # A change that does not follow the last version, or lies outside
        # the document: the server says so and offers nothing on it until
        # it is opened again.
        client.notify("textDocument/didChange", {"textDocument": {"uri": document.uri, "version": 1},
                                                 "contentChanges": [{"text": "z"}]})
        self.assertEqual(client.result("textDocument/codeAction", {"textDocument": {"uri": document.uri},
                         "range": range_of(text, 0, 0), "context": {}}), [])
        self.assertIn("version 1", client.notifications[-1]["params"]["message"])
        document = OpenDocument(client, "file:///t/e.py", "python", text)
        client.notify("textDocument/didChange", {"textDocument": {"uri": document.uri, "version": 2},
                      "contentChanges": [{"range": {"start": {"line": 9, "character": 0},
                                                    "end": {"line": 9, "character": 0}}, "text": "z"}]})
        self.assertEqual(client.result("textDocument/codeAction", {"textDocument": {"uri": document.uri},
                         "range": range_of(text, 5, 7), "context": {}}), [])
        self.assertIn("outside", client.notifications[-1]["params"]["message"])
        # Still answering, and it ends as asked.
        self.assertEqual(client.finish(), 0)

    def test_exit_without_shutdown(self):
        client = started()
        client.notify("exit", None)
        self.assertEqual(client.close(), 1)


def bare(*arguments, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE):
    """tagora-lsp started with the arguments, run to its end."""
    return subprocess.run([LSP] + list(arguments), stdin=stdin, stdout=stdout, stderr=subprocess.PIPE,
                          timeout=10, check=False)


class CommandLineAndStreams(unittest.TestCase):
    """What a user meets before or around the protocol: options, and the
    editor closing either stream. Any failure is a status other than 0 and
    a line on standard error (the GNU coding standards)."""

    def test_options(self):
        version = bare("--version")
        self.assertEqual(version.returncode, 0)
        self.assertRegex(version.stdout.decode(), r"\Atagora-lsp \(.+\) [0-9]+(\.[0-9]+)+\nWritten by .+\.\n\Z")
        for wrong in ["--max-message-bytes=", "--max-message-bytes=12x", "--max-message-bytes=-1", "--stdio=yes",
                      "-x"]:
            run = bare(wrong)
            self.assertEqual((run.returncode, run.stdout), (2, b""), wrong)
            self.assertIn(wrong.split("=")[0], run.stderr.decode(), wrong)

    def test_help_into_a_full_disk(self):
        with open("/dev/full", "wb") as full:
            run = bare("--help", stdout=full)
        self.assertNotEqual(run.returncode, 0)

    def test_input_closed_before_exit(self):
        run = bare("--stdio")
        self.assertEqual(run.returncode, 1)
        self.assertIn("standard input ended", run.stderr.decode())

    def test_output_closed_by_the_editor(self):
        reader, writer = os.pipe()
        os.close(reader)  # the editor is gone: each write fails with EPIPE
        body = b'{"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}}'
        with os.fdopen(writer, "wb") as output:
            run = subprocess.run([LSP], input=b"Content-Length: %d\r\n\r\n" % len(body) + body, stdout=output,
                                 stderr=subprocess.PIPE, timeout=10, check=False)
        self.assertEqual(run.returncode, 1)
        self.assertIn("cannot write standard output", run.stderr.decode())


class MalformedMessages(unittest.TestCase):
    """Frames and requests the JSON-RPC 2.0 and LSP specifications call
    errors, answered with the codes of their tables (-32700 parse error,
    -32600 invalid request, -32602 invalid params, -32601 method not found),
    the server still answering afterwards."""

    def setUp(self):
        self.client = Client([LSP])
        self.client.result("initialize", {"capabilities": {}, "initializationOptions": {
            "tagora": {"escaping": "loose", "header": "yes", "actions": ["fly"]}}})
        self.client.notify("initialized", {})

    def tearDown(self):
        if self.client:
            self.assertEqual(self.client.finish(), 0)

    def test_frames(self):
        client = self.client
        # A header line without a colon; a value with blanks around it.
        client.send_raw(b"Content-Length 2\r\n\r\n")
        self.assertEqual(client.receive()["error"]["code"], -32700)
        client.send_raw(b"Content-Length: \t2 \r\n\r\n[]")
        self.assertEqual(client.receive()["error"]["code"], -32600)
        # Bytes that never end a header: passed over once past 8 KiB.
        client.send_raw(b"x" * 9000)
        self.assertEqual(client.receive()["error"]["code"], -32700)
        client.send_raw(b"\r\n\r\n")
        self.assertEqual(client.receive()["error"]["code"], -32700)
        self.assertEqual(client.request("no/such/method", {})["error"]["code"], -32601)

    def test_requests(self):
        client = self.client
        for message, answered_id in [({"jsonrpc": "2.0", "id": True, "method": "x"}, None),
                                     ({"jsonrpc": "2.0", "id": 7}, 7),
                                     ({"jsonrpc": "2.0", "id": 8, "method": 5}, 8)]:
            client.send(message)
            response = client.receive()
            self.assertEqual((response["id"], response["error"]["code"]), (answered_id, -32600), message)
        response = client.request("workspace/executeCommand", {"command": "tagora.fly", "arguments": []})
        self.assertEqual(response["error"]["code"], -32602)
        document = OpenDocument(client, "file:///t/c.py", "python", "x = 'a'\n")
        client.notify("textDocument/didClose", {"textDocument": {"uri": document.uri}})
        response = client.request("textDocument/codeAction", {"textDocument": {"uri": document.uri},
                                                              "range": range_of(document.text, 5, 5), "context": {}})
        self.assertEqual(response["error"]["code"], -32602)

    def test_wrong_settings_are_named(self):
        warnings = [n["params"] for n in self.client.notifications if n["method"] == "window/showMessage"]
        self.assertEqual({w["type"] for w in warnings}, {2})  # Warning, in LSP's MessageType table
        said = " ".join(w["message"] for w in warnings)
        for name in ["escaping", "header", "actions"]:
            self.assertIn(name, said)
        # The defaults stay: every action, exact escaping.
        document = OpenDocument(self.client, "file:///t/p.html", "html", "<p>\u00e9</p>\n")
        self.assertTrue(by_command(document.actions(0, 0), "tagora.script", "php"))

    def test_only_the_kinds_asked_for(self):
        document = OpenDocument(self.client, "file:///t/k.php", "php", PHP_PAGE)
        caret = PHP_PAGE.index("R\u00e9")  # in a literal: unescape it, or edit it as HTML
        every = document.actions(caret, caret)
        asked = self.client.result("textDocument/codeAction", {"textDocument": {"uri": document.uri},
                                   "range": range_of(PHP_PAGE, caret, caret), "context": {"diagnostics": [],
                                                                               "only": ["refactor.rewrite"]}})
        self.assertEqual(asked, [a for a in every if a["kind"] == "refactor.rewrite"])
        self.assertLess(len(asked), len(every))

    def test_requests_after_shutdown(self):
        client = self.client
        self.assertIsNone(client.result("shutdown", None))
        self.assertEqual(client.request("textDocument/codeAction", {})["error"]["code"], -32600)
        client.notify("exit", None)
        self.assertEqual(client.close(), 0)
        self.client = None


if __name__ == "__main__":
    LSP, CONVERT = sys.argv[1], sys.argv[2]
    del sys.argv[1:3]
    unittest.main()

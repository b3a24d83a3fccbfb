"""A small Language Server Protocol client for the tests and the bench:
frames messages, reads the server's with a time limit, answers its
requests, and keeps its own copy of each document to check edits on."""
import json
import os
import select
import subprocess


class ServerError(Exception):
    pass


def utf16_column(line_text):
    """The UTF-16 code units of a str, as the protocol counts characters."""
    return len(line_text.encode("utf-16-le")) // 2


def position_of(text, offset, encoding="utf-16"):
    """The protocol position of a character offset in a str."""
    before = text[:offset]
    line = before.count("\n")
    start = before.rfind("\n") + 1
    column_text = before[start:]
    if encoding == "utf-8":
        return {"line": line, "character": len(column_text.encode("utf-8"))}
    return {"line": line, "character": utf16_column(column_text)}


def range_of(text, start, end, encoding="utf-16"):
    return {"start": position_of(text, start, encoding), "end": position_of(text, end, encoding)}


class Client:
    def __init__(self, command, timeout=10):
        self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.timeout = timeout
        self.buffer = bytearray()
        self.next_id = 1
        self.notifications = []   # what the server sent that is not a response
        self.requests = []        # the server's requests, answered with applied/None

    def send_raw(self, data):
        self.process.stdin.write(data)
        self.process.stdin.flush()

    def send(self, message):
        body = json.dumps(message).encode("utf-8")
        self.send_raw(b"Content-Length: %d\r\n\r\n" % len(body) + body)

    def notify(self, method, params):
        self.send({"jsonrpc": "2.0", "method": method, "params": params})

    def _read_more(self):
        ready, _, _ = select.select([self.process.stdout], [], [], self.timeout)
        if not ready:
            raise TimeoutError("the server did not answer in %d s" % self.timeout)
        chunk = os.read(self.process.stdout.fileno(), 1 << 20)
        if not chunk:
            raise EOFError("the server closed its output")
        self.buffer += chunk

    def _read_exactly(self, size):
        while len(self.buffer) < size:
            self._read_more()
        data = bytes(self.buffer[:size])
        del self.buffer[:size]
        return data

    def receive(self):
        while b"\r\n\r\n" not in self.buffer:
            self._read_more()
        header = self._read_exactly(self.buffer.index(b"\r\n\r\n") + 4)
        length = None
        for line in header.decode("ascii").split("\r\n"):
            if line.lower().startswith("content-length:"):
                length = int(line.split(":", 1)[1])
        return json.loads(self._read_exactly(length).decode("utf-8"))

    def request(self, method, params, answer=None):
        """Sends a request and returns its response; what comes before it is
        kept (notifications) or answered (the server's requests)."""
        message_id = self.next_id
        self.next_id += 1
        self.send({"jsonrpc": "2.0", "id": message_id, "method": method, "params": params})
        return self.wait_response(message_id, answer)

    def wait_response(self, message_id, answer=None):
        while True:
            message = self.receive()
            if "method" in message and "id" in message:
                self.requests.append(message)
                result = answer(message) if answer else default_answer(message)
                self.send({"jsonrpc": "2.0", "id": message["id"], "result": result})
            elif "method" in message:
                self.notifications.append(message)
            elif message.get("id") == message_id:
                return message
            else:
                raise ServerError("a response to no request: %r" % message)

    def wait_request(self, method):
        """Reads until the server sends a request of the method; answers it."""
        while True:
            message = self.receive()
            if "method" not in message:
                raise ServerError("a response to no request: %r" % message)
            if "id" not in message:
                self.notifications.append(message)
                continue
            self.requests.append(message)
            self.send({"jsonrpc": "2.0", "id": message["id"], "result": default_answer(message)})
            if message["method"] == method:
                return message

    def result(self, method, params, answer=None):
        response = self.request(method, params, answer)
        if "error" in response:
            raise ServerError("%s: %r" % (method, response["error"]))
        return response["result"]

    def finish(self):
        self.result("shutdown", None)
        self.notify("exit", None)
        return self.close()

    def close(self):
        self.process.stdin.close()
        status = self.process.wait(self.timeout)
        self.process.stdout.close()
        return status


def default_answer(message):
    if message["method"] == "workspace/applyEdit":
        return {"applied": True}
    if message["method"] == "workspace/configuration":
        return [None]
    if message["method"] == "window/showDocument":
        return {"success": True}
    return None


class OpenDocument:
    """The client's copy of a document, as an editor holds it."""

    def __init__(self, client, uri, language, text, encoding="utf-16"):
        self.client, self.uri, self.text, self.version, self.encoding = client, uri, text, 1, encoding
        client.notify("textDocument/didOpen", {"textDocument": {
            "uri": uri, "languageId": language, "version": 1, "text": text}})

    def offset_of(self, position):
        lines = self.text.split("\n")
        start = sum(len(line) + 1 for line in lines[:position["line"]])
        line = lines[position["line"]] if position["line"] < len(lines) else ""
        units = 0
        for index, character in enumerate(line):
            if units == position["character"]:
                return start + index
            units += len(character.encode("utf-8")) if self.encoding == "utf-8" else utf16_column(character)
        assert units == position["character"], "a position between the units of a character"
        return start + len(line)

    def change(self, start, end, new_text):
        """An incremental change of character offsets [start, end)."""
        change_range = range_of(self.text, start, end, self.encoding)
        self.text = self.text[:start] + new_text + self.text[end:]
        self.version += 1
        self.client.notify("textDocument/didChange", {
            "textDocument": {"uri": self.uri, "version": self.version},
            "contentChanges": [{"range": change_range, "text": new_text}]})

    def replace_all(self, new_text):
        self.text = new_text
        self.version += 1
        self.client.notify("textDocument/didChange", {
            "textDocument": {"uri": self.uri, "version": self.version},
            "contentChanges": [{"text": new_text}]})

    def apply(self, edit):
        """Applies a TextEdit as the editor would, and tells the server."""
        start = self.offset_of(edit["range"]["start"])
        end = self.offset_of(edit["range"]["end"])
        self.change(start, end, edit["newText"])

    def actions(self, start, end):
        return self.client.result("textDocument/codeAction", {
            "textDocument": {"uri": self.uri},
            "range": range_of(self.text, start, end, self.encoding),
            "context": {"diagnostics": []}})

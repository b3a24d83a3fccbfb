// The engine's functions for JavaScript, over the module Emscripten makes
// of web/engine_api.cpp. The same functions are the Node package's exports
// and the page's window.tagora.
// stageTimes: see lap().
function tagoraApi(engine, stageTimes) {
  'use strict';

  const NO_INPUT = 'There is no HTML Code to convert.';
  const NO_SCRIPT = 'There is no script to convert.';
  const NO_LABEL = 'every heredoc label up to the largest is closed by a line of it';
  const SOURCES = ['byte-order-mark', 'unmarked-utf16', 'utf8', 'declared', 'guessed'];
  const utf8Encoder = new TextEncoder();
  // A leading U+FEFF is a character of the text, not a mark to drop.
  const utf8Decoder = new TextDecoder('utf-8', { ignoreBOM: true });
  const utf16Decoder = new TextDecoder('utf-16le', { ignoreBOM: true });

  // Every failure: a message, a code, and for a script that cannot be read
  // back, its line and column (from 1; the column in characters).
  class TagoraError extends Error {
    constructor(message, code, place) {
      super(place ? `line ${place.line}, column ${place.column}: ${message}` : message);
      this.name = 'TagoraError';
      this.code = code;
      this.error = message;
      if (place) {
        this.line = place.line;
        this.column = place.column;
      }
    }
  }

  const bytes = () => engine.HEAPU8;

  function resultBytes() {
    const start = engine._tagora_result_data();
    return bytes().subarray(start, start + engine._tagora_result_size());
  }

  // Decoded in pieces cut between characters: a piece of ASCII only
  // becomes a one-byte string, several times faster than one large text
  // with a few wider characters, which V8 makes two bytes a character.
  const UTF8_PIECE = 1 << 16;

  function resultUtf8() {
    const utf8 = resultBytes();
    if (utf8.length <= UTF8_PIECE)
      return utf8Decoder.decode(utf8);
    let text = '';
    for (let start = 0; start < utf8.length;) {
      const limit = Math.min(start + UTF8_PIECE, utf8.length);
      let end = limit;
      while (end > start && end < utf8.length && (utf8[end] & 0xC0) === 0x80)
        --end;
      if (end === start)
        end = limit;  // continuation bytes only: each decodes to U+FFFD alone
      text += utf8Decoder.decode(utf8.subarray(start, end));
      start = end;
    }
    return text;
  }

  // TextDecoder would turn a lone surrogate into U+FFFD; the window keeps it.
  function resultUtf16(wellFormed) {
    const units = resultBytes();
    if (wellFormed)
      return utf16Decoder.decode(units);
    const codes = new Uint16Array(units.slice().buffer);
    const parts = [];
    for (let at = 0; at < codes.length; at += 8192)
      parts.push(String.fromCharCode.apply(null, codes.subarray(at, at + 8192)));
    return parts.join('');
  }

  const info = (engine._tagora_info(), JSON.parse(resultUtf8()));
  const targets = Object.freeze(info.targets.map((target) => Object.freeze(target)));

  // The UTF-8 bytes of the text written into view, their count. Large
  // texts go in pieces of 64 K units (a surrogate pair kept whole), which
  // Chromium encodes a third faster than the text at once.
  const UTF16_PIECE = 1 << 16;

  function encodeUtf8Into(text, view) {
    if (text.length <= UTF16_PIECE)
      return utf8Encoder.encodeInto(text, view).written;
    let written = 0;
    for (let start = 0; start < text.length;) {
      let end = Math.min(start + UTF16_PIECE, text.length);
      if (end < text.length && (text.charCodeAt(end - 1) & 0xFC00) === 0xD800)
        --end;
      written += utf8Encoder.encodeInto(text.substring(start, end), view.subarray(written)).written;
      start = end;
    }
    return written;
  }

  // A well-formed text goes to the engine in pieces of 64 K units (a
  // surrogate pair kept whole), each copied into the engine's input block
  // at address, then fed(units); the engine makes it UTF-8, and the
  // script comes back as UTF-8 piece by piece. However large the text,
  // the engine's memory stays small and each piece stays in the
  // processor's cache. Copying the units is faster than TextEncoder's
  // encodeInto, and the engine's UTF-8 is what tagora-convert reads.
  const PIECE_UNITS = 1 << 16;

  // The milliseconds spent on each stage, added up when stageTimes is
  // given (bench/web): copying the text in, the engine, decoding the
  // script.
  const clock = stageTimes ? () => performance.now() : () => 0;

  // Adds the time since since to the stage; the time now.
  function lap(stage, since) {
    if (!stageTimes)
      return 0;
    const now = clock();
    stageTimes[stage] = (stageTimes[stage] || 0) + now - since;
    return now;
  }

  // The units of text from start to end written at units.
  function copyUnits(text, start, end, units) {
    for (let at = start; at < end; ++at)
      units[at - start] = text.charCodeAt(at);
  }

  function eachPiece(text, address, fed) {
    for (let start = 0; start < text.length;) {
      let end = Math.min(start + PIECE_UNITS, text.length);
      if (end < text.length && (text.charCodeAt(end - 1) & 0xFC00) === 0xD800)
        --end;
      const since = clock();
      copyUnits(text, start, end, new Uint16Array(bytes().buffer, address, PIECE_UNITS));
      lap('copy', since);
      fed(end - start);
      start = end;
    }
  }

  function checkedSize(size) {
    if (size < 0)
      throw new Error('the engine could not read the text');  // a well-formed text always is
    return size;
  }

  // Finds the heredoc label the engine then uses; false when every line
  // closes every label it can choose.
  function scanLabel(text) {
    const address = engine._tagora_label_scan_begin(PIECE_UNITS);
    eachPiece(text, address, (units) => checkedSize(engine._tagora_label_scan_feed(units)));
    return checkedSize(engine._tagora_label_scan_finish()) === 1;
  }

  function scriptInPieces(html, index, classic) {
    const address = engine._tagora_blocks_begin(index, classic ? 1 : 0, PIECE_UNITS);
    try {
      const output = engine._tagora_blocks_output();
      const decoder = new TextDecoder('utf-8', { ignoreBOM: true });
      const piece = (size) => decoder.decode(bytes().subarray(output, output + checkedSize(size)), { stream: true });
      let script = piece(engine._tagora_blocks_header());
      eachPiece(html, address, (units) => {
        const since = clock();
        const size = engine._tagora_blocks_feed(units);
        const decoding = lap('engine', since);
        script += piece(size);
        lap('decode', decoding);
      });
      return script + piece(engine._tagora_blocks_finish()) + decoder.decode();
    } finally {
      engine._tagora_blocks_end();
    }
  }

  // Calls use(address, size) with the text in the module's memory.
  function withUtf8(text, use) {
    const room = text.length * 3 + 1;
    const address = engine._malloc(room);
    if (!address)
      throw new TagoraError('There is not enough memory for this text.', 'NO_MEMORY');
    try {
      return use(address, encodeUtf8Into(text, bytes().subarray(address, address + room)));
    } finally {
      engine._free(address);
    }
  }

  function withUtf16(text, use) {
    const address = engine._malloc(text.length * 2 + 2);
    if (!address)
      throw new TagoraError('There is not enough memory for this text.', 'NO_MEMORY');
    try {
      const units = new Uint16Array(bytes().buffer, address, text.length);
      for (let i = 0; i < text.length; ++i)
        units[i] = text.charCodeAt(i);
      return use(address, text.length);
    } finally {
      engine._free(address);
    }
  }

  const isWellFormed = typeof ''.isWellFormed === 'function'
    ? (text) => text.isWellFormed()
    : (text) => !/\p{Cs}/u.test(text);

  function checkText(text, what) {
    if (typeof text !== 'string')
      throw new TypeError(`${what} must be a string`);
  }

  function targetIndex(name, what) {
    const index = targets.findIndex((target) => target.name === name);
    if (index < 0) {
      const names = targets.map((target) => target.name).join(', ');
      throw new TypeError(`${what} must be one of ${names}, not ${JSON.stringify(name)}`);
    }
    return index;
  }

  // The script of the text that prints it exactly: every line break
  // (CR LF, LF, CR, U+2029) is a CR LF, as tagora-convert and the window
  // read them. classic: version 1.0's escaping, PHP and ASP only.
  function convert(html, { to = 'php', classic = false } = {}) {
    checkText(html, 'the HTML');
    const index = targetIndex(to, 'to');
    if (classic && !targets[index].hasClassicEscaping)
      throw new TypeError(`classic escaping exists for PHP and ASP only, not ${to}`);
    if (html.length === 0)
      throw new TagoraError(NO_INPUT, 'EMPTY_INPUT');
    if (isWellFormed(html)) {
      if (engine._tagora_needs_label(index) && !scanLabel(html))
        throw new TagoraError(NO_LABEL, 'NO_HEREDOC_LABEL');
      return scriptInPieces(html, index, classic);
    }
    const made = withUtf16(html, (at, size) => engine._tagora_script_utf16(index, classic ? 1 : 0, at, size));
    if (made !== 1)
      throw new TagoraError(NO_LABEL, 'NO_HEREDOC_LABEL');
    return resultUtf16(false);
  }

  // A script read back: {html, target, exact}. exact: one of this
  // program's scripts, read back to what it prints; otherwise html is a
  // template of a PHP or ASP file. from: the script's target, else it is
  // recognised. inputText: the script's line breaks made CR LF first, as
  // the window's box holds them; otherwise it is read as it is.
  function readScript(script, { from, inputText = false } = {}) {
    checkText(script, 'the script');
    const fromIndex = from === undefined || from === null ? -1 : targetIndex(from, 'from');
    if (script.length === 0)
      throw new TagoraError(NO_SCRIPT, 'EMPTY_SCRIPT');
    const read = withUtf8(script, (at, size) => engine._tagora_to_html(at, size, fromIndex, inputText ? 1 : 0));
    if (read !== 1) {
      const place = { line: engine._tagora_error_line(), column: engine._tagora_error_column() };
      throw new TagoraError(resultUtf8(), 'UNREADABLE_SCRIPT', place);
    }
    const html = resultUtf8();
    const target = engine._tagora_read_target();
    return { html, target: target < 0 ? null : targets[target].name, exact: engine._tagora_read_exact() === 1 };
  }

  // The text as one string literal of a target, as tagora-convert --to=T
  // --literal writes it: every line break kept as it is, an empty text the
  // empty literal.
  function literal(text, { to = 'php' } = {}) {
    checkText(text, 'the text');
    const index = targetIndex(to, 'to');
    const wellFormed = isWellFormed(text);
    const made = wellFormed
      ? withUtf8(text, (at, size) => engine._tagora_literal_utf8(index, at, size))
      : withUtf16(text, (at, size) => engine._tagora_literal_utf16(index, at, size));
    if (made !== 1)
      throw new TagoraError(NO_LABEL, 'NO_HEREDOC_LABEL');
    return wellFormed ? resultUtf8() : resultUtf16(false);
  }

  // The text of one string literal, as tagora-convert --unescape reads it.
  // from: the literal's target, else every target that can read it must
  // agree on its text.
  function fromLiteral(text, { from } = {}) {
    checkText(text, 'the literal');
    const fromIndex = from === undefined || from === null ? -1 : targetIndex(from, 'from');
    const read = withUtf8(text, (at, size) => engine._tagora_from_literal(at, size, fromIndex));
    if (read !== 1) {
      const place = { line: engine._tagora_error_line(), column: engine._tagora_error_column() };
      throw new TagoraError(resultUtf8(), 'UNREADABLE_LITERAL', place);
    }
    return resultUtf8();
  }

  function toHtml(script, options) {
    return readScript(script, options).html;
  }

  // The text as the window's box holds it: every line break CR LF, U+FDD0
  // and U+FDD1 made U+FFFD.
  function inputText(text) {
    checkText(text, 'the text');
    withUtf16(text, (at, size) => engine._tagora_input_text_utf16(at, size));
    return resultUtf16(isWellFormed(text));
  }

  // " 60 112 62": the Windows-1252 code of every UTF-16 unit of the input
  // text, 63 where that code page has no such character.
  function characterCodes(text) {
    checkText(text, 'the text');
    withUtf16(text, (at, size) => engine._tagora_codes_utf16(at, size));
    return String.fromCharCode.apply(null, resultBytes().slice());
  }

  // The encoding the window reads a file's bytes in, without decoding.
  function chooseEncoding(data) {
    const view = data instanceof Uint8Array ? data : new Uint8Array(data);
    const address = engine._malloc(view.length + 1);
    try {
      bytes().set(view, address);
      const source = engine._tagora_choose_encoding(address, view.length);
      const encoding = resultUtf8();
      const markSize = engine._tagora_encoding_mark_size();
      engine._tagora_encoding_ignored_label();
      return { encoding, source: SOURCES[source], markSize, ignoredLabel: resultUtf8() };
    } finally {
      engine._free(address);
    }
  }

  // Windows-1252 as browsers read it (WHATWG index-windows-1252): some
  // TextDecoders (Node's) read it as Latin-1, with C1 controls for 0x80
  // to 0x9F.
  const WINDOWS_1252_HIGH = '\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D'
    + '\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178';
  const readsWindows1252 = new TextDecoder('windows-1252').decode(Uint8Array.of(0x80, 0x9F)) === '\u20AC\u0178';

  function decodeWindows1252(view) {
    const parts = [];
    for (let at = 0; at < view.length; at += 8192) {
      const codes = Array.from(view.subarray(at, at + 8192),
                               (byte) => (byte >= 0x80 && byte < 0xA0 ? WINDOWS_1252_HIGH.charCodeAt(byte - 0x80) : byte));
      parts.push(String.fromCharCode.apply(null, codes));
    }
    return { text: parts.join(''), replaced: false };
  }

  function decodeAs(encoding, view) {
    if (encoding === 'windows-1252' && !readsWindows1252)
      return decodeWindows1252(view);
    try {
      return { text: new TextDecoder(encoding, { fatal: true }).decode(view), replaced: false };
    } catch (error) {
      if (error instanceof RangeError)
        return null;  // an encoding this JavaScript engine cannot decode
      return { text: new TextDecoder(encoding).decode(view), replaced: true };
    }
  }

  function whyWindows1252(read, name) {
    const label = read.ignoredLabel;
    if (!label)
      return `"${name}" is not UTF-8 and names no character set of its own`;
    if (read.unavailable)
      return `"${name}" is not UTF-8 and names ${label}, a character set this program cannot read`;
    const named = labelledEncoding(label);
    if (named === 'utf-8')
      return `"${name}" declares the character set "${label}" but is not valid UTF-8`;
    if (named === 'utf-16le' || named === 'utf-16be') {
      return `"${name}" declares "${label}", which browsers take for UTF-8 in a page without a `
        + 'byte-order mark, but it is not valid UTF-8';
    }
    if (named === 'replacement')
      return `"${name}" is not UTF-8 and names "${label}", a character set browsers refuse to read`;
    return `"${name}" is not UTF-8 and names "${label}", a character set browsers do not know`;
  }

  // What the browser's decoder makes of a label; "replacement" for those
  // it refuses (ISO-2022-KR, ...), which TextDecoder reports as unknown.
  function labelledEncoding(label) {
    try {
      return new TextDecoder(label).encoding;
    } catch {
      return /^\s*(csiso2022kr|hz-gb-2312|iso-2022-cn(-ext)?|iso-2022-kr|replacement)\s*$/i.test(label)
        ? 'replacement' : null;
    }
  }

  function readingNotice(read, name) {
    const notice = [];
    if (read.source === 'unmarked-utf16') {
      notice.push(`"${name}" has no byte-order mark, but its first characters show ${read.encoding}, `
        + `so it was read as ${read.encoding}.`);
    }
    if (read.source === 'guessed') {
      notice.push(whyWindows1252(read, name)
        + ', so it was read as Windows-1252 (Western European). Check any characters outside plain ASCII.');
    }
    if (read.replaced) {
      notice.push(`Some bytes of "${name}" are not valid ${read.encoding}: each shows as the `
        + 'replacement character \uFFFD.');
    }
    return notice.join('\n\n');
  }

  // A file's bytes read as the window reads them: {text, encoding, source,
  // ignoredLabel, replaced, notice}; notice says what was assumed, when
  // anything was (empty for a file with a byte-order mark or in UTF-8).
  function decode(data, { name = 'the file' } = {}) {
    const view = data instanceof Uint8Array ? data : new Uint8Array(data);
    const choice = chooseEncoding(view);
    const read = { ...choice, unavailable: false };
    let decoded = decodeAs(choice.encoding, view.subarray(choice.markSize));
    if (!decoded) {
      Object.assign(read, { unavailable: true, ignoredLabel: choice.encoding, source: 'guessed',
                            encoding: 'windows-1252' });
      decoded = decodeAs('windows-1252', view);
    }
    read.replaced = decoded.replaced;
    const result = { text: decoded.text, encoding: read.encoding, source: read.source,
                     ignoredLabel: read.ignoredLabel, replaced: read.replaced };
    result.notice = readingNotice(read, name);
    return result;
  }

  return Object.freeze({
    convert, toHtml, readScript, literal, fromLiteral, inputText, characterCodes, chooseEncoding, decode, targets,
    TagoraError,
    productName: info.productName,
    version: info.version,
    productTitle: info.productTitle,
    credits: Object.freeze({ developer: info.developerCredit, line: info.creditLine }),
  });
}

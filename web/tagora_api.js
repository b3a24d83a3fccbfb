// The engine's functions for JavaScript, over the module Emscripten makes
// of web/engine_api.cpp. The same functions are the Node package's exports
// and the page's window.tagora.

// Every failure: a message, a code, and where the input is at fault, its
// place: line and column (from 1; the column in characters), or the
// offset of a byte.
class TagoraError extends Error {
  constructor(message, code, place) {
    super(place && place.line ? `line ${place.line}, column ${place.column}: ${message}` : message);
    this.name = 'TagoraError';
    this.code = code;
    this.error = message;
    if (place)
      Object.assign(this, place);
  }
}

// stageTimes: see lap(). streams: {Transform} of node:stream, for the
// Node streams. progress(done, total): told of each piece of a text
// converted, in units (the page's worker reports it).
function tagoraApi(engine, stageTimes, streams, progress) {
  'use strict';

  const NO_INPUT = 'There is no HTML Code to convert.';
  const NO_SCRIPT = 'There is no script to convert.';
  const NO_LABEL = 'every heredoc label up to the largest is closed by a line of it';
  const SOURCES = ['byte-order-mark', 'unmarked-utf16', 'utf8', 'declared', 'guessed'];
  const utf8Encoder = new TextEncoder();
  // A leading U+FEFF is a character of the text, not a mark to drop.
  const utf8Decoder = new TextDecoder('utf-8', { ignoreBOM: true });
  const utf16Decoder = new TextDecoder('utf-16le', { ignoreBOM: true });

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

  // A text goes to the engine in pieces of 64 K units (a surrogate pair
  // kept whole) or bytes, each copied into the engine's input block, and
  // the script comes back as UTF-8 piece by piece. However large the text,
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

  // Calls fed(start, end) for each piece of the text, a surrogate pair
  // kept whole.
  function eachPiece(text, fed) {
    for (let start = 0; start < text.length;) {
      let end = Math.min(start + PIECE_UNITS, text.length);
      if (end < text.length && (text.charCodeAt(end - 1) & 0xFC00) === 0xD800)
        --end;
      fed(start, end);
      start = end;
    }
  }

  const invalidUtf8 = (offset) =>
    new TagoraError(`invalid UTF-8 at byte offset ${offset}`, 'INVALID_UTF8', { offset });

  // One of the engine's conversions (several may go on at once): a text
  // fed as UTF-16 units of a well-formed string or as UTF-8 bytes; each
  // call gives its piece of the script, a view into the engine's memory
  // that the next call overwrites.
  class Conversion {
    constructor(index, classic, utf8) {
      this.handle = engine._tagora_blocks_begin(index, classic ? 1 : 0, utf8 ? 1 : 0, PIECE_UNITS);
      this.input = engine._tagora_blocks_input(this.handle);
      this.output = engine._tagora_blocks_output(this.handle);
    }

    piece(size) {
      if (size < 0)
        throw invalidUtf8(engine._tagora_blocks_error_offset(this.handle));
      return bytes().subarray(this.output, this.output + size);
    }

    header() {
      return this.piece(engine._tagora_blocks_header(this.handle));
    }

    units(text, start, end) {
      const since = clock();
      copyUnits(text, start, end, new Uint16Array(bytes().buffer, this.input, PIECE_UNITS));
      const feeding = lap('copy', since);
      const size = engine._tagora_blocks_feed(this.handle, end - start);
      lap('engine', feeding);
      return this.piece(size);
    }

    // At most PIECE_UNITS bytes.
    bytes(view) {
      bytes().set(view, this.input);
      return this.piece(engine._tagora_blocks_feed(this.handle, view.length));
    }

    finish() {
      return this.piece(engine._tagora_blocks_finish(this.handle));
    }

    end() {
      engine._tagora_blocks_end(this.handle);
    }
  }

  // Finds the heredoc label the next conversion takes; false when every
  // line closes every label it can choose. feedAll(feed) calls feed(view)
  // with each piece of UTF-8 (utf8) or feed(text, start, end).
  function scanLabel(utf8, feedAll) {
    const scan = engine._tagora_label_scan_begin(utf8 ? 1 : 0, PIECE_UNITS);
    const checked = (result) => {
      if (result < 0)
        throw invalidUtf8(engine._tagora_label_scan_error_offset(scan));
      return result;
    };
    try {
      const input = engine._tagora_label_scan_input(scan);
      feedAll(utf8 ? (view) => {
        bytes().set(view, input);
        checked(engine._tagora_label_scan_feed(scan, view.length));
      } : (text, start, end) => {
        copyUnits(text, start, end, new Uint16Array(bytes().buffer, input, PIECE_UNITS));
        checked(engine._tagora_label_scan_feed(scan, end - start));
      });
      return checked(engine._tagora_label_scan_finish(scan)) === 1;
    } finally {
      engine._tagora_label_scan_end(scan);
    }
  }

  // A label scan over UTF-8 fed piece by piece: feed(view), soFar() (the
  // label of the text fed so far, as if it ended there, which conversions
  // begun next take), finish() (the whole text's), each label or null;
  // end() frees it.
  function labelScan() {
    const scan = engine._tagora_label_scan_begin(1, PIECE_UNITS);
    const input = engine._tagora_label_scan_input(scan);
    const checked = (result) => {
      if (result < 0)
        throw invalidUtf8(engine._tagora_label_scan_error_offset(scan));
      return result;
    };
    const label = (found) => {
      if (found !== 1)
        return null;
      engine._tagora_label_result();
      return resultUtf8();
    };
    return {
      feed(view) {
        eachBytePiece(view, (piece) => {
          bytes().set(piece, input);
          checked(engine._tagora_label_scan_feed(scan, piece.length));
        });
      },
      soFar: () => label(engine._tagora_label_scan_so_far(scan)),
      finish: () => label(checked(engine._tagora_label_scan_finish(scan))),
      end: () => engine._tagora_label_scan_end(scan),
    };
  }

  // A string longer than JavaScript allows (about 2^29 units in V8) is a
  // RangeError: said as a TagoraError.
  function tooLong(error, what) {
    if (!(error instanceof RangeError))
      return error;
    return new TagoraError(`${what} is longer than a JavaScript string can hold: `
      + 'take it in pieces from convertStream or convertTransform', 'OUTPUT_TOO_LONG');
  }

  function scriptOfText(html, index, classic) {
    const conversion = new Conversion(index, classic, false);
    try {
      const decoder = new TextDecoder('utf-8', { ignoreBOM: true });
      const decode = (view) => {
        const since = clock();
        const text = decoder.decode(view, { stream: true });
        lap('decode', since);
        return text;
      };
      let script = decode(conversion.header());
      eachPiece(html, (start, end) => {
        script += decode(conversion.units(html, start, end));
        if (progress)
          progress(end, html.length);
      });
      return script + decode(conversion.finish()) + decoder.decode();
    } catch (error) {
      throw tooLong(error, 'The script');
    } finally {
      conversion.end();
    }
  }

  const BYTE_ORDER_MARK = [0xEF, 0xBB, 0xBF];

  // Whether the bytes hold no text: none, or a byte-order mark alone.
  const emptyBytes = (view) => view.length <= 3 && BYTE_ORDER_MARK.slice(0, view.length).every((b, i) => view[i] === b)
    && (view.length === 0 || view.length === 3);

  function eachBytePiece(view, fed) {
    for (let start = 0; start < view.length; start += PIECE_UNITS)
      fed(view.subarray(start, start + PIECE_UNITS));
  }

  // The script of UTF-8 bytes, as tagora-convert makes it: a leading
  // byte-order mark skipped, invalid UTF-8 refused at its byte.
  function scriptOfBytes(view, index, classic) {
    if (emptyBytes(view))
      throw new TagoraError(NO_INPUT, 'EMPTY_INPUT');
    if (engine._tagora_needs_label(index) && !scanLabel(true, (feed) => eachBytePiece(view, feed)))
      throw new TagoraError(NO_LABEL, 'NO_HEREDOC_LABEL');
    const conversion = new Conversion(index, classic, true);
    try {
      const decoder = new TextDecoder('utf-8', { ignoreBOM: true });
      let script = decoder.decode(conversion.header(), { stream: true });
      eachBytePiece(view, (piece) => { script += decoder.decode(conversion.bytes(piece), { stream: true }); });
      return script + decoder.decode(conversion.finish()) + decoder.decode();
    } catch (error) {
      throw tooLong(error, 'The script');
    } finally {
      conversion.end();
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

  const LONE_SURROGATE = /[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/;

  // Line and column (from 1, the column in characters) of the unit at
  // index: every CR LF, LF, CR and U+2029 ends a line, as in the input text.
  function placeOf(text, index) {
    let line = 1;
    let lineStart = 0;
    for (let at = 0; at < index; ++at) {
      const unit = text.charCodeAt(at);
      if (unit === 0x0A || unit === 0x2029 || (unit === 0x0D && text.charCodeAt(at + 1) !== 0x0A)) {
        ++line;
        lineStart = at + 1;
      }
    }
    let column = 1;
    for (let at = lineStart; at < index; ++at) {
      if ((text.charCodeAt(at) & 0xFC00) !== 0xDC00 || (text.charCodeAt(at - 1) & 0xFC00) !== 0xD800)
        ++column;
    }
    return { line, column };
  }

  // A lone surrogate (half of a character that UTF-8 cannot hold), at its
  // place: what cannot print it refuses it.
  function loneSurrogateError(text, index, what) {
    const hex = text.charCodeAt(index).toString(16).toUpperCase();
    return new TagoraError(`U+${hex} is a lone surrogate, half of a character, which ${what} cannot hold`,
                           'LONE_SURROGATE', placeOf(text, index));
  }

  function checkWellFormed(text, what) {
    const found = LONE_SURROGATE.exec(text);
    if (found)
      throw loneSurrogateError(text, found.index, what);
  }

  const badOption = (message) => new TagoraError(message, 'BAD_OPTION');

  // The options as given, every name known and every value of its type.
  function checkOptions(options, known, call) {
    if (options === undefined || options === null)
      return {};
    if (typeof options !== 'object')
      throw badOption(`${call}: the options must be an object, not ${typeof options}`);
    for (const [name, value] of Object.entries(options)) {
      if (!(name in known))
        throw badOption(`${call}: unknown option "${name}"; the options are ${Object.keys(known).join(', ')}`);
      if (value !== undefined && typeof value !== known[name])
        throw badOption(`${call}: the option ${name} must be a ${known[name]}, not ${typeof value}`);
    }
    return options;
  }

  function checkText(text, what) {
    if (typeof text !== 'string')
      throw new TagoraError(`${what} must be a string, not ${typeof text}`, 'BAD_INPUT');
  }

  function targetIndex(name, what) {
    const index = targets.findIndex((target) => target.name === name);
    if (index < 0) {
      const names = targets.map((target) => target.name).join(', ');
      throw badOption(`${what} must be one of ${names}, not ${JSON.stringify(name)}`);
    }
    return index;
  }

  const SCRIPT_OPTIONS = { to: 'string', classic: 'boolean', name: 'string', noHeader: 'boolean' };

  // The target's index and the escaping, the header and the name set in
  // the engine for the conversions that begin next.
  function scriptOptions({ to = 'php', classic = false, name, noHeader = false }) {
    const index = targetIndex(to, 'to');
    if (classic && !targets[index].hasClassicEscaping)
      throw badOption(`classic escaping exists for PHP and ASP only, not ${to}`);
    if (name !== undefined && to !== 'js' && to !== 'js-concat')
      throw badOption(`name applies to js and js-concat only, not ${to}`);
    name = name === undefined ? 'html' : name;
    const set = withUtf8(name, (at, size) => engine._tagora_set_options(noHeader ? 0 : 1, at, size));
    if (set !== 1) {
      throw badOption(`the name ${JSON.stringify(name)} cannot be a JavaScript constant's: at most 64 ASCII `
        + 'letters, digits, _ and $, not starting with a digit, not a reserved word');
    }
    return { index, classic };
  }

  // Targets whose scripts hold a lone surrogate as an escape that prints
  // it back exactly (a JavaScript or JSON string holds one).
  const holdsLoneSurrogates = (index) => ['js', 'js-concat', 'json'].includes(targets[index].name);

  function isBytes(input) {
    return input instanceof Uint8Array || input instanceof ArrayBuffer || ArrayBuffer.isView(input);
  }

  function viewOf(input) {
    if (input instanceof Uint8Array)
      return input;
    if (input instanceof ArrayBuffer)
      return new Uint8Array(input);
    return new Uint8Array(input.buffer, input.byteOffset, input.byteLength);
  }

  const isUtf8Label = (label) => /^\s*(utf-?8|unicode-1-1-utf-8|unicode11utf8|unicode20utf8|x-unicode20utf8)\s*$/i.test(label);

  // The text of bytes in an encoding as browsers name it, a byte-order
  // mark deciding first, as tagora-convert --encoding=ENC reads them.
  function textInEncoding(view, label, name) {
    if (label === 'auto')
      return decode(view, { name }).text;
    let encoding;
    try {
      encoding = new TextDecoder(label).encoding;
    } catch {
      throw badOption(`encoding: "${label}" is no encoding this JavaScript engine knows`);
    }
    const marks = [['utf-8', [0xEF, 0xBB, 0xBF]], ['utf-16le', [0xFF, 0xFE]], ['utf-16be', [0xFE, 0xFF]]];
    const mark = marks.find(([, start]) => start.every((byte, i) => view[i] === byte));
    if (mark)
      return new TextDecoder(mark[0]).decode(view);
    return decodeAs(encoding, view).text;
  }

  // The script of the text that prints it exactly: every line break
  // (CR LF, LF, CR, U+2029) is a CR LF, as tagora-convert and the window
  // read them. The HTML is a string, or bytes in UTF-8 (else in encoding).
  function convert(html, options) {
    const chosen = checkOptions(options, { ...SCRIPT_OPTIONS, encoding: 'string' }, 'convert');
    const { index, classic } = scriptOptions(chosen);
    if (isBytes(html)) {
      const view = viewOf(html);
      if (chosen.encoding === undefined || isUtf8Label(chosen.encoding))
        return scriptOfBytes(view, index, classic);
      html = textInEncoding(view, chosen.encoding, 'the HTML');
    } else {
      checkText(html, 'the HTML');
      if (chosen.encoding !== undefined)
        throw badOption('encoding: the HTML is a string already; encoding is for bytes');
    }
    if (html.length === 0)
      throw new TagoraError(NO_INPUT, 'EMPTY_INPUT');
    const lone = LONE_SURROGATE.exec(html);
    if (lone) {
      if (!holdsLoneSurrogates(index))
        throw loneSurrogateError(html, lone.index, `a ${targets[index].title}`);
      const made = withUtf16(html, (at, size) => engine._tagora_script_utf16(index, classic ? 1 : 0, at, size));
      if (made !== 1)
        throw new TagoraError(NO_LABEL, 'NO_HEREDOC_LABEL');
      return resultUtf16(false);
    }
    if (engine._tagora_needs_label(index) && !scanLabel(false, (feed) => eachPiece(html, (s, e) => feed(html, s, e))))
      throw new TagoraError(NO_LABEL, 'NO_HEREDOC_LABEL');
    return scriptOfText(html, index, classic);
  }

  // A script read back: {html, target, exact}. exact: one of this
  // program's scripts, read back to what it prints; otherwise html is a
  // template of a PHP or ASP file. from: the script's target, else it is
  // recognised. inputText: the script's line breaks made CR LF first, as
  // the window's box holds them; otherwise it is read as it is.
  function readScript(script, options) {
    const { from, inputText: asInputText = false } =
      checkOptions(options, { from: 'string', inputText: 'boolean' }, 'readScript');
    checkText(script, 'the script');
    const fromIndex = from === undefined ? -1 : targetIndex(from, 'from');
    if (script.length === 0)
      throw new TagoraError(NO_SCRIPT, 'EMPTY_SCRIPT');
    checkWellFormed(script, 'UTF-8');
    const read = withUtf8(script, (at, size) => engine._tagora_to_html(at, size, fromIndex, asInputText ? 1 : 0));
    return readResult(read);
  }

  function readResult(read) {
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
  function literal(text, options) {
    const { to = 'php' } = checkOptions(options, { to: 'string' }, 'literal');
    checkText(text, 'the text');
    const index = targetIndex(to, 'to');
    const lone = LONE_SURROGATE.exec(text);
    if (lone && !holdsLoneSurrogates(index))
      throw loneSurrogateError(text, lone.index, `a ${targets[index].title}`);
    const made = lone
      ? withUtf16(text, (at, size) => engine._tagora_literal_utf16(index, at, size))
      : withUtf8(text, (at, size) => engine._tagora_literal_utf8(index, at, size));
    if (made !== 1)
      throw new TagoraError(NO_LABEL, 'NO_HEREDOC_LABEL');
    return lone ? resultUtf16(false) : resultUtf8();
  }

  // The text of one string literal, as tagora-convert --unescape reads it.
  // from: the literal's target, else every target that can read it must
  // agree on its text.
  function fromLiteral(text, options) {
    const { from } = checkOptions(options, { from: 'string' }, 'fromLiteral');
    checkText(text, 'the literal');
    const fromIndex = from === undefined ? -1 : targetIndex(from, 'from');
    checkWellFormed(text, 'UTF-8');
    const read = withUtf8(text, (at, size) => engine._tagora_from_literal(at, size, fromIndex));
    if (read !== 1) {
      const place = { line: engine._tagora_error_line(), column: engine._tagora_error_column() };
      throw new TagoraError(resultUtf8(), 'UNREADABLE_LITERAL', place);
    }
    return resultUtf8();
  }

  // A script file's bytes read as tagora-convert --to=html --encoding=auto
  // reads them. In a legacy encoding, a PHP or ASP page is a template of its
  // own bytes, in that encoding: bytes holds them, html their text. Any
  // other file is decoded and read as text (bytes null: html is written as
  // UTF-8). With the encoding and the notice of what was assumed.
  function readScriptFile(data, options) {
    const { from, name = 'the file' } = checkOptions(options, { from: 'string', name: 'string' }, 'readScriptFile');
    const view = bytesOf(data, 'readScriptFile: the file');
    const fromIndex = from === undefined ? -1 : targetIndex(from, 'from');
    const decoded = decode(view, { name });
    const file = { encoding: decoded.encoding, notice: decoded.notice, bytes: null };
    if (!['UTF-8', 'UTF-16LE', 'UTF-16BE'].includes(decoded.encoding) && view.length > 0) {
      const label = utf8Encoder.encode(`${decoded.encoding}\0`);
      const address = engine._malloc(view.length + label.length);
      if (!address)
        throw new TagoraError('There is not enough memory for this script.', 'NO_MEMORY');
      let read;
      try {
        bytes().set(view, address);
        bytes().set(label, address + view.length);
        read = engine._tagora_to_html_file_bytes(address, view.length, fromIndex, address + view.length);
      } finally {
        engine._free(address);
      }
      if (read !== 1) {
        const template = readResult(read === 2 ? 1 : 0);
        file.bytes = resultBytes().slice();
        return { ...template, html: new TextDecoder(decoded.encoding).decode(file.bytes), ...file };
      }
    }
    // A UTF-8 mark taken as the encoding's sign is still a page's first
    // text, which PHP prints: the template keeps it, as tagora-convert does.
    const read = readScript(decoded.text, { from });
    if (decoded.source === 'byte-order-mark' && decoded.encoding === 'UTF-8' && !read.exact)
      read.html = `\uFEFF${read.html}`;
    return { ...read, ...file };
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

  const isWellFormed = typeof ''.isWellFormed === 'function'
    ? (text) => text.isWellFormed()
    : (text) => !LONE_SURROGATE.test(text);

  // The bytes of a stream's chunk: UTF-8 bytes as they are, a string as
  // its UTF-8 (a surrogate pair may be cut between two chunks; a lone
  // surrogate is refused, counted in units from the stream's start).
  function chunkReader() {
    let high = '';
    let units = 0;
    return {
      bytes(chunk) {
        if (isBytes(chunk))
          return viewOf(chunk);
        if (typeof chunk !== 'string')
          throw new TagoraError(`a chunk must be a string or bytes, not ${typeof chunk}`, 'BAD_INPUT');
        let text = high + chunk;
        high = '';
        if ((text.charCodeAt(text.length - 1) & 0xFC00) === 0xD800) {
          high = text.slice(-1);
          text = text.slice(0, -1);
        }
        const lone = LONE_SURROGATE.exec(text);
        if (lone) {
          throw new TagoraError(`U+${text.charCodeAt(lone.index).toString(16).toUpperCase()} at unit `
            + `${units + lone.index} is a lone surrogate, half of a character, which UTF-8 cannot hold`,
                                'LONE_SURROGATE', { unit: units + lone.index });
        }
        units += text.length;
        return utf8Encoder.encode(text);
      },
      end() {
        if (high)
          throw new TagoraError(`the text ends with half of a character, a lone surrogate, at unit ${units}`,
                                'LONE_SURROGATE', { unit: units });
      },
    };
  }

  // A copy of the bytes (Buffer's own slice would share them).
  const copied = (view) => Uint8Array.prototype.slice.call(view);

  // Bytes of a php-nowdoc stream held to choose its label: no line of the
  // text may close it, so a text this long or shorter is held whole first.
  // A longer one takes the label its first LABEL_HOLD bytes allow, and is
  // then converted as it comes; that label is the whole text's, as convert()
  // and tagora-convert choose it, unless a later line closes it: the stream
  // then fails (NO_HEREDOC_LABEL) rather than give another script.
  const LABEL_HOLD = 8 << 20;

  // The script of UTF-8 chunks, piece by piece: write(chunk, push) and
  // end(push) push each piece of the script (bytes of their own; with
  // lent, a view of the engine's memory, good until push returns), in
  // memory that stays small (see LABEL_HOLD for php-nowdoc).
  function scriptWriter(options, call, lent = false) {
    const out = lent ? (view) => view : copied;
    const chosen = checkOptions(options, SCRIPT_OPTIONS, call);
    const { index, classic } = scriptOptions(chosen);  // checked now, set again when the conversion begins
    const needsLabel = engine._tagora_needs_label(index) === 1;
    const held = [];   // php-nowdoc: the first chunks, until its label is chosen
    let heldSize = 0;
    let label = null;  // chosen before the end, from the held chunks
    let scan = null;   // php-nowdoc: the label scan, from the first chunk
    const reader = chunkReader();
    const start = [];  // the first three bytes, to tell an empty text
    let conversion = null;
    let size = 0;

    function feed(view, push) {
      if (!conversion) {
        scriptOptions(chosen);
        conversion = new Conversion(index, classic, true);
        push(out(conversion.header()));
      }
      eachBytePiece(view, (piece) => {
        const script = conversion.bytes(piece);
        if (script.length)
          push(out(script));
      });
    }

    function fail(error) {
      if (conversion)
        conversion.end();
      conversion = null;
      if (scan)
        scan.end();
      scan = null;
      return error;
    }

    // php-nowdoc: the chunk scanned for lines that close a label, and held
    // until LABEL_HOLD bytes are; then the label is chosen, and the held
    // chunks and every chunk after them converted.
    function writeLabelled(view, push) {
      scan ??= labelScan();
      scan.feed(view);
      if (label !== null) {
        feed(view, push);
        return;
      }
      held.push(copied(view));
      heldSize += view.length;
      if (heldSize > LABEL_HOLD) {
        label = scan.soFar();
        if (label === null)
          throw new TagoraError(NO_LABEL, 'NO_HEREDOC_LABEL');
        held.splice(0).forEach((piece) => feed(piece, push));
      }
    }

    function endLabelled(push) {
      const whole = scan.finish();
      if (label === null) {
        if (whole === null)
          throw new TagoraError(NO_LABEL, 'NO_HEREDOC_LABEL');
        held.splice(0).forEach((piece) => feed(piece, push));
      } else if (whole !== label) {
        throw new TagoraError(`a line after the first ${LABEL_HOLD >> 20} MB closes the nowdoc label ${label}, `
          + 'chosen from them as the stream began: convert this text whole (convert or tagora-convert)',
                              'NO_HEREDOC_LABEL');
      }
    }

    return {
      write(chunk, push) {
        try {
          const view = reader.bytes(chunk);
          for (let i = 0; start.length < 3 && i < view.length; ++i)
            start.push(view[i]);
          size += view.length;
          if (needsLabel)
            writeLabelled(view, push);
          else if (view.length)
            feed(view, push);
        } catch (error) {
          throw fail(error);
        }
      },
      end(push) {
        try {
          reader.end();
          if (size <= 3 && emptyBytes(Uint8Array.from(start)))
            throw new TagoraError(NO_INPUT, 'EMPTY_INPUT');
          if (needsLabel)
            endLabelled(push);
          push(out(conversion.finish()));
          fail(null);
        } catch (error) {
          throw fail(error);
        }
      },
    };
  }

  // The HTML a script prints, from its UTF-8 chunks: the script is read
  // whole at the end (held meanwhile), the HTML pushed in pieces of 1 MB.
  function htmlWriter(options, call) {
    const { from } = checkOptions(options, { from: 'string' }, call);
    const fromIndex = from === undefined ? -1 : targetIndex(from, 'from');
    const held = [];
    const reader = chunkReader();
    let size = 0;
    return {
      write(chunk) {
        const view = reader.bytes(chunk);
        held.push(copied(view));
        size += view.length;
      },
      end(push) {
        reader.end();
        if (size === 0)
          throw new TagoraError(NO_SCRIPT, 'EMPTY_SCRIPT');
        const address = engine._malloc(size);
        if (!address)
          throw new TagoraError('There is not enough memory for this script.', 'NO_MEMORY');
        try {
          let at = address;
          for (const view of held.splice(0)) {
            bytes().set(view, at);
            at += view.length;
          }
          const bad = engine._tagora_utf8_error_offset(address, size);
          if (bad >= 0)
            throw invalidUtf8(bad);
          const read = engine._tagora_to_html(address, size, fromIndex, 0);
          if (read !== 1)
            readResult(read);
        } finally {
          engine._free(address);
        }
        const html = resultBytes();
        for (let at = 0; at < html.length; at += 1 << 20)
          push(html.slice(at, at + (1 << 20)));
      },
    };
  }

  // A web TransformStream over a writer: chunks of bytes or strings in,
  // Uint8Array pieces of UTF-8 out.
  function webTransform(writer) {
    return new TransformStream({
      transform(chunk, controller) {
        writer.write(chunk, (piece) => controller.enqueue(piece));
      },
      flush(controller) {
        writer.end((piece) => controller.enqueue(piece));
      },
    });
  }

  const convertTransform = (options) => webTransform(scriptWriter(options, 'convertTransform'));
  const toHtmlTransform = (options) => webTransform(htmlWriter(options, 'toHtmlTransform'));

  // A Node Transform stream over a writer: Buffer pieces of UTF-8 out.
  function nodeTransform(writer) {
    return new streams.Transform({
      decodeStrings: false,
      transform(chunk, encoding, done) {
        try {
          writer.write(typeof chunk === 'string' && encoding !== 'utf8' && encoding !== 'utf-8'
            ? Buffer.from(chunk, encoding) : chunk, (piece) => this.push(piece));
          done();
        } catch (error) {
          done(error);
        }
      },
      flush(done) {
        try {
          writer.end((piece) => this.push(piece));
          done();
        } catch (error) {
          done(error);
        }
      },
    });
  }

  const nodeStreams = streams ? {
    convertStream: (options) => nodeTransform(scriptWriter(options, 'convertStream')),
    toHtmlStream: (options) => nodeTransform(htmlWriter(options, 'toHtmlStream')),
    // For the package's bin: pieces lent, never copied, so that a large
    // file makes no garbage at all.
    [Symbol.for('tagora-converter.scriptPieces')]: (options) => scriptWriter(options, 'convert', true),
  } : {};

  // " 60 112 62": the Windows-1252 code of every UTF-16 unit of the input
  // text, 63 where that code page has no such character.
  function characterCodes(text) {
    checkText(text, 'the text');
    withUtf16(text, (at, size) => engine._tagora_codes_utf16(at, size));
    return String.fromCharCode.apply(null, resultBytes().slice());
  }

  // The encoding the window reads a file's bytes in, without decoding.
  function bytesOf(data, what) {
    if (!isBytes(data))
      throw new TagoraError(`${what} must be bytes (a Uint8Array, Buffer or ArrayBuffer), not ${typeof data}`, 'BAD_INPUT');
    return viewOf(data);
  }

  function chooseEncoding(data) {
    const view = bytesOf(data, 'chooseEncoding: the file');
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
  function decode(data, options) {
    const { name = 'the file' } = checkOptions(options, { name: 'string' }, 'decode');
    const view = bytesOf(data, 'decode: the file');
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
    convert, toHtml, readScript, readScriptFile, literal, fromLiteral, inputText, characterCodes, chooseEncoding, decode, targets,
    convertTransform, toHtmlTransform, ...nodeStreams,
    TagoraError,
    productName: info.productName,
    version: info.version,
    productTitle: info.productTitle,
    credits: Object.freeze({ developer: info.developerCredit, line: info.creditLine }),
  });
}

// The page's engine, in a worker of its own: the page's thread never
// waits for a conversion, and Cancel ends this worker. Each request is
// {id, job, ...}; each answer {id, result} or {id, error}, with
// {id, progress} (0 to 1) meanwhile. The first message says {ready}, with
// the targets and the product's names, or {failed}.
(function () {
  'use strict';

  const PIECE = 1 << 20;         // characters given to a stream at once
  const PROGRESS_EVERY = 100;    // ms between two progress messages
  const LONGEST_LISTED = 500000; // characters whose codes are listed
  const LONE_SURROGATE = /[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/;

  let tagora = null;
  let job = null;  // {id, told}: the request being answered
  let opened = null;  // {file, text}: the last file read

  function tell(fraction) {
    const now = performance.now();
    if (job && now - job.told >= PROGRESS_EVERY) {
      job.told = now;
      postMessage({ id: job.id, progress: fraction });
    }
  }

  // An error as plain data: its message, and a TagoraError's code and place.
  function errorData(error) {
    const data = { name: error.name || 'Error', message: error.message || String(error) };
    for (const key of ['code', 'error', 'line', 'column', 'offset', 'unit'])
      if (error[key] !== undefined)
        data[key] = error[key];
    return data;
  }

  // The file's text, read again only when it is another file.
  async function fileText(file) {
    if (!opened || opened.file.name !== file.name || opened.file.size !== file.size
        || opened.file.lastModified !== file.lastModified) {
      const read = tagora.decode(new Uint8Array(await file.arrayBuffer()), { name: file.name });
      opened = { file, read };
    }
    return opened.read;
  }

  // The text of a request: typed, or of the file opened.
  async function inputOf({ text, file }) {
    return file ? (await fileText(file)).text : text;
  }

  // A text, or, when it is longer than editable, its UTF-8 bytes as a Blob
  // (made here, not on the page's thread, which reads it in pieces).
  function textOrBlob(text, { editable }) {
    if (text.length <= editable)
      return { text, size: text.length };
    const blob = new Blob([new TextEncoder().encode(text)], { type: 'application/octet-stream' });
    return { blob, size: blob.size };
  }

  // The script in pieces, as bytes, when it is longer than a string.
  async function scriptBlob(text, options) {
    const transform = tagora.convertTransform(options);
    const pieces = [];
    const reader = transform.readable.getReader();
    const reading = (async () => {
      for (let read = await reader.read(); !read.done; read = await reader.read())
        pieces.push(read.value);
    })();
    const writer = transform.writable.getWriter();
    for (let start = 0; start < text.length; start += PIECE) {
      await writer.write(text.slice(start, start + PIECE));
      tell(start / text.length);
    }
    await writer.close();
    await reading;
    const blob = new Blob(pieces, { type: 'application/octet-stream' });
    return { blob, size: blob.size };
  }

  // The script of the input; a leading U+FEFF skipped, as tagora-convert
  // skips a byte-order mark.
  async function script(request) {
    let input = await inputOf(request);
    if (input.charCodeAt(0) === 0xFEFF)
      input = input.slice(1);
    // A script too long to show goes straight into bytes, never a string;
    // convert says where a lone surrogate is.
    if (input.length > request.editable && !LONE_SURROGATE.test(input))
      return scriptBlob(input, request.options);
    try {
      return textOrBlob(tagora.convert(input, request.options), request);
    } catch (error) {
      if (!(error instanceof TagoraError) || error.code !== 'OUTPUT_TOO_LONG')
        throw error;
      return scriptBlob(input, request.options);
    }
  }

  // A script read back; when the text is no script, a bare string literal
  // read back (its line breaks LF, as the box has them). The error thrown
  // is the literal's when the text starts as one.
  function readScriptOrLiteral(input) {
    try {
      return tagora.readScript(input, { inputText: true });
    } catch (asScript) {
      try {
        return { html: tagora.fromLiteral(input), target: null, exact: true };
      } catch (asLiteral) {
        throw /^\s*("|`|<<<)/.test(input) ? asLiteral : asScript;
      }
    }
  }

  // An opened file, as tagora-convert reads it: a PHP or ASP page in a
  // legacy encoding is a template of its own bytes, shown as text and
  // downloaded as those bytes (fileBytes); null for any other file.
  async function templateOfFileBytes({ file, editable }) {
    const read = tagora.readScriptFile(new Uint8Array(await file.arrayBuffer()), { name: file.name });
    if (!read.bytes)
      return null;
    const blob = new Blob([read.bytes], { type: 'application/octet-stream' });
    if (read.html.length > editable)
      return { blob, size: blob.size, target: read.target };
    return { text: read.html, size: read.html.length, fileBytes: blob, encoding: read.encoding, target: read.target };
  }

  async function html(request) {
    const template = request.file ? await templateOfFileBytes(request) : null;
    if (template)
      return template;
    const read = readScriptOrLiteral(await inputOf(request));
    return { ...textOrBlob(read.html, request), target: read.exact ? null : read.target };
  }

  // A file read: its encoding and notice, its length, and its text (as
  // textOrBlob gives it).
  async function open(request) {
    const read = await fileText(request.file);
    return { encoding: read.encoding, notice: read.notice, length: read.text.length, ...textOrBlob(read.text, request) };
  }

  // The Windows-1252 codes of the input as the window's box holds it.
  async function codes(request) {
    const input = tagora.inputText(await inputOf(request));
    if (input.length > LONGEST_LISTED)
      return { tooLong: true, length: input.length, limit: LONGEST_LISTED };
    return { codes: tagora.characterCodes(input).trim(), length: input.length };
  }

  // The text as one string literal, each line break as the target's
  // scripts print it.
  async function literal(request) {
    const { to } = request;
    const lineBreak = tagora.targets.find((target) => target.name === to).printedLineBreak;
    return tagora.literal(tagora.inputText(await inputOf(request)).replaceAll('\r\n', lineBreak), { to });
  }

  const JOBS = {
    script, html, open, codes, literal,
    inputText: ({ text }) => tagora.inputText(text),
    // One of the engine's functions, for window.tagora.
    call: ({ name, args }) => {
      if (!['convert', 'toHtml', 'readScript', 'readScriptFile', 'literal', 'fromLiteral', 'inputText', 'characterCodes',
            'chooseEncoding', 'decode'].includes(name))
        throw new TagoraError(`there is no function ${name}`, 'BAD_INPUT');
      return tagora[name](...args);
    },
  };

  // One request at a time, in the order they came.
  let queue = Promise.resolve();
  self.onmessage = ({ data: request }) => {
    queue = queue.then(async () => {
      job = { id: request.id, told: performance.now() };
      try {
        postMessage({ id: request.id, result: await JOBS[request.job](request) });
      } catch (error) {
        postMessage({ id: request.id, error: errorData(error) });
      } finally {
        job = null;
      }
    });
  };

  const wasmBinary = Uint8Array.from(atob(tagoraWasm), (c) => c.charCodeAt(0));
  createTagoraEngine({ wasmBinary }).then((engine) => {
    tagora = tagoraApi(engine, undefined, undefined, (done, total) => tell(done / total));
    const { targets, productName, version, productTitle, credits } = tagora;
    postMessage({ ready: { targets, productName, version, productTitle, credits } });
  }, (error) => postMessage({ failed: String(error) }));
}());

// The page: two boxes, the target, and the engine's functions as
// window.tagora once the engine has started.
(function () {
  'use strict';

  const LIVE_LIMIT = 4 * 1024 * 1024;  // characters converted as one types
  const LIVE_DELAY = 200;              // ms after the last change
  const LARGEST_FILE = 64 * 1024 * 1024;
  const LONGEST_LISTED = 500000;
  // Characters a box shows at most: a larger file or script is converted
  // and downloaded without being shown (a text area lays out all of it).
  const LONGEST_SHOWN = 2000000;
  const PIECE = 1 << 20;  // characters given to a stream at once
  const NOTICE_TIME = 8000;
  const SETTINGS = 'tagora-converter.choices';

  const $ = (id) => document.getElementById(id);
  const htmlBox = $('html');
  const scriptBox = $('script');
  const targetSelect = $('target');
  const classicBox = $('classic');
  const headerBox = $('header');
  const nameBox = $('name');
  const noticeLine = $('notice');
  const errorLine = $('error');

  const state = {
    tagora: null,
    output: null,        // the last output, exactly (CR LF line breaks)
    outputEdited: false, // the output box was changed by hand since
    stale: false,        // the output no longer matches the input
    template: null,      // Script to HTML: 'php' or 'asp' for a template
    fileName: null,      // of the opened file, without its extension
    hiddenInput: null,   // the opened file's text when it is too large to show
    outputBlob: null,    // the output as bytes, when it is too long for a string
    timer: 0,
    noticeTimer: 0,
  };

  const toHtmlMode = () => targetSelect.value === 'html';
  const inputBox = () => (toHtmlMode() ? scriptBox : htmlBox);
  const outputBox = () => (toHtmlMode() ? htmlBox : scriptBox);
  const targetInfo = () => state.tagora.targets.find((target) => target.name === targetSelect.value);
  const outputTitle = () => (toHtmlMode() ? 'HTML' : targetInfo().title);

  function notify(text) {
    clearTimeout(state.noticeTimer);
    noticeLine.textContent = text;
    if (text)
      state.noticeTimer = setTimeout(() => { noticeLine.textContent = ''; }, NOTICE_TIME);
  }

  function showError(text) {
    errorLine.textContent = text;
  }

  function remember() {
    try {
      localStorage.setItem(SETTINGS, JSON.stringify({ target: targetSelect.value, classic: classicBox.checked,
                                                      header: headerBox.checked, name: nameBox.value }));
    } catch { /* storage refused: the choice lasts until the page closes */ }
  }

  function restore() {
    try {
      const choices = JSON.parse(localStorage.getItem(SETTINGS) || '{}');
      if ([...targetSelect.options].some((option) => option.value === choices.target))
        targetSelect.value = choices.target;
      classicBox.checked = choices.classic === true;
      headerBox.checked = choices.header !== false;
      if (typeof choices.name === 'string')
        nameBox.value = choices.name;
    } catch { /* nothing remembered */ }
  }

  function markStale(stale) {
    state.stale = stale;
    const box = outputBox();
    box.classList.toggle('stale', stale);
    $(box.id + '-state').textContent = stale ? 'Out of date: not the output of the input as it is now.' : '';
    updateControls();
  }

  const hasOutput = () => outputBox().value.length > 0 || state.outputBlob !== null
    || (state.output !== null && state.output.length > LONGEST_SHOWN);
  const namesConstant = () => !toHtmlMode() && ['js', 'js-concat'].includes(targetSelect.value);

  function updateControls() {
    $('copy').disabled = !hasOutput() || state.stale || state.outputBlob !== null;
    $('download').disabled = !hasOutput() || state.stale;
    $('copy').textContent = `Copy ${outputTitle()}`;
    $('copy-literal').disabled = toHtmlMode();
    $('download').textContent = `Download ${outputTitle()}`;
    classicBox.disabled = toHtmlMode() || !targetInfo().hasClassicEscaping;
    headerBox.disabled = toHtmlMode();
    $('name-option').hidden = !namesConstant();
  }

  function showMode() {
    const html = toHtmlMode();
    // The input box first: in Script to HTML, the script's.
    const boxes = $('boxes');
    boxes.prepend(html ? $('script-box') : $('html-box'));
    scriptBox.placeholder = html ? 'Paste or type a script here (PHP, ASP, JavaScript, JSON, JSP, Perl, Python), '
      + 'or a string literal, drop a file or its text on the page, or open a file.' : '';
    htmlBox.placeholder = html ? '' : 'Paste or type HTML here, drop a file or its text on the page, or open a file.';
    htmlBox.readOnly = false;
    scriptBox.readOnly = false;
    if (state.hiddenInput !== null)
      inputBox().placeholder = `"${state.fileName}" is too large to show here: Convert and Download work on it.`;
    $('html-caption').textContent = html ? 'HTML (from the script)' : 'HTML Code';
    $('script-caption').textContent = html ? 'Script' : targetInfo().title;
    htmlBox.classList.remove('stale');
    scriptBox.classList.remove('stale');
    $('html-state').textContent = '';
    $('script-state').textContent = '';
    updateControls();
  }

  const megabytes = (size) => `${(size / 1e6).toFixed(1)} MB`;

  // The output, shown when it is not too long; blob: its bytes, when it
  // is too long for a string.
  function setOutput(text, template, blob = null) {
    state.output = text;
    state.outputBlob = blob;
    state.outputEdited = false;
    state.template = template;
    const shown = text !== null && text.length <= LONGEST_SHOWN;
    outputBox().value = shown ? text : '';
    outputBox().readOnly = !shown;
    if (!shown) {
      const size = blob ? blob.size : text.length;
      notify(`The ${outputTitle()} (${megabytes(size)}) is too large to show here: Download saves it.`);
    }
    markStale(false);
  }

  // The input: what the box holds, or the opened file's text it could not
  // show.
  const currentInput = () => (state.hiddenInput !== null ? state.hiddenInput : inputBox().value);

  function scriptOptions() {
    return { to: targetSelect.value, classic: classicBox.checked && !classicBox.disabled,
             noHeader: !headerBox.checked, name: namesConstant() ? nameBox.value : undefined };
  }

  // The script in pieces, as bytes, for a script longer than a string.
  async function scriptBlob(text, options) {
    const transform = state.tagora.convertTransform(options);
    const pieces = [];
    const reader = transform.readable.getReader();
    const reading = (async () => {
      for (let read = await reader.read(); !read.done; read = await reader.read())
        pieces.push(read.value);
    })();
    const writer = transform.writable.getWriter();
    for (let start = 0; start < text.length; start += PIECE)
      await writer.write(text.slice(start, start + PIECE));
    await writer.close();
    await reading;
    return new Blob(pieces, { type: 'application/octet-stream' });
  }

  // Places the caret at a line and column (from 1, in characters) of a
  // box, whose value has LF line breaks.
  function putCaret(box, line, column) {
    const lines = box.value.split('\n');
    let offset = 0;
    for (let i = 0; i < line - 1 && i < lines.length - 1; ++i)
      offset += lines[i].length + 1;
    const characters = Array.from(lines[Math.min(line, lines.length) - 1] || '');
    offset += characters.slice(0, column - 1).join('').length;
    box.focus();
    box.setSelectionRange(offset, offset);
  }

  // A script read back; when the text is no script, a bare string literal
  // read back (its line breaks LF, as the box has them). The error thrown
  // is the literal's when the text starts as one.
  function readScriptOrLiteral(input) {
    try {
      return state.tagora.readScript(input, { inputText: true });
    } catch (asScript) {
      try {
        return { html: state.tagora.fromLiteral(input), target: null, exact: true };
      } catch (asLiteral) {
        throw /^\s*("|`|<<<)/.test(input) ? asLiteral : asScript;
      }
    }
  }

  // typed: as one types, when the caret is not moved to an error and an
  // empty input clears the output without a word.
  function convert({ typed = false } = {}) {
    clearTimeout(state.timer);
    let input = currentInput();
    // tagora-convert skips a byte-order mark at the start of its input.
    if (!toHtmlMode() && input.charCodeAt(0) === 0xFEFF)
      input = input.slice(1);
    showError('');
    if (input.length === 0) {
      if (typed)
        setOutput('', null);
      else
        notify(toHtmlMode() ? 'There is no script to convert.' : 'There is no HTML Code to convert.');
      return;
    }
    try {
      if (toHtmlMode()) {
        const read = readScriptOrLiteral(input);
        setOutput(read.html, read.exact ? null : read.target);
      } else {
        setOutput(state.tagora.convert(input, scriptOptions()), null);
      }
    } catch (error) {
      if (!(error instanceof state.tagora.TagoraError))
        throw error;
      if (error.code === 'OUTPUT_TOO_LONG') {
        convertInPieces(input);
        return;
      }
      markStale(outputBox().value.length > 0);
      if (error.code === 'LONE_SURROGATE') {
        showError(`Line ${error.line}, column ${error.column}: ${error.error}. Remove it, or choose JavaScript or JSON.`);
        if (!typed)
          putCaret(inputBox(), error.line, error.column);
      } else if (error.line) {
        showError(`The script cannot be read back into HTML. Line ${error.line}, column ${error.column}: ${error.error}.`);
        if (!typed)
          putCaret(inputBox(), error.line, error.column);
      } else {
        showError(error.message);
      }
    }
  }

  function convertInPieces(input) {
    notify('The script is longer than the browser can hold as text: it is made in pieces.');
    const options = scriptOptions();
    scriptBlob(input, options).then((blob) => setOutput(null, null, blob), (error) => showError(error.message));
  }

  function inputChanged() {
    state.hiddenInput = null;
    clearTimeout(state.timer);
    if (inputBox().value.length > LIVE_LIMIT) {
      markStale(outputBox().value.length > 0);
      notify('This text is long: press Convert (Ctrl+Enter) to convert it.');
      return;
    }
    state.timer = setTimeout(() => convert({ typed: true }), LIVE_DELAY);
  }

  function outputChanged() {
    state.outputEdited = true;
    updateControls();
  }

  // What Copy and Download take: the output exactly, or what was typed
  // into the output box, its line breaks CR LF as everywhere else.
  function outputText() {
    return state.outputEdited ? state.tagora.inputText(outputBox().value) : state.output;
  }

  function outputBytes() {
    return state.outputBlob || new Blob([new TextEncoder().encode(outputText())], { type: 'application/octet-stream' });
  }

  async function copyOutput() {
    if ($('copy').disabled)
      return;
    await copyText(outputText(), `${outputTitle()} has been copied to the clipboard.`);
  }

  // The HTML box's text as one string literal of the target, each line
  // break as the target's scripts print it, as the window copies it.
  async function copyLiteral() {
    if ($('copy-literal').disabled)
      return;
    if (htmlBox.value.length === 0) {
      notify('The HTML Code box is empty: there is nothing to copy.');
      return;
    }
    const text = state.tagora.inputText(htmlBox.value).replaceAll('\r\n', targetInfo().printedLineBreak);
    let literal;
    try {
      literal = state.tagora.literal(text, { to: targetSelect.value });
    } catch (error) {
      if (!(error instanceof state.tagora.TagoraError))
        throw error;
      showError(error.code === 'NO_HEREDOC_LABEL' ? 'Every heredoc label is closed by a line of the text.' : error.message);
      return;
    }
    await copyText(literal, 'The string literal has been copied to the clipboard.');
  }

  async function copyText(text, copied) {
    try {
      await navigator.clipboard.writeText(text);
    } catch {
      if (!copyBySelection(text)) {
        notify('The browser refused to copy: select the output and press Ctrl+C.');
        return;
      }
    }
    notify(copied);
  }

  function copyBySelection(text) {
    const helper = document.createElement('textarea');
    helper.value = text;
    helper.setAttribute('readonly', '');
    helper.style.position = 'fixed';
    helper.style.opacity = '0';
    document.body.append(helper);
    helper.select();
    const done = document.execCommand('copy');
    helper.remove();
    outputBox().focus();
    return done;
  }

  function downloadName() {
    const stem = state.fileName || 'script';
    if (!toHtmlMode())
      return stem + targetInfo().extension;
    const template = state.template && state.tagora.targets.find((target) => target.name === state.template);
    return stem + (template ? template.extension : '.html');
  }

  function downloadOutput() {
    if ($('download').disabled)
      return;
    const blob = outputBytes();
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = downloadName();
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    notify(`Downloading ${link.download}.`);
  }

  // In a box of their own, never in the output.
  function listCharacterCodes() {
    const input = state.tagora.inputText(currentInput());
    if (input.length > LONGEST_LISTED) {
      notify(`The character listing takes at most ${LONGEST_LISTED.toLocaleString('en')} characters; `
        + `the input holds ${input.length.toLocaleString('en')}.`);
      return;
    }
    $('codes-list').value = state.tagora.characterCodes(input).trim();
    $('codes-box').hidden = false;
    notify(input.length ? '' : 'The input is empty: there are no character codes.');
  }

  // others: what to say of other files dropped with it.
  async function openFile(file, others = '') {
    if (!file)
      return;
    if (file.size > LARGEST_FILE) {
      notify(`"${file.name}" is larger than 64 MB and was not opened.`);
      return;
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    const read = state.tagora.decode(bytes, { name: file.name });
    state.fileName = file.name.replace(/\.[^.]*$/, '') || file.name;
    const shown = read.text.length <= LONGEST_SHOWN;
    inputBox().value = shown ? read.text : '';
    state.hiddenInput = shown ? null : read.text;
    inputBox().placeholder = shown ? inputBox().placeholder
      : `"${file.name}" (${megabytes(file.size)}) is too large to show here: Convert and Download work on it.`;
    const opened = `Opened "${file.name}" as ${read.encoding}.${others ? ` ${others}` : ''}`;
    notify(read.notice ? `${opened}\n\n${read.notice}` : opened);
    if (read.text.length <= LIVE_LIMIT)
      convert({ typed: true });
    else
      markStale(outputBox().value.length > 0);
    inputBox().focus();
  }

  function targetChanged() {
    if (toHtmlMode() !== state.toHtml) {
      state.hiddenInput = null;  // the other box is the input now
      state.toHtml = toHtmlMode();
    }
    showMode();
    remember();
    if (currentInput().length > 0 && currentInput().length <= LIVE_LIMIT)
      convert({ typed: true });
    else
      markStale(hasOutput() && currentInput().length > 0);
  }

  function optionChanged() {
    remember();
    if (currentInput().length > 0 && currentInput().length <= LIVE_LIMIT)
      convert({ typed: true });
    else
      markStale(hasOutput());
  }

  // Files dropped: the first opened, the others named; text dropped
  // outside the boxes: the input.
  function dropped(event) {
    document.body.classList.remove('dragging');
    const files = [...event.dataTransfer.files];
    if (files.length > 0) {
      event.preventDefault();
      const others = files.length > 1
        ? `${files.length} files were dropped; one is opened at a time, so ${files.slice(1).map((f) => `"${f.name}"`).join(', ')} `
          + `${files.length > 2 ? 'were' : 'was'} not opened.` : '';
      openFile(files[0], others);
      return;
    }
    const text = event.dataTransfer.getData('text/plain');
    if (event.target instanceof HTMLTextAreaElement || !text)
      return;  // a box takes text dropped on it
    event.preventDefault();
    state.hiddenInput = null;
    inputBox().value = text;
    inputChanged();
  }

  function listen() {
    htmlBox.addEventListener('input', () => (toHtmlMode() ? outputChanged() : inputChanged()));
    scriptBox.addEventListener('input', () => (toHtmlMode() ? inputChanged() : outputChanged()));
    targetSelect.addEventListener('change', targetChanged);
    classicBox.addEventListener('change', () => { remember(); targetChanged(); });
    headerBox.addEventListener('change', optionChanged);
    nameBox.addEventListener('input', optionChanged);
    $('convert').addEventListener('click', () => convert());
    $('copy').addEventListener('click', copyOutput);
    $('copy-literal').addEventListener('click', copyLiteral);
    $('download').addEventListener('click', downloadOutput);
    $('codes').addEventListener('click', listCharacterCodes);
    $('open').addEventListener('click', () => $('file').click());
    $('file').addEventListener('change', (event) => {
      openFile(event.target.files[0]);
      event.target.value = '';
    });
    document.addEventListener('keydown', (event) => {
      if ((event.ctrlKey || event.metaKey) && event.key === 'Enter') {
        event.preventDefault();
        convert();
      }
    });
    document.addEventListener('dragover', (event) => {
      event.preventDefault();
      document.body.classList.add('dragging');
    });
    document.addEventListener('dragleave', () => document.body.classList.remove('dragging'));
    document.addEventListener('drop', dropped);
  }

  function start(engine) {
    state.tagora = tagoraApi(engine);
    window.tagora = state.tagora;
    restore();
    state.toHtml = toHtmlMode();
    showMode();
    listen();
    document.documentElement.dataset.ready = 'true';
    window.tagoraReadyAt = performance.now();  // ms from the page's start, for bench/web
    return state.tagora;
  }

  const wasmBinary = Uint8Array.from(atob(tagoraWasm), (c) => c.charCodeAt(0));
  window.tagoraReady = createTagoraEngine({ wasmBinary }).then(start, (error) => {
    showError(`The converter could not start in this browser: ${error}`);
  });
}());

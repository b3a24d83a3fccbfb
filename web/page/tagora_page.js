// The page: two boxes and the target. The engine runs in a worker (made
// from the page's #engine-source): this thread only shows texts, so it
// never waits for a conversion, and Cancel ends the worker. The engine's
// functions are window.tagora, each returning a promise.
(function () {
  'use strict';

  const LIVE_LIMIT = 4 * 1024 * 1024;  // characters converted as one types
  const LIVE_DELAY = 200;              // ms after the last change
  const LARGEST_FILE = 64 * 1024 * 1024;
  // Characters a box lets one edit: a longer file or output is shown
  // read-only, and Convert, Copy and Download take the file or the output
  // exactly, never the box's text (made again from the box, it would hold
  // the page's thread for a moment).
  const LONGEST_EDITABLE = 2000000;
  // Bytes of an output a box shows at most (read-only): a longer one is
  // downloaded without being shown.
  const LARGEST_SHOWN = 128 * 1024 * 1024;
  const BUSY_DELAY = 150;  // ms before a conversion shows its progress
  const NOTICE_TIME = 8000;
  const SETTINGS = 'tagora-converter.choices';

  const $ = (id) => document.getElementById(id);
  // The boxes: editors that lay out only the lines in view
  // (web/editor/editor.mjs); each element answers .value as a text area.
  const newBox = (name, language) => {
    const box = TagoraEditor.createBox($(`${name}-editor`), {
      id: name, labelledBy: `${name}-caption`, describedBy: `${name}-state`, changed: () => boxChanged(name),
    });
    box.name = name;
    box.language = language;
    return box;
  };
  const htmlBox = newBox('html', 'html');
  const scriptBox = newBox('script', 'script');
  const wrapBox = $('wrap');
  const targetSelect = $('target');
  const classicBox = $('classic');
  const headerBox = $('header');
  const nameBox = $('name');
  const noticeLine = $('notice');
  const errorLine = $('error');

  const state = {
    info: null,          // the targets and the product's names
    output: null,        // the last output, exactly (CR LF line breaks), when editable
    outputBlob: null,    // the output as bytes, when it is too long to edit
    outputSize: 0,
    outputEdited: false, // the output box was changed by hand since
    outputReadOnly: false, // the output is too long to edit
    stale: false,        // the output no longer matches the input
    template: null,      // Script to HTML: 'php' or 'asp' for a template
    fileName: null,      // of the opened file, without its extension
    largeFile: null,     // the opened file, when its text is too long to edit
    openedFile: null,    // the opened file, while the input box holds its text unchanged
    outputFileBytes: null, // a template of the file's own bytes, in its encoding, for Download
    hiddenLength: 0,
    changes: 0,          // counts the changes of the input, the target and the options
    converting: false,
    again: null,         // a conversion asked for while one went on
    downloadUrl: null,   // the blob: URL of the last download
    timer: 0,
    noticeTimer: 0,
  };

  // ---- The engine's worker ----

  // A failure of the engine: a TagoraError's message, code and place.
  class TagoraError extends Error {
    constructor(data) {
      super(data.message);
      Object.assign(this, data);
    }
  }

  const engine = {
    url: URL.createObjectURL(new Blob([$('engine-source').textContent], { type: 'text/javascript' })),
    worker: null,
    ready: null,      // resolves with the engine's info once it has started
    pending: new Map(),
    nextId: 1,
  };

  function startEngine() {
    const worker = new Worker(engine.url);
    engine.worker = worker;
    let started = false;
    engine.ready = new Promise((resolve, reject) => {
      worker.onmessage = ({ data }) => {
        if (data.ready) {
          started = true;
          worker.onmessage = ({ data: answer }) => answered(answer);
          resolve(data.ready);
        } else {
          reject(new Error(data.failed));
        }
      };
      // An error the worker did not answer (the engine out of memory): its
      // requests fail, and another worker takes over.
      worker.onerror = (event) => {
        event.preventDefault();
        const error = new Error(event.message || 'the engine stopped');
        reject(error);
        failAll(error);
        if (started && engine.worker === worker) {
          worker.terminate();
          startEngine().catch((again) => showError(`The converter could not start again: ${again.message}`));
        }
      };
    });
    return engine.ready;
  }

  function answered({ id, progress, result, error }) {
    const call = engine.pending.get(id);
    if (!call)
      return;
    if (progress !== undefined) {
      if (call.progress)
        call.progress(progress);
      return;
    }
    engine.pending.delete(id);
    if (error)
      call.reject(new TagoraError(error));
    else
      call.resolve(result);
  }

  function failAll(error) {
    for (const call of engine.pending.values())
      call.reject(error);
    engine.pending.clear();
  }

  // The worker's answer to a request; progress(fraction) meanwhile.
  async function run(job, request, progress) {
    await engine.ready;
    return new Promise((resolve, reject) => {
      const id = engine.nextId++;
      engine.pending.set(id, { resolve, reject, progress });
      engine.worker.postMessage({ ...request, id, job });
    });
  }

  // Ends the worker, and with it whatever it was doing; starts another.
  function cancel() {
    engine.worker.terminate();
    const cancelled = new Error('cancelled');
    cancelled.cancelled = true;
    failAll(cancelled);
    startEngine().catch((error) => showError(`The converter could not start again: ${error.message}`));
  }

  // A long job shows its progress and Cancel after a moment; label: what
  // it does.
  async function runShown(job, request, label) {
    const busy = $('busy');
    const bar = $('progress');
    const timer = setTimeout(() => {
      bar.removeAttribute('value');
      $('busy-label').textContent = label;
      busy.hidden = false;
    }, BUSY_DELAY);
    try {
      return await run(job, request, (fraction) => {
        bar.value = fraction;
        $('busy-label').textContent = `${label} ${Math.floor(fraction * 100)}%`;
      });
    } finally {
      clearTimeout(timer);
      busy.hidden = true;
    }
  }

  // ---- What the page shows ----

  const toHtmlMode = () => targetSelect.value === 'html';
  const inputBox = () => (toHtmlMode() ? scriptBox : htmlBox);
  const outputBox = () => (toHtmlMode() ? htmlBox : scriptBox);
  const targetInfo = () => state.info.targets.find((target) => target.name === targetSelect.value);
  const outputTitle = () => (toHtmlMode() ? 'HTML' : targetInfo().title);

  function notify(text) {
    clearTimeout(state.noticeTimer);
    noticeLine.textContent = text;
    if (text)
      state.noticeTimer = setTimeout(() => { noticeLine.textContent = ''; }, NOTICE_TIME);
  }

  function showError(text) {
    errorLine.textContent = text;
    if (!text) {
      htmlBox.clearError();
      scriptBox.clearError();
    }
  }

  function remember() {
    try {
      localStorage.setItem(SETTINGS, JSON.stringify({ target: targetSelect.value, classic: classicBox.checked,
                                                      header: headerBox.checked, name: nameBox.value,
                                                      wrap: wrapBox.checked }));
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
      wrapBox.checked = choices.wrap === true;
    } catch { /* nothing remembered */ }
  }

  function markStale(stale) {
    state.stale = stale;
    const box = outputBox();
    box.stale = stale;
    $(box.name + '-state').textContent = stale ? 'Out of date: not the output of the input as it is now.'
      : state.outputReadOnly
        ? `Shown read-only (${megabytes(state.outputBlob.size)}): Copy and Download take it exactly.` : '';
    updateControls();
  }

  const hasOutput = () => outputBox().length > 0 || state.outputBlob !== null;
  const namesConstant = () => !toHtmlMode() && ['js', 'js-concat'].includes(targetSelect.value);

  function updateControls() {
    $('copy').disabled = !hasOutput() || state.stale || (state.output === null && !state.outputReadOnly);
    $('download').disabled = !hasOutput() || state.stale;
    $('copy').textContent = `Copy ${outputTitle()}`;
    $('copy-literal').disabled = toHtmlMode();
    $('download').textContent = `Download ${outputTitle()}`;
    classicBox.disabled = toHtmlMode() || !targetInfo().hasClassicEscaping;
    headerBox.disabled = toHtmlMode();
    $('name-option').hidden = !namesConstant();
  }

  function largeFileNote() {
    return `"${state.largeFile.name}" (${megabytes(state.largeFile.size)}) is shown read-only: `
      + 'Convert, Copy as Literal and Download take the file itself.';
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
    $('html-caption').textContent = html ? 'HTML (from the script)' : 'HTML Code';
    $('script-caption').textContent = html ? 'Script' : targetInfo().title;
    htmlBox.stale = false;
    scriptBox.stale = false;
    $('html-state').textContent = '';
    $('script-state').textContent = '';
    if (state.largeFile !== null) {
      inputBox().readOnly = true;
      $(inputBox().name + '-state').textContent = largeFileNote();
    }
    outputBox().readOnly = state.outputReadOnly;
    updateControls();
  }

  const megabytes = (size) => `${(size / 1e6).toFixed(1)} MB`;

  // The output: {text} shown; when it is too long to edit, {blob} (its
  // bytes), shown read-only if it is not too large to show.
  function setOutput({ text = null, blob = null, size = 0, fileBytes = null, encoding = null }, template) {
    state.output = text;
    state.outputBlob = blob;
    state.outputFileBytes = fileBytes;
    state.outputSize = size;
    state.outputEdited = false;
    state.template = template;
    state.outputReadOnly = blob !== null && text === null && blob.size <= LARGEST_SHOWN;
    outputBox().setText(text ?? (state.outputReadOnly ? blob : ''));
    outputBox().readOnly = blob !== null;
    if (blob && !state.outputReadOnly)
      notify(`The ${outputTitle()} (${megabytes(blob.size)}) is too large to show here: Download saves it.`);
    else if (fileBytes)
      notify(`The template keeps the file's own bytes, in ${encoding}, as PHP and ASP read them: Download saves them.`);
    markStale(false);
  }

  // The input of a request: the box's text, or the opened file too large
  // to show.
  // Script to HTML of an opened file not changed since: the file itself,
  // whose bytes make the template in a legacy encoding.
  function inputRequest() {
    if (state.largeFile !== null)
      return { file: state.largeFile };
    if (state.openedFile !== null && toHtmlMode())
      return { text: inputBox().value, file: state.openedFile };
    return { text: inputBox().value };
  }

  function scriptOptions() {
    return { to: targetSelect.value, classic: classicBox.checked && !classicBox.disabled,
             noHeader: !headerBox.checked, name: namesConstant() ? nameBox.value : undefined };
  }

  const isEmptyInput = () => state.largeFile === null
    && (inputBox().length === 0 || (!toHtmlMode() && inputBox().length === 1 && inputBox().value === '\uFEFF'));

  // typed: as one types, when the caret is not moved to an error and an
  // empty input clears the output without a word. One conversion at a
  // time: one asked for meanwhile follows it, and the first one's output
  // is dropped when the input changed since it began.
  async function convert({ typed = false } = {}) {
    clearTimeout(state.timer);
    if (state.converting) {
      state.again = { typed: typed && (state.again === null || state.again.typed) };
      return;
    }
    showError('');
    if (isEmptyInput()) {
      if (typed)
        setOutput({ text: '' }, null);
      else
        notify(toHtmlMode() ? 'There is no script to convert.' : 'There is no HTML Code to convert.');
      return;
    }
    const changes = state.changes;
    const toHtml = toHtmlMode();
    state.converting = true;
    try {
      const request = { ...inputRequest(), editable: LONGEST_EDITABLE };
      const result = toHtml ? await runShown('html', request, 'Reading the script back…')
        : await runShown('script', { ...request, options: scriptOptions() }, `Making the ${outputTitle()}…`);
      if (changes === state.changes && state.again === null) {
        setOutput(result, toHtml ? result.target : null);
      }
    } catch (error) {
      if (changes === state.changes && state.again === null)
        conversionFailed(error, typed);
    } finally {
      state.converting = false;
      const again = state.again;
      state.again = null;
      if (again)
        convert(again);
    }
  }

  function conversionFailed(error, typed) {
    if (error.cancelled) {
      markStale(hasOutput());
      notify('The conversion was cancelled.');
      return;
    }
    markStale(hasOutput());
    if (!(error instanceof TagoraError)) {
      showError(`The conversion failed: ${error.message}`);
      return;
    }
    const place = () => {
      if (!typed && state.largeFile === null)
        inputBox().markError(error.line, error.column);
    };
    if (error.code === 'LONE_SURROGATE') {
      showError(`Line ${error.line}, column ${error.column}: ${error.error}. Remove it, or choose JavaScript or JSON.`);
      place();
    } else if (error.line) {
      showError(`The script cannot be read back into HTML. Line ${error.line}, column ${error.column}: ${error.error}.`);
      place();
    } else {
      showError(error.message);
    }
  }

  function changed() {
    ++state.changes;
  }

  // A change the user made in a box.
  function boxChanged(name) {
    if (!state.info)
      return;
    if ((name === 'script') === toHtmlMode())
      inputChanged();
    else
      outputChanged();
  }

  function inputChanged() {
    changed();
    state.openedFile = null;
    if (state.largeFile !== null) {
      state.largeFile = null;
      showMode();
    }
    clearTimeout(state.timer);
    if (inputBox().length > LIVE_LIMIT) {
      markStale(hasOutput());
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
  async function outputText() {
    if (state.outputEdited)
      return run('inputText', { text: outputBox().value });
    return state.output ?? state.outputBlob.text();
  }

  async function outputBytes() {
    if (state.outputBlob)
      return state.outputBlob;
    if (state.outputFileBytes && !state.outputEdited)
      return state.outputFileBytes;
    return new Blob([new TextEncoder().encode(await outputText())], { type: 'application/octet-stream' });
  }

  async function copyOutput() {
    if ($('copy').disabled)
      return;
    await copyText(await outputText(), `${outputTitle()} has been copied to the clipboard.`);
  }

  // The HTML box's text as one string literal of the target, each line
  // break as the target's scripts print it, as the window copies it.
  async function copyLiteral() {
    if ($('copy-literal').disabled)
      return;
    if (htmlBox.length === 0) {
      notify('The HTML Code box is empty: there is nothing to copy.');
      return;
    }
    let literal;
    try {
      literal = await run('literal', { ...(state.largeFile !== null ? { file: state.largeFile } : { text: htmlBox.value }),
                                       to: targetSelect.value });
    } catch (error) {
      if (!(error instanceof TagoraError))
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
    const template = state.template && state.info.targets.find((target) => target.name === state.template);
    return stem + (template ? template.extension : '.html');
  }

  async function downloadOutput() {
    if ($('download').disabled)
      return;
    const blob = await outputBytes();
    const link = document.createElement('a');
    // The browser may take minutes to store a Blob of a few hundred MB
    // before it starts the file; revoked any sooner, the download never
    // starts. The last one's URL is kept until the next.
    if (state.downloadUrl)
      URL.revokeObjectURL(state.downloadUrl);
    state.downloadUrl = URL.createObjectURL(blob);
    link.href = state.downloadUrl;
    link.download = downloadName();
    document.body.append(link);
    link.click();
    link.remove();
    notify(`Downloading ${link.download}.`);
  }

  // In a box of their own, never in the output.
  async function listCharacterCodes() {
    const listed = await run('codes', inputRequest());
    if (listed.tooLong) {
      notify(`The character listing takes at most ${listed.limit.toLocaleString('en')} characters; `
        + `the input holds ${listed.length.toLocaleString('en')}.`);
      return;
    }
    $('codes-list').value = listed.codes;
    $('codes-box').hidden = false;
    notify(listed.length ? '' : 'The input is empty: there are no character codes.');
  }

  // others: what to say of other files dropped with it.
  async function openFile(file, others = '') {
    if (!file)
      return;
    if (file.size > LARGEST_FILE) {
      notify(`"${file.name}" is larger than 64 MB and was not opened.`);
      return;
    }
    let read;
    try {
      read = await runShown('open', { file, editable: LONGEST_EDITABLE }, `Reading "${file.name}"…`);
    } catch (error) {
      notify(error.cancelled ? `"${file.name}" was not opened.` : `"${file.name}" could not be read: ${error.message}`);
      return;
    }
    changed();
    state.fileName = file.name.replace(/\.[^.]*$/, '') || file.name;
    state.largeFile = read.length > LONGEST_EDITABLE ? file : null;
    state.openedFile = file;
    showMode();
    const shown = inputBox().setText(read.text ?? read.blob);
    const opened = `Opened "${file.name}" as ${read.encoding}.${others ? ` ${others}` : ''}`;
    notify(read.notice ? `${opened}\n\n${read.notice}` : opened);
    if (read.length <= LIVE_LIMIT)
      convert({ typed: true });
    else
      markStale(hasOutput());
    await shown;
    inputBox().focus();
  }

  function inputLength() {
    return state.largeFile !== null ? state.largeFile.size : inputBox().length;
  }

  function targetChanged() {
    changed();
    if (toHtmlMode() !== state.toHtml) {
      state.largeFile = null;  // the other box is the input now
      state.openedFile = null;
      state.toHtml = toHtmlMode();
    }
    showMode();
    remember();
    if (inputLength() > 0 && inputLength() <= LIVE_LIMIT)
      convert({ typed: true });
    else
      markStale(hasOutput() && inputLength() > 0);
  }

  function optionChanged() {
    changed();
    remember();
    if (inputLength() > 0 && inputLength() <= LIVE_LIMIT)
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
    if (event.target.closest('.cm-editor') || !text)
      return;  // a box takes text dropped on it
    event.preventDefault();
    inputBox().value = text;
    inputChanged();
  }

  function listen() {
    wrapBox.addEventListener('change', () => {
      htmlBox.wrap = wrapBox.checked;
      scriptBox.wrap = wrapBox.checked;
      remember();
    });
    targetSelect.addEventListener('change', targetChanged);
    classicBox.addEventListener('change', () => { remember(); targetChanged(); });
    headerBox.addEventListener('change', optionChanged);
    nameBox.addEventListener('input', optionChanged);
    $('convert').addEventListener('click', () => convert());
    $('cancel').addEventListener('click', cancel);
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
      } else if (event.key === 'Escape' && !$('busy').hidden) {
        cancel();
      }
    });
    document.addEventListener('dragover', (event) => {
      event.preventDefault();
      document.body.classList.add('dragging');
    });
    document.addEventListener('dragleave', () => document.body.classList.remove('dragging'));
    document.addEventListener('drop', dropped);
  }

  // window.tagora: the engine's functions, each answered by the worker.
  function api(info) {
    const call = (name) => (...args) => run('call', { name, args });
    const names = ['convert', 'toHtml', 'readScript', 'readScriptFile', 'literal', 'fromLiteral', 'inputText', 'characterCodes',
                   'chooseEncoding', 'decode'];
    return Object.freeze({ ...info, TagoraError, ...Object.fromEntries(names.map((name) => [name, call(name)])) });
  }

  function start(info) {
    state.info = info;
    window.tagora = api(info);
    restore();
    htmlBox.wrap = wrapBox.checked;
    scriptBox.wrap = wrapBox.checked;
    state.toHtml = toHtmlMode();
    showMode();
    listen();
    document.documentElement.dataset.ready = 'true';
    window.tagoraReadyAt = performance.now();  // ms from the page's start, for bench/web
    return window.tagora;
  }

  window.tagoraReady = startEngine().then(start, (error) => {
    showError(`The converter could not start in this browser: ${error.message}`);
  });
}());

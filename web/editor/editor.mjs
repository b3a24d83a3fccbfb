// The page's two text boxes: CodeMirror's plain editor (it lays out only
// the lines in view), with line numbers, search, history, word wrap as an
// option, the error's line marked and a light colouring of the lines in
// view. Bundled by esbuild as the global TagoraEditor (web/CMakeLists.txt).
import { Annotation, Compartment, EditorState, RangeSetBuilder, StateEffect, StateField } from '@codemirror/state';
import {
  Decoration, EditorView, ViewPlugin, drawSelection, highlightActiveLine, highlightActiveLineGutter,
  highlightSpecialChars, keymap, lineNumbers, placeholder,
} from '@codemirror/view';
import { defaultKeymap, history, historyKeymap, insertNewline } from '@codemirror/commands';
import { highlightSelectionMatches, search, searchKeymap } from '@codemirror/search';
import { spansInView } from './colouring.mjs';
import { PIECE, documentInPieces } from './pieces.mjs';

// A change made by the page itself (an output shown), not by the user.
const byPage = Annotation.define();

// ---- The error's line ----

const markError = StateEffect.define();
const errorLineMark = Decoration.line({ class: 'cm-error-line' });

const errorLine = StateField.define({
  create: () => Decoration.none,
  update(marks, transaction) {
    marks = marks.map(transaction.changes);
    for (const effect of transaction.effects) {
      if (effect.is(markError)) {
        const line = effect.value;
        marks = line === null ? Decoration.none
          : Decoration.set([errorLineMark.range(transaction.state.doc.line(line).from)]);
      }
    }
    return marks;
  },
  provide: (field) => EditorView.decorations.from(field),
});

// ---- Colouring: the lines in view only ----

const spanMarks = {};
const markOf = (kind) => (spanMarks[kind] ??= Decoration.mark({ class: `tg-${kind}` }));

function colouring(language) {
  return ViewPlugin.fromClass(class {
    constructor(view) { this.decorations = this.spans(view); }
    update(update) {
      if (update.docChanged || update.viewportChanged)
        this.decorations = this.spans(update.view);
    }
    spans(view) {
      const builder = new RangeSetBuilder();
      for (const span of spansInView(view.state.doc, view.visibleRanges, language))
        builder.add(span.from, span.to, markOf(span.kind));
      return builder.finish();
    }
  }, { decorations: (plugin) => plugin.decorations });
}

// ---- A box ----

// One box in parent: id and the ids labelling and describing it go on the
// editable element, which also answers .value as a text area does.
// changed() is called after each change the user makes.
export function createBox(parent, { id, labelledBy, describedBy, changed }) {
  const readOnly = new Compartment();
  const shownPlaceholder = new Compartment();
  const wrap = new Compartment();
  const language = new Compartment();
  const stale = new Compartment();
  // What the compartments hold now: each is set again only when it changes
  // (each change is a view update).
  const now = { readOnly: false, placeholder: '', wrap: false, language: 'html', stale: false };
  const view = new EditorView({
    parent,
    state: EditorState.create({
      extensions: [
        lineNumbers(), highlightActiveLineGutter(), highlightSpecialChars(), history(), drawSelection(),
        highlightActiveLine(), highlightSelectionMatches(), search({ top: true }),
        // Enter breaks the line and nothing else: no indentation added, no
        // spaces taken away, so the text is what was typed.
        // Ctrl+Enter is the page's Convert.
        keymap.of([{ key: 'Enter', run: insertNewline }, ...searchKeymap, ...historyKeymap,
                   ...defaultKeymap.filter((binding) => binding.key !== 'Mod-Enter')]),
        errorLine, readOnly.of([]), shownPlaceholder.of([]), wrap.of([]), language.of(colouring(now.language)), stale.of([]),
        EditorView.contentAttributes.of({
          // tabindex: focusable for every checker too, not only as an editable element.
          id, tabindex: '0', 'aria-labelledby': labelledBy, 'aria-describedby': describedBy,
          spellcheck: 'false', autocorrect: 'off', autocapitalize: 'off', translate: 'no',
        }),
        EditorView.updateListener.of((update) => {
          if (update.docChanged && !update.transactions.some((transaction) => transaction.annotation(byPage)))
            changed();
        }),
      ],
    }),
  });

  const reconfigure = (what, value, compartment, extension) => {
    if (now[what] !== value) {
      now[what] = value;
      view.dispatch({ effects: compartment.reconfigure(extension) });
    }
  };

  const box = {
    view,
    element: view.contentDOM,
    get value() { return view.state.doc.toString(); },
    // The page's own text: no change event (undone, it is a change of the user's).
    set value(text) {
      ++box.settings;
      if (text.length === 0 && view.state.doc.length === 0)
        return;
      view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: text }, annotations: byPage.of(true),
                      effects: markError.of(null), selection: { anchor: 0 } });
    },
    // The same for a text of any length, or a Blob of UTF-8 text, made in
    // pieces; the box is empty meanwhile. Resolves once it is shown. A
    // text set meanwhile (by either) wins.
    async setText(source) {
      if (typeof source === 'string' && source.length <= PIECE) {
        box.value = source;
        return;
      }
      box.value = '';
      const setting = box.settings;
      const doc = await documentInPieces(source);
      if (setting === box.settings)
        view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: doc }, annotations: byPage.of(true),
                        effects: markError.of(null), selection: { anchor: 0 } });
    },
    settings: 0,
    get length() { return view.state.doc.length; },
    set readOnly(on) {
      reconfigure('readOnly', on, readOnly, on ? EditorState.readOnly.of(true) : []);
      view.contentDOM.setAttribute('aria-readonly', String(on));
    },
    get readOnly() { return view.state.readOnly; },
    set placeholder(text) { reconfigure('placeholder', text, shownPlaceholder, text ? placeholder(text) : []); },
    get placeholder() { return now.placeholder; },
    set wrap(on) { reconfigure('wrap', on, wrap, on ? EditorView.lineWrapping : []); },
    set language(name) { reconfigure('language', name, language, colouring(name)); },
    // The editor's own classes are rewritten at each update: the mark of
    // an out-of-date text is one of its attributes.
    set stale(on) { reconfigure('stale', on, stale, on ? EditorView.editorAttributes.of({ class: 'stale' }) : []); },
    focus() { view.focus(); },
    // The caret at a line and column (from 1, the column in characters),
    // that line marked as the error's.
    markError(line, column) {
      const doc = view.state.doc;
      const shown = doc.line(Math.max(1, Math.min(line, doc.lines)));
      const characters = Array.from(shown.text.slice(0, 4 * column));
      const offset = shown.from + characters.slice(0, column - 1).join('').length;
      view.dispatch({ selection: { anchor: offset }, effects: [markError.of(shown.number), EditorView.scrollIntoView(offset, { y: 'center' })] });
      view.focus();
    },
    clearError() {
      view.dispatch({ effects: markError.of(null) });
    },
    get caret() { return view.state.selection.main.head; },
  };

  // What a test or another script sets through .value is a change of the
  // user's, as a text area's input event would say.
  Object.defineProperty(view.contentDOM, 'value', {
    get: () => box.value,
    set: (text) => view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: String(text) },
                                   userEvent: 'input.replace' }),
  });
  Object.defineProperty(view.contentDOM, 'selectionStart', { get: () => view.state.selection.main.from });
  Object.defineProperty(view.contentDOM, 'selectionEnd', { get: () => view.state.selection.main.to });
  return box;
}

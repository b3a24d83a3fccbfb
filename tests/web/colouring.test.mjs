// The boxes' colouring (web/editor/colouring.mjs) against spans written by
// hand: each case is a line with its coloured parts marked ⟦kind:text⟧; the
// line is the text without the marks, and the marks are the spans expected.
import test from 'node:test';
import assert from 'node:assert/strict';
import { LONGEST_COLOURED_LINE, spansInView, spansOf } from '../../web/editor/colouring.mjs';

// 'a ⟦tag:<b⟧⟦tag:>⟧' → { text: 'a <b>', spans: [{from: 2, to: 4, kind: 'tag'}, ...] }
function marked(line) {
  let text = '';
  const spans = [];
  for (const [, plain, kind, coloured] of line.matchAll(/([^⟦]*)(?:⟦([a-z]+):([^⟧]*)⟧)?/g)) {
    text += plain;
    if (kind) {
      spans.push({ from: text.length, to: text.length + coloured.length, kind });
      text += coloured;
    }
  }
  return { text, spans };
}

function check(language, lines) {
  for (const line of lines) {
    const { text, spans } = marked(line);
    assert.deepEqual(spansOf(text, language), spans, `${language}: ${text}`);
  }
}

test('HTML: tags, their quoted values, entities and comments', () => check('html', [
  '⟦tag:<p⟧ class=⟦string:"price"⟧⟦tag:>⟧$5 ⟦entity:&amp;⟧ {$item}⟦tag:</p⟧⟦tag:>⟧',
  // A > inside a quoted value does not end the tag.
  '⟦tag:<a⟧ title=⟦string:\'x>y\'⟧ href=go data-x=⟦string:"100%>"⟧⟦tag:>⟧Go⟦tag:</a⟧⟦tag:>⟧',
  '⟦tag:<br⟧⟦tag:/>⟧ ⟦tag:<img⟧ src=⟦string:"a.png"⟧ ⟦tag:/>⟧',
  '⟦tag:<my-element⟧ ⟦tag:>⟧⟦tag:<h1⟧⟦tag:>⟧',
  '⟦entity:&#65;⟧⟦entity:&#x1F600;⟧⟦entity:&copy;⟧ &copy &#; &#xZ; & ;',
  // A comment hides the tags in it.
  'a ⟦comment:<!-- <b>not a tag</b> -->⟧ ⟦tag:<i⟧⟦tag:>⟧',
  '⟦comment:<!---->⟧⟦comment:<!-- a -- b -->⟧',
]));

test('HTML: what is not a tag', () => check('html', [
  'a < b, 5<6, <3, < p>, <>, </>, <?php echo 1 ?>, <%= x %>',
  'x >= y && z',
]));

test('HTML: a line that ends inside a tag, a value or a comment', () => check('html', [
  // The rest of the line is coloured as what it is in.
  '⟦tag:<div⟧ class=⟦string:"a"⟧ id=⟦string:"b⟧',
  '⟦tag:<div⟧ class=⟦string:"a"⟧',
  'x ⟦comment:<!-- open <b>⟧',
  // The next line, read alone, starts in no tag.
  'id="b"> ⟦tag:<b⟧⟦tag:>⟧',
  'still a comment --> ⟦tag:<i⟧⟦tag:>⟧',
]));

test('Script: the script tags, strings, comments and the printing words', () => check('script', [
  '⟦delimiter:<?php⟧ ⟦keyword:echo⟧ ⟦string:"a\\"b"⟧; ⟦delimiter:?>⟧',
  '⟦delimiter:<?=⟧ $x ⟦delimiter:?>⟧⟦delimiter:<?⟧ ⟦keyword:print⟧(⟦string:\'it\\\'s\'⟧) ⟦delimiter:?>⟧',
  '⟦delimiter:<%⟧ ⟦keyword:Response.Write⟧(⟦string:"<p>"⟧) ⟦delimiter:%>⟧⟦delimiter:<%=⟧ x ⟦delimiter:%>⟧⟦delimiter:<%@⟧ Page ⟦delimiter:%>⟧',
  '⟦keyword:out.println⟧(⟦string:"a"⟧); ⟦keyword:out.print⟧(⟦string:"b"⟧); ⟦keyword:document.write⟧(⟦string:`c${d}`⟧);',
  '⟦keyword:const⟧ a = 1; ⟦keyword:let⟧ b; ⟦keyword:var⟧ c; ⟦keyword:return⟧ ⟦keyword:my⟧ ⟦keyword:def⟧ ⟦keyword:import⟧ ⟦keyword:use⟧ ⟦keyword:printf⟧',
  // Words that only contain a printing word.
  'echoes myvar printer $echo_x constant',
  // A script tag inside a string is the string's.
  '⟦keyword:echo⟧ ⟦string:"?>"⟧; ⟦keyword:echo⟧ ⟦string:\'<%\'⟧;',
]));

test('Script: comments', () => check('script', [
  'x = 1; ⟦comment:// a "quoted" word⟧',
  '⟦comment:# Perl or Python⟧',
  '$a[⟦string:\'#\'⟧] = $b#c;',
  '#[Attribute] ${#} ⟦comment:/* a */⟧ b ⟦comment:/* c "d" */⟧',
  // A URL in code is not a comment; // after a blank is.
  'href=http://example.org ⟦comment://x⟧',
  '⟦string:"http://example.org"⟧',
]));

test('Script: a line that ends inside a string or a comment', () => check('script', [
  '⟦keyword:print⟧ ⟦string:"abc⟧',
  '⟦keyword:print⟧ ⟦string:\'abc\\⟧',
  '⟦keyword:echo⟧ ⟦string:"ends with a backslash\\⟧',
  'x ⟦comment:/* open⟧',
]));

test('Plain text is not coloured', () => {
  assert.deepEqual(spansOf('<p class="a">&amp; <?php echo "x" ?>', 'plain'), []);
});

// Spans in order, inside the line, never empty or overlapping, for lines
// made of the characters the rules look at.
test('Spans are ordered and never overlap, whatever the line', () => {
  const pieces = ['<', '>', '/', '!--', '-->', '"', "'", '`', '&', ';', '#', 'x', ' ', '?', '%', '=', '\\', '*', 'echo', 'p'];
  let seed = 12345;
  const random = (n) => { seed = (seed * 1103515245 + 12345) % 2147483648; return Math.floor(seed / 65536) % n; };
  for (let i = 0; i < 1000; ++i) {
    let text = '';
    for (let length = random(40); length > 0; --length)
      text += pieces[random(pieces.length)];
    for (const language of ['html', 'script']) {
      let end = 0;
      for (const { from, to, kind } of spansOf(text, language)) {
        assert.ok(from >= end && to > from && to <= text.length, `${language}: ${JSON.stringify(text)}: ${from}–${to} ${kind}`);
        end = to;
      }
    }
  }
});

// A document of lines joined by \n that answers lineAt as CodeMirror's does.
function documentOf(lines) {
  const starts = [];
  let start = 0;
  for (const line of lines) {
    starts.push(start);
    start += line.length + 1;
  }
  return {
    text: lines.join('\n'),
    lineAt(position) {
      let number = starts.length;
      while (starts[number - 1] > position)
        --number;
      const from = starts[number - 1];
      return { number, from, to: from + lines[number - 1].length, text: lines[number - 1] };
    },
  };
}

test('The lines in view: each coloured whole and once, in document positions', () => {
  // Lines 1 to 5 start at 0, 11, 25, 26 and 38.
  const doc = documentOf(['<p>one</p>', 'two &amp; <b>', '', '<i>four</i>', '<u>five</u>']);
  const span = (from, to, kind = 'tag') => ({ from, to, kind });
  const line1 = [span(0, 2), span(2, 3), span(6, 9), span(9, 10)];
  const line2 = [span(15, 20, 'entity'), span(21, 23), span(23, 24)];
  const line4 = [span(26, 28), span(28, 29), span(33, 36), span(36, 37)];
  const line5 = [span(38, 40), span(40, 41), span(45, 48), span(48, 49)];
  // From the middle of line 2 to the end of line 3, then from the middle
  // of line 4 to the middle of line 5.
  assert.deepEqual(spansInView(doc, [{ from: 16, to: 25 }, { from: 30, to: 42 }], 'html'), [...line2, ...line4, ...line5]);
  // Two ranges in one line colour it once.
  assert.deepEqual(spansInView(doc, [{ from: 0, to: 2 }, { from: 5, to: 8 }], 'html'), line1);
  assert.deepEqual(spansInView(doc, [{ from: 0, to: 49 }], 'html'), [...line1, ...line2, ...line4, ...line5]);
  assert.deepEqual(spansInView(doc, [{ from: 0, to: 49 }], 'plain'), []);
});

test('A line over the longest coloured is not coloured; the lines around it are', () => {
  const long = '<b>'.repeat(LONGEST_COLOURED_LINE / 3 + 1);
  const fits = '<b>'.repeat(LONGEST_COLOURED_LINE / 3);
  assert.ok(long.length > LONGEST_COLOURED_LINE && fits.length <= LONGEST_COLOURED_LINE);
  const doc = documentOf(['<i>', long, fits]);
  const spans = spansInView(doc, [{ from: 0, to: doc.text.length }], 'html');
  const inLine = (number) => spans.filter((span) => span.from >= doc.lineAt(span.from).from && doc.lineAt(span.from).number === number);
  assert.equal(inLine(1).length, 2);
  assert.equal(inLine(2).length, 0);
  assert.equal(inLine(3).length, 2 * fits.length / 3);
});

// A light colouring, one line at a time, with no state carried between
// lines: cheap enough to run on the lines in view after every key, at the
// cost of a string or comment spanning several lines being coloured on its
// first line only. spansOf(text, 'html' | 'script' | 'plain') gives the spans
// {from, to, kind}, in order and never overlapping; spansInView those of the
// lines in view of a document.
//
// A line over LONGEST_COLOURED_LINE characters is not coloured: the browser
// lays out a coloured line again at each key in a time that grows faster
// than its length (a key took 80 ms in a coloured line of 2,000 characters,
// 6 to 10 s in one of 19,000 with Wrap Lines on; 16-32 ms uncoloured).
export const LONGEST_COLOURED_LINE = 1000;

// (Comments written <!-{2} and <!-, as the page's script may not hold the
// characters that open an HTML comment.)
const HTML = /<!-{2}.*?(?:-->|$)|<\/?[A-Za-z](?:"[^"]*"?|'[^']*'?|[^<>"'])*>?|&(?:#[0-9]+|#[xX][0-9A-Fa-f]+|[A-Za-z][A-Za-z0-9]*);/g;
const TAG_PARTS = /^<\/?[A-Za-z][^\s/>]*|"[^"]*"?|'[^']*'?|\/?>$/g;
const SCRIPT = new RegExp([
  /<\?(?:php\b|=)?|\?>|<%[=@]?|%>/.source,                          // the script's own tags
  /"(?:[^"\\]|\\.)*(?:"|\\?$)|'(?:[^'\\]|\\.)*(?:'|\\?$)|`(?:[^`\\]|\\.)*(?:`|\\?$)/.source,  // strings
  /\/\*.*?(?:\*\/|$)|(?:^|(?<=\s))(?:\/\/|#(?![\[{])).*/.source,     // comments
  /\b(?:echo|print|printf|Response\.Write|out\.print(?:ln)?|document\.write|const|let|var|return|use|my|def|import)\b/.source,
].join('|'), 'g');

function kindOfScript(token) {
  if (/^(?:<[?%]|\?>|%>)/.test(token))
    return 'delimiter';
  if (/^["'`]/.test(token))
    return 'string';
  if (/^(?:\/\/|\/\*|#)/.test(token))
    return 'comment';
  return 'keyword';
}

function htmlSpans(text) {
  const spans = [];
  for (const match of text.matchAll(HTML)) {
    const token = match[0];
    if (token.startsWith('<!-')) {
      spans.push({ from: match.index, to: match.index + token.length, kind: 'comment' });
    } else if (token.startsWith('&')) {
      spans.push({ from: match.index, to: match.index + token.length, kind: 'entity' });
    } else {
      for (const part of token.matchAll(TAG_PARTS)) {
        const from = match.index + part.index;
        spans.push({ from, to: from + part[0].length, kind: /^["']/.test(part[0]) ? 'string' : 'tag' });
      }
    }
  }
  return spans;
}

function scriptSpans(text) {
  const spans = [];
  for (const match of text.matchAll(SCRIPT)) {
    if (match[0].length > 0)
      spans.push({ from: match.index, to: match.index + match[0].length, kind: kindOfScript(match[0]) });
  }
  return spans;
}

export function spansOf(text, language) {
  if (language === 'plain')
    return [];
  return language === 'script' ? scriptSpans(text) : htmlSpans(text);
}

// The spans of the lines that the ranges {from, to} touch, each line
// coloured whole, once, in document positions. doc answers lineAt(position)
// with {number, from, to, text}, as CodeMirror's does.
export function spansInView(doc, ranges, language) {
  const spans = [];
  let last = -1;
  for (const { from, to } of ranges) {
    for (let position = from; position <= to;) {
      const line = doc.lineAt(position);
      if (line.number > last && line.to - line.from <= LONGEST_COLOURED_LINE) {
        for (const span of spansOf(line.text, language))
          spans.push({ from: line.from + span.from, to: line.from + span.to, kind: span.kind });
      }
      last = Math.max(last, line.number);
      position = line.to + 1;
    }
  }
  return spans;
}

// A light colouring, one line at a time, with no state carried between
// lines: cheap enough to run on the lines in view after every key, at the
// cost of a string or comment spanning several lines being coloured on its
// first line only. spansOf(text, 'html' | 'script' | 'plain') gives the spans
// {from, to, kind}, in order and never overlapping.

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

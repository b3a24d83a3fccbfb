// The package as import gives it: the same bytes as tagora-convert for
// every case, texts with lone surrogates read back by JavaScript itself or
// refused at their place, and files decoded as tagora-convert
// --encoding=auto reads them.
import test from 'node:test';
import assert from 'node:assert';
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import vm from 'node:vm';
import { convert, toHtml, readScript, literal, fromLiteral, decode, inputText, TagoraError } from 'tagora-converter';

const cases = JSON.parse(readFileSync(`${process.env.TAGORA_CASES}/cases.json`, 'utf8'));

// Every difference, named; at most a few shown.
function assertNoDifferences(differences) {
  assert.strictEqual(differences.length, 0, `${differences.length} differ, e.g.:\n${differences.slice(0, 5).join('\n')}`);
}

const same = (text, file) => Buffer.from(text, 'utf8').equals(readFileSync(file));

test('every target\'s script of every input is tagora-convert\'s, byte for byte', () => {
  const texts = cases.inputs.map((file) => readFileSync(file, 'utf8'));
  const differences = [];
  for (const { to, classic, outputs } of cases.scripts) {
    texts.forEach((text, i) => {
      if (!same(convert(text, { to, classic }), outputs[i]))
        differences.push(`${to}${classic ? ' classic' : ''}: ${cases.inputs[i]}`);
    });
  }
  assertNoDifferences(differences);
});

test('every script read back, templates and errors included, is what tagora-convert reads', () => {
  const differences = [];
  for (const { name, scripts, htmls, errors } of cases.readBack) {
    scripts.forEach((script, i) => {
      const text = readFileSync(script, 'utf8');
      const error = errors[script.split('/').pop()];
      if (error) {
        try {
          toHtml(text);
          differences.push(`${name}: ${script} read, but tagora-convert refuses it`);
        } catch (thrown) {
          if (thrown.line !== error.line || thrown.column !== error.column || thrown.error !== error.error)
            differences.push(`${name}: ${script}: ${thrown.message} instead of ${JSON.stringify(error)}`);
        }
      } else if (!existsSync(htmls[i]) || !same(toHtml(text), htmls[i])) {
        differences.push(`${name}: ${script}`);
      }
    });
  }
  assertNoDifferences(differences);
  assert.ok(cases.readBack.some(({ errors }) => Object.keys(errors).length >= 5), 'the broken scripts were refused');
});

test('every input as a string literal of every target is tagora-convert --literal\'s, byte for byte', () => {
  const texts = cases.inputs.map((file) => readFileSync(file, 'utf8'));
  const differences = [];
  for (const { to, outputs } of cases.literals) {
    texts.forEach((text, i) => {
      if (!same(literal(text, { to }), outputs[i]))
        differences.push(`${to}: ${cases.inputs[i]}`);
    });
  }
  assertNoDifferences(differences);
});

test('every literal read back is what tagora-convert --unescape reads, errors at its place', () => {
  const differences = [];
  for (const { to, outputs, texts, errors } of cases.literals) {
    outputs.forEach((file, i) => {
      const text = readFileSync(file, 'utf8');
      const error = errors[file.split('/').pop()];
      if (error) {
        try {
          fromLiteral(text);
          differences.push(`${to}: ${file} read, but tagora-convert refuses it`);
        } catch (thrown) {
          if (thrown.line !== error.line || thrown.column !== error.column || thrown.error !== error.error)
            differences.push(`${to}: ${file}: ${thrown.message} instead of ${JSON.stringify(error)}`);
        }
      } else if (!existsSync(texts[i]) || !same(fromLiteral(text), texts[i])) {
        differences.push(`${to}: ${file}`);
      }
      // Named, every literal gives its input back.
      if (!same(fromLiteral(text, { from: to }), cases.inputs[i]))
        differences.push(`${to}: ${file} read as ${to}`);
    });
  }
  assertNoDifferences(differences);
});

// What a script of the text prints, by a plain model of the rules: every
// line break an LF (as JavaScript strings print it), U+FDD0 and U+FDD1 as
// U+FFFD, every other character as it is.
const withBreaks = (text, lineBreak) => text.replace(/\r\n|\r|\n|\u2029/g, lineBreak).replace(/[\uFDD0\uFDD1]/g, '\uFFFD');
const printed = (text) => withBreaks(text, '\n');

// Where a text's first lone surrogate is, by a plain model: lines cut at
// every line break, the column counted in code points.
function firstLoneSurrogate(text) {
  const lines = text.split(/\r\n|\r|\n|\u2029/);
  for (let line = 0; line < lines.length; ++line) {
    const characters = Array.from(lines[line]);
    const column = characters.findIndex((c) => /^\p{Cs}$/u.test(c));
    if (column >= 0)
      return { line: line + 1, column: column + 1, hex: characters[column].charCodeAt(0).toString(16).toUpperCase() };
  }
  return null;
}

test('texts with lone surrogates: JSON and JavaScript scripts give them back; the others refuse them at their place', () => {
  const texts = readFileSync(cases.loneSurrogates).toString('utf16le').split('\u001D').slice(0, -1);
  assert.ok(texts.length > 10);
  // Pairs before it on its line, and every kind of line break before it.
  texts.push('a\u{1F600}b\r\nc\u{1F600}\u{1F600}\uD800', 'x\ry\u2029z\n\r\n\u{1F600}\uDC00q');
  for (const text of texts) {
    assert.strictEqual(JSON.parse(convert(text, { to: 'json' })), printed(text));
    for (const to of ['js', 'js-concat'])
      assert.strictEqual(vm.runInNewContext(`${convert(text, { to })}; html`), printed(text), `${to}: ${JSON.stringify(text)}`);
    // UTF-8 cannot hold one, so no other script could print it (a few
    // texts have none, their surrogates in pairs).
    const place = firstLoneSurrogate(text);
    for (const to of place ? ['php', 'asp', 'php-nowdoc', 'jsp', 'perl', 'python'] : []) {
      for (const write of [convert, literal]) {
        assert.throws(() => write(text, { to }), (error) => {
          assert.ok(error instanceof TagoraError);
          assert.deepStrictEqual([error.code, error.line, error.column], ['LONE_SURROGATE', place.line, place.column],
                                 `${write.name} ${to}: ${JSON.stringify(text)}`);
          assert.match(error.message, new RegExp(`^line ${place.line}, column ${place.column}: U\\+${place.hex} `));
          return true;
        });
      }
    }
    assert.strictEqual(inputText(text), withBreaks(text, '\r\n'));
    // A literal keeps the text's own line breaks.
    assert.strictEqual(JSON.parse(literal(text, { to: 'json' })), text);
    for (const to of ['js', 'js-concat'])
      assert.strictEqual(vm.runInNewContext(literal(text, { to })), text, `${to} literal: ${JSON.stringify(text)}`);
    const script = convert(text, { to: 'json' });
    // UTF-8 cannot hold a lone surrogate: the HTML has U+FFFD there.
    assert.deepStrictEqual(readScript(script), { html: printed(text).toWellFormed(), target: 'json', exact: true });
    // Nor can a script to read back hold one.
    for (const read of place ? [readScript, fromLiteral] : [])
      assert.throws(() => read(`"${text}"`), { code: 'LONE_SURROGATE' });
  }
});

test('files in other encodings: decoded as tagora-convert --encoding=auto reads them', () => {
  const ascii = (text) => Buffer.from(text, 'latin1');
  const files = {
    'Windows-1252 guessed': ascii('<p>caf\u00E9 \u0080 \u0093q\u0094</p>\r\n'),
    'UTF-8 mark': Buffer.concat([Buffer.from([0xEF, 0xBB, 0xBF]), Buffer.from('<p>\u20AC</p>')]),
    'UTF-16LE mark': Buffer.concat([Buffer.from([0xFF, 0xFE]), Buffer.from('<p>\u65E5</p>', 'utf16le')]),
    'UTF-16LE unmarked': Buffer.from('<html><p>unmarked</p></html>', 'utf16le'),
    'meta windows-1251': ascii('<meta charset="windows-1251"><p>\u00CF\u00F0\u00E8</p>'),
    'meta shift_jis': Buffer.concat([ascii('<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS"><p>'),
                                     Buffer.from([0x93, 0xFA, 0x96, 0x7B]), ascii('</p>')]),
    'meta unknown': ascii('<meta charset="no-such-set"><p>\u00E9</p>'),
    'meta x-user-defined': ascii('<meta charset="x-user-defined"><p>\u00E9</p>'),
  };
  for (const [name, bytes] of Object.entries(files)) {
    const cli = execFileSync(process.env.TAGORA_CONVERT, ['--encoding=auto', '--to=php'], { input: bytes, stdio: ['pipe', 'pipe', 'pipe'] });
    const read = decode(bytes, { name });
    assert.ok(Buffer.from(convert(read.text, { to: 'php' }), 'utf8').equals(cli), name);
  }
  assert.match(decode(files['Windows-1252 guessed'], { name: 'old.htm' }).notice,
               /^"old\.htm" is not UTF-8 and names no character set of its own, so it was read as Windows-1252/);
  assert.strictEqual(decode(files['meta shift_jis']).encoding, 'Shift_JIS');
});

test('inputText makes every line break CR LF, as the window\'s box holds it', () => {
  assert.strictEqual(inputText('a\nb\rc\r\nd\u2029e\uFDD0'), 'a\r\nb\r\nc\r\nd\r\ne\uFFFD');
});

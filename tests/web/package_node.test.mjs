// The package as a Node program uses it: bytes, streams, options, every
// failure a TagoraError, the bin, and the host process left alone;
// tagora-convert is the judge of every byte and every place.
import test from 'node:test';
import assert from 'node:assert';
import { createHash } from 'node:crypto';
import { execFileSync, spawn, spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { Readable, Writable } from 'node:stream';
import { pipeline } from 'node:stream/promises';
import { createRequire } from 'node:module';
import tagora, {
  convert, toHtml, literal, fromLiteral, decode, readScriptFile, convertStream, toHtmlStream, convertTransform, toHtmlTransform,
  TagoraError, ready,
} from 'tagora-converter';

const cases = JSON.parse(readFileSync(`${process.env.TAGORA_CASES}/cases.json`, 'utf8'));
const CLI = process.env.TAGORA_CONVERT;
const TARGETS = ['php', 'asp', 'php-nowdoc', 'js', 'js-concat', 'json', 'jsp', 'perl', 'python'];
const bin = join(createRequire(import.meta.url).resolve('tagora-converter/package.json'), '..', 'bin', 'tagora-converter.cjs');

// tagora-convert's output, status and complaint (without its name).
function cli(input, args) {
  const run = spawnSync(CLI, args, { input, maxBuffer: 1 << 30 });
  return { stdout: run.stdout, status: run.status, stderr: run.stderr.toString().replace(/^tagora-convert: /gm, '') };
}

const largeInputs = cases.inputs.filter((file) => /large_|block_edges/.test(file));
const someInputs = cases.inputs.filter((_, i) => i % 60 === 0).concat(largeInputs.filter((file) => /block_edges/.test(file)));

test('bytes: a Buffer, a Uint8Array and an ArrayBuffer give tagora-convert\'s script; invalid UTF-8 its offset', () => {
  const differences = [];
  for (const file of someInputs) {
    const bytes = readFileSync(file);
    const marked = Buffer.concat([Buffer.from([0xEF, 0xBB, 0xBF]), bytes]);
    for (const to of TARGETS) {
      const expected = cli(marked, [`--to=${to}`]).stdout.toString();
      if (convert(marked, { to }) !== expected)
        differences.push(`${to} Buffer: ${file}`);
      const view = new Uint8Array(marked);
      if (convert(view, { to }) !== expected || convert(view.buffer, { to }) !== expected)
        differences.push(`${to} Uint8Array: ${file}`);
    }
  }
  assert.deepStrictEqual(differences, []);
  // Surrogates in UTF-8 (WTF-8, CESU-8), cut sequences, overlong forms.
  const bad = [[0x61, 0xED, 0xA0, 0x80], [0x0A, 0x61, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80], [0x61, 0xE2, 0x82],
               [0xC0, 0xAF], [0x61, 0x62, 0xF4, 0x90, 0x80, 0x80], [0xEF, 0xBB, 0xBF, 0xFF]];
  for (const bytes of bad) {
    const judged = /invalid UTF-8 at byte offset (\d+)/.exec(cli(Buffer.from(bytes), ['--to=php']).stderr);
    assert.ok(judged, `tagora-convert accepted ${bytes}`);
    for (const to of ['php', 'php-nowdoc', 'json']) {
      assert.throws(() => convert(Buffer.from(bytes), { to }), (error) => error instanceof TagoraError
        && error.code === 'INVALID_UTF8' && error.offset === Number(judged[1]));
    }
  }
});

test('bytes in other encodings, and the name and noHeader options, as tagora-convert\'s options', () => {
  const page = Buffer.from('<meta charset="windows-1251"><p>caf\u00E9 \u0080 \u0093q\u0094</p>\r\n', 'latin1');
  for (const encoding of ['windows-1252', 'auto', 'latin1', 'windows-1251', 'shift_jis'])
    assert.strictEqual(convert(page, { encoding }), cli(page, [`--encoding=${encoding}`]).stdout.toString(), encoding);
  const html = Buffer.from('<p>$x</p>\r\n<script>a</script>');
  for (const to of TARGETS) {
    for (const [options, args] of [[{ noHeader: true }, ['--no-header']], [{ name: 'page_1' }, ['--name=page_1']],
                                   [{ name: '$x', noHeader: true, classic: false }, ['--name=$x', '--no-header']]]) {
      const judged = cli(html, [`--to=${to}`, ...args]);
      if (judged.status !== 0) {
        assert.throws(() => convert(html, { to, ...options }), { code: 'BAD_OPTION' }, `${to} ${args}`);
        continue;
      }
      const expected = judged.stdout.toString();
      assert.strictEqual(convert(html, { to, ...options }), expected, `${to} ${args}`);
      assert.strictEqual(convert(html.toString(), { to, ...options }), expected, `${to} ${args}, a string`);
    }
  }
});

test('readScriptFile: a PHP page in a legacy encoding is a template of its own bytes, as tagora-convert --encoding=auto makes it', () => {
  const files = [
    [Buffer.from('<?php\r\necho "caf\xe9 <b>\\xe9</b> \x80";\r\n$x = "na\xefve";\r\necho $x;\r\n?>\r\n<p>fin</p>\r\n', 'latin1'), 'windows-1252'],
    [Buffer.concat([Buffer.from('<meta charset="Shift_JIS">\r\n<?php echo "<p>'), Buffer.from([0x95, 0x5C, 0x8E, 0xA6]),
                    Buffer.from('</p>"; ?>\r\n')]), 'Shift_JIS'],
    [Buffer.from('<?php\r\necho "caf\u00e9";\r\n?>\r\n'), 'UTF-8'],
    [Buffer.from('\ufeff<?php\r\necho "<p>" . 1 . "</p>";\r\n?>\r\n'), 'UTF-8'],
  ];
  for (const [file, encoding] of files) {
    const expected = cli(file, ['--to=html', '--encoding=auto']);
    assert.strictEqual(expected.status, 0, expected.stderr);
    const read = readScriptFile(file);
    assert.strictEqual(read.encoding, encoding);
    const written = read.bytes ? Buffer.from(read.bytes) : Buffer.from(read.html);
    assert.ok(written.equals(expected.stdout), `${encoding}: ${written.toString('latin1')} against ${expected.stdout.toString('latin1')}`);
    assert.strictEqual(read.bytes === null, encoding === 'UTF-8');
  }
});

test('every failure is a TagoraError with a code, unknown options included', () => {
  const failures = [
    [() => convert(''), 'EMPTY_INPUT'], [() => convert(Buffer.from([0xEF, 0xBB, 0xBF])), 'EMPTY_INPUT'],
    [() => convert(new Uint8Array(0)), 'EMPTY_INPUT'], [() => toHtml(''), 'EMPTY_SCRIPT'],
    [() => convert('x', { to: 'cobol' }), 'BAD_OPTION'], [() => convert('x', { To: 'php' }), 'BAD_OPTION'],
    [() => convert('x', { to: 'js', classic: true }), 'BAD_OPTION'], [() => convert('x', { classic: 'yes' }), 'BAD_OPTION'],
    [() => convert('x', { to: 'js', name: 'class' }), 'BAD_OPTION'], [() => convert('x', { name: '1a' }), 'BAD_OPTION'],
    [() => convert('x', { encoding: 'utf-8' }), 'BAD_OPTION'], [() => convert(Buffer.from('x'), { encoding: 'no-such' }), 'BAD_OPTION'],
    [() => convert('x', 'php'), 'BAD_OPTION'], [() => toHtml('x', { form: 'php' }), 'BAD_OPTION'],
    [() => literal('x', { to: 'php', classic: true }), 'BAD_OPTION'], [() => fromLiteral('"x"', { from: 'c' }), 'BAD_OPTION'],
    [() => convert(42), 'BAD_INPUT'], [() => convert(null), 'BAD_INPUT'], [() => toHtml(Buffer.from('x')), 'BAD_INPUT'],
    [() => decode('text'), 'BAD_INPUT'], [() => convertStream({ too: 'php' }), 'BAD_OPTION'],
    [() => convertTransform({ to: 'c' }), 'BAD_OPTION'], [() => toHtmlStream({ from: 'c' }), 'BAD_OPTION'],
  ];
  for (const [call, code] of failures)
    assert.throws(call, (error) => error instanceof TagoraError && error.code === code, call.toString());
  // The same functions, and none of them a stray one.
  assert.strictEqual(tagora.convert, convert);
  return ready;
});

// The stream's output for the chunks, as one Buffer.
async function throughStream(stream, chunks) {
  const pieces = [];
  await pipeline(Readable.from(chunks), stream,
                 new Writable({ write(piece, encoding, done) { pieces.push(piece); done(); } }));
  return Buffer.concat(pieces);
}

async function throughTransform(transform, chunks) {
  const pieces = [];
  const reader = ReadableStream.from(chunks).pipeThrough(transform).getReader();
  for (let read = await reader.read(); !read.done; read = await reader.read())
    pieces.push(read.value);
  return Buffer.concat(pieces);
}

// Cut at every size's multiple: through sequences, line breaks and pairs.
const cut = (bytes, size) => Array.from({ length: Math.ceil(bytes.length / size) }, (_, i) => bytes.subarray(i * size, (i + 1) * size));
const cutText = (text, size) => Array.from({ length: Math.ceil(text.length / size) }, (_, i) => text.slice(i * size, (i + 1) * size));

test('streams in both directions, Node and web: tagora-convert\'s bytes, however the input is cut', async () => {
  // The engine's own tests cut the text everywhere; here, the pieces'
  // way through JavaScript: all targets over the page that has every
  // sequence across a piece's edge, the nowdoc (held whole below 8 MB) over a large one.
  const runs = TARGETS.map((to) => [to, largeInputs.find((file) => /block_edges/.test(file))])
    .concat(['php', 'php-nowdoc'].map((to) => [to, largeInputs.find((file) => /large_random/.test(file))]));
  for (const [to, file] of runs) {
    const bytes = readFileSync(file);
    {
      const expected = cli(bytes, [`--to=${to}`]).stdout;
      assert.ok((await throughStream(convertStream({ to }), cut(bytes, 7919))).equals(expected), `${to} stream: ${file}`);
      assert.ok((await throughTransform(convertTransform({ to }), cut(bytes, 65537))).equals(expected), `${to} transform: ${file}`);
      assert.ok((await throughStream(convertStream({ to }), cutText(bytes.toString(), 4099))).equals(expected),
                `${to} stream of strings: ${file}`);
      const html = cli(expected, ['--to=html']);
      assert.ok((await throughStream(toHtmlStream(), cut(expected, 5003))).equals(html.stdout), `${to} read back: ${file}`);
      assert.ok((await throughTransform(toHtmlTransform({ from: to }), cut(expected, 70001))).equals(html.stdout),
                `${to} read back, web: ${file}`);
    }
  }
  await assert.rejects(throughStream(convertStream(), [Buffer.from('ab'), Buffer.from([0xED, 0xA0, 0x80])]),
                       { code: 'INVALID_UTF8', offset: 2 });
  await assert.rejects(throughStream(convertStream(), ['ab\uD83D', 'x']), { code: 'LONE_SURROGATE', unit: 2 });
  await assert.rejects(throughTransform(convertTransform(), []), { code: 'EMPTY_INPUT' });
  const script = Buffer.from('<?php\r\necho "a";\r\necho "b\r\n');
  const place = /:(\d+):(\d+): (.*)/.exec(cli(script, ['--to=html']).stderr);
  await assert.rejects(throughStream(toHtmlStream(), cut(script, 3)),
                       { code: 'UNREADABLE_SCRIPT', line: Number(place[1]), column: Number(place[2]), error: place[3] });
});

test('a php-nowdoc stream over 8 MB: its script begins before its end, tagora-convert\'s bytes, or a refusal where a later line closes the label chosen', async () => {
  // "HTML" closes the first label: both choose HTML1, which no later line closes.
  const text = Buffer.from(`HTML\r\n${'<p>HTML1 and HTML2 inside a line close nothing</p>\r\n'.repeat(190000)}`);
  const expected = cli(text, ['--to=php-nowdoc']).stdout;
  assert.ok(expected.includes("<<<'HTML1'"));
  let fed = 0;
  let scriptBeforeTheEnd = 0;
  const pieces = [];
  async function* chunks(bytes) {
    for (const piece of cut(bytes, 1 << 16)) {
      fed += piece.length;
      yield piece;
    }
  }
  await pipeline(Readable.from(chunks(text)), convertStream({ to: 'php-nowdoc' }), new Writable({
    write(piece, encoding, done) {
      pieces.push(piece);
      if (fed < text.length)
        scriptBeforeTheEnd += piece.length;
      done();
    },
  }));
  assert.ok(Buffer.concat(pieces).equals(expected), 'not tagora-convert\'s script');
  assert.ok(scriptBeforeTheEnd > 0, 'the whole text was held before the script began');
  // A last line closes HTML1: tagora-convert, with the whole text, takes HTML2.
  const closedLate = Buffer.concat([text, Buffer.from('HTML1\r\n')]);
  assert.ok(cli(closedLate, ['--to=php-nowdoc']).stdout.includes("<<<'HTML2'"));
  await assert.rejects(throughStream(convertStream({ to: 'php-nowdoc' }), cut(closedLate, 1 << 16)),
                       (error) => error instanceof TagoraError && error.code === 'NO_HEREDOC_LABEL' && /HTML1/.test(error.message));
});

test('a script longer than a JavaScript string: OUTPUT_TOO_LONG from convert, whole from the stream', async () => {
  // Each line break becomes a Response.Write line of 29 bytes: 20 M of
  // them pass V8's longest string (2^29 - 24 units).
  const html = Buffer.alloc(20e6, 0x0A);
  assert.throws(() => convert(html, { to: 'asp' }), (error) => error instanceof TagoraError && error.code === 'OUTPUT_TOO_LONG');
  const digest = (stream) => new Promise((resolve, reject) => {
    const hash = createHash('sha256');
    let size = 0;
    stream.on('data', (piece) => { hash.update(piece); size += piece.length; });
    stream.on('end', () => resolve([size, hash.digest('hex')]));
    stream.on('error', reject);
  });
  const judge = spawn(CLI, ['--to=asp']);
  judge.stdin.end(html);
  const expected = await digest(judge.stdout);
  assert.ok(expected[0] > 2 ** 29);
  const stream = convertStream({ to: 'asp' });
  const got = digest(stream);
  for (const piece of cut(html, 1 << 20))
    stream.write(piece);
  stream.end();
  assert.deepStrictEqual(await got, expected);
});

test('the bin is tagora-convert\'s twin for the common options', () => {
  const folder = mkdtempSync(join(tmpdir(), 'tagora-bin-'));
  const page = join(folder, 'page.html');
  writeFileSync(page, readFileSync(cases.inputs.find((file) => /large_random/.test(file))).subarray(0, 200000));
  const script = join(folder, 'page.php');
  writeFileSync(script, cli(readFileSync(page), ['--to=php']).stdout);
  const runs = [['--to=asp', page], ['--to=js', '--name=page', '--no-header', page], ['--asp', '--classic', page],
                ['-t', 'php-nowdoc', page], ['--to=html', script], ['-u', '-'], ['--to=json', '--literal', page],
                ['--encoding=windows-1252', page], ['--to=perl'], ['--to=cobol', page], ['--bogus'], [join(folder, 'none')]];
  const inputs = { '-u': Buffer.from('"a\\tb" . "never closed'), '--to=perl': Buffer.from('') };
  for (const args of runs) {
    const input = inputs[args[0]] || Buffer.from('<p>standard input</p>');
    const judged = cli(input, args);
    const got = spawnSync(process.execPath, [bin, ...args], { input, maxBuffer: 1 << 28 });
    assert.strictEqual(got.status, judged.status, `${args}: ${got.stderr}`);
    assert.ok(got.stdout.equals(judged.stdout), `${args}: other bytes`);
    if (judged.status === 0)
      assert.strictEqual(got.stderr.toString(), '', `${args}`);
    else if (!args.includes('--bogus') && !args.includes('--to=cobol'))
      assert.strictEqual(got.stderr.toString().replace(/^tagora-converter: /gm, ''), judged.stderr, `${args}`);
  }
  // -o replaces the file only once the whole output is written.
  const output = join(folder, 'out.asp');
  writeFileSync(output, 'kept');
  assert.strictEqual(spawnSync(process.execPath, [bin, '--to=asp', '-o', output], { input: Buffer.from([0x61, 0xFF]) }).status, 2);
  assert.strictEqual(readFileSync(output, 'utf8'), 'kept');
  execFileSync(process.execPath, [bin, '--to=asp', '-o', output, page]);
  assert.ok(readFileSync(output).equals(cli(readFileSync(page), ['--to=asp']).stdout));
  // A file's invalid UTF-8 found once part of the script is written.
  const broken = join(folder, 'broken.html');
  writeFileSync(broken, Buffer.concat([readFileSync(page), Buffer.from([0xFF])]));
  const refused = spawnSync(process.execPath, [bin, '--to=asp', '-o', output, broken]);
  assert.strictEqual(refused.stderr.toString().replace(/^tagora-converter: /, ''), cli(readFileSync(broken), ['--to=asp']).stderr
    .replace('standard input', broken));
  assert.strictEqual(refused.status, 2);
  assert.ok(readFileSync(output).equals(cli(readFileSync(page), ['--to=asp']).stdout), 'the output was not kept');
  assert.deepStrictEqual(readdirSync(folder).filter((name) => name.endsWith('.tmp')), []);
});

// Checked once, in the build without the fuzz harnesses.
test('the bin converts a 60 MB file in constant memory, to tagora-convert\'s bytes',
     { skip: process.env.TAGORA_WEB_CHECKED_ONCE ? 'checked in the build without the fuzz harnesses' : false }, () => {
  const folder = mkdtempSync(join(tmpdir(), 'tagora-bin-'));
  const seed = Buffer.concat(largeInputs.filter((file) => /large_/.test(file)).map((file) => readFileSync(file)));
  const page = join(folder, 'page.html');
  writeFileSync(page, Buffer.concat(Array(Math.ceil(60e6 / seed.length)).fill(seed)).subarray(0, 60e6));
  // Its peak resident memory as it exits, told by itself: VmHWM, of this
  // program alone (maxRSS would keep this large test's, from before exec).
  const peak = join(folder, 'peak.cjs');
  writeFileSync(peak, `process.on('exit', () => {
    const fs = require('node:fs');
    const kilobytes = Number(/VmHWM:\\s*(\\d+)/.exec(fs.readFileSync('/proc/self/status', 'utf8'))[1]);
    fs.writeFileSync(${JSON.stringify(join(folder, 'peak'))}, JSON.stringify({ peak: kilobytes / 1024, ...process.memoryUsage() }));
  });`);
  const run = spawnSync(process.execPath, ['--require', peak, bin, '--to=php', page], { maxBuffer: 1 << 30 });
  assert.strictEqual(run.status, 0, run.stderr.toString());
  const digest = (bytes) => createHash('sha256').update(bytes).digest('hex');
  const judge = spawnSync(CLI, ['--to=php', page], { maxBuffer: 1 << 30 });
  assert.strictEqual(digest(run.stdout), digest(judge.stdout));
  const memory = JSON.parse(readFileSync(join(folder, 'peak'), 'utf8'));
  assert.ok(memory.peak < 64, `the bin's peak memory: ${memory.peak.toFixed(1)} MB; at its exit: ${JSON.stringify(memory)}`);
});

test('loading the package adds no listener to the process, and leaves its uncaught errors alone', () => {
  const program = (load) => `
    const before = process.eventNames().map((name) => name + process.listenerCount(name)).join();
    ${load};
    const after = process.eventNames().map((name) => name + process.listenerCount(name)).join();
    if (before !== after) { console.log('listeners: ' + before + ' / ' + after); process.exit(3); }
    setTimeout(() => { throw new Error('the user\\'s own error'); });`;
  for (const [load, flags] of [["require('tagora-converter')", []],
                               ["await import('tagora-converter')", ['--input-type=module']]]) {
    const run = spawnSync(process.execPath, [...flags, '-e', program(load)], { cwd: process.cwd() });
    assert.strictEqual(run.status, 1, `${load}: ${run.stdout}`);
    const stderr = run.stderr.toString();
    assert.match(stderr, /Error: the user's own error\n\s+at /);
    assert.ok(stderr.length < 4000, `${load}: ${stderr.length} bytes of complaint`);
  }
});

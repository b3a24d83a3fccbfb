#!/usr/bin/env node
// tagora-converter: the package's command, tagora-convert's twin for its
// common options, with the same output, messages and exit status.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { pipeline } = require('node:stream/promises');
const { parseArgs } = require('node:util');
const tagora = require('../index.cjs');

const PROGRAM = 'tagora-converter';
const TARGETS = tagora.targets.map((target) => target.name);

const USAGE = `Usage: ${PROGRAM} [OPTION]... [FILE]
Turn HTML into a script that prints it, exactly as tagora-convert does, or a
script back into the HTML it prints. With no FILE, or when FILE is -, read
standard input.

  -t, --to=TARGET        write a script of TARGET (default php): ${TARGETS.join(', ')},
                           or html: the HTML a script prints
  -f, --from=TARGET      with --to=html: the script is of TARGET (else it is
                           recognised)
      --no-header        leave out the comment lines naming this program
  -n, --name=NAME        js and js-concat: the constant that holds the text
      --php, --asp       the same as --to=php, --to=asp
  -l, --literal          write the input as one string literal of TARGET; with
                           --to=html, read such a literal back
  -u, --unescape         the same as --to=html --literal
      --classic          escape as version 1.0 did (php and asp only)
      --encoding=ENC     read input in ENC: 'auto' to tell it as the window
                           does, or an encoding as browsers name it
  -o, --output=FILE      write to FILE instead of standard output; FILE is
                           replaced only once the whole output is written
      --help             display this help and exit
      --version          output version information and exit

Exit status: 0 if OK, 1 if the input is empty, 2 for any other failure.
`;

class Failure extends Error {
  constructor(message, status = 2) {
    super(message);
    this.status = status;
  }
}

function options() {
  const optionTable = {
    to: { type: 'string', short: 't' }, from: { type: 'string', short: 'f' }, 'no-header': { type: 'boolean' },
    name: { type: 'string', short: 'n' }, php: { type: 'boolean' }, asp: { type: 'boolean' },
    literal: { type: 'boolean', short: 'l' }, unescape: { type: 'boolean', short: 'u' },
    classic: { type: 'boolean' }, encoding: { type: 'string' }, output: { type: 'string', short: 'o' },
    help: { type: 'boolean' }, version: { type: 'boolean' },
  };
  let parsed;
  try {
    parsed = parseArgs({ options: optionTable, allowPositionals: true });
  } catch (error) {
    throw new Failure(`${error.message}\n${PROGRAM}: try '${PROGRAM} --help' for more information`);
  }
  const { values, positionals } = parsed;
  if (positionals.length > 1)
    throw new Failure(`one FILE at a time (tagora-convert -d converts several)`);
  const to = values.unescape ? 'html' : values.php ? 'php' : values.asp ? 'asp' : values.to || 'php';
  if (to !== 'html' && !TARGETS.includes(to))
    throw new Failure(`invalid target '${to}': one of ${TARGETS.join(', ')}, html`);
  if (values.from !== undefined && !TARGETS.includes(values.from))
    throw new Failure(`invalid target '${values.from}': one of ${TARGETS.join(', ')}`);
  return { ...values, to, literal: values.literal || values.unescape, input: positionals[0] || '-' };
}

const nameOf = (input) => (input === '-' ? 'standard input' : input);

// Where a TagoraError says its place, as tagora-convert says it.
function complaint(error, input) {
  if (error.line)
    return `${nameOf(input)}:${error.line}:${error.column}: ${error.error}`;
  return `${nameOf(input)}: ${error.error}`;
}

// What the system said, as strerror says it: "No such file or directory".
const reason = (error) => error.message.replace(/^E[A-Z]+: /, '').replace(/, \w+ '.*'$/s, '')
  .replace(/^./, (first) => first.toUpperCase());

function openInput(input) {
  try {
    return fs.openSync(input, 'r');
  } catch (error) {
    throw new Failure(`${input}: cannot read: ${reason(error)}`);
  }
}

async function readAll(input) {
  try {
    if (input !== '-')
      return fs.readFileSync(input);
    const chunks = [];
    for await (const chunk of process.stdin)
      chunks.push(chunk);
    return Buffer.concat(chunks);
  } catch (error) {
    throw new Failure(`${nameOf(input)}: cannot read: ${reason(error)}`);
  }
}

// The input's text as UTF-8, refused at its first invalid byte.
function utf8Text(bytes) {
  try {
    return new TextDecoder('utf-8', { fatal: true, ignoreBOM: true }).decode(bytes);
  } catch {
    tagora.convert(bytes, { to: 'json' });  // throws INVALID_UTF8 with the byte's offset
    throw new Error('invalid UTF-8 that the engine read');
  }
}

// The output of a whole input, for --literal, --to=html and --encoding.
async function wholeOutput(chosen) {
  const bytes = await readAll(chosen.input);
  if (chosen.literal && chosen.to === 'html')
    return tagora.fromLiteral(utf8Text(bytes), { from: chosen.from });
  if (chosen.literal)
    return tagora.literal(utf8Text(bytes), { to: chosen.to });
  if (chosen.to === 'html')
    return tagora.toHtml(utf8Text(bytes), { from: chosen.from });
  return tagora.convert(bytes, { ...scriptOptions(chosen), encoding: chosen.encoding });
}

function scriptOptions(chosen) {
  return { to: chosen.to, classic: chosen.classic, name: chosen.name, noHeader: chosen['no-header'] };
}

// Writes to a temporary file beside the output, renamed over it at the
// end; removed on failure. produce(stream), or with sync
// produce(descriptor), which writes synchronously.
async function write(chosen, produce, { sync = false } = {}) {
  if (chosen.output === undefined)
    return produce(sync ? process.stdout.fd : process.stdout);
  const target = path.resolve(chosen.output);
  if (chosen.input !== '-' && fs.existsSync(chosen.input) && fs.realpathSync(chosen.input) === safeRealPath(target))
    throw new Failure(`${chosen.output}: is the input, and is not written over`);
  const temporary = path.join(path.dirname(target), `.${path.basename(target)}.${process.pid}.tmp`);
  try {
    if (sync) {
      const fd = fs.openSync(temporary, 'wx');
      try {
        produce(fd);
      } finally {
        fs.closeSync(fd);
      }
    } else {
      await produce(fs.createWriteStream(temporary, { flags: 'wx' }));
    }
    fs.renameSync(temporary, target);
  } catch (error) {
    fs.rmSync(temporary, { force: true });
    throw error;
  }
}

// A file converted through one buffer, each piece of the script written
// as soon as it is made: Node's streams would make a new buffer of every
// piece, and V8 collects them only once tens of MB of them pile up.
function convertFile(pieces, input, output) {
  const buffer = Buffer.allocUnsafe(1 << 16);
  const push = (view) => writeAll(output, view);
  const read = () => {
    try {
      return fs.readSync(input, buffer);
    } catch (error) {
      throw new Failure(`${nameOf(options().input)}: cannot read: ${reason(error)}`);
    }
  };
  for (let size = read(); size > 0; size = read())
    pieces.write(buffer.subarray(0, size), push);
  pieces.end(push);
}

// The whole view written to a descriptor that may be a non-blocking pipe:
// while the reader is behind, a few ms' sleep between tries.
const sleeper = new Int32Array(new SharedArrayBuffer(4));
function writeAll(output, view) {
  for (let at = 0; at < view.length;) {
    try {
      at += fs.writeSync(output, view, at);
    } catch (error) {
      if (error.code !== 'EAGAIN')
        throw error;
      Atomics.wait(sleeper, 0, 0, 4);
    }
  }
}

function safeRealPath(file) {
  try {
    return fs.realpathSync(file);
  } catch {
    return file;
  }
}

async function main() {
  const chosen = options();
  if (chosen.help)
    return process.stdout.write(USAGE);
  if (chosen.version)
    return process.stdout.write(`${PROGRAM} (${tagora.productName}) ${tagora.version}\n`);
  const streamed = !chosen.literal && chosen.to !== 'html' && (chosen.encoding === undefined || /^\s*utf-?8\s*$/i.test(chosen.encoding));
  if (streamed && chosen.input !== '-') {
    const pieces = tagora[Symbol.for('tagora-converter.scriptPieces')](scriptOptions(chosen));
    const input = openInput(chosen.input);
    return write(chosen, (output) => convertFile(pieces, input, output), { sync: true });
  }
  if (streamed) {
    const convert = tagora.convertStream(scriptOptions(chosen));  // options checked before reading
    return write(chosen, (out) => pipeline(process.stdin, convert, out));
  }
  const output = await wholeOutput(chosen);
  return write(chosen, (out) => pipeline([output], out));
}

main().catch((error) => {
  if (error instanceof tagora.TagoraError) {
    const status = error.code === 'EMPTY_INPUT' || error.code === 'EMPTY_SCRIPT' ? 1 : 2;
    process.stderr.write(`${PROGRAM}: ${complaint(error, options().input)}\n`);
    process.exitCode = status;
  } else if (error instanceof Failure) {
    process.stderr.write(`${PROGRAM}: ${error.message}\n`);
    process.exitCode = error.status;
  } else if (error.code === 'EPIPE') {
    process.exitCode = 0;
  } else if (error.syscall) {
    process.stderr.write(`${PROGRAM}: ${error.path ? `${error.path}: ` : ''}${error.message}\n`);
    process.exitCode = 2;
  } else {
    throw error;
  }
});

// The cases of the web tests, judged by the native tagora-convert: every
// input, tagora-convert's script of it for each target and escaping, and
// what tagora-convert reads back from each of those scripts and from the
// legacy PHP and ASP files; each input as a string literal of each target
// and what tagora-convert --unescape reads back from it. Writes
// FOLDER/cases.json, which lists them. The targets come from the build's
// generated/targets.json, made from the one list of targets:
//   node make_cases.mjs TAGORA_CONVERT WRITE_INPUTS SOURCE_DIR FOLDER TARGETS_JSON
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdirSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { basename, extname, join } from 'node:path';

const [cli, writeInputs, sourceDir, folder, targetsJson] = process.argv.slice(2);
const legacy = ['legacy_php', 'legacy_asp'].map((dir) => join(sourceDir, 'tests/engine', dir));
const TARGET_LIST = JSON.parse(readFileSync(targetsJson, 'utf8'));
const TARGETS = TARGET_LIST.map(({ name }) => name);
const EXTENSION = Object.fromEntries(TARGET_LIST.map(({ name, extension }) => [name, extension]));
const VARIANTS = TARGETS.map((to) => ({ to, classic: false }))
  .concat(TARGET_LIST.filter((target) => target.hasClassicEscaping).map(({ name }) => ({ to: name, classic: true })));

const variantName = ({ to, classic }) => (classic ? `${to}-classic` : to);
const filesIn = (dir) => readdirSync(dir).filter((name) => !name.startsWith('.') && !name.endsWith('.utf16')).sort().map((name) => join(dir, name));

// A fixed-seed generator (mulberry32), for the large pages.
function generator(seed) {
  return () => {
    seed = (seed + 0x6D2B79F5) | 0;
    let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// Pages of a few MB: the legacy files one after another, and random
// markup with every kind of character a script must carry.
function writeLargePages(dir) {
  const legacyText = filesIn(join(folder, 'legacy')).map((file) => readFileSync(file, 'utf8')).join('\r\n');
  writeFileSync(join(dir, 'large_legacy.html'), legacyText.repeat(Math.ceil(3e6 / legacyText.length)));
  const random = generator(20261207);
  const pieces = ['<p class="x">', '</p>\r\n', '$name', '{$x}', '%>', '<%', '"', "'", '\\', '\t', '\r', '\n',
                  '\u00E9', '\u20AC', '\u2028', '\u2029', '\u{1F600}', '</script>', '<!--', 'HTML', '\r\nHTML\r\n',
                  'plain text of a paragraph ', '&amp;', '\u0000', '\u007F'];
  const parts = [];
  for (let size = 0; size < 2e6;) {
    const piece = pieces[Math.floor(random() * pieces.length)];
    parts.push(piece);
    size += piece.length;
  }
  writeFileSync(join(dir, 'large_random.html'), parts.join(''));
}

// A page that the page's and the package's pieces (64 K units, cut
// between the units of a surrogate pair) cut inside everything a cut may
// break: at every multiple of 4096 units there is one of the sequences
// below across it, so that each of them lies across several multiples of
// 65536, at different places within it.
function writeBlockEdges(dir) {
  const sequences = ['\r\n', '\r', '\n', '\u{1F600}', '%>', '<%', '?>', '\\"', '\u20AC\u00E9', '\r\nHTML\r\n',
                     '\u2029', '</script>', '{$x}'];
  const filler = 'plain text of a line\r\n'.repeat(200);
  let text = '';
  for (let cut = 1; cut <= 32 * sequences.length; ++cut) {
    const sequence = sequences[(cut + Math.floor(cut / 16)) % sequences.length];
    const start = cut * 4096 - 1 - ((cut + Math.floor(cut / 16)) % Math.max(sequence.length - 1, 1));
    text += filler.slice(0, start - text.length) + sequence;
  }
  writeFileSync(join(dir, 'block_edges.html'), text);
}

// tagora-convert over many files at once; a file it refuses is left out
// of the output folder, and its complaint kept (name:line:column: message).
function runCli(args, inputs, outDir) {
  mkdirSync(outDir, { recursive: true });
  const run = spawnSync(cli, [...args, '-d', outDir, ...inputs], { encoding: 'utf8', maxBuffer: 1 << 28 });
  if (run.status !== 0 && run.status !== 2)
    throw new Error(`${cli} ${args.join(' ')}: exit status ${run.status}\n${run.stderr}`);
  const errors = {};
  for (const line of run.stderr.split('\n')) {
    const match = /^tagora-convert: (.*):(\d+):(\d+): (.*)$/.exec(line);
    if (match)
      errors[basename(match[1])] = { line: Number(match[2]), column: Number(match[3]), error: match[4] };
  }
  return errors;
}

// The legacy PHP and ASP files that are UTF-8 (tagora-convert's default),
// copied under names of their own (php_x.php, asp_x.asp).
function copyLegacy(dir) {
  mkdirSync(dir, { recursive: true });
  const utf8 = new TextDecoder('utf-8', { fatal: true });
  const copies = [];
  for (const file of legacy.flatMap(filesIn)) {
    const bytes = readFileSync(file);
    try {
      utf8.decode(bytes);
    } catch {
      continue;
    }
    const copy = join(dir, `${extname(file).slice(1)}_${basename(file)}`);
    writeFileSync(copy, bytes);
    copies.push(copy);
  }
  return copies;
}

const outputName = (input, extension) => basename(input, extname(input)) + extension;

rmSync(folder, { recursive: true, force: true });
const inputDir = join(folder, 'inputs');
execFileSync(writeInputs, [inputDir]);
const legacyFiles = copyLegacy(join(folder, 'legacy'));
writeLargePages(inputDir);
writeBlockEdges(inputDir);
for (const file of legacyFiles)
  writeFileSync(join(inputDir, `${basename(file)}.html`), readFileSync(file));
const inputs = filesIn(inputDir);
const cases = { inputs, loneSurrogates: join(inputDir, 'lone_surrogates.utf16'), scripts: [], readBack: [] };

for (const variant of VARIANTS) {
  const dir = join(folder, 'scripts', variantName(variant));
  runCli([`--to=${variant.to}`, ...(variant.classic ? ['--classic'] : [])], inputs, dir);
  const scripts = inputs.map((input) => join(dir, outputName(input, EXTENSION[variant.to])));
  cases.scripts.push({ ...variant, outputs: scripts });
  const htmlDir = join(folder, 'read-back', variantName(variant));
  const errors = runCli(['--to=html'], scripts, htmlDir);
  cases.readBack.push({ name: variantName(variant), scripts, htmls: scripts.map((s) => join(htmlDir, outputName(s, '.html'))), errors });
}
// Every input as one string literal of each target (--literal), and
// what --unescape reads back from each, the target left to recognise.
cases.literals = [];
for (const to of TARGETS) {
  const dir = join(folder, 'literals', to);
  runCli([`--to=${to}`, '--literal'], inputs, dir);
  const literals = inputs.map((input) => join(dir, outputName(input, EXTENSION[to])));
  const textDir = join(folder, 'unescaped', to);
  const errors = runCli(['--unescape'], literals, textDir);
  cases.literals.push({ to, outputs: literals, texts: literals.map((l) => join(textDir, outputName(l, '.html'))), errors });
}
// The legacy files as scripts: templates; and scripts with errors.
const broken = join(folder, 'broken');
mkdirSync(broken, { recursive: true });
const brokenScripts = {
  'string_php.php': '<?php\r\necho "a";\r\necho "b\r\n',
  'comment_php.php': '<?php echo "x"; /* never closed\r\n\r\n',
  'heredoc_php.php': "<?php\necho <<<EOT\nabc\n",
  'string_asp.asp': '<%\r\nResponse.Write "<p>" & vbCrLf\r\nResponse.Write "caf\u00E9 \r\n%>',
  'mixed_asp.asp': '<% If x Then %>\n<%= "a" & "b %>',
};
for (const [name, text] of Object.entries(brokenScripts))
  writeFileSync(join(broken, name), text);
const templates = legacyFiles.concat(Object.keys(brokenScripts).map((name) => join(broken, name)));
const templateDir = join(folder, 'read-back', 'templates');
const errors = runCli(['--to=html'], templates, templateDir);
cases.readBack.push({ name: 'templates', scripts: templates, htmls: templates.map((s) => join(templateDir, outputName(s, '.html'))), errors });
writeFileSync(join(folder, 'cases.json'), JSON.stringify(cases, null, 1));
console.log(`${inputs.length} inputs, ${VARIANTS.length} scripts of each, ${Object.keys(errors).length} scripts that cannot be read`);

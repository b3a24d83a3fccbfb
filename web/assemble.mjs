// Puts the page and the Node package together from the two engine builds
// (web/CMakeLists.txt runs it), and prints their gzipped sizes:
//   - the Node package's folder: index.cjs (engine, compiled at once, and
//     tagora_api.js), index.mjs, index.browser.mjs (the browser's engine,
//     compiled asynchronously: ready says when), their declarations, the
//     bin, package.json, README, copyright;
//   - tagora.html: the page with its style, its script (after it the
//     boxes' editor, bundled by esbuild) and the engine's
//     (a worker's) inlined, under a Content-Security-Policy that allows no
//     request.
// Each engine's wasm goes in as base64, handed to its glue as wasmBinary.
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, writeFileSync, copyFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { parseArgs } from 'node:util';
import { gzipSync } from 'node:zlib';

const { values: arg } = parseArgs({
  options: Object.fromEntries(['source', 'web-engine', 'node-engine', 'copyright', 'editor', 'targets', 'page', 'package',
                               'name', 'version', 'description'].map((name) => [name, { type: 'string' }])),
});
const source = (path) => readFileSync(join(arg.source, path), 'utf8');
const api = source('tagora_api.js');
const wasmBase64 = (glue) => readFileSync(glue.replace(/\.js$/, '.wasm')).toString('base64');

// The glue without its closing lines that export it as CommonJS or AMD:
// an ES module or the page's script declares createTagoraEngine itself.
function glueOf(path) {
  const glue = readFileSync(path, 'utf8');
  const tail = glue.indexOf("\nif (typeof exports === 'object' && typeof module === 'object')");
  if (tail < 0)
    throw new Error(`${path}: the glue's CommonJS export was not found`);
  return glue.slice(0, tail + 1);
}

// The browser's engine and functions; ready resolves once it has started.
function browserModule() {
  return `${glueOf(arg['web-engine'])}
${api}
const wasm = '${wasmBase64(arg['web-engine'])}';
let tagora = null;
export const ready = createTagoraEngine({ wasmBinary: Uint8Array.from(atob(wasm), (c) => c.charCodeAt(0)) })
  .then((engine) => { tagora = tagoraApi(engine); });
function started() {
  if (!tagora)
    throw new TagoraError('the engine has not started yet: await ready first', 'NOT_READY');
  return tagora;
}
${STARTED_FUNCTIONS.map((name) => `export const ${name} = (...args) => started().${name}(...args);`).join('\n')}
export { TagoraError };
export let targets = [];
export let productName = '';
export let version = '';
export let productTitle = '';
export let credits = { developer: '', line: '' };
ready.then(() => ({ targets, productName, version, productTitle, credits } = tagora));
const all = { ready, TagoraError, ${STARTED_FUNCTIONS.join(', ')},
  get targets() { return targets; }, get productName() { return productName; }, get version() { return version; },
  get productTitle() { return productTitle; }, get credits() { return credits; } };
export default all;
`;
}

const STARTED_FUNCTIONS = ['convert', 'toHtml', 'readScript', 'readScriptFile', 'literal', 'fromLiteral', 'inputText', 'characterCodes',
                           'chooseEncoding', 'decode', 'convertTransform', 'toHtmlTransform'];
const NODE_ONLY = ['convertStream', 'toHtmlStream'];

// The declarations for Node; the browser's leave out the Node streams
// (between the // node-only markers).
function writeDeclarations() {
  const declarations = typeDeclarations();
  writeFileSync(join(arg.package, 'index.d.ts'), declarations);
  writeFileSync(join(arg.package, 'index.d.mts'), declarations);
  const browser = declarations.replace(/\/\/ node-only\n[^]*?\/\/ end of node-only\n/g, '');
  if (NODE_ONLY.some((name) => browser.includes(`function ${name}`)))
    throw new Error('index.d.ts: the Node streams are not between the node-only markers');
  writeFileSync(join(arg.package, 'index.browser.d.mts'), browser);
}

// The package's types, TargetName naming every target of the build.
function typeDeclarations() {
  const names = JSON.parse(readFileSync(arg.targets, 'utf8')).map(({ name }) => `'${name}'`);
  const declarations = source('package/index.d.ts');
  if (!declarations.includes('= TARGET_NAMES;'))
    throw new Error('index.d.ts has no TargetName = TARGET_NAMES to fill in');
  return declarations.replace('= TARGET_NAMES;', `=\n  | ${names.join(' | ')};`);
}

function writePackage() {
  mkdirSync(join(arg.package, 'bin'), { recursive: true });
  writeFileSync(join(arg.package, 'index.cjs'), `${readFileSync(arg['node-engine'], 'utf8')}
${api}
const engine = { wasmBinary: Buffer.from('${wasmBase64(arg['node-engine'])}', 'base64') };
createTagoraEngine(engine);
const tagora = { ...tagoraApi(engine, undefined, require('node:stream')), ready: Promise.resolve() };
// import tagora from 'tagora-converter', compiled to CommonJS, reads default.
Object.defineProperty(tagora, '__esModule', { value: true });
Object.defineProperty(tagora, 'default', { value: tagora });
module.exports = Object.freeze(tagora);
`);
  writeFileSync(join(arg.package, 'index.browser.mjs'), browserModule());
  writeDeclarations();
  for (const file of ['index.mjs', 'README.md'])
    copyFileSync(join(arg.source, 'package', file), join(arg.package, file));
  copyFileSync(join(arg.source, 'package', 'bin.cjs'), join(arg.package, 'bin', 'tagora-converter.cjs'));
  copyFileSync(arg.copyright, join(arg.package, 'copyright'));
  const manifest = {
    name: arg.name,
    version: arg.version,
    description: arg.description,
    keywords: ['html', 'php', 'echo', 'asp', 'response.write', 'jsp', 'escape', 'converter', 'wasm'],
    license: 'SEE LICENSE IN copyright',
    main: './index.cjs',
    types: './index.d.ts',
    browser: './index.browser.mjs',
    bin: { [arg.name]: 'bin/tagora-converter.cjs' },
    exports: {
      '.': {
        browser: { types: './index.browser.d.mts', default: './index.browser.mjs' },
        import: { types: './index.d.mts', default: './index.mjs' },
        require: { types: './index.d.ts', default: './index.cjs' },
      },
      './package.json': './package.json',
    },
    files: ['index.cjs', 'index.mjs', 'index.browser.mjs', 'index.d.ts', 'index.d.mts', 'index.browser.d.mts',
            'bin/tagora-converter.cjs', 'README.md', 'copyright'],
    engines: { node: '>=18' },
  };
  writeFileSync(join(arg.package, 'package.json'), `${JSON.stringify(manifest, null, 2)}\n`);
}

const escapeHtml = (text) => text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
const hashOf = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;

function targetOptions(targets) {
  const options = targets.map((target) =>
    `<option value="${target.name}">HTML to ${escapeHtml(target.title.replace(/ Script$/, ''))}</option>`);
  return options.concat('<option value="html">Script to HTML</option>').join('');
}

function fill(template, values) {
  return template.replace(/@([A-Z_]+)@/g, (whole, name) => {
    if (!(name in values))
      throw new Error(`page template: no value for ${whole}`);
    return values[name];
  });
}

// The page's script, and the engine's as plain text (#engine-source) that
// the page starts as a worker from a blob: URL.
function writePage(tagora) {
  const engine = [glueOf(arg['web-engine']), api, `const tagoraWasm = '${wasmBase64(arg['web-engine'])}';`,
                  source('page/tagora_worker.js')].join('\n');
  const script = `${readFileSync(arg.editor, 'utf8')}\n${source('page/tagora_page.js')}`;
  for (const [name, text] of [['page', script], ['engine', engine]]) {
    if (/<\/script|<!--/i.test(text))
      throw new Error(`the ${name} script holds "</script" or "<!--", which would end its element early`);
  }
  const style = source('page/tagora.css');
  const csp = ["default-src 'none'", `script-src ${hashOf(script)} 'wasm-unsafe-eval'`, 'worker-src blob:',
               `style-src ${hashOf(style)}`, "img-src data:", "base-uri 'none'", "form-action 'none'"].join('; ');
  const page = fill(source('page/tagora.html'), {
    CSP: csp,
    DESCRIPTION: escapeHtml(arg.description),
    PRODUCT_TITLE: escapeHtml(tagora.productTitle),
    PRODUCT_NAME: escapeHtml(tagora.productName),
    VERSION: escapeHtml(tagora.version),
    CREDIT_LINE: escapeHtml(tagora.credits.line),
    DEVELOPER_CREDIT: escapeHtml(tagora.credits.developer),
    TARGET_OPTIONS: targetOptions(tagora.targets),
    STYLE: style,
    SCRIPT: script,
    ENGINE: engine,
  });
  writeFileSync(arg.page, page);
  return page;
}

const kilobytes = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

writePackage();
const tagora = createRequire(import.meta.url)(join(arg.package, 'index.cjs'));
const page = writePage(tagora);
const engine = Buffer.concat([readFileSync(arg['web-engine']), readFileSync(arg['web-engine'].replace(/\.js$/, '.wasm'))]);
console.log(`wasm and glue: ${kilobytes(engine.length)}, gzipped ${kilobytes(gzipSync(engine, { level: 9 }).length)}`);
console.log(`${arg.page}: ${kilobytes(page.length)}, gzipped ${kilobytes(gzipSync(page, { level: 9 }).length)}`);

// Puts the page and the Node package together from the two engine builds
// (web/CMakeLists.txt runs it), and prints their gzipped sizes:
//   - the Node package's folder: index.cjs (engine, compiled at once, and
//     tagora_api.js), index.mjs, index.d.ts, package.json, README, copyright;
//   - tagora.html: the page with its style, the engine and its script
//     inlined, under a Content-Security-Policy that allows no request.
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, writeFileSync, copyFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { parseArgs } from 'node:util';
import { gzipSync } from 'node:zlib';

const { values: arg } = parseArgs({
  options: Object.fromEntries(['source', 'web-engine', 'node-engine', 'copyright', 'targets', 'page', 'package',
                               'name', 'version', 'description'].map((name) => [name, { type: 'string' }])),
});
const source = (path) => readFileSync(join(arg.source, path), 'utf8');
const api = source('tagora_api.js');

// The package's types, TargetName naming every target of the build.
function typeDeclarations() {
  const names = JSON.parse(readFileSync(arg.targets, 'utf8')).map(({ name }) => `'${name}'`);
  const declarations = source('package/index.d.ts');
  if (!declarations.includes('= TARGET_NAMES;'))
    throw new Error('index.d.ts has no TargetName = TARGET_NAMES to fill in');
  return declarations.replace('= TARGET_NAMES;', `=\n  | ${names.join(' | ')};`);
}

function writePackage() {
  mkdirSync(arg.package, { recursive: true });
  const engine = readFileSync(arg['node-engine'], 'utf8');
  writeFileSync(join(arg.package, 'index.cjs'), `${engine}\n${api}
const engine = {};
createTagoraEngine(engine);
module.exports = tagoraApi(engine);
`);
  for (const file of ['index.mjs', 'README.md'])
    copyFileSync(join(arg.source, 'package', file), join(arg.package, file));
  writeFileSync(join(arg.package, 'index.d.ts'), typeDeclarations());
  copyFileSync(arg.copyright, join(arg.package, 'copyright'));
  const manifest = {
    name: arg.name,
    version: arg.version,
    description: arg.description,
    keywords: ['html', 'php', 'echo', 'asp', 'response.write', 'jsp', 'escape', 'converter', 'wasm'],
    license: 'SEE LICENSE IN copyright',
    main: './index.cjs',
    types: './index.d.ts',
    exports: {
      '.': { types: './index.d.ts', import: './index.mjs', require: './index.cjs' },
      './package.json': './package.json',
    },
    files: ['index.cjs', 'index.mjs', 'index.d.ts', 'README.md', 'copyright'],
    engines: { node: '>=16' },
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

function writePage(tagora) {
  const script = [readFileSync(arg['web-engine'], 'utf8'), api, source('page/tagora_page.js')].join('\n');
  if (/<\/script|<!--/i.test(script))
    throw new Error('the page script holds "</script" or "<!--", which would end its element early');
  const style = source('page/tagora.css');
  const csp = ["default-src 'none'", `script-src ${hashOf(script)} 'wasm-unsafe-eval'`,
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
  });
  writeFileSync(arg.page, page);
  return page;
}

const kilobytes = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

writePackage();
const tagora = createRequire(import.meta.url)(join(arg.package, 'index.cjs'));
const page = writePage(tagora);
const engine = readFileSync(arg['web-engine']);
console.log(`wasm and glue: ${kilobytes(engine.length)}, gzipped ${kilobytes(gzipSync(engine, { level: 9 }).length)}`);
console.log(`${arg.page}: ${kilobytes(page.length)}, gzipped ${kilobytes(gzipSync(page, { level: 9 }).length)}`);

// Bundles the page's editor (editor.mjs, CodeMirror) into one minified
// script that declares the global TagoraEditor:
//   node bundle.mjs OUTFILE
// CodeMirror's styles go into a constructed style sheet (adopted by the
// document), which the page's Content-Security-Policy allows, instead of a
// <style> element, which it would block: style-mod takes that path for
// shadow roots only, so it is opened to documents here. The licence of
// every package bundled goes at the top of the script.
import { readFile, writeFile } from 'node:fs/promises';
import { join } from 'node:path';
import { build } from 'esbuild';

const styleSetForDocuments = {
  name: 'style-sheets-adopted-by-documents',
  setup(bundler) {
    bundler.onLoad({ filter: /[\\/]style-mod[\\/]src[\\/]style-mod\.js$/ }, async ({ path }) => {
      const source = await readFile(path, 'utf8');
      const shadowRootsOnly = 'if (!root.head && root.adoptedStyleSheets && win.CSSStyleSheet) {';
      if (!source.includes(shadowRootsOnly))
        throw new Error(`${path}: the choice of a constructed style sheet was not found`);
      return { contents: source.replace(shadowRootsOnly, 'if (root.adoptedStyleSheets && win.CSSStyleSheet) {'), loader: 'js' };
    });
  },
};

const { metafile } = await build({
  entryPoints: [new URL('editor.mjs', import.meta.url).pathname],
  outfile: process.argv[2],
  bundle: true,
  minify: true,
  format: 'iife',
  globalName: 'TagoraEditor',
  target: ['chrome100', 'firefox100', 'safari15'],
  charset: 'utf8',
  logLevel: 'warning',
  metafile: true,
  plugins: [styleSetForDocuments],
});

// The folders of the packages bundled (node_modules/NAME or
// node_modules/@SCOPE/NAME), each with its licence.
const packages = new Set(Object.keys(metafile.inputs)
  .map((input) => /^(.*node_modules\/(?:@[^/]+\/)?[^/]+)\//.exec(input))
  .filter(Boolean).map(([, folder]) => folder));
const licences = [];
for (const folder of [...packages].sort()) {
  const { name, version } = JSON.parse(await readFile(join(folder, 'package.json'), 'utf8'));
  const licence = await readFile(join(folder, 'LICENSE'), 'utf8');
  licences.push(`${name} ${version}\n\n${licence.trim()}`);
}
const bundled = await readFile(process.argv[2], 'utf8');
if (licences.some((text) => text.includes('*/')))
  throw new Error('a licence holds "*/", which would end its comment');
await writeFile(process.argv[2], `/*\n${licences.join('\n\n')}\n*/\n${bundled}`);

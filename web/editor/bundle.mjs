// Bundles the page's editor (editor.mjs, CodeMirror) into one minified
// script that declares the global TagoraEditor:
//   node bundle.mjs OUTFILE
// CodeMirror's styles go into a constructed style sheet (adopted by the
// document), which the page's Content-Security-Policy allows, instead of a
// <style> element, which it would block: style-mod takes that path for
// shadow roots only, so it is opened to documents here.
import { readFile } from 'node:fs/promises';
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

await build({
  entryPoints: [new URL('editor.mjs', import.meta.url).pathname],
  outfile: process.argv[2],
  bundle: true,
  minify: true,
  format: 'iife',
  globalName: 'TagoraEditor',
  target: ['chrome100', 'firefox100', 'safari15'],
  charset: 'utf8',
  logLevel: 'warning',
  plugins: [styleSetForDocuments],
});

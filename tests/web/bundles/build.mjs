// Bundles app.mjs for the browser with esbuild, webpack and Vite, each
// into a folder of its own with index.html:
//   node build.mjs TOOLS_NODE_MODULES
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const tools = createRequire(join(resolve(process.argv[2]), 'noop.js'));
const page = readFileSync('index.html', 'utf8');
const withScript = (script, module) =>
  page.replace('<script type="module" src="./app.mjs"></script>', `<script${module ? ' type="module"' : ''} src="./${script}"></script>`);

async function esbuild() {
  await tools('esbuild').build({ entryPoints: ['app.mjs'], bundle: true, platform: 'browser', format: 'esm',
                                 outfile: 'esbuild/app.js', logLevel: 'warning' });
  writeFileSync('esbuild/index.html', withScript('app.js', true));
}

function webpack() {
  // The engine's size is known: the size hints are left out; any other
  // warning fails.
  const compiler = tools('webpack')({ mode: 'production', target: 'web', entry: resolve('app.mjs'), performance: { hints: false },
                                      output: { path: resolve('webpack'), filename: 'app.js' } });
  return new Promise((done, fail) => compiler.run((error, stats) => {
    if (error || stats.hasErrors() || stats.hasWarnings())
      fail(error || new Error(stats.toString({ all: false, errors: true, warnings: true })));
    else
      done(writeFileSync('webpack/index.html', withScript('app.js', false)));
  }));
}

async function vite() {
  const { build } = await import(pathToFileURL(join(resolve(process.argv[2]), 'vite/dist/node/index.js')).href);
  mkdirSync('vite-source', { recursive: true });
  copyFileSync('app.mjs', 'vite-source/app.mjs');
  copyFileSync('index.html', 'vite-source/index.html');
  await build({ root: resolve('vite-source'), base: './', logLevel: 'warn', configFile: false,
                build: { outDir: resolve('vite'), emptyOutDir: true, chunkSizeWarningLimit: 2048 } });
}

await esbuild();
await webpack();
await vite();
console.log('bundled by esbuild, webpack and Vite');

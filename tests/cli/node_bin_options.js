// The Node package's command (web/package/bin.cjs) spells each option it
// takes as tagora-convert does: the same long name, short name and value
// or none, against tagora-convert's table of options (written as JSON at
// build time). Every option is named where it differs.
//   node node_bin_options.js BIN_CJS OPTIONS_JSON
'use strict';
const fs = require('node:fs');

const [binFile, tableFile] = process.argv.slice(2);
const source = fs.readFileSync(binFile, 'utf8');
const start = source.indexOf('const optionTable = {');
const end = source.indexOf('};', start);
if (start < 0 || end < 0) {
  console.error(`FAIL: ${binFile} holds no 'const optionTable = {...};'`);
  process.exit(1);
}
const binOptions = new Function(`return ${source.slice(source.indexOf('{', start), end + 1)}`)();
const convertOptions = new Map(JSON.parse(fs.readFileSync(tableFile, 'utf8')).map((option) => [option.long, option]));

const failures = [];
for (const [name, option] of Object.entries(binOptions)) {
  const twin = convertOptions.get(name);
  if (!twin) {
    failures.push(`--${name}: tagora-convert has no such option`);
    continue;
  }
  if ((option.short ?? null) !== twin.short)
    failures.push(`--${name}: short name ${option.short ?? 'none'} in the package, ${twin.short ?? 'none'} in tagora-convert`);
  if ((option.type === 'string') !== twin.takesValue)
    failures.push(`--${name}: ${option.type === 'string' ? 'takes' : 'takes no'} value in the package, unlike tagora-convert`);
}
for (const failure of failures)
  console.error(`FAIL: ${failure}`);
if (failures.length > 0)
  process.exit(1);
const left = [...convertOptions.keys()].filter((name) => !(name in binOptions));
console.log(`${Object.keys(binOptions).length} options as tagora-convert spells them; tagora-convert only: ${left.join(', ')}`);

// The package as require() gives it, and its TypeScript declarations.
const test = require('node:test');
const assert = require('node:assert');
const { readFileSync } = require('node:fs');
const { execFileSync } = require('node:child_process');

const tagora = require('tagora-converter');

test('require() gives every function the declarations name, and no other', () => {
  const declarations = readFileSync(require.resolve('tagora-converter/package.json').replace(/package\.json$/, 'index.d.ts'), 'utf8');
  const declared = [...declarations.matchAll(/^export (?:function|const|class) (\w+)/gm)].map((m) => m[1]).sort();
  assert.deepStrictEqual(Object.keys(tagora).sort(), declared);
});

test('the TargetName type names every target the engine has, in its order', () => {
  const declarations = readFileSync(require.resolve('tagora-converter/package.json').replace(/package\.json$/, 'index.d.ts'), 'utf8');
  const union = /^export type TargetName =([^;]*);/m.exec(declarations)[1];
  assert.deepStrictEqual([...union.matchAll(/'([^']+)'/g)].map((m) => m[1]), tagora.targets.map((t) => t.name));
});

test('a script that cannot be read is an exception at the place tagora-convert names', () => {
  const script = '<?php\r\necho "a";\r\necho "caf\u00E9 \u{1F600}\r\n';
  let cliError = '';
  try {
    execFileSync(process.env.TAGORA_CONVERT, ['--to=html'], { input: script, stdio: ['pipe', 'pipe', 'pipe'] });
  } catch (error) {
    cliError = error.stderr.toString();
  }
  const [, line, column, message] = /:(\d+):(\d+): (.*)\n/.exec(cliError);
  assert.throws(() => tagora.toHtml(script), (error) => {
    assert.ok(error instanceof tagora.TagoraError);
    assert.deepStrictEqual([error.line, error.column, error.error, error.code],
                           [Number(line), Number(column), message, 'UNREADABLE_SCRIPT']);
    return true;
  });
});

test('a literal that cannot be read is an exception at the place tagora-convert --unescape names', () => {
  const text = '"caf\u00E9 \u{1F600}" . "never closed';
  let cliError = '';
  try {
    execFileSync(process.env.TAGORA_CONVERT, ['--unescape', '--from=php'], { input: text, stdio: ['pipe', 'pipe', 'pipe'] });
  } catch (error) {
    cliError = error.stderr.toString();
  }
  const [, line, column, message] = /:(\d+):(\d+): (.*)\n/.exec(cliError);
  assert.throws(() => tagora.fromLiteral(text, { from: 'php' }), (error) => {
    assert.ok(error instanceof tagora.TagoraError);
    assert.deepStrictEqual([error.line, error.column, error.error, error.code],
                           [Number(line), Number(column), message, 'UNREADABLE_LITERAL']);
    return true;
  });
});

test('an empty text fails as tagora-convert does', () => {
  const run = (args) => {
    try {
      execFileSync(process.env.TAGORA_CONVERT, args, { input: '', stdio: ['pipe', 'pipe', 'pipe'] });
      return 0;
    } catch (error) {
      return error.status;
    }
  };
  assert.strictEqual(run(['--to=php']), 1);
  assert.throws(() => tagora.convert('', { to: 'php' }), { code: 'EMPTY_INPUT' });
  assert.strictEqual(run(['--to=html']), 1);
  assert.throws(() => tagora.toHtml(''), { code: 'EMPTY_SCRIPT' });
});

// Type-checked with tsc --strict under each moduleResolution, then run:
// what the declarations allow works, what they refuse fails at run time.
import tagora, { convert, toHtml, TagoraError, targets, ready } from 'tagora-converter';
import type { TagoraErrorCode, TargetName } from 'tagora-converter';
import type { Transform } from 'node:stream';

function failsWith(code: TagoraErrorCode, call: () => unknown): void {
  try {
    call();
  } catch (error) {
    if (error instanceof TagoraError && error.code === code)
      return;
    throw error;
  }
  throw new Error(`no ${code}`);
}

async function main(): Promise<void> {
  await ready;
  const script: string = convert('<p>$5</p>', { to: 'php', noHeader: true });
  if (toHtml(script) !== '<p>$5</p>')
    throw new Error(`read back: ${toHtml(script)}`);
  const bytes = new Uint8Array([0x3C, 0x62, 0x3E]);
  if (!tagora.convert(bytes, { to: 'js', name: 'page' }).includes('const page = `<b>`;'))
    throw new Error('the default export');
  const names: TargetName[] = targets.map((target) => target.name);
  // @ts-expect-error: no such target
  failsWith('BAD_OPTION', () => convert('x', { to: 'cobol' }));
  // @ts-expect-error: no such option
  failsWith('BAD_OPTION', () => convert('x', { bogus: true }));
  // @ts-expect-error: not a text
  failsWith('BAD_INPUT', () => toHtml(42));
  failsWith('LONE_SURROGATE', () => convert('\uD800', { to: 'perl' }));
  const stream: Transform = tagora.convertStream({ to: 'asp' });
  const pieces: Buffer[] = [];
  stream.on('data', (piece: Buffer) => pieces.push(piece));
  stream.on('end', () => {
    if (!Buffer.concat(pieces).toString().includes('Response.Write("<i>")'))
      throw new Error('the stream');
    console.log(`typed and run: ${names.length} targets`);
  });
  stream.end('<i>');
}

main().catch((error: unknown) => {
  console.error(error);
  process.exitCode = 1;
});

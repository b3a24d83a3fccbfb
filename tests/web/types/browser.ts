// The browser build's declarations (the browser condition): the same
// functions once ready, and no Node stream.
import tagora, { convert, convertTransform, ready } from 'tagora-converter';

export async function scriptOf(html: string): Promise<string> {
  await ready;
  // @ts-expect-error: no Node stream in a browser
  tagora.convertStream();
  const transform: TransformStream<string | Uint8Array, Uint8Array> = convertTransform({ to: 'json' });
  void transform;
  return convert(html, { to: 'php' });
}

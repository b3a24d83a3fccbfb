// A large text made into an editor's document in pieces, the page's
// thread free between two.
import { Text } from '@codemirror/state';

// Characters (or bytes of a Blob) made into the document at once.
export const PIECE = 1 << 18;

const nextTask = () => (globalThis.scheduler?.yield ? globalThis.scheduler.yield()
  : new Promise((resolve) => setTimeout(resolve, 0)));

// The pieces of a text, or of a Blob's UTF-8 text, read as they are needed:
// a Blob is never made into one string on the page's thread.
async function* piecesOf(source, size) {
  if (typeof source === 'string') {
    for (let start = 0; start < source.length; start += size)
      yield source.slice(start, start + size);
    return;
  }
  const decoder = new TextDecoder('utf-8', { fatal: true, ignoreBOM: true });
  for (let start = 0; start < source.size; start += size)
    yield decoder.decode(await source.slice(start, start + size).arrayBuffer(), { stream: true });
  yield decoder.decode();
}

// The text (a string or a Blob) as the editor's document, its line breaks
// as the editor reads them (CR LF, CR or LF), made one piece of size at a
// time, with a pause after each.
export async function documentInPieces(source, { size = PIECE, pause = nextTask } = {}) {
  let doc = Text.empty;
  let carried = '';  // a CR at the end of a piece, which may start a CR LF
  for await (let piece of piecesOf(source, size)) {
    piece = carried + piece;
    carried = piece.endsWith('\r') ? '\r' : '';
    doc = doc.append(Text.of((carried ? piece.slice(0, -1) : piece).split(/\r\n?|\n/)));
    await pause();
  }
  return carried ? doc.append(Text.of(['', ''])) : doc;
}

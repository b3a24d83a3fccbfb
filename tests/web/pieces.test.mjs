// A large text made into the editor's document in pieces
// (web/editor/pieces.mjs): the same lines as the whole text split at every
// CR LF, CR and LF, whichever piece a line break or a character falls in.
import test from 'node:test';
import assert from 'node:assert/strict';
import { documentInPieces as inPieces } from '../../web/editor/pieces.mjs';

const documentInPieces = (source, size) => inPieces(source, { size, pause: () => Promise.resolve() });

// The judge: the text's lines, each line break one LF.
const linesOf = (text) => text.replace(/\r\n?/g, '\n').split('\n');

test('Pieces of a string or of a Blob make the text, every line break where it was', async () => {
  const parts = ['a', 'é', '😀', '\r', '\n', '\r\n', ' ', 'xyz'];
  let seed = 7;
  const random = (n) => { seed = (seed * 1103515245 + 12345) % 2147483648; return Math.floor(seed / 65536) % n; };
  for (let i = 0; i < 60; ++i) {
    let text = '';
    for (let length = random(30); length > 0; --length)
      text += parts[random(parts.length)];
    for (const size of [1, 2, 3, 7]) {
      for (const source of [text, new Blob([text])]) {
        const doc = await documentInPieces(source, size);
        assert.deepEqual(doc.toJSON(), linesOf(text), `${JSON.stringify(text)} in pieces of ${size} (${typeof source})`);
      }
    }
  }
});

test('A piece that ends in a CR followed by one starting with LF', async () => {
  assert.deepEqual((await documentInPieces('ab\r\ncd', 3)).toJSON(), ['ab', 'cd']);
  assert.deepEqual((await documentInPieces('ab\r', 3)).toJSON(), ['ab', '']);
  assert.deepEqual((await documentInPieces('\uFEFFa', 1)).toJSON(), ['\uFEFFa']);
  assert.deepEqual((await documentInPieces(new Blob(['\uFEFFa\r']), 2)).toJSON(), ['\uFEFFa', '']);
});

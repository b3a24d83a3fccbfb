// A page's program that uses the package as a bundler gives it: the
// script of the page's text once the engine is ready, or the failure.
import tagora, { convert, ready, TagoraError } from 'tagora-converter';

ready.then(() => {
  const html = document.getElementById('html').textContent;
  window.result = { script: convert(html, { to: 'php' }), sameDefault: tagora.convert === convert };
  try {
    convert(html, { to: 'php', bogus: true });
  } catch (error) {
    window.result.refused = error instanceof TagoraError ? error.code : String(error);
  }
}, (error) => {
  window.result = { error: String(error) };
});

// The package as an ES module: the same functions as require() gives.
import tagora from './index.cjs';

export const {
  convert, toHtml, readScript, readScriptFile, literal, fromLiteral, inputText, characterCodes, chooseEncoding, decode, targets,
  convertStream, toHtmlStream, convertTransform, toHtmlTransform, ready,
  TagoraError, productName, version, productTitle, credits,
} = tagora;
export default tagora;

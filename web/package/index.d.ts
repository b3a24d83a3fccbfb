// Types of the tagora-converter package.
// node-only
import type { Transform } from 'node:stream';
// end of node-only

/** A target's name, as `tagora-convert --to` names it. */
// assemble.mjs puts every target's name here, from the build's list of targets.
export type TargetName = TARGET_NAMES;

export interface TargetInfo {
  readonly name: TargetName;
  /** What the script is called: "PHP Script". */
  readonly title: string;
  /** Of a saved script, with its dot: ".php". */
  readonly extension: string;
  /** What a line break of the text prints as: "\n", or "\r\n" for ASP and php-nowdoc. */
  readonly printedLineBreak: string;
  /** Version 1.0's escaping exists for it (PHP and ASP). */
  readonly hasClassicEscaping: boolean;
}

export interface ReadOptions {
  /** The script's language; recognised when left out. */
  from?: TargetName;
  /** Make every line break CR LF first, as the desktop window's box holds them. */
  inputText?: boolean;
}

export interface ReadScript {
  /** What the script prints, or for any other PHP or ASP file, a template printing the same. */
  html: string;
  /** The language read; 'php' or 'asp' for a template. */
  target: TargetName | null;
  /** One of this program's scripts, read back exactly. */
  exact: boolean;
}

export interface ReadScriptFile extends ReadScript {
  /** The encoding the file was read in, as decode() chose it. */
  encoding: string;
  /** What was assumed, in words; empty when nothing was. */
  notice: string;
  /**
   * A PHP or ASP page in a legacy encoding: the template made from its own bytes, in that encoding
   * (html is their text), as tagora-convert writes it. null when html is to be written as UTF-8.
   */
  bytes: Uint8Array | null;
}

export type EncodingSource = 'byte-order-mark' | 'unmarked-utf16' | 'utf8' | 'declared' | 'guessed';

export interface EncodingChoice {
  /** As browsers name it: "UTF-8", "windows-1252", "Shift_JIS"... */
  encoding: string;
  source: EncodingSource;
  /** Bytes of a byte-order mark, not part of the text. */
  markSize: number;
  /** A `<meta>` charset that could not be followed, for a guessed Windows-1252. */
  ignoredLabel: string;
}

export interface DecodedFile {
  text: string;
  encoding: string;
  source: EncodingSource;
  ignoredLabel: string;
  /** Some bytes could not be read and became U+FFFD. */
  replaced: boolean;
  /** What was assumed, in words; empty when nothing was. */
  notice: string;
}

/** What went wrong, for each failure. */
export type TagoraErrorCode =
  | 'EMPTY_INPUT' | 'EMPTY_SCRIPT' | 'NO_HEREDOC_LABEL' | 'UNREADABLE_SCRIPT' | 'UNREADABLE_LITERAL' | 'NO_MEMORY'
  | 'BAD_OPTION' | 'BAD_INPUT' | 'LONE_SURROGATE' | 'INVALID_UTF8' | 'OUTPUT_TOO_LONG' | 'NOT_READY';

/**
 * Every failure: the functions throw nothing else, and the streams fail with nothing else. Where the
 * input is at fault, its place: line and column (from 1, the column in characters) for a text,
 * offset (from 0) for a byte of UTF-8, unit (from 0) for a UTF-16 unit of a stream's string chunks.
 */
export class TagoraError extends Error {
  readonly code: TagoraErrorCode;
  /** The message without its place. */
  readonly error: string;
  readonly line?: number;
  readonly column?: number;
  readonly offset?: number;
  readonly unit?: number;
}

export interface ScriptOptions {
  /** The script's language; 'php' when left out. */
  to?: TargetName;
  /** Version 1.0's escaping: PHP leaves `$` alone, ASP turns `"` into `'`. PHP and ASP only. */
  classic?: boolean;
  /** js and js-concat: the constant that holds the text ('html' when left out), as `--name`. */
  name?: string;
  /** Leave out the comment lines naming this program, as `--no-header`. */
  noHeader?: boolean;
}

export interface ConvertOptions extends ScriptOptions {
  /**
   * For bytes: 'utf-8' when left out (a byte-order mark skipped, invalid UTF-8 refused), 'auto' to
   * tell it as the desktop window does, or an encoding as browsers name it (`--encoding`).
   */
  encoding?: string;
}

/**
 * The script that prints the HTML exactly; every line break of it is read as CR LF. A string's
 * leading U+FEFF is a character of the text; bytes are read as `tagora-convert` reads them. Throws
 * EMPTY_INPUT for an empty HTML, LONE_SURROGATE (with line and column) for half a character that
 * the target cannot print (only js, js-concat and json hold one), OUTPUT_TOO_LONG for a script over
 * JavaScript's longest string (convertStream or convertTransform take it in pieces).
 */
export function convert(html: string | Uint8Array | ArrayBuffer, options?: ConvertOptions): string;
/** The HTML a script prints (or a template); throws a TagoraError with line and column. */
export function toHtml(script: string, options?: ReadOptions): string;
export function readScript(script: string, options?: ReadOptions): ReadScript;
/** A script file's bytes read as `tagora-convert --to=html --encoding=auto` reads them. */
export function readScriptFile(bytes: Uint8Array | ArrayBuffer, options?: { from?: TargetName; name?: string }): ReadScriptFile;
/**
 * The text as one string literal of a target ('php' when left out), the same bytes as
 * `tagora-convert --to=T --literal`: every line break kept as it is.
 */
export function literal(text: string, options?: { to?: TargetName }): string;
/** The text of one string literal, as `tagora-convert --unescape` reads it; throws a TagoraError with line and column. */
export function fromLiteral(literal: string, options?: { from?: TargetName }): string;
/** The text with every line break CR LF and U+FDD0, U+FDD1 made U+FFFD. */
export function inputText(text: string): string;
/** " 60 112 62": the Windows-1252 code of every UTF-16 unit of the text, 63 where it has none. */
export function characterCodes(text: string): string;
/** The encoding a browser reads the file's bytes in (byte-order mark, UTF-16, UTF-8, `<meta>`, Windows-1252). */
export function chooseEncoding(bytes: Uint8Array | ArrayBuffer): EncodingChoice;
/** The file's bytes read in that encoding, and what was assumed. */
export function decode(bytes: Uint8Array | ArrayBuffer, options?: { name?: string }): DecodedFile;
/**
 * A web TransformStream from the HTML's chunks (UTF-8 bytes, or strings) to the script's, in UTF-8,
 * the same bytes as `tagora-convert`, in constant memory (php-nowdoc holds its first 8 MB).
 */
export function convertTransform(options?: ScriptOptions): TransformStream<string | Uint8Array, Uint8Array>;
/** A web TransformStream from a script's chunks to the HTML it prints, in UTF-8 (the script is read whole). */
export function toHtmlTransform(options?: { from?: TargetName }): TransformStream<string | Uint8Array, Uint8Array>;
// node-only
/** A Node Transform stream, as convertTransform: Buffer or string chunks in, Buffer chunks out. */
export function convertStream(options?: ScriptOptions): Transform;
/** A Node Transform stream, as toHtmlTransform. */
export function toHtmlStream(options?: { from?: TargetName }): Transform;
// end of node-only

/** Resolves once the engine has started; in Node it has from the start. */
export const ready: Promise<void>;
export const targets: readonly TargetInfo[];
export const productName: string;
export const version: string;
export const productTitle: string;
export const credits: { readonly developer: string; readonly line: string };

declare const tagora: {
  convert: typeof convert; toHtml: typeof toHtml; readScript: typeof readScript; readScriptFile: typeof readScriptFile;
  literal: typeof literal; fromLiteral: typeof fromLiteral;
  inputText: typeof inputText; characterCodes: typeof characterCodes;
  chooseEncoding: typeof chooseEncoding; decode: typeof decode; targets: typeof targets;
  convertTransform: typeof convertTransform; toHtmlTransform: typeof toHtmlTransform;
// node-only
  convertStream: typeof convertStream; toHtmlStream: typeof toHtmlStream;
// end of node-only
  ready: typeof ready; TagoraError: typeof TagoraError; productName: string; version: string; productTitle: string;
  credits: typeof credits;
};
export default tagora;

// Types of the tagora-converter package.

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

export interface ConvertOptions {
  /** The script's language; 'php' when left out. */
  to?: TargetName;
  /** Version 1.0's escaping: PHP leaves `$` alone, ASP turns `"` into `'`. PHP and ASP only. */
  classic?: boolean;
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

/** Every failure. For a script that cannot be read back, line and column (from 1) say where. */
export class TagoraError extends Error {
  readonly code: 'EMPTY_INPUT' | 'EMPTY_SCRIPT' | 'NO_HEREDOC_LABEL' | 'UNREADABLE_SCRIPT' | 'UNREADABLE_LITERAL'
    | 'NO_MEMORY';
  /** The message without its place. */
  readonly error: string;
  readonly line?: number;
  readonly column?: number;
}

/**
 * The script that prints the HTML exactly; every line break of it is read as CR LF. A leading
 * U+FEFF is a character of the text (decode() leaves a file's byte-order mark out).
 */
export function convert(html: string, options?: ConvertOptions): string;
/** The HTML a script prints (or a template); throws a TagoraError with line and column. */
export function toHtml(script: string, options?: ReadOptions): string;
export function readScript(script: string, options?: ReadOptions): ReadScript;
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

export const targets: readonly TargetInfo[];
export const productName: string;
export const version: string;
export const productTitle: string;
export const credits: { readonly developer: string; readonly line: string };

declare const tagora: {
  convert: typeof convert; toHtml: typeof toHtml; readScript: typeof readScript;
  literal: typeof literal; fromLiteral: typeof fromLiteral;
  inputText: typeof inputText; characterCodes: typeof characterCodes;
  chooseEncoding: typeof chooseEncoding; decode: typeof decode; targets: typeof targets;
  TagoraError: typeof TagoraError; productName: string; version: string; productTitle: string;
  credits: typeof credits;
};
export default tagora;

// Every byte 0x80-0xFF of every single-byte encoding browsers define, as
// tagora-convert --encoding reads it, against the WHATWG Encoding
// Standard's own index tables (a JavaScript decoder made from them,
// installed by tests/cli/whatwg/package.json). The bytes go in one input,
// each after an "a" and before a LF; --to=json gives back the text.
// With the window's reader (tagora-window-decode, the page declaring the
// encoding in a <meta>), what it reads otherwise must be exactly what
// kWindowDifferences lists (and the README).
//   node single_byte_encodings.js TAGORA_CONVERT [TAGORA_WINDOW_DECODE]
// Exits 77 (skipped) when the decoder is not installed.
"use strict";
const { execFileSync } = require("child_process");

const whatwg = require("./whatwg_decoder.js");

const encodings = ["IBM866", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4", "ISO-8859-5", "ISO-8859-6", "ISO-8859-7",
    "ISO-8859-8", "ISO-8859-8-I", "ISO-8859-10", "ISO-8859-13", "ISO-8859-14", "ISO-8859-15", "ISO-8859-16",
    "KOI8-R", "KOI8-U", "macintosh", "windows-874", "windows-1250", "windows-1251", "windows-1252",
    "windows-1253", "windows-1254", "windows-1255", "windows-1256", "windows-1257", "windows-1258",
    "x-mac-cyrillic"];
const [program, windowDecode] = process.argv.slice(2);
// "encoding byte: what the window reads": none.
const kWindowDifferences = [];
const codes = (text) => [...text].map((c) => "U+" + c.codePointAt(0).toString(16).toUpperCase()).join(" ");
let failed = 0;
const windowDifferences = [];
for (const encoding of encodings) {
    const bytes = [];
    for (let byte = 0x80; byte <= 0xff; ++byte)
        bytes.push(0x61, byte, 0x0a);
    const input = Buffer.from(bytes);
    // The standard decodes ISO-8859-8-I with the index of ISO-8859-8, which
    // the JavaScript decoder does not know by that name.
    const standardName = encoding === "ISO-8859-8-I" ? "ISO-8859-8" : encoding;
    const expected = new whatwg.TextDecoder(standardName, { NONSTANDARD_allowLegacyEncoding: true }).decode(input);
    let output;
    try {
        output = execFileSync(program, ["--to=json", "--encoding=" + encoding], { input, stdio: ["pipe", "pipe", "ignore"] });
    } catch (error) {
        output = error.stdout;  // a note on undecodable bytes is no failure
    }
    const read = JSON.parse(output.toString("utf8")).split("\n");
    const wanted = expected.split("\n");
    if (windowDecode) {
        const page = Buffer.concat([Buffer.from(`<meta charset=${encoding}>\n`), input]);
        const [name, , ...lines] = execFileSync(windowDecode, { input: page }).toString("utf8").split("\n");
        const bytes = [];
        for (let i = 0; i < 128; ++i) {
            if (lines[i] !== wanted[i])
                bytes.push(`${(0x80 + i).toString(16)} ${codes((lines[i] || "").slice(1))}`);
        }
        if (name.toLowerCase() !== encoding.toLowerCase())
            windowDifferences.push(`${encoding}: read as ${name}`);
        else if (bytes.length)
            windowDifferences.push(`${encoding}: ${bytes.join(", ")}`);
    }
    for (let i = 0; i < 128; ++i) {
        if (read[i] !== wanted[i]) {
            ++failed;
            console.log(`${encoding} byte ${(0x80 + i).toString(16)}: ${codes(read[i] || "")} where the standard has ${codes(wanted[i])}`);
        }
    }
}
if (windowDecode && windowDifferences.join("\n") !== kWindowDifferences.join("\n")) {
    ++failed;
    console.log("The window reads otherwise than the standard:\n  " + windowDifferences.join("\n  ")
                + "\nwhere the known differences are:\n  " + kWindowDifferences.join("\n  "));
}
console.log(failed ? `FAIL: ${failed} bytes read otherwise than the standard says` : `PASS: ${encodings.length} encodings`);
process.exit(failed ? 1 : 0);

// Every two-byte sequence that the WHATWG Encoding Standard reads as one
// character, in each multi-byte encoding browsers define (and, for
// gb18030, the four-byte sequences of a few leads), as tagora-convert
// --encoding reads it and as the window does (tagora-window-decode, the
// page declaring the encoding in a <meta>), against the standard's own
// index tables (tests/cli/whatwg). Each sequence goes in one input after an
// "a" and before a LF. What either reads otherwise must be exactly what
// decoder_differences.txt lists, as the README's table sums it up.
//   node multi_byte_encodings.js TAGORA_CONVERT TAGORA_WINDOW_DECODE [--write]
// --write writes the list found. Exits 77 (skipped) when the decoder is not
// installed.
"use strict";
const { execFileSync } = require("child_process");
const fs = require("fs");
const path = require("path");

const whatwg = require("./whatwg_decoder.js");
const [program, windowDecode, write] = process.argv.slice(2);
const listFile = path.join(__dirname, "decoder_differences.txt");

// The sequences of an encoding that the standard reads as one character.
function sequences(encoding) {
    const found = [];
    const add = (bytes) => {
        const text = new whatwg.TextDecoder(encoding, { fatal: true, NONSTANDARD_allowLegacyEncoding: true });
        try {
            const read = text.decode(Uint8Array.from(bytes));
            // One character, not one the input text's rules change.
            if ([...read].length === 1 && !["\u2029", "\ufdd0", "\ufdd1"].includes(read))
                found.push({ bytes, read });
        } catch (e) { /* not a character in the standard */ }
    };
    const [first, last] = encoding === "ISO-2022-JP" ? [0x21, 0x7e] : [0x81, 0xfe];
    for (let lead = first; lead <= last; ++lead) {
        for (let trail = encoding === "ISO-2022-JP" ? 0x21 : 0x40; trail <= last; ++trail)
            add(encoding === "ISO-2022-JP" ? [0x1b, 0x24, 0x42, lead, trail, 0x1b, 0x28, 0x42] : [lead, trail]);
    }
    if (encoding === "gb18030") {
        for (const lead of [0x81, 0x82, 0x84, 0x90, 0xe3])
            for (let b = 0x30; b <= 0x39; ++b) for (let c = 0x81; c <= 0xfe; ++c) for (let d = 0x30; d <= 0x39; ++d)
                add([lead, b, c, d]);
    }
    return found;
}

const codes = (text) => [...text].map((c) => "U+" + c.codePointAt(0).toString(16).toUpperCase().padStart(4, "0")).join(" ");
const hex = (bytes) => Buffer.from(bytes).toString("hex").toUpperCase();
const differences = [];
for (const encoding of ["Big5", "EUC-JP", "ISO-2022-JP", "Shift_JIS", "EUC-KR", "GBK", "gb18030"]) {
    const found = sequences(encoding);
    const input = Buffer.from(found.flatMap(({ bytes }) => [0x61, ...bytes, 0x0a]));
    let output;
    try {
        output = execFileSync(program, ["--to=json", "--encoding=" + encoding], { input, stdio: ["pipe", "pipe", "ignore"], maxBuffer: 1 << 26 });
    } catch (error) {
        output = error.stdout;  // a note on undecodable bytes is no failure
    }
    const cli = JSON.parse(output.toString("utf8")).split("\n");
    // A byte that is not UTF-8, so that the window follows the <meta>.
    const page = Buffer.concat([Buffer.from(`<meta charset=${encoding}>\n<!-- \xff -->\n`, "latin1"), input]);
    const [, , , ...window] = execFileSync(windowDecode, { input: page, maxBuffer: 1 << 26 }).toString("utf8").split("\n");
    found.forEach(({ bytes, read }, i) => {
        const [byCli, byWindow] = [cli[i], window[i]].map((line) => (line === "a" + read ? "" : codes((line || "").slice(1))));
        if (byCli || byWindow)
            differences.push(`${encoding} ${hex(bytes)} ${codes(read)}: tagora-convert ${byCli || "same"}, window ${byWindow || "same"}`);
    });
}
if (write) {
    fs.writeFileSync(listFile, differences.join("\n") + "\n");
    console.log(`${differences.length} differences written to ${listFile}`);
    process.exit(0);
}
const listed = fs.readFileSync(listFile, "utf8").trimEnd().split("\n");
const [unlisted, gone] = [differences.filter((d) => !listed.includes(d)), listed.filter((d) => !differences.includes(d))];
for (const line of unlisted.slice(0, 20)) console.log("not listed: " + line);
for (const line of gone.slice(0, 20)) console.log("listed, not found: " + line);
console.log(unlisted.length + gone.length ? `FAIL: ${unlisted.length} not listed, ${gone.length} listed but not found`
                                          : `PASS: ${differences.length} listed differences, no other`);
process.exit(unlisted.length + gone.length ? 1 : 0);

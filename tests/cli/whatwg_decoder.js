// The WHATWG Encoding Standard's own index tables as a JavaScript decoder
// (tests/cli/whatwg: npm install there, as scripts/install-deps.sh test
// does). Exits 77 (skipped) when it is not installed.
"use strict";
const path = require("path");

try {
    const modules = path.join(__dirname, "whatwg", "node_modules", "@zxing", "text-encoding", "cjs");
    global.TextEncodingIndexes = require(path.join(modules, "encoding-indexes.js"));
    module.exports = require(path.join(modules, "encoding.js"));
} catch (e) {
    console.log("skipped: the WHATWG decoder is not installed (scripts/install-deps.sh test installs it)");
    process.exit(77);
}

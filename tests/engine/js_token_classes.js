// The class of every UTF-16 unit of the JavaScript file given, as acorn's
// tokenizer reads it: K a keyword, S a string, template or regular
// expression, N a number, C a comment, "." anything else. One line out.
// Debian's acorn (node-acorn) is found with NODE_PATH=/usr/share/nodejs.
const fs = require("fs");
const acorn = require("acorn");
const code = fs.readFileSync(process.argv[2], "utf8");
const classes = Array(code.length).fill(".");
const mark = (start, end, c) => { for (let i = start; i < end; ++i) classes[i] = c; };
const onComment = (block, text, start, end) => mark(start, end, "C");
let templateStart = -1;
for (const token of acorn.tokenizer(code, { ecmaVersion: "latest", onComment })) {
    const label = token.type.label;
    if (token.type.keyword)
        mark(token.start, token.end, "K");
    else if (label === "string" || label === "regexp")
        mark(token.start, token.end, "S");
    else if (label === "num")
        mark(token.start, token.end, "N");
    else if (label === "`") {
        if (templateStart < 0)
            templateStart = token.start;
        else {
            mark(templateStart, token.end, "S");
            templateStart = -1;
        }
    }
}
console.log(classes.join(""));

// Each script of the file "cases" (ended by 0x1D each) must parse as a
// script, then run as a function that gives the value of the constant it
// declares; with the argument "json", each is a text read with JSON.parse.
// The values in UTF-16, each ended by 0x1D.
let printed = "";
const json = process.argv[2] == "json";
for (const source of require("fs").readFileSync("cases", "utf8").split("\x1D").slice(0, -1)) {
    try {
        if (!json)
            new (require("vm").Script)(source);
        const name = json ? "" : /^const ([^ ]+) = /m.exec(source)[1];
        const value = json ? JSON.parse(source) : new Function(source + "\nreturn " + name + ";")();
        printed += typeof value == "string" ? value : "not a string: " + value;
    } catch (e) { printed += e; }
    printed += "\x1D";
}
process.stdout.write(Buffer.from(printed, "utf16le"));

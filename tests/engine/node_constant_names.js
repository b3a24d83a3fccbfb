// For each name of the JSON array given: "yes" when a script, strict code
// and a module all run "const NAME = 1;" and the name is the program's own
// kind (ASCII, 64 at most), else "no". One line per name.
const vm = require("vm");
(async () => {
    for (const name of JSON.parse(process.argv[2])) {
        let ok = /^[A-Za-z_$][A-Za-z0-9_$]{0,63}$/.test(name);
        for (const code of ["const " + name + " = 1;", "'use strict'; const " + name + " = 1;"]) {
            try { vm.runInNewContext(code); } catch (e) { ok = false; }
        }
        try { await import("data:text/javascript," + encodeURIComponent("const " + name + " = 1;")); } catch (e) { ok = false; }
        console.log(ok ? "yes" : "no");
    }
})();

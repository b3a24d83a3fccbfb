// The page's script: every kind the colours tell apart.
var total = 0, name = "a \"quoted\" name", other = 'it\'s';
function add(values) {
    for (const value of values) {
        if (typeof value === "number" && value > 0x1F) total += value * 1.5e-3;
        else if (value instanceof Date) return null;
    }
    /* a comment
       over two lines */
    const pattern = /[/"]+\d{2}/gi, half = total / 2 / 1;
    let list = [1, 2.5, .5, 10n, 0b101];
    const note = `a template
over lines`;
    return this.done ? true : new Error('none') || void 0;
}
switch (total) { case 1: break; default: delete window.x; }

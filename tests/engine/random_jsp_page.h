// Random JSP pages of a small grammar, for the differential test of
// templates: out.print, out.println and out.write of string literals
// joined by + to values that print while they become text (an object
// whose toString() writes to the page's writer, a declared method that
// writes), that throw (Integer.parseInt of a word, a null dereference,
// a division by zero), that change a value read earlier in the same
// print (a counter, an assignment), and plain ones (locals of plain
// types, literals, null); statements inside try/catch or not (an
// exception not caught ends the page); text between scriptlets, now and
// then a short text beyond U+FFFF.
#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

namespace random_jsp {

inline QByteArray pick(QRandomGenerator& random, const QList<QByteArray>& choices)
{
    return choices[int(random.bounded(quint32(choices.size())))];
}

inline QByteArray literal(QRandomGenerator& random)
{
    return "\"" + pick(random, {"<p>", "</p>", "<b>x</b>", "a \\\"q\\\"", "%\\u003E", "50%", " ", "\\uD83D\\uDE00", "\\u00e9t\\u00e9",
                                "<i>", "'", "\\t", "x", ""})
           + "\"";
}

inline QByteArray value(QRandomGenerator& random)
{
    return pick(random, {"n", "s", "boxed", "'c'", "1.5", "7", "null", "noisy", "shout(out)", "next(counter)", "counter[0]",
                         "Integer.parseInt(word)", "word.length()", "(n = n + 1)", "(10 / zero)", "(n > 2 ? \"big\" : \"small\")",
                         "flag", "label.trim()"});
}

// The argument of a print: one value, or a string joined to values.
inline QByteArray argument(QRandomGenerator& random)
{
    if (random.bounded(5) == 0) {
        const QByteArray alone = value(random);
        return random.bounded(2) == 0 || alone == "null" ? literal(random) : alone;  // print(null) does not compile
    }
    QByteArray result = literal(random);
    for (int n = 1 + int(random.bounded(4)); n > 0; --n)
        result += " + " + (random.bounded(3) == 0 ? literal(random) : value(random));
    return result;
}

inline QByteArray print(QRandomGenerator& random)
{
    const QByteArray method = pick(random, {"print", "print", "println", "write"});
    QByteArray argumentText = argument(random);
    if (method == "write" && !argumentText.startsWith('"'))
        argumentText = "\"\" + " + argumentText;
    return "out." + method + "(" + argumentText + ");";
}

inline QByteArray statements(QRandomGenerator& random, int count)
{
    QByteArray code;
    for (int i = 0; i < count; ++i) {
        switch (random.bounded(6)) {
        case 0:
            code += " try { " + print(random) + " " + print(random) + " } catch (RuntimeException e) { out.print(\"<i>caught</i>\"); }";
            break;
        case 1: code += " n = n + 1;"; break;
        case 2: code += " for (int k = 0; k < 2; k++) { " + print(random) + " }"; break;
        default: code += " " + print(random); break;
        }
    }
    return code;
}

}  // namespace random_jsp

inline QByteArray randomJspPage(QRandomGenerator& random)
{
    using namespace random_jsp;
    QByteArray page = "<%@ page contentType=\"text/html; charset=UTF-8\" %>";
    page += "<%! class Noisy { java.io.Writer w; Noisy(java.io.Writer w) { this.w = w; }\n"
            "  public String toString() { try { w.write(\"[noisy]\"); } catch (java.io.IOException e) { } return \"N\"; } } %>\n"
            "<%! String shout(java.io.Writer w) throws java.io.IOException { w.write(\"!\"); return \"s\"; } %>\n"
            "<%! int next(int[] c) { return ++c[0]; } %>";
    page += "<% int n = " + pick(random, {"0", "3"}) + "; int zero = " + pick(random, {"0", "1"}) + "; String s = "
            + pick(random, {"\"str\"", "null"}) + "; Integer boxed = " + pick(random, {"null", "4"}) + "; String word = "
            + pick(random, {"\"12\"", "\"twelve\"", "null"}) + "; boolean flag = true; String label = "
            + pick(random, {"\" l \"", "null"}) + "; int[] counter = {0}; Noisy noisy = new Noisy(out); %>";
    for (int blocks = 1 + int(random.bounded(3)); blocks > 0; --blocks) {
        page += pick(random, {"<div>\n", "text ", "\n", "\xF0\x9F\x98\x80", "a\xF0\x9F\x98\x80", ""});
        page += "<%" + statements(random, 1 + int(random.bounded(4))) + " %>";
    }
    return page + pick(random, {"</div>", "\xF0\x9F\x98\x80", ""});
}

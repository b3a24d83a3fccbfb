// Random classic ASP pages of a small grammar, for the differential test
// of templates: Response.Write in its forms (with and without
// parentheses, Call, With Response, one-line If, &, +, vbCrLf, Chr),
// <%= %>, comments that end in " _", text with an <?xml prologue or
// "<%" written by the page, includes whose functions print or not, and
// a procedure that skips errors calling one whose write fails.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QRandomGenerator>

struct RandomAspPage {
    QByteArray text;
    QMap<QByteArray, QByteArray> includes;
};

namespace random_asp {

inline QByteArray pick(QRandomGenerator& random, const QList<QByteArray>& choices)
{
    return choices[int(random.bounded(quint32(choices.size())))];
}

// A string literal, quotes doubled, now and then holding what ASP or the
// template writer must not take for its own, or Windows-1252 bytes.
inline QByteArray literal(QRandomGenerator& random)
{
    return "\"" + pick(random, {"<p>", "</p>", "<b>x</b>", "a \"\"q\"\"", "<%", "%", ">", "<!-- #include file=\"\"x\"\" -->",
                                "<script runat=server>", "100%", " ", "_", "' not a comment", "<?xml?>", "caf\xe9 \x80\x81",
                                ""})
           + "\"";
}

// An operand of &: literals, constants, the included file's names, locals.
// Wine's VBScript cannot read a statement whose argument starts with a
// parenthesis, as in Response.Write ("a") & b: the first is never one.
inline QByteArray operand(QRandomGenerator& random, bool first)
{
    switch (random.bounded(first ? 9 : 10)) {
    case 0: case 1: case 2: return literal(random);
    case 3: return pick(random, {"vbCrLf", "vbTab", "vbLf", "Chr(60)", "Chr(37)"});
    case 4: return pick(random, {"strLE", "SITE_NAME", "counter"});
    case 5: return pick(random, {"Menu()", "Shout(\"!\")", "Wrap(\"w\")"});  // print while evaluated
    case 6: return pick(random, {"Quiet(2)", "UCase(strLE)", "Len(SITE_NAME)"});
    case 7: return "local";
    case 8: return literal(random) + " + " + literal(random);
    default: return "(" + literal(random) + " & local)";
    }
}

inline QByteArray expression(QRandomGenerator& random)
{
    QByteArray result = operand(random, true);
    for (int n = int(random.bounded(4)); n > 0; --n)
        result += " & " + operand(random, false);
    return result;
}

inline QByteArray comment(QRandomGenerator& random)
{
    return pick(random, {" ' note _", " ' & _",  " : Rem done _", " ' plain", ""});
}

inline QByteArray statement(QRandomGenerator& random)
{
    const QByteArray e = expression(random);
    switch (random.bounded(9)) {
    case 0: return "Response.Write " + e + comment(random);
    case 1: return "Response.Write(" + literal(random) + ")" + comment(random);
    case 2: return "Call Response.Write(" + e + ")";
    case 3: return "With Response\r\n.Write " + e + "\r\nEnd With";
    case 4: return "If local <> \"\" Then Response.Write " + e + " Else Response.Write " + literal(random);
    case 5: return "local = local & " + literal(random) + comment(random);
    case 6: return "Response.Write " + literal(random) + " & _\r\n  " + e;
    case 7: return comment(random) + "\r\nResponse.Write " + e;
    default: return "Response.Write " + e + " : counter = counter + 1";
    }
}

inline QByteArray text(QRandomGenerator& random)
{
    return pick(random, {"<div>\r\n", "text ", "\r\n", "<p class=\"a\">", "100%", "a > b", "\xe0\x9f ", ""});
}

}  // namespace random_asp

inline RandomAspPage randomAspPage(QRandomGenerator& random)
{
    using namespace random_asp;
    RandomAspPage page;
    page.includes["lib.asp"] =
        "<!--#include file=\"more.asp\"-->\r\n<%\r\nDim strLE, counter : strLE = \"<br>\" : counter = 0\r\n"
        "Const SITE_NAME = \"Shop\"\r\nFunction Menu()\r\n  Response.Write \"[menu]\"\r\n  Menu = \"m\"\r\nEnd Function\r\n%>";
    page.includes["more.asp"] =
        "<% ' helpers _\r\nFunction Shout(s)\r\n  Response.Write \"[\" & s & \"]\"\r\n  Shout = s\r\nEnd Function\r\n"
        "Function Quiet(n) : Quiet = n * 2 : End Function\r\nFunction Wrap(s) : Wrap = \"(\" & Shout(s) & \")\" : End Function\r\n%>";
    // A procedure that skips errors calls one of the page whose write fails
    // halfway: the page prints nothing of that write.
    page.includes["guard.asp"] = "<% Sub Guard()\r\n  On Error Resume Next\r\n  Row Array(1)\r\n  Row \"ok\"\r\nEnd Sub %>";
    if (random.bounded(3) == 0)
        page.text += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";
    page.includes["careful.asp"] = "<% Sub Careful()\r\n  On Error Resume Next\r\n  Dim n : n = 1 / 0\r\nEnd Sub %>";
    const bool guarded = random.bounded(2) == 0;
    if (guarded)
        page.text += "<!--#include file=\"guard.asp\"-->";
    else if (random.bounded(2) == 0)
        page.text += "<!--#include file=\"careful.asp\"--><% Careful %>";
    page.text += random.bounded(4) == 0 ? "<!--#include virtual=\"/lib.asp\"-->" : "<!--#include file=\"lib.asp\"-->";
    page.text += text(random) + "<% Dim local : local = \"v\"" + comment(random) + "\r\n";
    for (int blocks = 1 + int(random.bounded(3)); blocks > 0; --blocks) {
        for (int n = 1 + int(random.bounded(4)); n > 0; --n)
            page.text += statement(random) + "\r\n";
        page.text += "%>" + text(random);
        if (random.bounded(3) == 0)
            page.text += "<%= " + expression(random) + " %>" + text(random);
        if (random.bounded(4) == 0)
            page.text += "100<%%>%";
        page.text += "<%\r\n";
    }
    page.text += "Sub Row(v)\r\n  Response.Write " + pick(random, {"\"<tr>\" & v & \"</tr>\"", "\"<tr>\" & v", "v & \"</tr>\""})
                 + "\r\nEnd Sub\r\n" + (guarded ? "Guard\r\n" : "Row \"<td>\"\r\n");
    page.text += "Response.Write \"end\" %>";
    return page;
}

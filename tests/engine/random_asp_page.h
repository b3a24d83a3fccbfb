// Random classic ASP pages of a small grammar, for the differential test
// of templates: Response.Write in its forms (with and without
// parentheses, Call, With Response, one-line If, &, +, vbCrLf, Chr),
// <%= %>, comments that end in " _", text with an <?xml prologue or
// "<%" written by the page, includes whose functions print (by
// Response.Write or by their HTML text) or not, and
// a procedure that skips errors calling one whose write fails. Half the
// pages skip errors (On Error Resume Next, now and then under Option
// Explicit): their writes also read variables that hold plain values,
// arrays, objects, a value a procedure assigned through a parameter, a
// copy of one of those, one declared in a procedure only or nowhere, and
// Err after an error. (Wine's engine gave Err.Number other values in a
// page and its template where the write also called a procedure, the
// write whole in both: Err is read only in writes that call none.)
// Writes also call functions that change a value another piece reads
// (counter, local), and pieces that fail at run time when the page's
// divisor is 0: without error skipping the page stops there.
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
inline QByteArray operand(QRandomGenerator& random, bool first, bool skipping)
{
    if (skipping && random.bounded(3) == 0)
        return pick(random, {"plain", "counted", "arr", "obj", "passed", "aliased", "copied", "ghost", "inner",
                             first ? "plain" : "(plain)", "stamp"});
    switch (random.bounded(first ? 9 : 10)) {
    case 0: case 1: case 2: return literal(random);
    case 3: return pick(random, {"vbCrLf", "vbTab", "vbLf", "Chr(60)", "Chr(37)"});
    case 4: return pick(random, {"strLE", "SITE_NAME", "counter"});
    case 5: return pick(random, {"Menu()", "Shout(\"!\")", "Wrap(\"w\")", "Banner()"});  // print while evaluated
    case 6: return pick(random, {"Quiet(2)", "UCase(strLE)", "Len(SITE_NAME)", "Bump()", "Tally(3)", "Abs(10 \\ divisor)",
                                 "Mid(local, divisor)"});
    case 7: return "local";
    case 8: return literal(random) + " + " + literal(random);
    default: return "(" + literal(random) + " & local)";
    }
}

inline QByteArray expression(QRandomGenerator& random, bool skipping)
{
    QByteArray result = operand(random, true, skipping);
    for (int n = int(random.bounded(4)); n > 0; --n)
        result += " & " + operand(random, false, skipping);
    return result;
}

inline QByteArray comment(QRandomGenerator& random)
{
    return pick(random, {" ' note _", " ' & _",  " : Rem done _", " ' plain", ""});
}

inline QByteArray statement(QRandomGenerator& random, bool skipping)
{
    const QByteArray e = expression(random, skipping);
    switch (random.bounded(9)) {
    case 0: return "Response.Write " + e + comment(random);
    case 1: return "Response.Write(" + literal(random) + ")" + comment(random);
    case 2: return "Call Response.Write(" + e + ")";
    case 3: return "With Response\r\n.Write " + e + "\r\nEnd With";
    case 4: return "If local <> \"\" Then Response.Write " + e + " Else Response.Write " + literal(random);
    case 5: return "local = local & " + literal(random) + comment(random);
    case 6: return skipping && random.bounded(2) == 0 ? "x = 1 / 0 : Response.Write \"<i>\" & Err.Number & \"</i>\""
                                                      : "Response.Write " + literal(random) + " & _\r\n  " + e;
    case 7: return comment(random) + "\r\nResponse.Write " + e;
    default: return "Response.Write " + e + " : counter = counter + 1";
    }
}

inline QByteArray text(QRandomGenerator& random)
{
    return pick(random, {"<div>\r\n", "text ", "\r\n", "<p class=\"a\">", "100%", "a > b", "\xe0\x9f ", ""});
}

// Skipping errors from here on, the variables the writes read: what each
// holds decides whether a write that reads it may fail.
inline QByteArray variables(QRandomGenerator& random)
{
    QByteArray code = "On Error Resume Next\r\nDim plain, counted, arr, obj, passed, aliased, copied, x, stamp, k\r\n";
    code += "plain = \"<u>\" & Request(\"q\") : counted = Len(plain) + 1 : x = 0 : stamp = Trim(Request.Form(\"page\"))\r\n";
    code += pick(random, {"arr = Split(\"a,b\", \",\")", "arr = Array(1)", "ReDim arr(2)", "arr = \"not one\""}) + "\r\n";
    code += pick(random, {"Set obj = CreateObject(\"Scripting.Dictionary\")", "obj = \"plain\""}) + "\r\n";
    code += "passed = \"p\"\r\n" + pick(random, {"Fill passed", "Fill (passed)", "Call Fill(passed)", "Keep passed", "x = Len(passed)"})
            + "\r\n";
    code += "aliased = " + pick(random, {"plain", "arr", "passed", "obj", "(arr)", "plain & arr"}) + "\r\n";
    code += "copied = " + pick(random, {"UCase(plain)", "Request.QueryString(\"user\")", "Server.HTMLEncode(plain)",
                                        "Mid(plain, 2)", "Array(plain)(0)", "Keep(plain)", "obj"}) + "\r\n";
    code += pick(random, {"ghost = \"g\"", "Dim ghost : ghost = \"g\""}) + "\r\n";
    code += "Sub Fill(v)\r\n  v = Array(1)\r\nEnd Sub\r\nFunction Keep(ByVal v)\r\n  Keep = v\r\nEnd Function\r\n";
    code += "Sub Nest()\r\n  Dim inner : inner = \"in\"\r\nEnd Sub\r\n";
    return code;
}

// Where errors are skipped after the variables: on to the end; or not
// for a while (On Error GoTo 0, writes that cannot fail), then again from
// an On Error Resume Next, in an If block, or in a loop whose next round
// skips an error in a write before it; or on through an On Error GoTo 0
// in a block that does not run.
inline QByteArray errorRegions(QRandomGenerator& random)
{
    switch (random.bounded(4)) {
    case 0: return {};
    case 1: return "If local = \"none\" Then\r\nOn Error GoTo 0\r\nEnd If\r\n";
    default: break;
    }
    QByteArray code = "On Error GoTo 0\r\n";
    for (int n = int(random.bounded(3)); n > 0; --n)
        code += statement(random, false) + "\r\n";
    if (random.bounded(2) == 0)
        return code + pick(random, {"On Error Resume Next", "If local <> \"\" Then\r\nOn Error Resume Next\r\nEnd If"}) + "\r\n";
    return code + "For k = 1 To 2\r\nIf k = 2 Then Response.Write \"<p>\" & " + pick(random, {"arr", "obj", "passed", "ghost"})
           + " & \"</p>\"\r\nOn Error Resume Next\r\nNext\r\n";
}

}  // namespace random_asp

inline RandomAspPage randomAspPage(QRandomGenerator& random)
{
    using namespace random_asp;
    RandomAspPage page;
    page.includes["lib.asp"] =
        "<!--#include file=\"more.asp\"-->\r\n<%\r\nDim strLE, counter : strLE = \"<br>\" : counter = 0\r\n"
        "Const SITE_NAME = \"Shop\"\r\nFunction Menu()\r\n  Response.Write \"[menu]\"\r\n  Menu = \"m\"\r\nEnd Function\r\n"
        "Function Banner()\r\n%>[banner]<%\r\n  Banner = \"b\"\r\nEnd Function\r\n%>";
    page.includes["more.asp"] =
        "<% ' helpers _\r\nFunction Shout(s)\r\n  Response.Write \"[\" & s & \"]\"\r\n  Shout = s\r\nEnd Function\r\n"
        "Function Quiet(n) : Quiet = n * 2 : End Function\r\nFunction Wrap(s) : Wrap = \"(\" & Shout(s) & \")\" : End Function\r\n"
        "Function Bump() : counter = counter + 1 : Bump = \"+\" : End Function\r\n%>";
    // A procedure that skips errors calls one of the page whose write fails
    // halfway: the page prints nothing of that write.
    page.includes["guard.asp"] = "<% Sub Guard()\r\n  On Error Resume Next\r\n  Row Array(1)\r\n  Row \"ok\"\r\nEnd Sub %>";
    const bool skipping = random.bounded(2) == 0;
    if (skipping && random.bounded(2) == 0)
        page.text += "<% Option Explicit %>";
    if (random.bounded(3) == 0)
        page.text += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";
    page.includes["careful.asp"] = "<% Sub Careful()\r\n  On Error Resume Next\r\n  Dim n : n = 1 / 0\r\nEnd Sub %>";
    const bool guarded = random.bounded(2) == 0;
    if (guarded)
        page.text += "<!--#include file=\"guard.asp\"-->";
    else if (random.bounded(2) == 0)
        page.text += "<!--#include file=\"careful.asp\"--><% Careful %>";
    page.text += random.bounded(4) == 0 ? "<!--#include virtual=\"/lib.asp\"-->" : "<!--#include file=\"lib.asp\"-->";
    page.text += text(random) + "<% Dim local, divisor : local = \"v\" : divisor = " + pick(random, {"0", "1", "2", "3"})
                 + comment(random) + "\r\n";
    if (skipping)
        page.text += variables(random) + errorRegions(random);
    for (int blocks = 1 + int(random.bounded(3)); blocks > 0; --blocks) {
        for (int n = 1 + int(random.bounded(4)); n > 0; --n)
            page.text += statement(random, skipping) + "\r\n";
        page.text += "%>" + text(random);
        if (random.bounded(3) == 0)
            page.text += "<%= " + expression(random, skipping) + " %>" + text(random);
        if (random.bounded(4) == 0)
            page.text += "100<%%>%";
        page.text += "<%\r\n";
    }
    page.text += "Sub Row(v)\r\n  Response.Write " + pick(random, {"\"<tr>\" & v & \"</tr>\"", "\"<tr>\" & v", "v & \"</tr>\""})
                 + "\r\nEnd Sub\r\n" + (guarded ? "Guard\r\n" : "Row \"<td>\"\r\n");
    page.text += "Function Tally(n)\r\n  local = local & n\r\n  Tally = n\r\nEnd Function\r\n";
    page.text += "Response.Write \"end\" %>";
    return page;
}

// Legacy ASP pages to templates, where Wine cannot judge: what ASP itself
// reads in a template (includes, server scripts), forms Wine's VBScript
// does not take, and the line and column of what cannot be read, counted
// by hand. That the templates print what the pages print is shown by
// tst_legacy_asp_round_trip.

#include "script_reader/asp_includes.h"
#include "script_reader/asp_template.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray templateOf(const QByteArray& page)
{
    const auto result = tagora::aspTemplate(std::string_view(page.data(), page.size()));
    if (const auto* error = std::get_if<tagora::ScriptReadError>(&result))
        return "error " + QByteArray::fromStdString(error->message);
    return QByteArray::fromStdString(std::get<std::string>(result));
}

}  // namespace

class TestAspTemplate : public QObject {
    Q_OBJECT

private slots:
    void writesThisTemplate_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("expected");
        // VBScript reads the whole rest of the line as the argument.
        QTest::newRow("parenthesized first operand")
            << QByteArray("<% Response.Write(\"<b>\") & name & \"</b>\" %>") << QByteArray("<b><%= name %></b>");
        QTest::newRow("ChrW and Chr of constants")
            << QByteArray("<% Response.Write ChrW(34) & Chr(0) & chrw(200) & ChrW(&H3C) %>")
            << QByteArray("<% Dim written1 : written1 = \"\" & (Chr(0))\r\nDim written2 : written2 = \"\" & (chrw(200))\r\n%>"
                          "\"<%= written1 %><%= written2 %><");
        // ASP reads includes and server scripts in the template's text, not in strings.
        QTest::newRow("include written by the page")
            << QByteArray("<% Response.Write \"<!-- #include file=\"\"a.inc\"\" -->\" %><!--#include file=\"b.inc\"-->")
            << QByteArray("<%= \"<\" %>!-- #include file=\"a.inc\" --><!--#include file=\"b.inc\"-->");
        QTest::newRow("server script written by the page")
            << QByteArray("<% Response.Write \"<SCRIPT Language=VBScript RunAt=Server>\" %>")
            << QByteArray("<%= \"<\" %>SCRIPT Language=VBScript RunAt=Server>");
        QTest::newRow("browser script written by the page")
            << QByteArray("<% Response.Write \"<script src=x.js></script>\" %>")
            << QByteArray("<script src=x.js></script>");
        QTest::newRow("continued expression on one line")
            << QByteArray("<% Response.Write \"<td>\" & _\r\n  Trim(x, _\r\n  1) & \"</td>\" %>")
            << QByteArray("<% Dim written1 : written1 = \"\" & (Trim(x, 1))\r\n%><td><%= written1 %></td>");
        // Wine takes a block that starts with ':', other engines may not.
        QTest::newRow("statements around a write on one line")
            << QByteArray("<% a = 1 : Response.Write \"x\" : b = 2 : Response.Write \"y\" %>")
            << QByteArray("<% a = 1 %>x<% b = 2 %>y");
        QTest::newRow("comparison binds less tightly than &")
            << QByteArray("<% Response.Write \"a\" & x = \"b\" %>") << QByteArray("<%= \"a\" & x = \"b\" %>");
        // The page prints each argument after evaluating it whole; a file it
        // includes, not read here, may print or skip errors.
        QTest::newRow("included file not read")
            << QByteArray("<!--#include file=\"lib.asp\"--><% Dim n : n = \"x\"\r\n"
                          "Response.Write \"<td>\" & UCase(n) & \"</td>\"\r\n"
                          "Response.Write \"<td>\" & FormatName(n) & \"</td>\" %>")
            << QByteArray("<!--#include file=\"lib.asp\"--><% Dim n : n = \"x\"\r\n%><%= \"<td>\" & UCase(n) & \"</td>\" %>"
                          "<%= \"<td>\" & FormatName(n) & \"</td>\" %>");
        // IIS sends HTML text as the file holds it and Response.Write's
        // strings in Response.CodePage: once the page (or a file it includes)
        // may set another, strings beyond ASCII stay code.
        QTest::newRow("a code page set")
            << QByteArray("<% Response.CodePage = 65001\r\nResponse.Write \"<p>caf\xc3\xa9</p>\" & \"<br>\" %>\xc3\xa9")
            << QByteArray("<% Response.CodePage = 65001\r\n%><%= \"<p>caf\xc3\xa9</p>\" %><br>\xc3\xa9");
        QTest::newRow("the session's code page set in a block after the write")
            << QByteArray("<% Response.Write \"\xe9\" %><% Session . codepage = 1252 %>")
            << QByteArray("<%= \"\xe9\" %><% Session . codepage = 1252 %>");
        QTest::newRow("an included file not read may set a code page")
            << QByteArray("<!--#include file=\"lib.asp\"--><% Response.Write \"<p>\xe9</p>\" %>")
            << QByteArray("<!--#include file=\"lib.asp\"--><%= \"<p>\xe9</p>\" %>");
        QTest::newRow("no code page set") << QByteArray("<%@ CodePage=1252 %><% Response.Write \"<p>\xe9</p>\" %>")
                                          << QByteArray("<%@ CodePage=1252 %><p>\xe9</p>");
        // ADO's methods assign no argument but a number: q stays a plain
        // value, where another object's method may make it anything. (Wine
        // has no ADO to run these.)
        const auto writeOfQ = [](const char* name, const QByteArray& code, const QByteArray& written) {
            QTest::newRow(name) << code + "Response.Write \"<p>\" & q & \"</p>\" %>" << code + "%>" + written;
        };
        const QByteArray ado = "<% On Error Resume Next\r\nDim q, c : q = \"s\" : Set c = Server.CreateObject(\"";
        writeOfQ("argument of an ADO method", ado + "ADODB.Connection\")\r\nc.Execute q\r\n", "<p><%= q %></p>");
        writeOfQ("argument of another object's method", ado + "Some.Component\")\r\nc.Execute q\r\n",
                 "<%= \"<p>\" & q & \"</p>\" %>");
        // Eval of code may assign anything (Wine's engine runs no Eval); Eval
        // of True or False runs nothing.
        const QByteArray eval = "<% On Error Resume Next\r\nDim q, x : q = \"s\" : x = Eval(";
        writeOfQ("Eval of code", eval + "\"Grow(q)\")\r\n", "<%= \"<p>\" & q & \"</p>\" %>");
        writeOfQ("Eval of a comparison", eval + "q = \"\")\r\n", "<p><%= q %></p>");
        // An error skipped in a procedure: a write outside procedures cannot
        // be skipped halfway, nor one in a procedure it never calls; one in a
        // procedure it calls, directly or not, can.
        QTest::newRow("errors skipped in a procedure")
            << QByteArray("<% Function f() : On Error Resume Next : f = 1 : End Function\r\n"
                          "Response.Write \"<b>\" & x & \"</b>\"\r\nSub g()\r\nResponse.Write \"<i>\" & x & \"</i>\"\r\nEnd Sub %>")
            << QByteArray("<% Function f() : On Error Resume Next : f = 1 : End Function\r\n%><b><%= x %></b>"
                          "<%\r\nSub g()\r\n%><i><%= x %></i><%\r\nEnd Sub %>");
        QTest::newRow("errors skipped in a procedure that calls the writer")
            << QByteArray("<% Function f() : On Error Resume Next : h : End Function\r\nSub h() : G 1 : End Sub\r\n"
                          "Public Sub g(x)\r\nResponse.Write \"<i>\" & x & \"</i>\"\r\nEnd Sub %>")
            << QByteArray("<% Function f() : On Error Resume Next : h : End Function\r\nSub h() : G 1 : End Sub\r\n"
                          "Public Sub g(x)\r\n%><%= \"<i>\" & x & \"</i>\" %><%\r\nEnd Sub %>");
        QTest::newRow("errors skipped where Execute may call anything")
            << QByteArray("<% Sub f() : On Error Resume Next : Execute \"g\" : End Sub\r\n"
                          "Sub g()\r\nResponse.Write \"<i>\" & x & \"</i>\"\r\nEnd Sub %>")
            << QByteArray("<% Sub f() : On Error Resume Next : Execute \"g\" : End Sub\r\n"
                          "Sub g()\r\n%><%= \"<i>\" & x & \"</i>\" %><%\r\nEnd Sub %>");
        QTest::newRow("errors skipped outside procedures")
            << QByteArray("<% Sub f() : End Sub\r\nOn Error Resume Next\r\nReDim x(1)\r\nResponse.Write \"<b>\" & x & \"</b>\" %>")
            << QByteArray("<% Sub f() : End Sub\r\nOn Error Resume Next\r\nReDim x(1)\r\n%><%= \"<b>\" & x & \"</b>\" %>");
        // With Option Explicit, a variable the page declares cannot fail:
        // one declared after a class is the page's, not the class's.
        QTest::newRow("errors skipped, a variable declared after a class")
            << QByteArray("<% Option Explicit\r\nOn Error Resume Next\r\nClass C : Public v : End Class\r\n"
                          "Dim x : x = \"a\"\r\nResponse.Write \"<b>\" & x & \"</b>\" %>")
            << QByteArray("<% Option Explicit\r\nOn Error Resume Next\r\nClass C : Public v : End Class\r\n"
                          "Dim x : x = \"a\"\r\n%><b><%= x %></b>");
        // A piece that may fail, errors not skipped, stops the page before
        // the write prints: it is evaluated first, into a variable whose
        // name no name of the page starts with.
        QTest::newRow("a piece that may fail, errors not skipped")
            << QByteArray("<% Dim a, b, written1 : a = 1 : b = 0 : Response.Write \"<td>\" & a / b & \"</td>\" : a = 2 %>")
            << QByteArray("<% Dim a, b, written1 : a = 1 : b = 0 \r\nDim written_1 : written_1 = \"\" & (a / b)\r\n%>"
                          "<td><%= written_1 %></td><% a = 2 %>");
        QTest::newRow("pieces that may fail, the first before any text")
            << QByteArray("<% If a Then Response.Write CInt(a) & \"-\" & CLng(b) Else Response.Write \"-\" & a %>")
            << QByteArray("<% If a Then\r\nDim written1 : written1 = \"\" & (CInt(a))\r\nDim written2 : written2 = \"\" & (CLng(b))\r\n"
                          "%><%= written1 %>-<%= written2 %><%\r\nElse\r\n%>-<%= a %><%\r\nEnd If %>");
        QTest::newRow("one piece that may fail, first") << QByteArray("<%= CInt(a) & \"</p>\" %>")
                                                         << QByteArray("<%= CInt(a) %></p>");
        // Wine reads total when & runs, after NextRow changed it; another
        // engine may read it before: the write stays whole.
        QTest::newRow("a procedure changing a value read before it")
            << QByteArray("<% Function NextRow() : total = total + 1 : End Function\r\nResponse.Write total & NextRow() & \"<br>\" %>")
            << QByteArray("<% Function NextRow() : total = total + 1 : End Function\r\n%><%= total & NextRow() & \"<br>\" %>");
        QTest::newRow("a recordset moved after its default value was read")
            << QByteArray("<% Set rs = conn.Execute(\"q\")\r\nResponse.Write rs & \"|\" & rs.MoveNext %>")
            << QByteArray("<% Set rs = conn.Execute(\"q\")\r\n%><%= rs & \"|\" & rs.MoveNext %>");
        // A field read by a call is read where it stands, before MoveNext.
        QTest::newRow("a recordset moved after a field was read")
            << QByteArray("<% Set rs = conn.Execute(\"q\")\r\nResponse.Write rs(0) & \"|\" & rs.MoveNext %>")
            << QByteArray("<% Set rs = conn.Execute(\"q\")\r\nDim written1 : written1 = \"\" & (rs(0))\r\n"
                          "Dim written2 : written2 = \"\" & (rs.MoveNext)\r\n%><%= written1 %>|<%= written2 %>");
        // A function that assigns only its own name and locals changes
        // nothing a variable read before it holds.
        QTest::newRow("a function that changes nothing, after a variable")
            << QByteArray("<% Function Twice(ByVal n) : Dim t : t = n * 2 : n = 0 : Twice = t : End Function\r\n"
                          "Response.Write total & \"|\" & Twice(total) %>")
            << QByteArray("<% Function Twice(ByVal n) : Dim t : t = n * 2 : n = 0 : Twice = t : End Function\r\n"
                          "Dim written1 : written1 = \"\" & (total)\r\nDim written2 : written2 = \"\" & (Twice(total))\r\n"
                          "%><%= written1 %>|<%= written2 %>");
        QTest::newRow("a function that changes a ByRef parameter, after a variable")
            << QByteArray("<% Function Clear(n) : n = 0 : Clear = \"\" : End Function\r\nResponse.Write total & Clear(total) %>")
            << QByteArray("<% Function Clear(n) : n = 0 : Clear = \"\" : End Function\r\n%><%= total & Clear(total) %>");
        QTest::newRow("a property that changes a field, after a variable")
            << QByteArray("<% Class C\r\nPrivate m\r\nPublic Property Get Next() : m = m + 1 : Next = m : End Property\r\nEnd Class\r\n"
                          "Set o = New C\r\nResponse.Write x & o.Next %>")
            << QByteArray("<% Class C\r\nPrivate m\r\nPublic Property Get Next() : m = m + 1 : Next = m : End Property\r\nEnd Class\r\n"
                          "Set o = New C\r\n%><%= x & o.Next %>");
        // IIS makes the object an <object runat="server"> tag declares.
        QTest::newRow("server object written by the page")
            << QByteArray("<% Response.Write \"<OBJECT RUNAT=Server ID=c PROGID=\"\"A.B\"\"></OBJECT>\" %>")
            << QByteArray("<%= \"<\" %>OBJECT RUNAT=Server ID=c PROGID=\"A.B\"></OBJECT>");
        QTest::newRow("browser object written by the page")
            << QByteArray("<% Response.Write \"<object data=\"\"movie.swf\"\"></object>\" %>")
            << QByteArray("<object data=\"movie.swf\"></object>");
        QTest::newRow("an empty expression block") << QByteArray("<p><%=%> <%= %></p>")
                                                   << QByteArray("<p><%=%> <%= %></p>");
        QTest::newRow("Eval may print") << QByteArray("<% Response.Write \"a\" & Eval(\"f()\") %>")
                                        << QByteArray("<%= \"a\" & Eval(\"f()\") %>");
        QTest::newRow("one-line If with the page's line breaks")
            << QByteArray("<%@ Language=\"VBScript\" %>\n<% If x Then Response.Write \"a\" %><%=x%>")
            << QByteArray("<%@ Language=\"VBScript\" %>\n<% If x Then\n%>a<%\nEnd If %><%=x%>");
        // IIS reads "<% @" as "<%@": Web Wiz Forums starts every page so.
        QTest::newRow("directive with spaces before its @")
            << QByteArray("<% \t@ Language=VBScript %>\r\n<% Response.Write \"<p>\" & \"a\" & \"</p>\" %>")
            << QByteArray("<% \t@ Language=VBScript %>\r\n<p>a</p>");
    }

    void writesThisTemplate()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, expected);
        QCOMPARE(templateOf(page), expected);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        const QString unterminated = u"unterminated string"_s;
        QTest::newRow("unterminated string") << QByteArray("<html>\r\n<% Response.Write \"abc\r\n%>") << 2 << 19
                                             << unterminated;
        QTest::newRow("%> in a string ends the block") << QByteArray("<% x = \"50%>\" %>") << 1 << 8 << unterminated;
        QTest::newRow("lines end at CR") << QByteArray("a\rb\r<% Response.Write \"x %>") << 3 << 19 << unterminated;
        QTest::newRow("block never closed") << QByteArray("a\r\nb <% x = 1") << 2 << 3
                                            << u"<% is never closed by %>"_s;
        QTest::newRow("columns in characters of UTF-8")
            << QByteArray("\xC3\xA9\xE2\x82\xAC <% Response.Write \"x %>") << 1 << 22 << unterminated;
        QTest::newRow("columns in bytes of Windows-1252")
            << QByteArray("\xE9\x80 <% Response.Write \"x %>") << 1 << 22 << unterminated;
        QTest::newRow("continuation at the block's end") << QByteArray("<% Response.Write \"a\" & _ %>") << 1 << 25
                                                         << u"a line continuation at the end of the code block"_s;
        QTest::newRow("two arguments") << QByteArray("<% Response.Write \"a\", \"b\" %>") << 1 << 22
                                       << u"Response.Write takes one argument"_s;
        QTest::newRow("no argument") << QByteArray("<%\nResponse.Write %>") << 2 << 10
                                     << u"Response.Write needs an argument"_s;
        QTest::newRow("missing operand") << QByteArray("<% Response.Write \"a\" & %>") << 1 << 23
                                         << u"an operand of & is missing"_s;
        QTest::newRow("unbalanced parentheses") << QByteArray("<% Response.Write (\"a\" & x %>") << 1 << 19
                                                << u"unbalanced parentheses"_s;
        QTest::newRow("Call without parentheses") << QByteArray("<% Call Response.Write \"a\" %>") << 1 << 24
                                                  << u"Call Response.Write needs its argument in parentheses"_s;
        QTest::newRow("one-line If in a one-line If")
            << QByteArray("<% If a Then If b Then Response.Write \"x\" %>") << 1 << 14
            << u"a one-line If inside a one-line If that writes is not supported"_s;
        QTest::newRow("statements after End If") << QByteArray("<% If a Then Response.Write \"x\" End If : b = 1 %>")
                                                 << 1 << 40
                                                 << u"statements after the End If of a one-line If that writes are not supported"_s;
        QTest::newRow("write in an expression") << QByteArray("<%= Response.Write(\"a\") %>") << 1 << 5
                                                << u"Response.Write used here cannot be turned into a template"_s;
        // & adds bits in JScript: "a" & "b" is 0, not text.
        QTest::newRow("a page in JScript") << QByteArray("<%@ Language = \"JScript\" %>\r\n<% Response.Write(\"a\" & \"b\") %>")
                                           << 1 << 17 << u"only VBScript pages are read: this page's language is another"_s;
        QTest::newRow("a page in JScript, a space before @")
            << QByteArray("<% @ Language = \"JScript\" %>\r\n<% Response.Write(\"a\" & \"b\") %>") << 1 << 18
            << u"only VBScript pages are read: this page's language is another"_s;
        // ASP runs a page that names no language as VBScript, unless the
        // server is set to run JScript.
        QTest::newRow("JScript without @Language") << QByteArray("<p>\r\n<% Response.Write(\"<p>js</p>\"); %>") << 2 << 31
                                                   << u"`;` is not VBScript: this code looks like JScript, which is not read"_s;
        QTest::newRow("JScript condition without @Language") << QByteArray("<% if (a && b)\r\nResponse.Write(\"a\") %>") << 1 << 10
                                                             << u"`&` is not VBScript: this code looks like JScript, which is not read"_s;
        QTest::newRow("JScript comparison in an expression") << QByteArray("<%= a == b %>") << 1 << 7
                                                             << u"`=` is not VBScript: this code looks like JScript, which is not read"_s;
        QTest::newRow("server script in the page")
            << QByteArray("<p>\n<SCRIPT language=\"VBScript\" RUNAT=\"Server\">") << 2 << 1
            << u"<script runat=\"server\"> blocks are not supported"_s;
    }

    void refuses()
    {
        QFETCH(QByteArray, page);
        const auto result = tagora::aspTemplate(std::string_view(page.data(), page.size()));
        const auto* error = std::get_if<tagora::ScriptReadError>(&result);
        QVERIFY(error);
        QTEST(int(error->line), "line");
        QTEST(int(error->column), "column");
        QTEST(QString::fromStdString(error->message), "message");
    }

    // A template holds no Response.Write and nothing its text would open:
    // read again, it stays as it is.
    void templateOfATemplateIsItself()
    {
        const QDir corpus(QStringLiteral(TAGORA_LEGACY_ASP_DIR));
        const QStringList pages = corpus.entryList({u"*.asp"_s}, QDir::Files);
        QVERIFY(pages.size() >= 30);
        for (const QString& name : pages) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray templ = templateOf(file.readAll());
            QVERIFY2(!templ.startsWith("error "), qPrintable(name));
            QCOMPARE(templateOf(templ), templ);
        }
    }

    // Why each write kept whole in one <%= %> is, where it starts.
    void notesTellWhy_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("errors skipped")
            << QByteArray("<% On Error Resume Next\r\nReDim x(1)\r\n  Response.Write \"<b>\" & x & \"</b>\" %>")
            << QStringList{u"3:3 `x` may fail while On Error Resume Next skips errors, which would stop the write halfway"_s};
        QTest::newRow("an include not read")
            << QByteArray("<!--#include file=\"inc_x.asp\"-->\r\n<%= \"<p>\" & strLE & \"</p>\" %>")
            << QStringList{u"2:5 `strLE` may be a function, or fail while errors are skipped: an included file could not be read"_s};
        QTest::newRow("a function that prints, in a one-line If")
            << QByteArray("<% Function F() : Response.Write \"!\" : F = 1 : End Function\r\n"
                          "If a Then Response.Write \"<p>\" & F() & \"</p>\" %>")
            << QStringList{u"2:11 `F()` may print while the write is evaluated"_s};
        QTest::newRow("a value changed by a later piece")
            << QByteArray("<% Function NextRow() : total = total + 1 : End Function\r\nResponse.Write total & NextRow() %>")
            << QStringList{u"2:1 `NextRow()` may change a value read before it in the same write"_s};
        QTest::newRow("split, or evaluated first: no note")
            << QByteArray("<% Response.Write \"<p>\" & CInt(a) & \"</p>\" : Response.Write \"<i>\" & b & \"</i>\" %>")
            << QStringList{};
    }

    void notesTellWhy()
    {
        QFETCH(QByteArray, page);
        tagora::WriteNotes notes;
        const auto result = tagora::aspTemplate(std::string_view(page.data(), page.size()), {}, &notes);
        QVERIFY(std::holds_alternative<std::string>(result));
        QStringList written;
        for (const tagora::WriteNote& note : notes)
            written << u"%1:%2 %3"_s.arg(note.line).arg(note.column).arg(QString::fromStdString(note.reason));
        QTEST(written, "notes");
    }

    void includedNamesAreKnown_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QList<QByteArray>>("included");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray page = "<!-- #include virtual = \"/inc/lib.asp\" -->"
                                "<% Response.Write \"<p>\" & y & \"<b>\" & vbCrLf %>";
        const QByteArray whole = "<!-- #include virtual = \"/inc/lib.asp\" --><%= \"<p>\" & y & \"<b>\" & vbCrLf %>";
        const QByteArray split = "<!-- #include virtual = \"/inc/lib.asp\" --><p><%= y %><b>\r\n";
        QTest::newRow("a variable") << page << QList<QByteArray>{"<% Dim x, y %>"} << true << split;
        QTest::newRow("a constant, in a nested include")
            << page << QList<QByteArray>{"<!--#include file=\"c.asp\"-->", "<%\r\nPrivate Const y = 2 %>"} << true << split;
        QTest::newRow("a function that writes")
            << page << QList<QByteArray>{"<% Function y() : Response.Write \"!\" : End Function %>"} << true << whole;
        QTest::newRow("a function that calls one that writes")
            << page << QList<QByteArray>{"<% Function y() : y = z(1) : End Function\r\nFunction z(n)\r\n"
                                         "Server.Execute \"a.asp\"\r\nEnd Function %>"} << true << whole;
        QTest::newRow("a function that neither writes nor calls one that does")
            << page << QList<QByteArray>{"<% Function y() : Dim rs : Set rs = conn.Execute(\"q\") : y = z(1) : End Function\r\n"
                                         "Function z(n) : z = Trim(n) : End Function %>"} << true
            << QByteArray("<!-- #include virtual = \"/inc/lib.asp\" --><% Dim written1 : written1 = \"\" & (y)\r\n%>"
                          "<p><%= written1 %><b>\r\n");
        QTest::newRow("a function naming what no file read declares")
            << page << QList<QByteArray>{"<% Function y() : y = Helper(1) : End Function %>"} << false << whole;
        QTest::newRow("a class") << page << QList<QByteArray>{"<% Class y\r\nEnd Class %>"} << true << whole;
        QTest::newRow("a class with a default member")
            << page << QList<QByteArray>{"<% Dim y : Set y = New C\r\nClass C\r\nPublic Default Function F()\r\nEnd Function\r\nEnd Class %>"}
            << true << whole;
        QTest::newRow("a class with a default member, y never an object")
            << page << QList<QByteArray>{"<% Dim y : y = 1\r\nClass C\r\nPublic Default Function F()\r\nEnd Function\r\nEnd Class %>"}
            << true << split;
        // Under error skipping, a write splits only where no part can fail.
        QTest::newRow("errors skipped, y an array")
            << page << QList<QByteArray>{"<% On Error Resume Next : Dim y : y = Array(1) %>"} << true << whole;
        QTest::newRow("errors skipped, y plain") << page << QList<QByteArray>{"<% On Error Resume Next : Dim y %>"} << true
                                                 << split;
        // What was not read may declare y a function, or skip errors.
        QTest::newRow("an include not read") << page << QList<QByteArray>{"<% Dim x %>"} << false << whole;
        QTest::newRow("declared, some include not read") << page << QList<QByteArray>{"<% Dim y %>"} << false << whole;
        QTest::newRow("code that cannot be read") << page << QList<QByteArray>{"<% Dim x : x = \"open %>"} << true << whole;
        QTest::newRow("a server script") << page << QList<QByteArray>{"<% Dim x %><script runat=\"server\">"} << true
                                         << whole;
        // A server script block (JScript, most often) is not read as code:
        // the names it declares or assigns may print, change values or
        // fail; other names keep what the VBScript tells of them.
        const QByteArray script = "<% Dim x %><script language=\"JavaScript\" runat=\"server\">\r\n";
        QTest::newRow("a server script's function")
            << page << QList<QByteArray>{script + "function y(s) { Response.Write(\"!\"); }\r\n</script>"} << true << whole;
        QTest::newRow("a server script assigning the name")
            << page << QList<QByteArray>{script + "var q = 1;\r\ny = q;\r\n</SCRIPT>"} << true << whole;
        QTest::newRow("a server script looping with the name")
            << page << QList<QByteArray>{script + "var q = [];\r\nfor (y in q) {}\r\n</script>"} << true << whole;
        QTest::newRow("a server script defining other names")
            << page << QList<QByteArray>{script + "function f(s, t) { r = s.replace(/y/g, t); return r; }\r\n</script>"}
            << true << split;
        QTest::newRow("a server script making names unseen")
            << page << QList<QByteArray>{script + "function f(s) { return eval(s); }\r\n</script>"} << true << whole;
        QTest::newRow("a server script from a file")
            << page << QList<QByteArray>{"<% Dim x %><script runat=\"server\" src=\"lib.js\"></script>"} << true << whole;
        QTest::newRow("an unknown name when all is read")
            << page << QList<QByteArray>{"<% Dim x %>"} << true << split;
    }

    // The page's reader is asked for what the page includes; what it gives
    // decides which writes may be split.
    void includedNamesAreKnown()
    {
        QFETCH(QByteArray, page);
        QFETCH(QList<QByteArray>, included);
        QFETCH(bool, complete);
        int calls = 0;
        const auto reader = [&](std::string_view) {
            ++calls;
            tagora::AspIncludedFiles files{{}, complete, {}};
            for (const QByteArray& text : included)
                files.texts.push_back(text.toStdString());
            return files;
        };
        const auto result = tagora::aspTemplate(std::string_view(page.data(), page.size()), reader);
        const auto* templ = std::get_if<std::string>(&result);
        QVERIFY(templ);
        QTEST(QByteArray::fromStdString(*templ), "expected");
        QCOMPARE(calls, 1);
    }
};

QTEST_GUILESS_MAIN(TestAspTemplate)
#include "tst_asp_template.moc"

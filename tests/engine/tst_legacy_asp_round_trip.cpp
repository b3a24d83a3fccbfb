// Legacy ASP pages and their templates run in the VBScript engine of Wine
// and print the same.
//
// The page runner below does what ASP does with a page, as far as these
// pages need: HTML text becomes Response.Write of string literals, <%= e %>
// becomes Response.Write (e), code is copied on lines of its own,
// directives go, and Option Explicit moves to the top, where ASP puts it.
// Each program runs in a fresh engine of one MSScriptControl.ScriptControl
// per page, all from one cscript run (Wine takes seconds to start), with
// small Response, Server and Request objects written in VBScript.

#include "script_reader/script_to_html.h"
#include "random_asp_page.h"
#include "wine_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Page {
    // Whether the page stops on a runtime error, which its template must
    // then meet after the same output: never, always, or either (a random
    // page).
    enum class Stop { Never, Always, Either };
    Page(QString pageName, QByteArray pageText, QMap<QByteArray, QByteArray> included = {}, bool shown = true,
         Stop stopping = Stop::Never)
        : name(std::move(pageName)), text(std::move(pageText)), includes(std::move(included)), includesShown(shown),
          stops(stopping)
    {
    }
    QString name;
    QByteArray text;
    QMap<QByteArray, QByteArray> includes;  // file="NAME" -> its text
    bool includesShown = true;              // to the converter; ASP always reads them
    Stop stops = Stop::Never;
};

// A page that stops on a runtime error.
Page stopping(QString name, QByteArray text)
{
    return Page(std::move(name), std::move(text), {}, true, Page::Stop::Always);
}

// What a program printed and the error that stopped it, without the
// error's line, which differs between page and template.
QString withoutErrorLine(const QString& printed)
{
    const qsizetype line = printed.lastIndexOf(u" on line "_s);
    return printed.contains(QChar(1)) && line >= 0 ? printed.left(line) : printed;
}

// What ASP does first: every <!--#include file="NAME"--> replaced by the
// file's text, itself expanded (the pages here include no cycles). The
// texts of the files found go to read, each once.
QByteArray expanded(const QByteArray& page, const QMap<QByteArray, QByteArray>& includes, QList<QByteArray>* read = nullptr,
                    int depth = 0)
{
    static const QRegularExpression directive(uR"re(<!--\s*#include\s+(file|virtual)\s*=\s*"/?([^"]*)"\s*-->)re"_s,
                                              QRegularExpression::CaseInsensitiveOption);
    QByteArray result;
    qsizetype pos = 0;
    const QString text = QString::fromLatin1(page);
    for (auto match = directive.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        result += page.mid(pos, found.capturedStart() - pos);
        const QByteArray included = includes.value(found.captured(2).toLatin1(), "<% MissingInclude %>");
        if (read && !read->contains(included))
            read->append(included);
        result += depth < 8 ? expanded(included, includes, read, depth + 1) : "";
        pos = found.capturedEnd();
    }
    return result + page.mid(pos);
}

// The engine's way of reading the files a page includes, from the map.
tagora::AspIncludeReader readerOf(const QMap<QByteArray, QByteArray>& includes)
{
    return [includes](std::string_view page) {
        QList<QByteArray> read;
        expanded(QByteArray(page.data(), qsizetype(page.size())), includes, &read);
        tagora::AspIncludedFiles files{{}, !read.removeAll("<% MissingInclude %>"), {}};
        for (const QByteArray& text : read)
            files.texts.push_back(text.toStdString());
        return files;
    };
}

// The write of an HTML text: its lines in string literals joined by
// their breaks.
QByteArray writesOfText(QByteArray text)
{
    if (text.isEmpty())
        return {};
    text.replace('"', "\"\"").replace("\r\n", "\" & vbCrLf & \"").replace('\r', "\" & vbCr & \"").replace('\n', "\" & vbLf & \"");
    return "Response.Write \"" + text + "\"\r\n";
}

QByteArray programOf(const QByteArray& source, const QMap<QByteArray, QByteArray>& includes = {})
{
    const QByteArray page = expanded(source, includes);
    QByteArray program, prologue;
    qsizetype pos = 0;
    while (pos < page.size()) {
        const qsizetype open = page.indexOf("<%", pos);
        program += writesOfText(page.mid(pos, open < 0 ? -1 : open - pos));
        if (open < 0)
            break;
        const qsizetype close = page.indexOf("%>", open + 2);
        if (close < 0)
            return "Syntax error: <% never closed";
        QByteArray block = page.mid(open + 2, close - open - 2);
        if (block.startsWith('=')) {
            program += "Response.Write (" + block.mid(1) + ")\r\n";
        } else if (!block.startsWith('@')) {
            if (block.trimmed().toLower().startsWith("option explicit")) {
                prologue = "Option Explicit\r\n";
                block = block.trimmed().mid(15);
            }
            program += "\r\n" + block + "\r\n";
        }
        pos = close + 2;
    }
    return prologue + program;
}

// Whether the code of a template still calls Response.Write.
bool writesLeft(const QByteArray& templ)
{
    static const QRegularExpression write(u"response\\s*\\.\\s*write\\b|^\\s*\\.write\\b"_s,
                                          QRegularExpression::CaseInsensitiveOption
                                              | QRegularExpression::MultilineOption);
    for (qsizetype pos = templ.indexOf("<%"); pos >= 0; pos = templ.indexOf("<%", pos)) {
        const qsizetype close = templ.indexOf("%>", pos);
        if (close < 0 || write.match(QString::fromLatin1(templ.mid(pos, close - pos))).hasMatch())
            return true;
        pos = close;
    }
    return false;
}

// Response.Write prints nothing for Null, as ASP's does.
const char kDriver[] = R"(Class FakeResponse
  Public Sub Write(text)
    If Not IsNull(text) Then printed.Write text
  End Sub
End Class
Class FakeServer
  Public Function HTMLEncode(text)
    HTMLEncode = Replace(Replace(Replace(Replace(text, "&", "&amp;"), "<", "&lt;"), ">", "&gt;"), """", "&quot;")
  End Function
  Public Function URLEncode(text)
    URLEncode = Replace(Replace(text, "&", "%26"), " ", "+")
  End Function
End Class
Class FakeRequest
  Public Default Function Item(name)
    Item = QueryString(name)
  End Function
  Public Function QueryString(name)
    QueryString = ""
    If parameters.Exists(name) Then QueryString = parameters(name)
  End Function
  Public Function Form(name)
    Form = QueryString(name)
  End Function
End Class
Dim fso, printed, parameters, engine, i
Set fso = CreateObject("Scripting.FileSystemObject")
Set printed = fso.CreateTextFile("printed.txt", True, True)
Set parameters = CreateObject("Scripting.Dictionary")
parameters.Add "user", "Ann <admin>"
parameters.Add "page", "2"
parameters.Add "q", "tea & cake"
parameters.Add "action", "delete"
For i = 0 To PROGRAMS - 1
  Set engine = CreateObject("MSScriptControl.ScriptControl")
  engine.Language = "VBScript"
  engine.AddObject "Response", New FakeResponse
  engine.AddObject "Server", New FakeServer
  engine.AddObject "Request", New FakeRequest
  On Error Resume Next
  engine.AddCode fso.OpenTextFile("program" & i & ".vbs", 1, False, 0).ReadAll
  If Err.Number <> 0 Then printed.Write Chr(1) & "error " & Err.Number & " " & Err.Description & " on line " & engine.Error.Line
  On Error GoTo 0
  printed.Write Chr(2)
Next
printed.Close
)";

}  // namespace

class TestLegacyAspRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void templatesPrintWhatThePagesPrint()
    {
        const QList<Page> cases = pages();
        QVERIFY(cases.size() >= 30 + 8);
        const Figures figures = compare(cases);
        QCOMPARE(figures.refused, 0);
        QCOMPARE(figures.different, 0);
    }

    // Wine reads a program file in the ANSI code page, Windows-1252 here: one
    // character for each byte (0x81 as U+0081), so that pages and templates in
    // Windows-1252 printing the same strings means the same bytes.
    void wineReadsWindows1252()
    {
        const QStringList printed = run({"Response.Write \"\x80\xe9\x81\" & Len(\"\xe9\")"});
        QCOMPARE(printed, QStringList{u"\u20ac\u00e9\u00811"_s});
    }

    // Random pages of a small grammar (random_asp_page.h), with includes:
    // TAGORA_ASP_RANDOM_CASES of them (default 40), from TAGORA_ASP_RANDOM_SEED.
    void randomPagesPrintTheSame()
    {
        const int count = qEnvironmentVariable("TAGORA_ASP_RANDOM_CASES", u"40"_s).toInt();
        const quint32 seed = qEnvironmentVariable("TAGORA_ASP_RANDOM_SEED", u"20261207"_s).toUInt();
        QRandomGenerator random(seed);
        QList<Page> cases;
        for (int i = 0; i < count; ++i) {
            RandomAspPage page = randomAspPage(random);
            cases.append({u"random %1 (seed %2)"_s.arg(i).arg(seed), page.text, page.includes, true, Page::Stop::Either});
        }
        const Figures figures = compare(cases);
        qInfo().noquote() << u"random ASP pages: %1, converted %2, refused %3, printed the same %4, printed differently %5"_s
                                 .arg(count).arg(count - figures.refused).arg(figures.refused)
                                 .arg(count - figures.refused - figures.different).arg(figures.different);
        QCOMPARE(figures.different, 0);
        QVERIFY2(figures.refused * 10 <= count, "more than a tenth of the random pages refused");
    }

private:
    struct Figures {
        int refused = 0;
        int different = 0;  // or that did not run
    };

    QList<Page> pages() const
    {
        QList<Page> pages;
        const QDir corpus(QStringLiteral(TAGORA_LEGACY_ASP_DIR));
        for (const QFileInfo& file : corpus.entryInfoList({u"*.asp"_s}, QDir::Files, QDir::Name)) {
            QFile page(file.filePath());
            if (page.open(QIODevice::ReadOnly))
                pages.append({file.fileName(), page.readAll()});
        }
        // Traps: text written next to text, around blocks and writes.
        pages.append({u"lt-percent across a block"_s, "<% Response.Write \"<\" %>%= 1 %> and <<%\r\n%>%"});
        pages.append({u"blocks back to back"_s,
                      "<% Response.Write \"a\" %><% Response.Write \"b\" : x = 1 %><%= x %>"});
        pages.append({u"one-line If branches"_s,
                      "<% For Each x In Array(2, 0)\r\nIf x > 1 Then Response.Write \"a\" : Response.Write \"b\" Else x = 5"
                      " : Response.Write \"c\" & x End If ' note\r\nNext\r\nIf x Then Response.Write x %>!"});
        pages.append({u"Else on the line of a block If"_s,
                      "<% If 1 = 2 Then\nResponse.Write \"no\"\nElse Response.Write \"yes\"\nEnd If %>"});
        // Windows-1252 bytes, which the template keeps as they are (see
        // wineReadsWindows1252).
        pages.append({u"a page in Windows-1252"_s,
                      "<% Dim s : s = \"caf\xe9\" ' r\xe9sum\xe9\r\nResponse.Write \"<p>na\xefve \x80\x81</p>\" & Len(s)"
                      " & Asc(\"\xe9\")\r\nResponse.Write \"[\" & s & \"]\" %>\r\n<b>\xe0\x9f</b>"});
        // An include the converter cannot read skips errors: a write that
        // fails halfway prints nothing in the page.
        pages.append({u"unread include that skips errors"_s,
                      "<!--#include file=\"conn.asp\"--><% Dim a : a = Array(1)\r\n"
                      "Response.Write \"<p>\" & a & \"</p>\"\r\nResponse.Write \"done\" %>",
                      {{"conn.asp", "<% On Error Resume Next %>"}}, false});
        pages.append({u"read include that skips errors"_s,
                      "<!--#include file=\"conn.asp\"--><% Dim a : a = Array(1)\r\n"
                      "Response.Write \"<p>\" & a & \"</p>\"\r\nResponse.Write \"done\" %>",
                      {{"conn.asp", "<% On Error Resume Next %>"}}});
        // A function that prints by its HTML text, called in the middle of a
        // write or of <%= %>.
        pages.append({u"function printing its text"_s,
                      "<% Function F() %>[f]<% F = 1 : End Function\r\n"
                      "Response.Write \"<p>\" & F() & \"</p>\" %><%= \"<i>\" & F() & \"</i>\" %>"});
        // A default member that prints, evaluated in the middle of a write.
        pages.append({u"default member that prints"_s,
                      "<% Class Counter\r\n  Public Default Function Value()\r\n    Response.Write \"[counted]\"\r\n"
                      "    Value = 1\r\n  End Function\r\nEnd Class\r\n"
                      "Dim c : Set c = New Counter\r\nResponse.Write \"<p>\" & c & \"</p>\" %>"});
        // Evaluating a piece of a write changes a value that a piece
        // before it read: Wine's VBScript reads a variable when & runs.
        pages.append({u"procedure changing a value of the same write"_s,
                      "<% Dim total : total = 1\r\nFunction NextRow() : total = total + 1 : NextRow = \"|\" : End Function\r\n"
                      "Response.Write total & NextRow() & \"<br>\"\r\nResponse.Write \"<td>\" & total & NextRow() & total %>"
                      "<%= total & NextRow() %>"});
        pages.append({u"functions changing a ByRef argument or a global, or nothing"_s,
                      "<% Dim total, counter : total = 5 : counter = 1\r\n"
                      "Function Clear(n) : n = 0 : Clear = \"|\" : End Function\r\n"
                      "Function Twice(ByVal n) : Dim t : t = n * 2 : n = 0 : Twice = t : End Function\r\n"
                      "Class C\r\nPublic Property Get Bumped() : counter = counter + 1 : Bumped = \"+\" : End Property\r\nEnd Class\r\n"
                      "Dim o : Set o = New C\r\nResponse.Write total & Twice(total) & \"<br>\"\r\n"
                      "Response.Write counter & o.Bumped & \"<br>\"\r\nResponse.Write total & Clear(total) & \"<br>\" %>"});
        // An error not skipped stops the page before the write prints.
        pages.append(stopping(u"division by zero in a write"_s,
                              "<% Dim a, b : a = 1 : b = 0\r\nResponse.Write \"<p>\" & a / b & \"</p>\" %>"));
        pages.append(stopping(u"conversion error in an expression block"_s,
                              "<p><%= \"<i>\" & CInt(\"x\") & \"</i>\" %>"));
        pages.append(stopping(u"array joined in a procedure"_s,
                              "<% Sub Show(v) : Response.Write \"<u>\" & v & \"</u>\" : End Sub\r\nShow 1 : Show Array(1) %>"));
        // Pieces evaluated before the write prints, as statements of every
        // kind hold them.
        pages.append({u"pieces evaluated first"_s,
                      "<% Option Explicit\r\nDim i, a(2)\r\na(0) = \"x\" : a(1) = 2 : a(2) = Null\r\n"
                      "For i = 0 To 2 : Response.Write \"<td>\" & a(i) & \"</td>\" : Next\r\n"
                      "If i > 1 Then Response.Write \"<b>\" & a(1) * 2 & \"</b>\" Else Response.Write \"no\"\r\n"
                      "With Response\r\n.Write \"<i>\" & UCase(a(0)) & \"|\" & a(2) & \"</i>\"\r\nEnd With\r\n"
                      "Sub Show(v)\r\n  Response.Write \"<u>\" & v & \"</u>\"\r\nEnd Sub\r\nShow 3 : Show \"y\" %>"
                      "<%= \"<s>\" & a(0) & a(1) %>"});
        pages.append({u"object declared by a write"_s,
                      "<% Response.Write \"<OBJECT RUNAT=Server ID=conn PROGID=\"\"ADODB.Connection\"\"></OBJECT>\" %>"});
        return pages;
    }

    // Runs every page and its template; a page whose template cannot be made
    // is counted as refused, a template that prints differently is reported.
    Figures compare(const QList<Page>& cases)
    {
        Figures figures;
        QList<QByteArray> programs(cases.size() * 2);
        for (qsizetype i = 0; i < cases.size(); ++i) {
            // the language told by the page, as without --from
            const tagora::HtmlFromScript made = tagora::htmlFromScript(
                cases[i].text.toStdString(), std::nullopt,
                readerOf(cases[i].includesShown ? cases[i].includes : QMap<QByteArray, QByteArray>()));
            const std::string* text = made.html ? &*made.html : nullptr;
            if (!text) {
                ++figures.refused;
                qWarning().noquote() << cases[i].name << "refused:" << made.error.message.c_str() << "\n" << cases[i].text;
                continue;
            }
            if (made.target != tagora::Target::Asp) {
                qWarning().noquote() << cases[i].name << "read as" << tagora::targetInfo(*made.target).name.data();
                ++figures.different;
                continue;
            }
            if (writesLeft(QByteArray::fromStdString(*text))) {
                qWarning().noquote() << cases[i].name << "keeps a Response.Write";
                ++figures.different;
            }
            programs[i] = programOf(cases[i].text, cases[i].includes);
            programs[cases.size() + i] = programOf(QByteArray::fromStdString(*text), cases[i].includes);
        }
        if (!m_directory.isValid())
            return {0, int(cases.size())};
        const QStringList printed = run(programs);
        if (printed.size() != programs.size()) {
            qWarning().noquote() << printed.join(u"\n"_s);
            return {0, int(cases.size())};
        }
        for (qsizetype i = 0; i < cases.size(); ++i) {
            if (programs[i].isEmpty())
                continue;  // refused
            const QString& page = printed[i];
            const bool stopped = page.contains(QChar(1));
            const bool stopsAsExpected = cases[i].stops == Page::Stop::Either || stopped == (cases[i].stops == Page::Stop::Always);
            if (page.isEmpty() || !stopsAsExpected
                || withoutErrorLine(printed[cases.size() + i]) != withoutErrorLine(page)) {
                ++figures.different;
                qWarning().noquote() << cases[i].name << "page:\n" << cases[i].text << "\nprinted:\n" << page
                                     << "\ntemplate printed:\n" << printed[cases.size() + i];
            }
        }
        return figures;
    }

    // What each program prints, in order; an entry that starts with
    // Chr(1) tells the error that stopped it.
    QStringList run(const QList<QByteArray>& programs)
    {
        QByteArray driver(kDriver);
        driver.replace("PROGRAMS", QByteArray::number(programs.size()));
        driver.replace("\n", "\r\n");
        for (qsizetype i = 0; i <= programs.size(); ++i) {
            QFile file(m_directory.filePath(i < programs.size() ? u"program%1.vbs"_s.arg(i) : u"driver.vbs"_s));
            if (!file.open(QIODevice::WriteOnly) || file.write(i < programs.size() ? programs[i] : driver) < 0)
                return {u"cannot write "_s + file.fileName()};
        }
        QProcess cscript;
        const QProcessEnvironment environment = wineEnvironment();
        cscript.setProcessEnvironment(environment);
        cscript.setWorkingDirectory(m_directory.path());
        cscript.start(QStandardPaths::findExecutable(u"wine"_s), {u"cscript"_s, u"//nologo"_s, u"driver.vbs"_s});
        if (!cscript.waitForFinished(240000))
            return {u"cscript did not finish"_s};

        QFile printed(m_directory.filePath(u"printed.txt"_s));
        const QByteArray bytes = printed.open(QIODevice::ReadOnly) ? printed.readAll() : QByteArray();
        if (!bytes.startsWith("\xFF\xFE"))
            return {u"nothing printed in UTF-16LE: the driver does not run: "_s
                    + QString::fromLocal8Bit(cscript.readAll())};
        QStringList outputs = QString(reinterpret_cast<const QChar*>(bytes.constData() + 2), (bytes.size() - 2) / 2)
                                  .split(QChar(2));
        outputs.removeLast();  // after the last Chr(2)
        return outputs;
    }

    QTemporaryDir m_directory;
};

QTEST_GUILESS_MAIN(TestLegacyAspRoundTrip)
#include "tst_legacy_asp_round_trip.moc"

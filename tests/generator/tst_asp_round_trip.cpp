// Runs generated ASP scripts (exact escaping) through the VBScript engine of
// Wine's cscript: each must print exactly the input, line breaks as CR LF.
//
// All cases go into one VBScript file, one Sub per case, run once: Wine
// takes seconds to start. What the file differs in from the ASP page:
// - the <% and %> lines go (they are ASP delimiters, not VBScript);
// - Response is an object of a small class whose Write writes to a UTF-16
//   file, one case after the other, with Chr(2) after each;
// - Wine's parser does not take `Response.Write("x") & vbCrLf` (real
//   VBScript does: the argument is the whole expression), so such a line
//   becomes the equivalent `Response.Write (("x") & vbCrLf)`;
// - Wine reads scripts only in Windows-1252, so the cases keep to it.

#include "random_html.h"
#include "script_generator.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using tagora::Escaping;
using tagora::Target;

namespace {

const QString kCrLf = u"\r\n"_s;
constexpr char16_t kCaseEnd = 2;

QString aspScript(const QString& html)
{
    const auto script = tagora::script(Target::Asp, Escaping::Exact, html.toStdU16String());
    return script ? QString::fromStdU16String(*script) : u"<no script>"_s;
}

// The VBScript between the script's first line <% and its last line %>.
QString vbscriptOf(const QString& aspPage)
{
    QStringList lines = aspPage.split(kCrLf);
    if (lines.size() < 2 || lines.first() != u"<%" || lines.last() != u"%>")
        return u"Syntax error: not an ASP block"_s;
    lines = lines.mid(1, lines.size() - 2);
    const QString call = u"Response.Write("_s, continued = u" & vbCrLf"_s;
    for (QString& line : lines) {
        if (line.startsWith(call) && line.endsWith(continued))
            line = u"Response.Write (("_s + line.mid(call.size()) + u")"_s;
    }
    return lines.join(kCrLf);
}

QString harness(const QStringList& inputs)
{
    QStringList lines{
        u"Class FakeResponse"_s,
        u"  Public Sub Write(text)"_s,
        u"    printed.Write text"_s,
        u"  End Sub"_s,
        u"End Class"_s,
        u"Dim printed, Response"_s,
        u"Set printed = CreateObject(\"Scripting.FileSystemObject\").CreateTextFile(\"printed.txt\", True, True)"_s,
        u"Set Response = New FakeResponse"_s,
    };
    for (qsizetype i = 0; i < inputs.size(); ++i)
        lines << u"Sub Case%1"_s.arg(i) << vbscriptOf(aspScript(inputs[i])) << u"End Sub"_s;
    lines << u"On Error Resume Next"_s;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        lines << u"Case%1"_s.arg(i)
              << u"If Err.Number <> 0 Then printed.Write \"error \" & Err.Number & \": \" & Err.Description"_s
              << u"Err.Clear"_s << u"printed.Write Chr(2)"_s;
    }
    lines << u"printed.Close"_s;
    return lines.join(kCrLf) + kCrLf;
}

// Hand-picked inputs, then random ones made of Windows-1252 pieces that
// VBScript and ASP read specially, and characters outside ASCII.
QStringList inputs()
{
    QStringList inputs{
        u"<a onclick=\"alert('hi')\" data-x='{\"k\": \"v\"}'>He said \"yes\"</a> \"\" \"\"\" x\"\"y \""_s,
        u"<%= x %> 100%> %%>> %>%> %"_s, u"50%\r\n> next\r\n%\r\n>\r\n%\r>\r\n%\n>"_s,
        u"\r"_s, u"\na\rb\n"_s, u"a\r\r\nb\r\r\n\r"_s, u"\r\n"_s, u"\tx\t\t \tC:\\new\\table \\\" \\' \\"_s,
        u"' REM x : y _\r\n_\r\nit's & vbCrLf & \"x\" ) ("_s,
        u"caf\u00E9 \u20AC 5 \u2122 \u2026 \u201Cq\u201D \u2018s\u2019 \u2014 \u0152 \u00FF \u00DF"_s,
        u"<li class=\"n\">\"%\r\n></li>\t\u00E9\\ %>\r\n"_s.repeated(300),
    };
    const QStringList pieces{
        u"\""_s, u"\"\""_s, u"%"_s, u">"_s, u"%>"_s, u"<%"_s, u"<%="_s, u"\r"_s, u"\n"_s, u"\r\n"_s,
        u"\t"_s, u"\\"_s, u"'"_s, u" "_s, u"x"_s, u"&"_s, u"_"_s, u":"_s, u"REM "_s, u"vbCrLf"_s,
        u"("_s, u")"_s, u"\u00E9"_s, u"\u20AC"_s, u"\u2122"_s, u"\u00FF"_s,
    };
    return inputs + randomHtml(pieces, 300);
}

}  // namespace

class TestAspRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void printsTheInput();

private:
    // What the scripts of the inputs print, one entry per input.
    QStringList runScripts(const QStringList& inputs);

    QTemporaryDir m_directory;
    QString m_wine;
};

// Classic ASP also ends the code block at the first %>, inside a string
// or not: no script holds one before its end.
void TestAspRoundTrip::printsTheInput()
{
    const QStringList cases = inputs();
    for (const QString& html : cases)
        QCOMPARE(aspScript(html).indexOf(u"%>"_s), aspScript(html).size() - 2);
    m_wine = QStandardPaths::findExecutable(u"wine"_s);
    if (m_wine.isEmpty())
        QSKIP("wine is not installed (Debian package wine)");
    QVERIFY(m_directory.isValid());
    const auto printed = runScripts(cases);
    QCOMPARE(printed.size(), cases.size());
    for (qsizetype i = 0; i < cases.size(); ++i)
        QCOMPARE(printed[i], cases[i]);
}

QStringList TestAspRoundTrip::runScripts(const QStringList& inputs)
{
    const QString source = m_directory.filePath(u"cases.utf8"_s);
    const QString script = m_directory.filePath(u"cases.vbs"_s);
    const QString printedPath = m_directory.filePath(u"printed.txt"_s);
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(harness(inputs).toUtf8()) < 0)
        return QStringList{u"cannot write "_s + source};
    file.close();
    QFile::remove(printedPath);
    if (QProcess::execute(u"iconv"_s, {u"-f"_s, u"UTF-8"_s, u"-t"_s, u"WINDOWS-1252"_s,
                                       u"-o"_s, script, source}) != 0)
        return QStringList{u"iconv cannot write the cases in Windows-1252"_s};

    QProcess cscript;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"WINEPREFIX"_s, QCoreApplication::applicationDirPath() + u"/wineprefix"_s);
    environment.insert(u"WINEDEBUG"_s, u"-all"_s);
    environment.insert(u"WINEDLLOVERRIDES"_s, u"mscoree,mshtml="_s);
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    cscript.setProcessEnvironment(environment);
    cscript.setWorkingDirectory(m_directory.path());
    cscript.start(m_wine, {u"cscript"_s, u"//nologo"_s, u"cases.vbs"_s});
    if (!cscript.waitForFinished(240000))
        return QStringList{u"cscript did not finish"_s};

    QFile printed(printedPath);
    const QByteArray bytes = printed.open(QIODevice::ReadOnly) ? printed.readAll() : QByteArray();
    if (!bytes.startsWith("\xFF\xFE"))
        return QStringList{u"nothing printed in UTF-16LE: a script does not compile"_s};
    QString text(reinterpret_cast<const QChar*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    QStringList outputs = text.split(QChar(kCaseEnd));
    outputs.removeLast();  // after the last Chr(2)
    return outputs;
}

QTEST_GUILESS_MAIN(TestAspRoundTrip)
#include "tst_asp_round_trip.moc"

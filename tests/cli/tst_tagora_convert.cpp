// Runs the tagora-convert executable: output bytes, line breaks, block
// edges, exit codes and messages, and how it writes files.

#include "case_file.h"
#include "script_writer/credits.h"
#include "files.h"
#include "reference.h"
#include "script_writer/script_generator.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <optional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using tagora::Escaping;
using tagora::Target;
constexpr auto kPhp = Target::Php;
constexpr auto kAsp = Target::Asp;

namespace {

struct Result { int exitCode = -1; QByteArray out, err; };

// The program starts with every signal at its default action, whatever the
// test inherited, so that none is ignored for it.
void defaultSignals()
{
    for (int signal = 1; signal < NSIG; ++signal)
        std::signal(signal, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

// What a test changes for a run of the program: a call made in the child
// before the program starts (another user, a limit) and the environment.
struct Conditions {
    std::function<void()> inChild;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

// A program built for coverage (TAGORA_COVERAGE) writes its counts where
// LLVM_PROFILE_FILE says when it ends, and says on its standard error when it
// cannot: runs in conditions of their own write them to a file of theirs
// (the same pattern in another folder), or nowhere.
constexpr auto kProfileFile = "LLVM_PROFILE_FILE";

QProcessEnvironment profileIn(const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.contains(kProfileFile))
        environment.insert(kProfileFile, folder.isEmpty() ? u"/dev/null"_s
                                                          : folder + u'/' + QFileInfo(environment.value(kProfileFile)).fileName());
    return environment;
}

// The program, or a bash script run with the program as $0 and the
// arguments as $1...
Result runProgram(const QString& program, const QStringList& arguments, const QByteArray& input,
                  const QString& outputFile, const Conditions& conditions)
{
    QProcess process;
    process.setProcessEnvironment(conditions.environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.setChildProcessModifier([setUp = conditions.inChild] {
        defaultSignals();
        if (setUp)
            setUp();
    });
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

Result runConvert(const QStringList& arguments, const QByteArray& input = {}, const QString& outputFile = {},
                  const Conditions& conditions = {})
{
    return runProgram(QStringLiteral(TAGORA_CONVERT_PATH), arguments, input, outputFile, conditions);
}

Result runShell(const QString& script, const QStringList& arguments, const Conditions& conditions = {})
{
    return runProgram(u"bash"_s, QStringList{u"-c"_s, script, QStringLiteral(TAGORA_CONVERT_PATH)} + arguments, {},
                      {}, conditions);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every entry under the folder: a link with its target, a file with its
// bytes.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        entries[entry.filePath()] = entry.isSymLink() ? "-> " + entry.symLinkTarget().toUtf8()
                                    : entry.isFile()  ? contents(entry.filePath())
                                                      : QByteArray("folder");
    }
    return entries;
}

// The window's script for the same text pasted into it: the input text
// (as the plain reference of the fuzz harnesses has it), then the window's
// generator.
QByteArray windowScript(Target language, Escaping escaping, const QByteArray& utf8)
{
    const std::u16string text = fuzz::decodeUtf8(fuzz::inputText(utf8.toStdString())).text;
    return QString::fromStdU16String(tagora::script(language, escaping, text).value_or(u"<no script>")).toUtf8();
}

// The script without its comment header: the lines after the first one
// that start with the comment prefix, and the empty line after them.
QByteArray withoutHeaderComment(const QByteArray& script, const QByteArray& prefix)
{
    QList<QByteArray> lines = script.split('\n');
    const qsizetype first = lines[0].startsWith(prefix) ? 0 : 1;
    qsizetype end = first;
    while (end < lines.size() && lines[end].startsWith(prefix))
        ++end;
    if (end > first && end < lines.size() && lines[end] == "\r")
        ++end;
    lines.remove(first, end - first);
    return lines.join('\n');
}

// Exactly size bytes of CR LF text that the input rules leave as it is.
QByteArray plainText(qsizetype size)
{
    const QByteArray line = "<p class=\"a\">$x \\ \t caf\xC3\xA9 %> \xE2\x80\x99</p>\r\n";
    QByteArray text = line.repeated(size / line.size() + 1);
    text.truncate(size);
    while (text.endsWith('\r') || (!text.isEmpty() && uchar(text.back()) >= 0x80))
        text.chop(1);  // no CR and no sequence cut off at the end
    return text.leftJustified(size, 'x');
}

// How a line comment starts in the target's language.
QByteArray commentPrefix(Target target)
{
    switch (target) {
    case Target::Perl:
    case Target::Python:
        return "# ";
    case Target::Asp:
        return "' ";
    case Target::Php:
    case Target::PhpNowdoc:
    case Target::Js:
    case Target::JsConcat:
    case Target::Json:
    case Target::Jsp:
        break;
    }
    return "// ";
}

// What the script prints, run by its interpreter; null for ASP and JSP.
// JSON.parse, unlike the program, takes no byte-order mark, and PHP prints
// one: the mark is left out of what they see.
QByteArray printedBy(Target target, QByteArray script)
{
    const QByteArray mark = "\xEF\xBB\xBF";
    QString program;
    QStringList arguments;
    const QString node = u"const s = require('fs').readFileSync(0, 'utf8').replace(/^\\uFEFF/, '');"
                         u"process.stdout.write(process.argv[1] == 'json' ? JSON.parse(s) : new Function(s + '\\nreturn html;')());"_s;
    switch (target) {
    case Target::Php:
    case Target::PhpNowdoc:
        program = u"php"_s, arguments = {u"-n"_s};
        break;
    case Target::Js:
    case Target::JsConcat:
    case Target::Json:
        program = u"node"_s, arguments = {u"-e"_s, node, target == Target::Json ? u"json"_s : u"js"_s};
        break;
    case Target::Perl:
        program = u"perl"_s;
        break;
    case Target::Python:
        program = u"python3"_s, arguments = {u"-"_s};
        break;
    case Target::Asp:
    case Target::Jsp:
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    process.write(script);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return "<" + program.toUtf8() + " failed: " + process.readAllStandardError() + ">";
    QByteArray printed = process.readAllStandardOutput();
    return printed.startsWith(mark) ? printed.mid(mark.size()) : printed;
}

}  // namespace

class TestTagoraConvert : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_directory.isValid());
        m_usage = runConvert({u"--help"_s}).out;
        QVERIFY(m_usage.startsWith("Usage: tagora-convert [OPTION]... [FILE]...\n"));
    }

    void runs_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        using Bytes = QByteArray;
        const auto converts = [](const char* name, QStringList arguments, Bytes input, Bytes out) {
            QTest::newRow(name) << arguments << input << 0 << out << Bytes();
        };
        const auto fails = [](const char* name, QStringList arguments, Bytes input, int code, Bytes err) {
            QTest::newRow(name) << arguments << input << code << Bytes() << err;
        };

        // A file that ends with a line break ends with one empty line, as the
        // window shows it after a paste.
        const Bytes lastLineEmpty = windowScript(kPhp, Escaping::Classic, "a\n");
        for (const char* last : {"\n", "\r\n", "\r"})
            converts(last, {u"--classic"_s}, Bytes("a") + last, lastLineEmpty);
        converts("exact by default", {u"--php"_s}, "$x \"q\" %>", windowScript(kPhp, Escaping::Exact, "$x \"q\" %>"));
        converts("classic on request", {u"--classic"_s, u"--asp"_s}, "$x \"q\" %>",
                 windowScript(kAsp, Escaping::Classic, "$x \"q\" %>"));
        const Bytes breaks = "1\r2\n3\r\n4\n\n5\r\r\n6\n\r7" + Bytes(1, '\0') + "\xC3\xA9\xE2\x80\xA9" "8\xEF\xB7\x90\r";
        converts("line breaks, U+2029, U+FDD0, NUL", {}, breaks, windowScript(kPhp, Escaping::Exact, breaks));
        for (const tagora::TargetInfo& info : tagora::targets()) {
            const Bytes name = "target " + Bytes(info.name.data(), qsizetype(info.name.size()));
            const Bytes input = breaks + "HTML\n<!--</";
            converts(name.data(), {u"--to"_s, QString::fromLatin1(info.name)}, input,
                     windowScript(info.target, Escaping::Exact, input));
        }
        // Script options: the header comment left out, the JavaScript
        // constant named; read back, the text is the same.
        for (const tagora::TargetInfo& info : tagora::targets()) {
            const Bytes name = "no header, " + Bytes(info.name.data(), qsizetype(info.name.size()));
            const Bytes input = "<p>\"a\"</p>\n// x";
            converts(name.data(), {u"--no-header"_s, u"-t"_s, QString::fromLatin1(info.name)}, input,
                     withoutHeaderComment(windowScript(info.target, Escaping::Exact, input), commentPrefix(info.target)));
        }
        Bytes renamed = windowScript(Target::JsConcat, Escaping::Exact, "a");
        renamed.replace("const html = ", "const $page_2 = ");
        converts("JavaScript name", {u"-tjs-concat"_s, u"--name=$page_2"_s}, "a", renamed);
        converts("no header and a name, read back", {u"--to=html"_s},
                 withoutHeaderComment(renamed, "// "), "a");
        converts("leading BOM dropped, later one kept", {u"--php"_s, u"--php"_s}, "\xEF\xBB\xBFx\xEF\xBB\xBF",
                 windowScript(kPhp, Escaping::Exact, "x\xEF\xBB\xBF"));
        converts("help after an option", {u"--asp"_s, u"--help"_s}, {}, m_usage);
        namespace c = tagora::credits;
        const auto bytes = [](std::string_view text) { return Bytes(text.data(), qsizetype(text.size())); };
        converts("version", {u"--version"_s}, {},
                 "tagora-convert (" + bytes(c::kProductName) + ") " + bytes(c::kVersion) + "\nWritten by "
                     + bytes(c::kDeveloperName) + ".\n");
        // Other encodings, in every output mode; standard input read twice
        // by --encoding=auto is kept in a file first.
        converts("--encoding=koi8-r", {u"--asp"_s, u"--encoding=koi8-r"_s}, "\xf0\xd2\xc9\xd7\xc5\xd4\r",
                 windowScript(kAsp, Escaping::Exact, "Привет\r"));
        converts("a mark decides over --encoding", {u"--encoding=windows-1251"_s}, Bytes("\xff\xfe" "a\0\xac\x20", 6),
                 windowScript(kPhp, Escaping::Exact, "a\xe2\x82\xac"));
        converts("--encoding=auto, declared", {u"--encoding=auto"_s}, "<meta charset=koi8-r>\xf0",
                 windowScript(kPhp, Escaping::Exact, "<meta charset=koi8-r>\xd0\x9f"));
        converts("a script in Windows-1252 back to HTML", {u"--to=html"_s, u"--encoding=cp1252"_s},
                 QString::fromUtf8(windowScript(kPhp, Escaping::Exact, "<p>caf\xc3\xa9</p>")).toLatin1(),
                 "<p>caf\xc3\xa9</p>");

        fails("directory", {m_directory.path()}, {}, 2,
              "tagora-convert: " + m_directory.path().toUtf8() + ": cannot read: Is a directory\n");

        // Scripts back to HTML: what cannot be read says where.
        const Bytes jsStart = windowScript(Target::Js, Escaping::Exact, "a").chopped(3);
        fails("script cut short", {u"--to=html"_s}, jsStart, 2, "tagora-convert: standard input:5:15: the script ends before its text does\n");
        fails("script of another language", {u"--to=html"_s, u"-f"_s, u"json"_s}, windowScript(kPhp, Escaping::Exact, "a"), 2,
              "tagora-convert: standard input:1:1: not one of this program's json scripts\n");
        addRunsOfFile();
    }

    // A conversion runs three times: the input on standard input, without FILE
    // and as -, and in a file named on the command line (see runs.txt).
    void runs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QList<QStringList> sources{{}};
        if (exitCode == 0 && !input.isEmpty())
            sources << QStringList{u"-"_s} << QStringList{writeFile(u"input.html"_s, input)};
        for (const QStringList& source : sources) {
            const Result result = runConvert(arguments + source, source.value(0, u"-"_s) == u"-" ? input : "");
            QCOMPARE(result.err, err);
            QCOMPARE(result.exitCode, exitCode);
            QCOMPARE(result.out, out);
        }
    }

    // A PHP file in Windows-1252: by default its template prints the same
    // bytes under php, escapes and byte literals included; written in UTF-8
    // on request, its text prints as UTF-8 and code beyond ASCII is named.
    void legacyEncodingKept()
    {
        if (QStandardPaths::findExecutable(u"php"_s).isEmpty())
            QSKIP("php is not installed (scripts/install-deps.sh test installs it)");
        const QStringList legacy{u"--to=html"_s, u"--encoding=windows-1252"_s};
        const QString bytes = writeFile(u"bytes.php"_s, "<?php\n$s = \"caf\\xe9|caf\xe9\"; $t = '\\xe9' . \"\\351\";\necho \"<p>$s</p>\", "
                                                         "strlen(\"\xe9\"), \"\\351\\n\";\n?>\n<p>fin \xe9</p>\n");
        const Result kept = runConvert(legacy + QStringList{bytes});
        QCOMPARE(kept.err, QByteArray());
        QCOMPARE(printedBy(kPhp, kept.out), printedBy(kPhp, contents(bytes)));

        const Result utf8 = runConvert(legacy + QStringList{u"--output-encoding=utf-8"_s, bytes});
        QCOMPARE(utf8.exitCode, 0);
        const QByteArray warning = "tagora-convert: " + bytes.toUtf8() + ": warning: template ";
        const QByteArray meaning = ", which in UTF-8 may not mean what it meant in windows-1252\n";
        QCOMPARE(utf8.err, warning + "2:7: code holds characters beyond ASCII" + meaning + warning
                               + "2:37: an escape in code makes a byte beyond ASCII" + meaning + warning
                               + "4:29: code holds characters beyond ASCII" + meaning);

        const QString text = writeFile(u"text.php"_s, "<?php\n$n = 2;\necho \"<p>caf\\xe9 $n \xe9</p>\\n\";\n");
        const Result plain = runConvert(legacy + QStringList{u"--output-encoding=utf-8"_s, text});
        QCOMPARE(plain.err, QByteArray());
        QCOMPARE(printedBy(kPhp, plain.out), QString::fromLatin1(printedBy(kPhp, contents(text))).toUtf8());
    }

    // An ASP page in Windows-1252 (as Wine's VBScript reads it, see
    // tst_legacy_asp_round_trip): its template keeps the page's bytes; in
    // UTF-8 (bytes from Python's cp1252 codec) strings in code and the
    // code page are named, comments and text are not.
    void legacyAspEncodingKept()
    {
        const QByteArray page = "<%@ CodePage=1252 %>\r\n<% Dim s : s = \"caf\xe9\" ' r\xe9sum\xe9\r\n"
                                "Response.Write \"<p>na\xefve \x80</p>\" & s %>";
        const QStringList legacy{u"--to=html"_s, u"--encoding=windows-1252"_s};
        const Result kept = runConvert(legacy, page);
        QCOMPARE(kept.err, QByteArray());
        QCOMPARE(kept.out, "<%@ CodePage=1252 %>\r\n<% Dim s : s = \"caf\xe9\" ' r\xe9sum\xe9\r\n"
                           "%><p>na\xefve \x80</p><%= s %>");
        const Result utf8 = runConvert(legacy + QStringList{u"--output-encoding=utf-8"_s}, page);
        QCOMPARE(utf8.exitCode, 0);
        QCOMPARE(utf8.out, "<%@ CodePage=1252 %>\r\n<% Dim s : s = \"caf\xc3\xa9\" ' r\xc3\xa9sum\xc3\xa9\r\n"
                           "%><p>na\xc3\xafve \xe2\x82\xac</p><%= s %>");
        const QByteArray warning = "tagora-convert: standard input: warning: template ";
        const QByteArray meaning = ", which in UTF-8 may not mean what it meant in windows-1252\n";
        QCOMPARE(utf8.err, warning + "1:5: code names a code page" + meaning + warning
                               + "2:16: a string in code holds characters beyond ASCII" + meaning);
    }

    // Every target's script, on standard input or in a file, large or
    // small, goes back to what it prints; a failed reading leaves -o alone.
    void scriptsBackToHtml()
    {
        const QByteArray text = "<p class=\"a\">$x {y} ${z} `q` \\ </script> <!-- \t\xC3\xA9 \xE2\x80\xA8 \xF0\x9F\x98\x80 %> \x01\r\nHTML\r\n";
        for (const QByteArray& page : {text, text.repeated(3000)}) {
            for (const tagora::TargetInfo& info : tagora::targets()) {
                const QString name = QString::fromLatin1(info.name);
                QByteArray printed = page;
                printed.replace("\r\n", QByteArray(info.printedLineBreak.data(), qsizetype(info.printedLineBreak.size())));
                const QByteArray script = runConvert({u"--to"_s, name}, page).out;
                QVERIFY2(runConvert({u"--to=html"_s}, script).out == printed, qPrintable(name));
                const Result fromFile = runConvert({u"--to=html"_s, u"--from"_s, name, writeFile(u"script"_s, script)});
                QVERIFY2(fromFile.exitCode == 0 && fromFile.out == printed, qPrintable(name));
            }
        }
        // Every target's literal of the text, its line breaks as they are,
        // back to the text: recognised, or named (then read in blocks).
        for (const QByteArray& selection : {QByteArray("a\r\nb\nc\r") + text, (text + "\n").repeated(3000)}) {
            for (const tagora::TargetInfo& info : tagora::targets()) {
                const QString name = QString::fromLatin1(info.name);
                const QByteArray literal = runConvert({u"--to"_s, name, u"--literal"_s}, selection).out;
                const Result named = runConvert({u"-u"_s, u"--from"_s, name, writeFile(u"literal"_s, literal)});
                QVERIFY2(named.exitCode == 0 && named.out == selection, qPrintable(name + u": "_s + named.err));
                if (info.target != Target::Asp)  // taken for another language's
                    QVERIFY2(runConvert({u"--unescape"_s}, literal).out == selection, qPrintable(name));
            }
        }
        // Version 1.0's PHP scripts read back too, but where PHP would print
        // a variable the script is made into a template that does.
        const QByteArray dollars = "$ 5 $5 \"q\" a$";
        QCOMPARE(runConvert({u"--to=html"_s}, windowScript(kPhp, Escaping::Classic, dollars)).out, dollars);
        for (const char* variable : {"$_b", "$b", "${b}", "{$b}", "$\xC3\xA9"}) {
            const QByteArray html = runConvert({u"--to=html"_s}, windowScript(kPhp, Escaping::Classic, "a " + QByteArray(variable) + " c")).out;
            QVERIFY2(html.contains("<?= ") && !html.contains(QByteArray(variable) + " c"), html.constData());
        }

        const QString target = writeFile(u"kept.html"_s, "old");
        const QByteArray cut = runConvert({u"--to=perl"_s}, text).out.chopped(1);
        QCOMPARE(runConvert({u"--to=html"_s, u"-o"_s, target}, cut).exitCode, 2);
        QCOMPARE(contents(target), QByteArray("old"));
    }

    // The program's own scripts saved again by an editor, with LF line ends
    // and with a byte-order mark, give what their interpreter prints (the
    // mark is no text, as on input); for ASP and JSP, whose line ends print
    // nothing, what the script as written prints.
    void resavedScriptsBackToHtml()
    {
        const QByteArray text = "<p class=\"a\">$x @y {z} \\ \t\xC3\xA9 %> \xF0\x9F\x98\x80</p>\r\nHTML\r\n";
        const QByteArray mark = "\xEF\xBB\xBF";
        for (const tagora::TargetInfo& info : tagora::targets()) {
            const QString name = QString::fromLatin1(info.name);
            const QByteArray script = runConvert({u"--to"_s, name}, text).out;
            const QByteArray lineFeeds = QByteArray(script).replace("\r\n", "\n");
            for (const QByteArray& resaved : {lineFeeds, mark + script, mark + lineFeeds}) {
                QByteArray expected = printedBy(info.target, resaved);
                if (expected.isNull())
                    expected = runConvert({u"--to=html"_s}, script).out;
                const Result result = runConvert({u"--to=html"_s}, resaved);
                QVERIFY2(result.exitCode == 0 && result.out == expected,
                         qPrintable(name + u": "_s + QString::fromUtf8(result.err + result.out)));
            }
        }
    }

    // A page whose blocks could be of two languages is refused until
    // --from names one; then its template prints what the page prints.
    void languageOfAPageToReadBack()
    {
        const QByteArray page = "<script type=\"text/template\"><% _.each(items) %></script>\n"
                                "<?php $n = 2; echo \"<b>\" . $n . \"</b>\"; ?>\n";
        const Result refused = runConvert({u"--to=html"_s}, page);
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.out.isEmpty() && refused.err.contains("PHP (at 2:1)") && refused.err.contains("--from"),
                 refused.err.constData());
        const Result php = runConvert({u"--to=html"_s, u"--from=php"_s}, page);
        QCOMPARE(php.exitCode, 0);
        QVERIFY2(!php.out.contains("echo"), php.out.constData());
        QCOMPARE(printedBy(Target::Php, php.out), printedBy(Target::Php, page));
        QCOMPARE(runConvert({u"--to=html"_s, u"--from=perl"_s}, page).exitCode, 2);
        // An XML declaration does not make an ASP page PHP.
        const Result asp = runConvert({u"--to=html"_s}, "<?xml version=\"1.0\"?>\r\n<% Response.Write \"<rss/>\" %>");
        QCOMPARE(asp.exitCode, 0);
        QCOMPARE(asp.out, "<?xml version=\"1.0\"?>\r\n<rss/>"_ba);
    }

    // An edit that makes a script no longer the program's is reported
    // where it is, or the script is read as code of its language.
    void editedScriptsBackToHtml_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("wrongAt");          // in `to`, the first byte no script of the program holds
        QTest::addColumn<QByteArray>("expected");  // else what the template holds
        QTest::newRow("perl") << u"perl"_s << "print \"line 905"_ba << "print \"line $905"_ba << 12 << ""_ba;
        QTest::newRow("python") << u"python"_s << "write(\"line 905"_ba << "write(\"line \\q905"_ba << 12 << ""_ba;
        QTest::newRow("js") << u"js"_s << "line 905"_ba << "line ${905}"_ba << 5 << ""_ba;
        QTest::newRow("js-concat") << u"js-concat"_s << "\"line 905"_ba << "\"line \" + x + \"905"_ba << 6 << ""_ba;
        QTest::newRow("json") << u"json"_s << "line 905"_ba << "line \\x41905"_ba << 5 << ""_ba;
        QTest::newRow("php") << u"php"_s << "echo \"line 905"_ba << "echo strtoupper(\"line\") . \" 905"_ba << -1
                             << "\n<?= strtoupper(\"line\") ?> 905\n"_ba;
        QTest::newRow("jsp") << u"jsp"_s << "write(\"line 905"_ba << "write(\"line \" + n + \"905"_ba << -1
                             << "<% String written1 = \"\" + (n); %>line <%= written1 %>905\n"_ba;
    }

    void editedScriptsBackToHtml()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, wrongAt);
        QFETCH(QByteArray, expected);
        QByteArray lines;
        for (int i = 1; i <= 1000; ++i)
            lines += "line " + QByteArray::number(i) + "\r\n";
        QByteArray script = runConvert({u"--to"_s, target}, lines).out;
        QVERIFY(script.count(from) == 1);
        script.replace(from, to);
        const Result result = runConvert({u"--to=html"_s}, script);
        if (wrongAt < 0) {
            QCOMPARE(result.exitCode, 0);
            QVERIFY2(result.out.contains(expected), result.out.right(3000).constData());
            return;
        }
        // The place by counting: the script is ASCII.
        const qsizetype offset = script.indexOf(to) + wrongAt;
        const QByteArray before = script.left(offset);
        const qsizetype line = before.count('\n') + 1;
        const qsizetype column = offset - before.lastIndexOf('\n');
        QCOMPARE(result.exitCode, 2);
        const QByteArray place = "tagora-convert: standard input:" + QByteArray::number(line) + ':' + QByteArray::number(column) + ": ";
        QVERIFY2(result.err.startsWith(place), result.err.constData());
    }

    // A pattern of odd length, repeated: the edges of blocks of any power of
    // two up to 128 KiB fall on every position of it, between CR and LF,
    // between "%" and ">" and inside each multi-byte character.
    void blockEdgesChangeNothing()
    {
        const QByteArray pattern = "x\r\n%>\xC3\xA9\xF0\x9F\x98\x80\r\"\n$\t\xE2\x80\xA9\\<y\r</<!${\xE2\x80\xA8";
        const QByteArray input = pattern.repeated((std::int64_t{pattern.size()} << 17) / pattern.size() + 1);
        const QByteArray listing = " 120 13 10 37 62 233 63 63 13 10 34 13 10 36 9 13 10 92 60 121 13 10 60 47 60 33 36 123 63";
        QList<std::pair<QString, QByteArray>> runs{{u"--codes"_s, listing.repeated(input.size() / pattern.size())}};
        for (const tagora::TargetInfo& info : tagora::targets())
            runs.append({"--to=" + QString::fromLatin1(info.name), windowScript(info.target, Escaping::Exact, input)});
        for (const auto& [option, expected] : runs) {
            QVERIFY2(runConvert({option, writeFile(u"edges.html"_s, input)}).out == expected, qPrintable(option));
            QVERIFY2(runConvert({option}, input).out == expected, qPrintable(option));
        }
    }

    // Files larger than the part of them read at once, with what the input
    // rules change, a character cut by the edge of such a part, or a bad byte
    // placed late: the output is the window's script, or nothing at all.
    void largeFiles_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<qsizetype>("badOffset");  // -1: well-formed
        const auto edge = qsizetype(tagora::cli::kInputBlockSize);  // where the first part read ends
        // Plain text up to `at` bytes from the edge, `middle`, `after` bytes of
        // plain text; `bad` is counted from the edge.
        const auto row = [&](const char* name, qsizetype at, const QByteArray& middle, qsizetype after,
                             std::optional<qsizetype> bad = {}) {
            QTest::newRow(name) << plainText(edge + at) + middle + plainText(after) << (bad ? edge + *bad : -1);
        };
        row("plain CR LF text", 100000, {}, 0);
        row("character across the edge", -1, "\xE2\x82\xAC", 5000);
        row("four bytes across the edge", -2, "\xF0\x9F\x98\x80", 5000);
        row("CR | LF at the edge", -1, "\r\n", 5000);
        row("CR at the very end", 10, "\r", 0);
        row("bad byte deep in ASCII", 64, "\xFF", 100, 64);
        row("cut off at the end of the file", -1, "\xE2\x82", 0, -1);
        row("bad character across the edge", -2, "\xF0\x9F\x98x", 100, -2);
        row("bad byte after a character across the edge", -1, "\xC3\xA9\xFF", 0, 1);
    }

    // Each file is converted to standard output (checked whole first), and
    // from standard input that is the file, already read in part.
    void largeFiles()
    {
        QFETCH(QByteArray, input);
        QFETCH(qsizetype, badOffset);
        const QString file = writeFile(u"large.html"_s, input);
        const Result direct = runConvert({file});
        if (badOffset >= 0) {
            QCOMPARE(direct.err, "tagora-convert: " + file.toUtf8() + ": invalid UTF-8 at byte offset "
                                     + QByteArray::number(badOffset) + "\n");
            QVERIFY(direct.exitCode == 2 && direct.out.isEmpty());
            return;
        }
        QCOMPARE(direct.err, QByteArray());
        QVERIFY(direct.out == windowScript(kPhp, Escaping::Exact, input));
        // dd reads exactly 7 bytes: the rest starts inside a page.
        const Result rest = runShell(u"{ dd bs=7 count=1 of=/dev/null status=none; exec \"$0\"; } <\"$1\""_s, {file});
        QCOMPARE(rest.err, QByteArray());
        QVERIFY(rest.out == windowScript(kPhp, Escaping::Exact, input.mid(7)));
    }

    // -o replaces the file only when the whole output is ready: on failure it
    // stays byte for byte, and no temporary file is left behind.
    void outputFileStaysOnFailure()
    {
        const QString target = writeFile(u"out/page.php"_s, "<?php echo 'old'; ?>\n");
        const QByteArray good = QByteArray("<li>\"x\"</li>\r\n").repeated(100000);
        QCOMPARE(runConvert({u"--output="_s + target}, good + "\xC0\x80").exitCode, 2);
        QCOMPARE(contents(target), QByteArray("<?php echo 'old'; ?>\n"));
        QCOMPARE(QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"page.php"_s});
    }

    void outputDirectoryKeepsGoing_data()
    {
        QTest::addColumn<QStringList>("jobs");
        QTest::newRow("one file at a time") << QStringList{u"-j1"_s};
        QTest::newRow("two at once") << QStringList{u"--jobs=2"_s};
        QTest::newRow("more threads than files") << QStringList{u"-j"_s, u"64"_s};
        QTest::newRow("one per core") << QStringList();
    }

    // A bad file is reported by name; the others are still converted. Every
    // output is checked against the inputs first: none is written over an
    // input or twice, even when the earlier of two fails. Files converted
    // at once are reported in the order they are named.
    void outputDirectoryKeepsGoing()
    {
        QFETCH(QStringList, jobs);
        QTemporaryDir output;
        const QString a = writeFile(u"many/a.html"_s, "<b>a</b>\n");
        const QString b = writeFile(u"many/b.html"_s, "<b>\xE9</b>");
        const QString c = writeFile(u"many/c.d.htm"_s, "c");
        const QString e = writeFile(u"many/e.html"_s, "");
        const QString again = writeFile(u"many/sub/b.txt"_s, "again");
        const QString page = writeFile(u"many/page.html"_s, "page");
        const QString script = output.filePath(u"page.asp"_s);
        QFile::copy(page, script);
        const Result result = runConvert(jobs + QStringList{u"--asp"_s, u"-d"_s, output.path(), page, a, b, c, e, again, script});
        QCOMPARE(result.exitCode, 2);
        const QByteArray out = output.path().toUtf8();
        QCOMPARE(result.err, "tagora-convert: " + page.toUtf8() + ": not converted: its output " + out + "/page.asp is the input " + out + "/page.asp\n"
                             "tagora-convert: " + b.toUtf8() + ": invalid UTF-8 at byte offset 3\n"
                             "tagora-convert: " + e.toUtf8() + ": There is no HTML Code to convert.\n"
                             "tagora-convert: " + again.toUtf8() + ": not converted: its output " + out + "/b.asp is also that of " + b.toUtf8() + "\n"
                             "tagora-convert: " + out + "/page.asp: not converted: its output " + out + "/page.asp is the input " + out + "/page.asp\n");
        QCOMPARE(QDir(output.path()).entryList(QDir::Files), QStringList({u"a.asp"_s, u"c.d.asp"_s, u"page.asp"_s}));
        QCOMPARE(contents(output.filePath(u"c.d.asp"_s)), windowScript(kAsp, Escaping::Exact, "c"));
        QCOMPARE(contents(script), QByteArray("page"));
    }

    // Many files at once, some of them bad at different places, some empty,
    // some large enough to be written while the next part is made: every
    // message in the order of the files, every script the window's, no
    // temporary file left.
    void manyFilesAtOnce()
    {
        QTemporaryDir input;
        QTemporaryDir output;
        QStringList arguments{u"-j"_s, u"4"_s, u"-d"_s, output.path()};
        QByteArray expectedErr;
        QMap<QString, QByteArray> expected;
        for (int i = 0; i < 240; ++i) {
            const QString name = QString::asprintf("p%03d", i);
            QByteArray text = QByteArray("<p>\"") + QByteArray::number(i) + "\" $x</p>\r\n";
            text = text.repeated(i % 40 == 1 ? 60000 : 1 + i % 7);
            if (i % 10 == 3)
                text.insert(i % text.size(), '\xFF');
            if (i % 15 == 4)
                text.clear();
            const QString file = input.filePath(name + u".html"_s);
            QFile created(file);
            QVERIFY(created.open(QIODevice::WriteOnly) && created.write(text) == text.size());
            created.close();
            arguments << file;
            if (i % 10 == 3)
                expectedErr += "tagora-convert: " + file.toUtf8() + ": invalid UTF-8 at byte offset " + QByteArray::number(i % (text.size() - 1)) + "\n";
            else if (i % 15 == 4)
                expectedErr += "tagora-convert: " + file.toUtf8() + ": There is no HTML Code to convert.\n";
            else
                expected[name + u".php"_s] = windowScript(kPhp, Escaping::Exact, text);
        }
        const Result result = runConvert(arguments);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.err, expectedErr);
        QCOMPARE(QDir(output.path()).entryList(QDir::Files | QDir::Hidden), expected.keys());
        for (auto script = expected.cbegin(); script != expected.cend(); ++script)
            QVERIFY2(contents(output.filePath(script.key())) == script.value(), qPrintable(script.key()));
    }

    // A full disk and a closed pipe end with a message and status 2; a device
    // named with -o is written, never replaced.
    void writeFailures()
    {
        const QByteArray noSpace = ": cannot write: No space left on device\n";
        const Result toStandardOutput = runConvert({}, "x", u"/dev/full"_s);
        QVERIFY(toStandardOutput.exitCode == 2 && toStandardOutput.err == "tagora-convert: standard output" + noSpace);
        const Result toDevice = runConvert({u"-o"_s, u"/dev/full"_s}, "x");
        QVERIFY(toDevice.exitCode == 2 && toDevice.err == "tagora-convert: /dev/full" + noSpace);

        const QString big = writeFile(u"big.html"_s, QByteArray("<p>x</p>\n").repeated(1000000));
        const Result piped = runShell(u"\"$0\" \"$1\" | head -c 1 >/dev/null; echo ${PIPESTATUS[0]}"_s, {big});
        QCOMPARE(piped.out, QByteArray("141\n"));  // ended by SIGPIPE, as cat is
        QCOMPARE(piped.err, QByteArray());
    }

    // What the shell's > could not write is refused, never replaced: the
    // input itself (named by -o, reached through a link, or as the standard
    // output it is appended to), a read-only file (with -o or -d), a link to
    // nothing or a loop. Run as an ordinary user: the superuser's > writes
    // read-only files.
    void refusedTargets_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("err");
        const auto row = [](const char* command, const QByteArray& err) {
            QTest::newRow(command) << QString::fromUtf8(command) << "tagora-convert: " + err + "\n";
        };
        row("\"$0\" -o page.html page.html", "page.html: not converted: page.html is the same file");
        row("\"$0\" -o hard.html page.html", "page.html: not converted: hard.html is the same file");
        row("\"$0\" -o soft.html page.html", "page.html: not converted: soft.html is the same file");
        row("\"$0\" page.html >>page.html", "page.html: not converted: standard output is the same file");
        row("\"$0\" <page.html >>soft.html", "standard input: not converted: standard output is the same file");
        row("\"$0\" -o read-only.php page.html", "read-only.php: cannot write: Permission denied");
        row("\"$0\" -d out page.html", "out/page.php: cannot write: Permission denied");
        row("\"$0\" -o dangling.php page.html",
            "dangling.php: cannot write: it is a symbolic link to no file (No such file or directory)");
        row("\"$0\" -o loop.php page.html",
            "loop.php: cannot write: it is a symbolic link to no file (Too many levels of symbolic links)");
    }

    void refusedTargets()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, err);
        const QString folder = fixtures();
        const QMap<QString, QByteArray> before = snapshot(folder);
        const Result result = runShell(u"cd \"$1\" && "_s + command, {folder}, asOrdinaryUser());
        QCOMPARE(result.err, err);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(snapshot(folder), before);
    }

    // A link to a file is followed: the file gets the script, the link stays.
    void linkedTargetFollowed()
    {
        const QString folder = fixtures();
        const Result result = runShell(u"cd \"$1\" && \"$0\" -o to-script.php page.html"_s, {folder}, asOrdinaryUser());
        QCOMPARE(result.err, QByteArray());
        QVERIFY(QFileInfo(folder + u"/to-script.php"_s).isSymLink());
        QCOMPARE(contents(folder + u"/script.php"_s), windowScript(kPhp, Escaping::Exact, "<p>page</p>\n"));
    }

    // Past a file-size limit a write fails instead of ending the program:
    // the temporary file goes and the next file is still converted.
    void fileSizeLimit()
    {
        QTemporaryDir output;
        const QString big = writeFile(u"limit/big.html"_s, QByteArray("<p>x</p>\n").repeated(100000));
        const QString small = writeFile(u"limit/small.html"_s, "<p>y</p>");
        // The counts of a coverage build would not fit under the limit.
        const Conditions limit{[] {
                                   const rlimit size{64 << 10, 64 << 10};
                                   setrlimit(RLIMIT_FSIZE, &size);
                               },
                               profileIn({})};
        const Result result = runConvert({u"-d"_s, output.path(), big, small}, {}, {}, limit);
        QCOMPARE(result.err, "tagora-convert: " + output.path().toUtf8() + "/big.php: cannot write: File too large\n");
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(QDir(output.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"small.php"_s});
        const Result toFile = runConvert({big}, {}, output.filePath(u"standard.php"_s), limit);
        QCOMPARE(toFile.err, QByteArray("tagora-convert: standard output: cannot write: File too large\n"));
        QCOMPARE(toFile.exitCode, 2);
    }

    void signalsRemoveTemporary_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("ignoredAtStart");
        for (const auto& [name, signal] : {std::pair("SIGHUP", SIGHUP), {"SIGINT", SIGINT}, {"SIGQUIT", SIGQUIT},
                                           {"SIGTERM", SIGTERM}, {"SIGUSR1", SIGUSR1}, {"SIGUSR2", SIGUSR2},
                                           {"SIGALRM", SIGALRM}, {"SIGVTALRM", SIGVTALRM}, {"SIGPROF", SIGPROF},
                                           {"SIGXCPU", SIGXCPU}, {"SIGPOLL", SIGPOLL}, {"SIGPWR", SIGPWR},
                                           {"SIGRTMIN", SIGRTMIN}, {"SIGRTMAX", SIGRTMAX}})
            QTest::newRow(name) << signal << false;
        QTest::newRow("SIGHUP under nohup") << SIGHUP << true;
    }

    // Every signal that ends the program takes its temporary file with it
    // and the target stays; the program then ends by that signal. A signal
    // ignored when it started (nohup) stays ignored.
    void signalsRemoveTemporary()
    {
        QFETCH(int, signal);
        QFETCH(bool, ignoredAtStart);
        QTemporaryDir output;
        const QString target = output.filePath(u"page.php"_s);
        QFile::copy(writeFile(u"old.php"_s, "old"), target);
        QProcess process;
        process.setChildProcessModifier([signal, ignoredAtStart] {
            defaultSignals();
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            if (ignoredAtStart)
                std::signal(signal, SIG_IGN);
        });
        process.start(QStringLiteral(TAGORA_CONVERT_PATH), {u"-o"_s, target});
        process.write("<p>x</p>");  // and standard input stays open
        const auto entries = [&] { return QDir(output.path()).entryList(QDir::Files | QDir::Hidden); };
        QTRY_COMPARE_WITH_TIMEOUT(entries().size(), 2, 10000);  // the temporary file is there
        QCOMPARE(::kill(static_cast<pid_t>(process.processId()), signal), 0);
        if (ignoredAtStart) {
            QTest::qWait(100);
            process.closeWriteChannel();
        }
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), ignoredAtStart ? QProcess::NormalExit : QProcess::CrashExit);
        QCOMPARE(process.exitCode(), ignoredAtStart ? 0 : signal);
        QCOMPARE(entries(), QStringList{u"page.php"_s});
        QCOMPARE(contents(target), ignoredAtStart ? windowScript(kPhp, Escaping::Exact, "<p>x</p>") : "old");
    }

    void changedWhileRead_data()
    {
        QTest::addColumn<qint64>("at");
        QTest::addColumn<QByteArray>("written");  // empty: the file is cut off there
        const qint64 late = qint64{12} << 20;
        QTest::newRow("invalid byte written") << late << QByteArray("\xFF");
        QTest::newRow("lone LF written") << late << QByteArray("\n");
        QTest::newRow("valid character written") << late << QByteArray("y");
        QTest::newRow("file emptied while read") << qint64{0} << QByteArray();
    }

    // To standard output a file is checked whole, then converted: when it
    // changes meanwhile, nothing read after the change goes out, and the
    // file is named. One that shrinks while it is read too.
    void changedWhileRead()
    {
        QFETCH(qint64, at);
        QFETCH(QByteArray, written);
        static const QByteArray input = plainText(qsizetype{16} << 20);
        static const QByteArray script = windowScript(kPhp, Escaping::Exact, input);
        const QString file = writeFile(u"changing.html"_s, input);
        QProcess process;
        process.setChildProcessModifier(defaultSignals);
        process.start(QStringLiteral(TAGORA_CONVERT_PATH), {file});
        QVERIFY(process.waitForReadyRead(60000));  // the check is over; the output fills the pipe
        QFile changed(file);
        QVERIFY(changed.open(QIODevice::ReadWrite));
        QVERIFY(written.isEmpty() ? changed.resize(at) : changed.seek(at) && changed.write(written) == written.size());
        changed.close();
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.readAllStandardError(), "tagora-convert: " + file.toUtf8() + ": changed while it was read\n");
        QCOMPARE(process.exitCode(), 2);
        const QByteArray out = process.readAllStandardOutput();
        QVERIFY(!out.isEmpty() && script.startsWith(out));
    }

    // An ASP page's includes are read inside the root only, regular files
    // only, each once: a name they declare as a variable lets a write be
    // split; anything not read keeps it whole, as with no include.
    void aspIncludesAreReadInsideTheRoot()
    {
        const QString site = m_directory.filePath(u"site"_s);
        const QString outside = m_directory.filePath(u"outside"_s);
        QVERIFY(QDir().mkpath(site + u"/inc"_s) && QDir().mkpath(outside));
        const QByteArray declares = "<% Dim y %>";
        writeFile(u"site/inc/lib.asp"_s, declares);
        writeFile(u"outside/lib.asp"_s, declares);
        writeFile(u"site/inc/twin.asp"_s, declares);
        writeFile(u"site/inc/TWIN.asp"_s, declares);
        writeFile(u"site/inc/cycle.asp"_s, "<!--#include file=\"cycle2.asp\"-->");
        writeFile(u"site/inc/cycle2.asp"_s, "<!--#include file=\"cycle.asp\"--><!--#include file=\"lib.asp\"-->");
        QVERIFY(QFile::link(outside + u"/lib.asp"_s, site + u"/inc/link-out.asp"_s));
        QVERIFY(mkfifo(QFile::encodeName(site + u"/inc/fifo.asp"_s).constData(), 0600) == 0);
        const QByteArray write = "<% Response.Write \"<p>\" & y & \"</p>\" %>";
        const struct {
            const char* include;
            bool split;
        } rows[] = {
            {"file=\"inc/lib.asp\"", true},
            {"virtual=\"/inc/lib.asp\"", true},
            {"file=\"inc\\lib.asp\"", true},
            {"file=\"INC/Lib.ASP\"", true},  // IIS on Windows ignores case
            {"file=\"inc/Twin.asp\"", false},  // but not which of two files it means
            {"file=\"../OUTSIDE/lib.asp\"", false},
            {"file=\"inc/cycle.asp\"", true},
            {"file=\"../outside/lib.asp\"", false},
            {"virtual=\"/../outside/lib.asp\"", false},
            {"file=\"inc/link-out.asp\"", false},
            {"file=\"inc/fifo.asp\"", false},
            {"file=\"inc/missing.asp\"", false},
        };
        // A writer waits on the pipe until someone opens it to read: the
        // include is never opened, so the writer still waits after them all.
        QProcess fifoWriter;
        fifoWriter.start(u"sh"_s, {u"-c"_s, u"printf x > \"$0\""_s, site + u"/inc/fifo.asp"_s});
        QVERIFY(fifoWriter.waitForStarted());
        for (const auto& row : rows) {
            writeFile(u"site/page.asp"_s, "<!--#include " + QByteArray(row.include) + "-->" + write);
            const Result result = runConvert({u"--to=html"_s, site + u"/page.asp"_s});
            QVERIFY2(result.exitCode == 0, row.include);
            QCOMPARE(result.out.endsWith("<p><%= y %></p>"), row.split);
        }
        QVERIFY2(!fifoWriter.waitForFinished(300), "the included pipe was opened");
        QFile fifo(site + u"/inc/fifo.asp"_s);
        QVERIFY(fifo.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        QVERIFY(fifoWriter.waitForFinished(10000));
        QCOMPARE(fifo.readAll(), "x");
        // --root widens what may be read, for virtual and file alike.
        writeFile(u"site/page.asp"_s, "<!--#include file=\"../outside/lib.asp\"-->" + write);
        QVERIFY(runConvert({u"--to=html"_s, u"--root"_s, m_directory.path(), site + u"/page.asp"_s})
                    .out.endsWith("<p><%= y %></p>"));
        const Result noRoot = runConvert({u"--to=html"_s, u"--root"_s, site + u"/page.asp"_s, site + u"/page.asp"_s});
        QCOMPARE(noRoot.exitCode, 2);
        QCOMPARE(noRoot.err, "tagora-convert: " + QFile::encodeName(site) + "/page.asp: --root needs a folder that exists\n");
    }

    // --dry-run writes nothing and reports per file; -d reports too.
    void migrationReport()
    {
        writeFile(u"report/a.asp"_s, "<% Response.Write \"<b>\" & x & \"</b>\"\r\nResponse.Write \"<i>\" & f() & \"</i>\"\r\n"
                                     "Response.Write \"<u>\" & Trim(\"  \") & \"</u>\"\r\n"
                                     "Function f() : Response.Write \"!\" : End Function %>");
        writeFile(u"report/b.php"_s, "<?php echo \"<p>\" . $x . \"</p>\"; echo 'ab'; ?>");
        const QString folder = m_directory.filePath(u"report"_s);
        const QMap<QString, QByteArray> before = snapshot(folder);
        const QStringList files{folder + u"/a.asp"_s, folder + u"/b.php"_s};
        const Result dry = runConvert(QStringList{u"--to=html"_s, u"--dry-run"_s, u"-d"_s, folder} + files);
        QCOMPARE(dry.exitCode, 0);
        QCOMPARE(snapshot(folder), before);
        const QList<QByteArray> lines = dry.out.split('\n');
        QCOMPARE(lines.size(), 3);
        // a.asp: 4 writes, f's too (text in its body); "<b>" "</b>" "<i>" "</i>" "<u>"
        // "</u>" "!" are 22 bytes (Trim's argument is not written); the one that calls
        // f stays whole, keeping "<i>" and "</i>".
        QCOMPARE(lines[0], folder.toUtf8() + "/a.asp: asp template: 4 Response.Write, 4 converted (1 of them kept whole "
                                             "in an expression), 0 left as code; 68% of the text they write is now "
                                             "HTML (15 of 22 bytes)");
        QCOMPARE(lines[1], folder.toUtf8() + "/b.php: php template: 2 echo/print, 2 converted (0 of them kept whole in "
                                             "an expression), 0 left as code; 100% of the text they write is now HTML "
                                             "(9 of 9 bytes)");
        const Result written = runConvert(QStringList{u"--to=html"_s, u"-d"_s, folder} + files);
        QCOMPARE(written.out, dry.out);
        const Result atOnce = runConvert(QStringList{u"--to=html"_s, u"--dry-run"_s, u"-j"_s, u"2"_s, u"-d"_s, folder} + files);
        QCOMPARE(atOnce.out, dry.out);
        QVERIFY(QFile::exists(folder + u"/a.html"_s) && QFile::exists(folder + u"/b.html"_s));
        QCOMPARE(runConvert({u"--dry-run"_s, u"--asp"_s}).exitCode, 2);
    }

private:
    // The runs of runs.txt, as rows of runs().
    static void addRunsOfFile()
    {
        const QList<testcases::Case> runs = testcases::readCases(QStringLiteral(TAGORA_CLI_RUNS));
        QVERIFY(!runs.isEmpty());
        for (const auto& [name, values] : runs) {
            const QByteArray usage = values.value("usage"), err = values.value("err");
            QStringList arguments;
            for (const QByteArray& argument : values.value("args").split(' '))
                arguments << (argument == "''" ? QString() : QString::fromUtf8(argument));
            QTest::newRow(name.constData())
                << arguments << (usage.isEmpty() ? values.value("in") : "x")
                << (usage.isEmpty() ? values.value("exit", "0").toInt() : 2) << values.value("out")
                << (!usage.isEmpty() ? "tagora-convert: " + usage + "\ntagora-convert: try 'tagora-convert --help' for more information\n"
                    : err.isEmpty()  ? QByteArray()
                                     : "tagora-convert: " + err + "\n");
        }
    }

    // The program runs as "nobody" when the tests run as the superuser;
    // the counts of a coverage build go to a folder of its own.
    static Conditions asOrdinaryUser()
    {
        if (geteuid() != 0)
            return {};
        QString folder;
        const QString profileFile = qEnvironmentVariable(kProfileFile);
        if (!profileFile.isEmpty()) {
            folder = QFileInfo(profileFile).absolutePath() + u"/nobody"_s;
            if (!QDir().mkpath(folder) || chown(QFile::encodeName(folder), 65534, 65534) != 0)
                qFatal("cannot make %s for the counts of the runs as nobody", qPrintable(folder));
        }
        return {[] {
                    if (setgid(65534) != 0 || setuid(65534) != 0)
                        _exit(126);
                },
                profileIn(folder)};
    }

    // A fresh folder that an ordinary user owns: page.html, links to it
    // (hard.html, soft.html), read-only files (read-only.php,
    // out/page.php), links to nothing (dangling.php, loop.php) and a link
    // to-script.php to script.php.
    QString fixtures()
    {
        const QString folder = m_directory.filePath(u"fixtures-"_s + QString::number(++m_fixtures));
        writeFile(folder.mid(m_directory.path().size() + 1) + u"/page.html"_s, "<p>page</p>\n");
        const QByteArray path = QFile::encodeName(folder);
        const auto at = [&](const char* name) { return QByteArray(path + '/' + name); };
        const bool made = link(at("page.html"), at("hard.html")) == 0 && symlink("page.html", at("soft.html")) == 0
                          && symlink("nowhere.php", at("dangling.php")) == 0 && symlink("loop.php", at("loop.php")) == 0
                          && symlink("script.php", at("to-script.php")) == 0 && mkdir(at("out"), 0755) == 0;
        if (!made)
            return {};
        for (const char* name : {"read-only.php", "out/page.php", "script.php"}) {
            QFile file(QFile::decodeName(at(name)));
            if (!file.open(QIODevice::WriteOnly) || file.write("old") != 3)
                return {};
        }
        if (geteuid() == 0) {
            chmod(QFile::encodeName(m_directory.path()), 0755);
            for (const char* name : {"", "/page.html", "/out", "/read-only.php", "/out/page.php", "/script.php"})
                chown(path + name, 65534, 65534);
        }
        chmod(at("read-only.php"), 0444);
        chmod(at("out/page.php"), 0444);
        return folder;
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_directory.filePath(name));
        QDir().mkpath(QFileInfo(file).path());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return file.fileName();
    }
    QTemporaryDir m_directory;
    int m_fixtures = 0;
    QByteArray m_usage;  // the whole text that --help prints
};


QTEST_GUILESS_MAIN(TestTagoraConvert)
#include "tst_tagora_convert.moc"

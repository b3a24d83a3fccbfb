// tagora-convert run on small inputs: every target, the options and what
// they refuse, the messages and exit status of each (rows of runs.txt).

#include "convert_test.h"
#include "case_file.h"

#include <QRegularExpression>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace cli_test;

class TestCliRuns : public ConvertTest {
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

    // --help fits a terminal of 80 columns, as the manual page made from it
    // by help2man expects.
    void helpFitsEightyColumns()
    {
        for (const QByteArray& line : m_usage.split('\n'))
            QVERIFY2(QString::fromUtf8(line).size() < 80, line.constData());
    }

    // --version in the GNU coding standards' form: the program, its
    // package and version, then who wrote it.
    void versionInGnuForm()
    {
        const Result result = runConvert({u"--version"_s});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QByteArray());
        static const QRegularExpression form(u"\\Atagora-convert \\(.+\\) [0-9]+(\\.[0-9]+)+\nWritten by .+\\.\n\\z"_s);
        QVERIFY2(form.match(QString::fromUtf8(result.out)).hasMatch(), result.out.constData());
    }

    // Help, version and a script written to a full disk fail, and say so.
    void fullDisk_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::newRow("--help") << u"--help"_s;
        QTest::newRow("--version") << u"--version"_s;
        QTest::newRow("a script") << u"--php"_s;
    }
    void fullDisk()
    {
        QFETCH(QString, arguments);
        const Result result = runShell(u"echo '<p>x</p>' | \"$0\" "_s + arguments + u" >/dev/full"_s, {});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.endsWith(": cannot write: " + QByteArray(std::strerror(ENOSPC)) + "\n"), result.err.constData());
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

    QByteArray m_usage;  // the whole text that --help prints
};

QTEST_GUILESS_MAIN(TestCliRuns)
#include "tst_cli_runs.moc"

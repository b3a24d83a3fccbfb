// Runs the tagora-convert executable: output bytes, line breaks, exit
// codes and messages.

#include "script_generator.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using tagora::ScriptLanguage;
constexpr auto kPhp = ScriptLanguage::Php;
constexpr auto kAsp = ScriptLanguage::Asp;

namespace {

struct Result { int exitCode = -1; QByteArray out, err; };

Result runConvert(const QStringList& arguments, const QByteArray& input, const QString& outputFile = {})
{
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(TAGORA_CONVERT_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The script the program shows for this input-box text, as UTF-8.
QByteArray script(ScriptLanguage language, const QString& html)
{
    const auto text = tagora::script(language, html.toStdU16String());
    return QString::fromStdU16String(text.value_or(u"<no script>")).toUtf8();
}

}  // namespace

class TestTagoraConvert : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void runs_data();
    void runs();
    void reportsWriteFailure();

private:
    QTemporaryDir m_directory;
    QByteArray m_usage;  // the whole text that --help prints
};

void TestTagoraConvert::initTestCase()
{
    QVERIFY(m_directory.isValid());
    m_usage = runConvert({u"--help"_s}, {}).out;
    QVERIFY(m_usage.startsWith("Usage: tagora-convert [--php | --asp | --codes] [FILE]\n"));
}

void TestTagoraConvert::runs_data()
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

    converts("line breaks and NUL, PHP by default", {},
             "1\r2\n3\r\n4\n\n5\r\r\n6\n\r7" + QByteArray(1, '\0') + "\xC3\xA9\r",
             script(kPhp, u"1\r\n2\r\n3\r\n4\r\n\r\n5\r\n\r\n6\r\n\r\n7"_s + QChar(0) + u"\u00E9\r\n"_s));
    converts("leading BOM dropped, later one kept", {u"--php"_s, u"--php"_s}, "\xEF\xBB\xBFx\xEF\xBB\xBF",
             script(kPhp, u"x\uFEFF"_s));
    converts("ASP", {u"--asp"_s}, "x\r\"y\" <a href=\"z\">\\\t%</a>\n",
             script(kAsp, u"x\r\n\"y\" <a href=\"z\">\\\t%</a>\r\n"_s));
    converts("codes", {u"--codes"_s}, "<p>\nx\r\xE2\x82\xAC\xF0\x9F\x98\x80\t",
             " 60 112 62 13 10 120 13 10 128 63 63 9");
    // The limits of each UTF-8 sequence length, then code points spread over
    // the whole range so that every payload bit takes both values.
    QList<char32_t> points{0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFF, 0x10000, 0x10FFFF};
    for (char32_t point = 0x80; point <= 0x10FFFF; point += 0xFED)
        if (point < 0xD800 || point > 0xDFFF)
            points << point;
    const QString range = QString::fromUcs4(points.constData(), points.size());
    converts("code points across the range", {u"--asp"_s}, range.toUtf8(), script(kAsp, range));
    QByteArray lines;
    for (int i = 0; i < 1000000; ++i)
        lines += "<p>row " + QByteArray::number(i) + "</p>\n";
    converts("a million lines", {}, lines,
             script(kPhp, QString::fromLatin1(lines).replace(u"\n"_s, u"\r\n"_s)));
    converts("help after an option", {u"--asp"_s, u"--help"_s}, {}, m_usage);
    converts("version", {u"--version"_s}, {}, "Tagora Converter v1.0.0\n");

    const auto badByte = [&](const char* name, const QByteArray& input, int offset) {
        fails(name, {u"--asp"_s}, input, 2, "tagora-convert: invalid UTF-8 at byte offset "
                                                + QByteArray::number(offset) + " of standard input\n");
    };
    badByte("stray continuation byte", "\x80", 0);
    badByte("overlong two bytes", "ab\xC1\xBF", 2);
    badByte("overlong three bytes", "\xE0\x9F\xBF", 0);
    badByte("overlong four bytes", "\xF0\x8F\xBF\xBF", 0);
    badByte("encoded surrogate", "x\xED\xA0\x80", 1);
    badByte("above U+10FFFF", "\xF4\x90\x80\x80", 0);
    badByte("lead byte F5", "\xF5\x80\x80\x80", 0);
    badByte("truncated at the end, offset in bytes", "\n\n\xE2\x82", 2);
    badByte("truncated by ASCII", "\xE2\x82x", 0);
    badByte("after valid text", "\xC3\xA9\xF0\x9F\x98\x80z\xC3", 7);
    badByte("after a BOM", "\xEF\xBB\xBF\xFE", 3);

    const QByteArray noInput = "There is no HTML Code to convert.\n";
    fails("empty, PHP", {}, {}, 1, noInput);
    fails("empty, codes", {u"--codes"_s}, {}, 1, noInput);
    fails("only a BOM", {u"-"_s}, "\xEF\xBB\xBF", 1, noInput);
    fails("directory", {m_directory.path()}, {}, 2,
          "tagora-convert: cannot read '" + m_directory.path().toUtf8() + "': Is a directory\n");
    fails("missing file named like an option", {u"--"_s, u"--asp"_s}, "x", 2,
          "tagora-convert: cannot read '--asp': No such file or directory\n");
    fails("unknown option", {u"-p"_s}, "x", 2, "tagora-convert: unknown option '-p'\n" + m_usage);
    fails("PHP and ASP", {u"--php"_s, u"--asp"_s}, "x", 2,
          "tagora-convert: --php, --asp and --codes exclude each other\n" + m_usage);
    fails("two files", {u"a"_s, u"b"_s}, "x", 2, "tagora-convert: more than one FILE\n" + m_usage);
}

// A conversion runs three times: the input on standard input, without FILE
// and as -, and in a file named on the command line.
void TestTagoraConvert::runs()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QList<QStringList> sources{{}};
    if (exitCode == 0 && !input.isEmpty()) {
        QFile file(m_directory.filePath(u"input.html"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(input) == input.size());
        file.close();
        sources << QStringList{u"-"_s} << QStringList{file.fileName()};
    }
    for (const QStringList& source : sources) {
        const Result result = runConvert(arguments + source, source.value(0, u"-"_s) == u"-" ? input : "");
        QCOMPARE(result.err, err);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, out);
    }
}

void TestTagoraConvert::reportsWriteFailure()
{
    const Result result = runConvert({}, "x", u"/dev/full"_s);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.err, QByteArray("tagora-convert: cannot write the output: No space left on device\n"));
}

QTEST_GUILESS_MAIN(TestTagoraConvert)
#include "tst_tagora_convert.moc"

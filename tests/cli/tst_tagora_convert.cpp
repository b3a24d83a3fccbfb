// Runs the tagora-convert executable: output bytes, line breaks, exit
// codes and messages.

#include "character_listing.h"
#include "credits.h"
#include "script_generator.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum class Output { Php, Asp, Codes };

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

const QByteArray kNoInput = "There is no HTML Code to convert.\n";
const QByteArray kUsageLine = "Usage: tagora-convert [--php | --asp | --codes] [FILE]\n";

Result runConvert(const QStringList& arguments, const QByteArray& input = {},
                  const QString& outputFile = {})
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

// What the output box would hold for this input-box text, as UTF-8.
QByteArray expectedOutput(Output output, const QString& html)
{
    const std::u16string text = html.toStdU16String();
    std::u16string result;
    if (output == Output::Codes)
        result = tagora::characterCodeListing(text);
    else
        result = tagora::script(output == Output::Php ? tagora::ScriptLanguage::Php
                                                      : tagora::ScriptLanguage::Asp,
                                text).value_or(u"<no script>");
    return QString::fromStdU16String(result).toUtf8();
}

// Code points spread over the whole range, so that every bit of every
// sequence length takes both values somewhere.
QString spreadText()
{
    QList<char32_t> points;
    for (char32_t point = 0x80; point <= 0x10FFFF; point += 0xFED)
        if (point < 0xD800 || point > 0xDFFF)
            points << point;
    return QString::fromUcs4(points.constData(), points.size());
}

}  // namespace

Q_DECLARE_METATYPE(Output)

class TestTagoraConvert : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void convertsAsTheInputBox_data();
    void convertsAsTheInputBox();
    void exactOutput_data();
    void exactOutput();
    void failures_data();
    void failures();
    void helpAndVersion();
    void fileNamedLikeAnOption();
    void reportsWriteFailure();
    void millionLines();

private:
    QString writeFile(const QString& name, const QByteArray& bytes);

    QTemporaryDir m_directory;
    QByteArray m_usage;  // the whole text that --help prints
};

void TestTagoraConvert::initTestCase()
{
    QVERIFY(m_directory.isValid());
    const Result help = runConvert({u"--help"_s});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.startsWith(kUsageLine));
    m_usage = help.out;
}

QString TestTagoraConvert::writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = m_directory.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestTagoraConvert::convertsAsTheInputBox_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Output>("output");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("html");  // the text the input box would hold

    const QStringList none;
    const QStringList php{u"--php"_s};
    const QStringList asp{u"--asp"_s};
    const QStringList codes{u"--codes"_s};
    const auto P = Output::Php;
    QTest::newRow("CRLF") << none << P << QByteArray("a\"b\r\nc\td") << u"a\"b\r\nc\td"_s;
    QTest::newRow("LF") << none << P << QByteArray("a\nb\n") << u"a\r\nb\r\n"_s;
    QTest::newRow("CR") << none << P << QByteArray("a\rb") << u"a\r\nb"_s;
    QTest::newRow("CR CR LF") << php << P << QByteArray("a\r\r\nb") << u"a\r\n\r\nb"_s;
    QTest::newRow("LF CR") << php << P << QByteArray("a\n\rb") << u"a\r\n\r\nb"_s;
    QTest::newRow("mixed") << php << P << QByteArray("1\r2\n3\r\n4\n\n") << u"1\r\n2\r\n3\r\n4\r\n\r\n"_s;
    QTest::newRow("BOM") << php << P << QByteArray("\xEF\xBB\xBFx\n") << u"x\r\n"_s;
    QTest::newRow("later BOM is text") << php << P << QByteArray("x\xEF\xBB\xBF") << u"x\uFEFF"_s;
    QTest::newRow("same option twice") << QStringList{u"--php"_s, u"--php"_s} << P << QByteArray("q") << u"q"_s;
    QTest::newRow("unicode and NUL")
        << php << P << QByteArray("\xC3\xA9\xE2\x80\xA8\xF0\x9F\x98\x80\0.", 11)
        << u"\u00E9\u2028\U0001F600"_s + QChar(0) + u"."_s;
    QTest::newRow("ASP") << asp << Output::Asp << QByteArray("<a href=\"x\">\n\\\t%</a>\n")
                         << u"<a href=\"x\">\r\n\\\t%</a>\r\n"_s;
    QTest::newRow("codes") << codes << Output::Codes << QByteArray("<p>\nx\r\xE2\x82\xAC")
                           << u"<p>\r\nx\r\n\u20AC"_s;
    // The smallest and largest code points of each UTF-8 sequence length.
    const QList<char32_t> limits{0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFF, 0x10000, 0x10FFFF};
    QString limitText = QString::fromUcs4(limits.constData(), limits.size());
    QTest::newRow("sequence limits, ASP") << asp << Output::Asp << limitText.toUtf8() << limitText;
    QTest::newRow("code points across the range") << asp << Output::Asp << spreadText().toUtf8() << spreadText();
}

// Each row runs three times: the input on standard input, without FILE and
// as -, and in a file named on the command line.
void TestTagoraConvert::convertsAsTheInputBox()
{
    QFETCH(QStringList, arguments);
    QFETCH(Output, output);
    QFETCH(QByteArray, input);
    QFETCH(QString, html);
    const QByteArray expected = expectedOutput(output, html);
    const QString file = writeFile(u"input.html"_s, input);
    for (const QStringList& source : {QStringList(), QStringList{u"-"_s}, QStringList{file}}) {
        const Result result = runConvert(arguments + source, source.isEmpty() || source[0] == "-" ? input : "");
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, expected);
    }
}

void TestTagoraConvert::exactOutput_data()
{
    namespace c = tagora::credits;
    const auto bytes = [](std::string_view text) { return QByteArray(text.data(), qsizetype(text.size())); };
    const QByteArray credit = bytes(c::kDeveloperName) + " (" + bytes(c::kCompanyName) + ": "
                              + bytes(c::kCompanyWebAddress) + ")";
    const QByteArray contact = bytes(c::kContactEmail) + " URL: " + bytes(c::kDeveloperWebAddress);
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("PHP") << QStringList() << QByteArray("x\ny\t\"\xC3\xA9\n")
                         << "<?php\r\n// PHP Script generated by Tagora Converter v1.0.0\r\n// Developed by "
                                + credit + "\r\n// E-mail: " + contact
                                + "\r\n\r\necho \"x\\n\";\r\necho \"y\\t\\\"\xC3\xA9\\n\";\r\necho \"\";\r\n?>";
    QTest::newRow("ASP") << QStringList{u"--asp"_s} << QByteArray("x\r\"y\"")
                         << "<%\r\n' ASP Script generated by Tagora Converter v1.0.0\r\n' Developed by " + credit
                                + "\r\n' E-mail: " + contact
                                + "\r\n\r\nResponse.Write(\"x\") & vbCrLf\r\nResponse.Write(\"'y'\")\r\n%>";
    QTest::newRow("codes") << QStringList{u"--codes"_s} << QByteArray("<p>\r\nx") << QByteArray(" 60 112 62 13 10 120");
    QTest::newRow("codes of an emoji") << QStringList{u"--codes"_s} << QByteArray("\xF0\x9F\x98\x80\t") << QByteArray(" 63 63 9");
}

void TestTagoraConvert::exactOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    const Result result = runConvert(arguments, input);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, output);
}

// Every failure: an exit code, a message, and nothing on standard output.
void TestTagoraConvert::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    const QStringList asp{u"--asp"_s};
    const auto badByte = [&](const char* name, const QByteArray& input, int offset) {
        QTest::newRow(name) << asp << input << 2
                            << "tagora-convert: invalid UTF-8 at byte offset " + QByteArray::number(offset)
                                   + " of standard input\n";
    };
    badByte("stray continuation byte", "\x80", 0);
    badByte("overlong NUL", "ab\xC0\x80", 2);
    badByte("overlong two bytes", "\xC1\xBF", 0);
    badByte("overlong three bytes", "\xE0\x9F\xBF", 0);
    badByte("overlong four bytes", "\xF0\x8F\xBF\xBF", 0);
    badByte("encoded high surrogate", "x\xED\xA0\x80", 1);
    badByte("encoded low surrogate", "\xED\xBF\xBF", 0);
    badByte("above U+10FFFF", "\xF4\x90\x80\x80", 0);
    badByte("lead byte F5", "\xF5\x80\x80\x80", 0);
    badByte("byte FF", "ok\n\xFF", 3);
    badByte("truncated at the end", "abc\xE2\x82", 3);
    badByte("truncated by ASCII", "\xE2\x82x", 0);
    badByte("truncated by a lead byte", "\xF0\x9F\x98\xF0\x9F\x98\x80", 0);
    badByte("after valid text", "\xC3\xA9\xF0\x9F\x98\x80z\xC3", 7);
    badByte("after a BOM", "\xEF\xBB\xBF\xFE", 3);

    QTest::newRow("empty, PHP") << QStringList() << QByteArray() << 1 << kNoInput;
    QTest::newRow("empty, ASP") << asp << QByteArray() << 1 << kNoInput;
    QTest::newRow("empty, codes") << QStringList{u"--codes"_s} << QByteArray() << 1 << kNoInput;
    QTest::newRow("only a BOM") << QStringList{u"-"_s} << QByteArray("\xEF\xBB\xBF") << 1 << kNoInput;

    const QString missing = m_directory.filePath(u"missing.html"_s);
    QTest::newRow("missing file") << QStringList{missing} << QByteArray() << 2
                                  << "tagora-convert: cannot read '" + missing.toUtf8() + "': No such file or directory\n";
    QTest::newRow("directory") << QStringList{m_directory.path()} << QByteArray() << 2
                               << "tagora-convert: cannot read '" + m_directory.path().toUtf8() + "': Is a directory\n";

    const QByteArray exclusive = "tagora-convert: --php, --asp and --codes exclude each other\n" + m_usage;
    QTest::newRow("unknown option") << QStringList{u"--perl"_s} << QByteArray("x") << 2
                                    << "tagora-convert: unknown option '--perl'\n" + m_usage;
    QTest::newRow("unknown short option") << QStringList{u"-p"_s} << QByteArray("x") << 2
                                          << "tagora-convert: unknown option '-p'\n" + m_usage;
    QTest::newRow("PHP and ASP") << QStringList{u"--php"_s, u"--asp"_s} << QByteArray("x") << 2 << exclusive;
    QTest::newRow("ASP and codes") << QStringList{u"--asp"_s, u"--codes"_s} << QByteArray("x") << 2 << exclusive;
    QTest::newRow("two files") << QStringList{u"a"_s, u"b"_s} << QByteArray("x") << 2
                               << "tagora-convert: more than one FILE\n" + m_usage;
}

void TestTagoraConvert::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    const Result result = runConvert(arguments, input);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, message);
}

void TestTagoraConvert::helpAndVersion()
{
    const Result help = runConvert({u"--asp"_s, u"--help"_s});
    QCOMPARE(help.exitCode, 0);
    QCOMPARE(help.out, m_usage);
    QCOMPARE(help.err, QByteArray());
    const Result version = runConvert({u"--version"_s});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("Tagora Converter v1.0.0\n"));
}

void TestTagoraConvert::fileNamedLikeAnOption()
{
    writeFile(u"-dash.html"_s, "<b>");
    QProcess process;
    process.setWorkingDirectory(m_directory.path());
    process.start(QStringLiteral(TAGORA_CONVERT_PATH), {u"--codes"_s, u"--"_s, u"-dash.html"_s});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), QByteArray(" 60 98 62"));
}

void TestTagoraConvert::reportsWriteFailure()
{
    const Result result = runConvert({}, "x", u"/dev/full"_s);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.err, QByteArray("tagora-convert: cannot write the output: No space left on device\n"));
}

// One million LF-terminated lines: one statement per line plus the empty
// last line after the final break.
void TestTagoraConvert::millionLines()
{
    constexpr int kLines = 1000000;
    QByteArray input;
    input.reserve(kLines * 16);
    for (int i = 0; i < kLines; ++i)
        input += "<p>row " + QByteArray::number(i) + "</p>\n";
    const Result result = runConvert({writeFile(u"big.html"_s, input)});
    QCOMPARE(result.exitCode, 0);

    const QByteArray header = QString::fromStdU16String(std::u16string(tagora::phpHeader())).toUtf8();
    const qsizetype perLine = QByteArray("echo \"\\n\";\r\n").size();
    const qsizetype lineTexts = input.size() - kLines;
    const qsizetype lastStatement = QByteArray("echo \"\";\r\n?>").size();
    QCOMPARE(result.out.size(), header.size() + kLines * perLine + lineTexts + lastStatement);
    QVERIFY(result.out.startsWith(header + "echo \"<p>row 0</p>\\n\";\r\n"));
    QVERIFY(result.out.endsWith("\r\necho \"<p>row 999999</p>\\n\";\r\necho \"\";\r\n?>"));
}

QTEST_GUILESS_MAIN(TestTagoraConvert)
#include "tst_tagora_convert.moc"

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
    void rejectsInvalidUtf8_data();
    void rejectsInvalidUtf8();
    void emptyInput_data();
    void emptyInput();
    void unreadableFile_data();
    void unreadableFile();
    void commandLine_data();
    void commandLine();
    void fileNamedLikeAnOption();
    void reportsWriteFailure();
    void millionLines();

private:
    QString writeFile(const QString& name, const QByteArray& bytes);

    QTemporaryDir m_directory;
};

void TestTagoraConvert::initTestCase()
{
    QVERIFY(m_directory.isValid());
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
    QTest::newRow("sequence limits, codes") << codes << Output::Codes << limitText.toUtf8() << limitText;
    QTest::newRow("code points across the range") << asp << Output::Asp << spreadText().toUtf8() << spreadText();
}

// Each row runs twice: with the input on standard input (no FILE, or -)
// and in a file named on the command line.
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
    const QByteArray credit = QByteArray(c::kDeveloperName.data(), c::kDeveloperName.size()) + " ("
                              + QByteArray(c::kCompanyName.data(), c::kCompanyName.size()) + ": "
                              + QByteArray(c::kCompanyWebAddress.data(), c::kCompanyWebAddress.size()) + ")";
    const QByteArray contact = QByteArray(c::kContactEmail.data(), c::kContactEmail.size()) + " URL: "
                               + QByteArray(c::kDeveloperWebAddress.data(), c::kDeveloperWebAddress.size());
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

void TestTagoraConvert::rejectsInvalidUtf8_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("offset");
    QTest::newRow("stray continuation byte") << QByteArray("\x80") << 0;
    QTest::newRow("overlong NUL") << QByteArray("ab\xC0\x80") << 2;
    QTest::newRow("overlong two bytes") << QByteArray("\xC1\xBF") << 0;
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x9F\xBF") << 0;
    QTest::newRow("overlong four bytes") << QByteArray("\xF0\x8F\xBF\xBF") << 0;
    QTest::newRow("encoded high surrogate") << QByteArray("x\xED\xA0\x80") << 1;
    QTest::newRow("encoded low surrogate") << QByteArray("\xED\xBF\xBF") << 0;
    QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << 0;
    QTest::newRow("lead byte F5") << QByteArray("\xF5\x80\x80\x80") << 0;
    QTest::newRow("byte FF") << QByteArray("ok\n\xFF") << 3;
    QTest::newRow("truncated at the end") << QByteArray("abc\xE2\x82") << 3;
    QTest::newRow("truncated by ASCII") << QByteArray("\xE2\x82x") << 0;
    QTest::newRow("truncated by a lead byte") << QByteArray("\xF0\x9F\x98\xF0\x9F\x98\x80") << 0;
    QTest::newRow("after valid text") << QByteArray("\xC3\xA9\xF0\x9F\x98\x80z\xC3") << 7;
    QTest::newRow("after a BOM") << QByteArray("\xEF\xBB\xBF\xFE") << 3;
}

void TestTagoraConvert::rejectsInvalidUtf8()
{
    QFETCH(QByteArray, input);
    QFETCH(int, offset);
    const Result result = runConvert({u"--asp"_s}, input);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, "tagora-convert: invalid UTF-8 at byte offset " + QByteArray::number(offset)
                             + " of standard input\n");
}

void TestTagoraConvert::emptyInput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("PHP") << QStringList() << QByteArray();
    QTest::newRow("ASP") << QStringList{u"--asp"_s} << QByteArray();
    QTest::newRow("codes") << QStringList{u"--codes"_s} << QByteArray();
    QTest::newRow("only a BOM") << QStringList{u"-"_s} << QByteArray("\xEF\xBB\xBF");
}

void TestTagoraConvert::emptyInput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    const Result result = runConvert(arguments, input);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, kNoInput);
}

void TestTagoraConvert::unreadableFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("missing") << m_directory.filePath(u"missing.html"_s) << QByteArray("No such file or directory");
    QTest::newRow("directory") << m_directory.path() << QByteArray("Is a directory");
}

void TestTagoraConvert::unreadableFile()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, reason);
    const Result result = runConvert({path});
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, "tagora-convert: cannot read '" + path.toUtf8() + "': " + reason + "\n");
}

void TestTagoraConvert::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("outStart");
    QTest::addColumn<QByteArray>("errStart");
    QTest::newRow("--help") << QStringList{u"--help"_s} << 0 << kUsageLine << QByteArray();
    QTest::newRow("--help after an option") << QStringList{u"--asp"_s, u"--help"_s} << 0 << kUsageLine << QByteArray();
    QTest::newRow("--version") << QStringList{u"--version"_s} << 0 << QByteArray("Tagora Converter v1.0.0\n")
                               << QByteArray();
    QTest::newRow("unknown long option") << QStringList{u"--perl"_s} << 2 << QByteArray()
                                         << QByteArray("tagora-convert: unknown option '--perl'\n" + kUsageLine);
    QTest::newRow("unknown short option") << QStringList{u"-p"_s} << 2 << QByteArray()
                                          << QByteArray("tagora-convert: unknown option '-p'\n" + kUsageLine);
    QTest::newRow("PHP and ASP") << QStringList{u"--php"_s, u"--asp"_s} << 2 << QByteArray()
                                 << "tagora-convert: --php, --asp and --codes exclude each other\n" + kUsageLine;
    QTest::newRow("ASP and codes") << QStringList{u"--asp"_s, u"--codes"_s} << 2 << QByteArray()
                                   << "tagora-convert: --php, --asp and --codes exclude each other\n" + kUsageLine;
    QTest::newRow("two files") << QStringList{u"a"_s, u"b"_s} << 2 << QByteArray()
                               << "tagora-convert: more than one FILE\n" + kUsageLine;
}

void TestTagoraConvert::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, outStart);
    QFETCH(QByteArray, errStart);
    const Result result = runConvert(arguments, "x");
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out.left(outStart.size()), outStart);
    QCOMPARE(result.err.left(errStart.size()), errStart);
    QCOMPARE(result.out.isEmpty(), outStart.isEmpty());
    QCOMPARE(result.err.isEmpty(), errStart.isEmpty());
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

// Runs generated PHP scripts through the PHP interpreter. With exact
// escaping each must print exactly the input, with every CR LF line break
// printed as the LF that the statements' \n stands for. Many scripts share
// one interpreter run: they are put one after the other in one file, with a
// separator between them that PHP prints as inline HTML. Classic escaping
// is checked against hand-written scripts.

#include "script_generator.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using tagora::Escaping;
using tagora::ScriptLanguage;

namespace {

// Printed between two scripts; no test input holds it.
const QString kSeparator = u"\x01\x02"_s;

QString phpScript(Escaping escaping, const QString& html)
{
    const auto script = tagora::script(ScriptLanguage::Php, escaping, html.toStdU16String());
    return script ? QString::fromStdU16String(*script) : u"<no script>"_s;
}

QString printedBy(QString html)
{
    return html.replace(u"\r\n"_s, u"\n"_s);
}

// The pieces the random inputs are made of: every character class that PHP
// treats specially inside or around a double-quoted string.
const QStringList kPieces{
    u"$"_s, u"$name"_s, u"$_GET"_s, u"$this"_s, u"$1"_s, u"{"_s, u"}"_s, u"{$x}"_s, u"${x}"_s,
    u"\\"_s, u"\\$"_s, u"\""_s, u"\\\""_s, u"'"_s, u"\t"_s, QString(QChar(0)), u"\r"_s, u"\n"_s,
    u"\r\n"_s, u"?>"_s, u"<?php echo $t; ?>"_s, u"<?="_s, u" "_s, u"x"_s, u"\\n"_s, u"\\t"_s,
    u"\\x41"_s, u"\\u{41}"_s, u"\\101"_s, u"[0]"_s, u"->"_s, u"%"_s, u"\u00E9"_s, u"\u20AC"_s,
    u"\u65E5"_s, u"\U0001F600"_s,
};

QStringList randomInputs(int count)
{
    QRandomGenerator random(20261206);
    QStringList inputs;
    for (int i = 0; i < count; ++i) {
        QString html;
        const int pieces = 1 + random.bounded(30);
        for (int p = 0; p < pieces; ++p)
            html += kPieces[random.bounded(kPieces.size())];
        inputs << html;
    }
    return inputs;
}

}  // namespace

Q_DECLARE_METATYPE(Escaping)

class TestPhpRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheInput_data();
    void printsTheInput();
    void printsRandomInputs();
    void classicScripts_data();
    void classicScripts();

private:
    // Runs the scripts of the inputs, all in one interpreter run, and
    // compares what they print; when that differs, runs them one by one to
    // show the first input printed wrongly.
    void checkRoundTrips(const QStringList& inputs);
    QByteArray run(const QString& scriptText);

    QString m_php;
    QTemporaryDir m_directory;
};

void TestPhpRoundTrip::initTestCase()
{
    m_php = QStandardPaths::findExecutable(u"php"_s);
    if (m_php.isEmpty())
        QSKIP("php is not installed (Debian package php-cli)");
    QVERIFY(m_directory.isValid());
}

void TestPhpRoundTrip::printsTheInput_data()
{
    QTest::addColumn<QString>("html");
    QTest::newRow("variables") << u"$name $_GET[x] $a->b $this {$x} ${x} {$a['k']} $$v $"_s;
    QTest::newRow("escaped dollars") << u"\\$x \\\\$x \\{$x} $\\x {\\$x} \\"_s;
    QTest::newRow("jQuery") << u"<script>$(function () { var $this = $(this); $.get(`${url}`); });</script>"_s;
    QTest::newRow("PHP inside the HTML") << u"<?php echo $t; ?>\r\n<?= $t ?> ?> <?php\r\n?>"_s;
    QTest::newRow("quotes and backslashes")
        << uR"(<a href="x.htm" title="say "hi"">C:\new\table \x41 \u{41} \101 \e \v \f \\ \ a\"b \\" \\\")"_s;
    QTest::newRow("line breaks") << u"a\\\r\nb\\\\\r\n\r\n\r\nc\nd\re\r\r\nf\n\rg\r\n"_s;
    QTest::newRow("lone CR") << u"\r"_s;
    QTest::newRow("lone LF") << u"\n"_s;
    QTest::newRow("lone CR and LF inside lines") << u"a\rb\nc\r\r\n\n\r"_s;
    QTest::newRow("only a line break") << u"\r\n"_s;
    QTest::newRow("empty lines") << u"\r\n\r\n\r\nx\r\n\r\n"_s;
    QTest::newRow("TABs and spaces") << u"\tone\t\ttwo\t \\\t$\t"_s;
    QTest::newRow("braces and apostrophes") << u"<% x %> {x} {} {'a'} it's '$x'"_s;
    QTest::newRow("non-ASCII, emoji, NUL")
        << u"Gr\u00FC\u00DFe, $\u00E9t\u00E9 caf\u00E9, \u0395\u03BB\u03BB\u03AC\u03B4\u03B1, \u65E5\u672C"_s
               + QChar(0) + u"\U0001F44D\U0001F3FD\r\n\U0001F600$"_s + QChar(0);
    QTest::newRow("long line") << u"<td class=\"c\">\\ \t\u00E9 $x \U0001F600</td>"_s.repeated(5000);
    QTest::newRow("many lines") << u"<li class=\"n\">\\n\t${i}</li>\r\n"_s.repeated(2000);
}

void TestPhpRoundTrip::printsTheInput()
{
    QFETCH(QString, html);
    checkRoundTrips({html});
}

void TestPhpRoundTrip::printsRandomInputs()
{
    checkRoundTrips(randomInputs(3000));
}

void TestPhpRoundTrip::classicScripts_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("statements");
    QTest::newRow("quote, TAB, line break")
        << u"a\"b\r\nc\td"_s << u"echo \"a\\\"b\\n\";\r\necho \"c\\td\";"_s;
    QTest::newRow("dollars and braces unchanged, backslashes doubled")
        << u"$x \\\" \\$y {$z}"_s << u"echo \"$x \\\\\\\" \\\\$y {$z}\";"_s;
    QTest::newRow("trailing line break, lone CR and LF")
        << u"x\ny\r\r\n"_s << u"echo \"x\ny\r\\n\";\r\necho \"\";"_s;
}

void TestPhpRoundTrip::classicScripts()
{
    QFETCH(QString, html);
    QFETCH(QString, statements);
    const QString header = u"<?php\r\n// PHP Script generated by Tagora Converter v1.0.0\r\n"_s;
    const QString script = phpScript(Escaping::Classic, html);
    QVERIFY2(script.startsWith(header), qPrintable(script));
    const qsizetype headerEnd = script.indexOf(u"\r\n\r\n"_s) + 4;
    QCOMPARE(script.left(headerEnd).count(u"\r\n"_s), 5);
    QCOMPARE(script.mid(headerEnd), statements + u"\r\n?>"_s);
}

void TestPhpRoundTrip::checkRoundTrips(const QStringList& inputs)
{
    QString scripts, expected;
    for (const QString& html : inputs) {
        scripts += phpScript(Escaping::Exact, html) + kSeparator;
        expected += printedBy(html) + kSeparator;
    }
    if (run(scripts) == expected.toUtf8())
        return;
    for (const QString& html : inputs)
        QCOMPARE(run(phpScript(Escaping::Exact, html)), printedBy(html).toUtf8());
    QFAIL("the scripts print the inputs one by one, but not one after the other");
}

QByteArray TestPhpRoundTrip::run(const QString& scriptText)
{
    QFile file(m_directory.filePath(u"scripts.php"_s));
    if (!file.open(QIODevice::WriteOnly) || file.write(scriptText.toUtf8()) < 0)
        return "cannot write " + file.fileName().toUtf8();
    file.close();
    QProcess php;
    php.start(m_php, {u"-n"_s, u"-d"_s, u"error_reporting=-1"_s, file.fileName()});
    if (!php.waitForFinished(120000))
        return "php did not finish";
    const QByteArray errors = php.readAllStandardError();
    if (php.exitCode() != 0 || !errors.isEmpty())
        return "php failed, exit code " + QByteArray::number(php.exitCode()) + ": " + errors;
    return php.readAllStandardOutput();
}

QTEST_GUILESS_MAIN(TestPhpRoundTrip)
#include "tst_php_round_trip.moc"

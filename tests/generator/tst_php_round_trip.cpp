// Runs generated PHP scripts through the PHP interpreter: each must print
// exactly the input, with every CR LF line break printed as LF.

#include "script_generator.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPhpRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheInput_data();
    void printsTheInput();

private:
    QString m_php;
    QTemporaryDir m_directory;
};

void TestPhpRoundTrip::initTestCase()
{
    m_php = QStandardPaths::findExecutable(u"php"_s);
    QVERIFY2(!m_php.isEmpty(), "php is not installed (Debian package php-cli)");
    QVERIFY(m_directory.isValid());
}

void TestPhpRoundTrip::printsTheInput_data()
{
    QTest::addColumn<QString>("html");
    QTest::newRow("quotes and backslashes")
        << uR"(<a href="x.htm" title="say "hi"">C:\new\table \x41 \u{41} \101 \e \v \f \\ \ a\"b \\" \\\")"_s;
    QTest::newRow("line breaks") << u"a\\\r\nb\\\\\r\n\r\n\r\nc\nd\re\r\r\nf\n\rg\r\n"_s;
    QTest::newRow("only a line break") << u"\r\n"_s;
    QTest::newRow("TABs and spaces") << u"\tone\t\ttwo\t "_s;
    QTest::newRow("script tags, braces, apostrophes")
        << u"<?php echo 1; ?>\r\n<% x %>\r\n<?= '?>' ?> {x} {} {'a'} it's"_s;
    // PHP reads $name inside double quotes as a variable; a $ that starts
    // no name prints as itself.
    QTest::newRow("dollar signs") << u"5 $ each, $1\r\n$"_s;
    QTest::newRow("non-ASCII, emoji, NUL")
        << u"Gr\u00FC\u00DFe, caf\u00E9, \u0395\u03BB\u03BB\u03AC\u03B4\u03B1, \u65E5\u672C"_s + QChar(0)
               + u"\U0001F44D\U0001F3FD\r\n\U0001F600"_s;
    QTest::newRow("long line") << u"<td class=\"c\">\\ \t\u00E9 \U0001F600</td>"_s.repeated(5000);
    QTest::newRow("many lines") << u"<li class=\"n\">\\n\t</li>\r\n"_s.repeated(2000);
}

void TestPhpRoundTrip::printsTheInput()
{
    QFETCH(QString, html);
    const std::optional<std::u16string> script = tagora::phpScript(html.toStdU16String());
    QVERIFY(script.has_value());
    QFile file(m_directory.filePath(u"script.php"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QString::fromStdU16String(*script).toUtf8()) > 0);
    file.close();
    QProcess php;
    php.start(m_php, {u"-n"_s, file.fileName()});
    QVERIFY(php.waitForFinished(60000));
    QCOMPARE(php.readAllStandardError(), QByteArray());
    QCOMPARE(php.exitCode(), 0);
    QCOMPARE(php.readAllStandardOutput(), html.replace(u"\r\n"_s, u"\n"_s).toUtf8());
}

QTEST_GUILESS_MAIN(TestPhpRoundTrip)
#include "tst_php_round_trip.moc"

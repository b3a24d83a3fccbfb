// Runs generated PHP scripts through the PHP interpreter: each must print
// exactly the input, with every CR LF line break printed as LF.

#include "script_generator.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString fromU16(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

class TestPhpRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheInput_data();
    void printsTheInput();
    void dollarSignIsCopiedUnchanged();

private:
    QByteArray runPhp(const QString& script);

    QString m_php;
    QTemporaryDir m_directory;
};

void TestPhpRoundTrip::initTestCase()
{
    m_php = QStandardPaths::findExecutable(u"php"_s);
    QVERIFY2(!m_php.isEmpty(), "php is not installed (Debian package php-cli)");
    QVERIFY(m_directory.isValid());
}

// Writes the script as UTF-8 and returns what PHP prints.
QByteArray TestPhpRoundTrip::runPhp(const QString& script)
{
    const QString path = m_directory.filePath(u"script.php"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script.toUtf8()) < 0)
        return "<cannot write " + path.toUtf8() + ">";
    file.close();
    QProcess php;
    php.start(m_php, {u"-n"_s, path});
    if (!php.waitForFinished(60000) || php.exitCode() != 0)
        return "<php failed: " + php.readAllStandardError() + php.readAllStandardOutput() + ">";
    return php.readAllStandardOutput();
}

void TestPhpRoundTrip::printsTheInput_data()
{
    QTest::addColumn<QString>("html");
    QTest::newRow("double quotes") << uR"(<a href="x.htm" title="say "hi"">link</a>)"_s;
    QTest::newRow("backslashes") << uR"(C:\new\table \x41 \u{41} \101 \e \v \f \\ \)"_s;
    QTest::newRow("backslash before quote") << uR"(a\"b \\" \\\")"_s;
    QTest::newRow("backslash ends lines") << u"a\\\r\nb\\\\\r\n\\"_s;
    QTest::newRow("TABs") << u"\tone\t\ttwo\t"_s;
    QTest::newRow("empty lines") << u"a\r\n\r\n\r\nb"_s;
    QTest::newRow("trailing line break") << u"<p>x</p>\r\n"_s;
    QTest::newRow("only a line break") << u"\r\n"_s;
    QTest::newRow("lone LF and CR") << u"a\nb\rc\r\r\nd"_s;
    QTest::newRow("single space") << u" "_s;
    QTest::newRow("script tags in text") << u"<?php echo 1; ?>\r\n<% x %>\r\n<?= '?>' ?>"_s;
    QTest::newRow("braces and apostrophes") << u"{x} {} {'a'} it's"_s;
    QTest::newRow("non-ASCII letters") << u"Gr\u00FC\u00DFe, caf\u00E9, \u0395\u03BB\u03BB\u03AC\u03B4\u03B1, \u65E5\u672C"_s;
    QTest::newRow("emoji") << u"\U0001F600 \U0001F44D\U0001F3FD\r\n\U0001F600"_s;
    QTest::newRow("NUL") << u"a"_s + QChar(0) + u"b"_s;
    QTest::newRow("long line") << u"<td class=\"c\">\\ \t\u00E9 \U0001F600</td>"_s.repeated(5000);
    QTest::newRow("many lines") << u"<li class=\"n\">\\n\t</li>\r\n"_s.repeated(2000);
}

void TestPhpRoundTrip::printsTheInput()
{
    QFETCH(QString, html);
    QVERIFY(!html.contains(u'$'));
    const std::optional<std::u16string> script = tagora::phpScript(html.toStdU16String());
    QVERIFY(script.has_value());
    QString expected = html;
    expected.replace(u"\r\n"_s, u"\n"_s);
    QCOMPARE(runPhp(fromU16(*script)), expected.toUtf8());
}

// PHP reads $name inside double quotes as a variable; the generator leaves
// every $ as it is, and a $ that starts no name prints as itself.
void TestPhpRoundTrip::dollarSignIsCopiedUnchanged()
{
    const std::optional<std::u16string> script = tagora::phpScript(u"Hello $user, 5 $ each");
    QVERIFY(script.has_value());
    QVERIFY(fromU16(*script).contains(uR"(echo "Hello $user, 5 $ each";)"_s));
    const std::optional<std::u16string> price = tagora::phpScript(u"5 $ each\r\n$");
    QVERIFY(price.has_value());
    QCOMPARE(runPhp(fromU16(*price)), QByteArray("5 $ each\n$"));
}

QTEST_GUILESS_MAIN(TestPhpRoundTrip)
#include "tst_php_round_trip.moc"

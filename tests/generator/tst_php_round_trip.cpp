// Runs generated PHP scripts (exact escaping) through the PHP interpreter:
// each must print exactly the input, every CR LF printed as the LF that
// the statements' \n stands for. All scripts share one interpreter run,
// one after the other in one file, with a separator between them that PHP
// prints as inline HTML.

#include "random_html.h"
#include "script_generator.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString phpScript(const QString& html)
{
    const auto script = tagora::script(tagora::Target::Php, tagora::Escaping::Exact, html.toStdU16String());
    return script ? QString::fromStdU16String(*script) : u"<no script>"_s;
}

QByteArray printedBy(QString html)
{
    return html.replace(u"\r\n"_s, u"\n"_s).toUtf8();
}

// Hand-picked inputs, then random ones made of every character class PHP
// treats specially inside or around a double-quoted string.
QStringList inputs()
{
    QStringList inputs{
        u"$name $_GET[x] $a->b $this {$x} ${x} {$a['k']} $$v $"_s,
        u"\\$x \\\\$x \\{$x} $\\x {\\$x} \\"_s,
        u"<?php echo $t; ?>\r\n<?= $t ?> ?> <?php\r\n?>"_s,
        uR"(<a href="x.htm" title="say "hi"">C:\new\table \x41 \u{41} \101 \e \v \f \\ \ a\"b \\" \\\")"_s,
        u"a\\\r\nb\\\\\r\n\r\n\r\nc\nd\re\r\r\nf\n\rg\r\n"_s,
        u"\r"_s, u"\r\n"_s, u"\tone\t\ttwo\t \\\t$\t"_s,
        u"Gr\u00FC\u00DFe, $\u00E9t\u00E9 \u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \u65E5\u672C"_s + QChar(0)
            + u"\U0001F44D\U0001F3FD\r\n\U0001F600$"_s + QChar(0),
        u"<li class=\"n\">\\n\t${i} \u00E9 $x \U0001F600</li>\r\n"_s.repeated(2000),
    };
    const QStringList pieces{
        u"$"_s, u"$name"_s, u"$_GET"_s, u"$1"_s, u"{"_s, u"}"_s, u"{$x}"_s, u"${x}"_s, u"\\"_s, u"\\$"_s,
        u"\""_s, u"\\\""_s, u"'"_s, u"\t"_s, QString(QChar(0)), u"\r"_s, u"\n"_s, u"\r\n"_s, u"?>"_s,
        u"<?php echo $t; ?>"_s, u"<?="_s, u" "_s, u"x"_s, u"\\n"_s, u"\\t"_s, u"\\x41"_s, u"\\u{41}"_s,
        u"\\101"_s, u"[0]"_s, u"->"_s, u"%"_s, u"\u00E9"_s, u"\u20AC"_s, u"\u65E5"_s, u"\U0001F600"_s,
    };
    return inputs + randomHtml(pieces, 3000);
}

}  // namespace

class TestPhpRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void printsTheInput();

private:
    QByteArray run(const QString& scriptText);

    QString m_php;
    QTemporaryDir m_directory;
};

// On a difference, runs the scripts one by one to show the first input
// printed wrongly.
void TestPhpRoundTrip::printsTheInput()
{
    m_php = QStandardPaths::findExecutable(u"php"_s);  // CTest skips the test without it
    QVERIFY(m_directory.isValid());
    const QString separator = u"\x01\x02"_s;  // no input holds it
    QString scripts;
    QByteArray expected;
    for (const QString& html : inputs()) {
        scripts += phpScript(html) + separator;
        expected += printedBy(html) + separator.toUtf8();
    }
    if (run(scripts) == expected)
        return;
    for (const QString& html : inputs())
        QCOMPARE(run(phpScript(html)), printedBy(html));
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

// tagora-convert -d with many FILEs, one at a time or several at once (-j):
// each converted or refused, in the order they are named.

#include "convert_test.h"
#include <QTest>

using namespace cli_test;

class TestCliBatches : public ConvertTest {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_directory.isValid());
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
};

QTEST_GUILESS_MAIN(TestCliBatches)
#include "tst_cli_batches.moc"

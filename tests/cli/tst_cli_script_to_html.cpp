// tagora-convert --to=html: the program's own scripts (as written, saved
// again, edited) and legacy pages back to HTML, the language of a page,
// the files an ASP page includes and the migration report.

#include "convert_test.h"
#include <QTest>

using namespace cli_test;

class TestCliScriptToHtml : public ConvertTest {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_directory.isValid());
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

    // PHP prints a UTF-8 byte-order mark before <?php as text (the cause
    // of many "headers already sent"): the template keeps it, whether the
    // encoding is given, found by its mark or left as the file's.
    void byteOrderMarkOfAPage_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("as the file is") << QStringList{};
        QTest::newRow("--encoding=auto") << QStringList{u"--encoding=auto"_s};
        QTest::newRow("an encoding named") << QStringList{u"--encoding=windows-1252"_s};
    }

    void byteOrderMarkOfAPage()
    {
        QFETCH(QStringList, options);
        const QByteArray page = "\xEF\xBB\xBF<?php\r\n$n = 1;\r\necho \"<p>\" . $n . \"</p>\";\r\n?>\r\n<b>\xC3\xA9</b>\r\n";
        const Result made = runConvert(QStringList{u"--to=html"_s} + options, page);
        QCOMPARE(made.exitCode, 0);
        QVERIFY2(!made.out.contains("echo"), made.out.constData());
        const auto printedByPhp = [](const QByteArray& script) {
            QProcess php;
            php.start(u"php"_s, {u"-n"_s});
            php.write(script);
            php.closeWriteChannel();
            return php.waitForFinished(60000) ? php.readAllStandardOutput() : "<php did not finish>"_ba;
        };
        const QByteArray printed = printedByPhp(page);
        QVERIFY2(printed.startsWith("\xEF\xBB\xBF<p>1</p>"), printed.constData());
        QCOMPARE(printedByPhp(made.out), printed);
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
};

QTEST_GUILESS_MAIN(TestCliScriptToHtml)
#include "tst_cli_script_to_html.moc"

// tagora-convert on legacy pages in another encoding than UTF-8: their
// templates keep the page's bytes, or are written in UTF-8 with warnings.

#include "convert_test.h"
#include <QStandardPaths>
#include <QTest>

using namespace cli_test;

class TestCliEncodings : public ConvertTest {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_directory.isValid());
    }

    // A PHP file in Windows-1252: by default its template prints the same
    // bytes under php, escapes and byte literals included; written in UTF-8
    // on request, its text prints as UTF-8 and code beyond ASCII is named.
    void legacyEncodingKept()
    {
        if (QStandardPaths::findExecutable(u"php"_s).isEmpty())
            QSKIP("php is not installed (scripts/install-deps.sh test installs it)");
        const QStringList legacy{u"--to=html"_s, u"--encoding=windows-1252"_s};
        const QString bytes = writeFile(u"bytes.php"_s, "<?php\n$s = \"caf\\xe9|caf\xe9\"; $t = '\\xe9' . \"\\351\";\necho \"<p>$s</p>\", "
                                                         "strlen(\"\xe9\"), \"\\351\\n\";\n?>\n<p>fin \xe9</p>\n");
        const Result kept = runConvert(legacy + QStringList{bytes});
        QCOMPARE(kept.err, QByteArray());
        QCOMPARE(printedBy(kPhp, kept.out), printedBy(kPhp, contents(bytes)));

        const Result utf8 = runConvert(legacy + QStringList{u"--output-encoding=utf-8"_s, bytes});
        QCOMPARE(utf8.exitCode, 0);
        const QByteArray warning = "tagora-convert: " + bytes.toUtf8() + ": warning: template ";
        const QByteArray meaning = ", which in UTF-8 may not mean what it meant in windows-1252\n";
        QCOMPARE(utf8.err, warning + "2:7: code holds characters beyond ASCII" + meaning + warning
                               + "2:37: an escape in code makes a byte beyond ASCII" + meaning + warning
                               + "4:29: code holds characters beyond ASCII" + meaning);

        const QString text = writeFile(u"text.php"_s, "<?php\n$n = 2;\necho \"<p>caf\\xe9 $n \xe9</p>\\n\";\n");
        const Result plain = runConvert(legacy + QStringList{u"--output-encoding=utf-8"_s, text});
        QCOMPARE(plain.err, QByteArray());
        QCOMPARE(printedBy(kPhp, plain.out), QString::fromLatin1(printedBy(kPhp, contents(text))).toUtf8());
    }

    // An ASP page in Windows-1252 (as Wine's VBScript reads it, see
    // tst_legacy_asp_round_trip): its template keeps the page's bytes; in
    // UTF-8 (bytes from Python's cp1252 codec) strings in code and the
    // code page are named, comments and text are not.
    void legacyAspEncodingKept()
    {
        const QByteArray page = "<%@ CodePage=1252 %>\r\n<% Dim s : s = \"caf\xe9\" ' r\xe9sum\xe9\r\n"
                                "Response.Write \"<p>na\xefve \x80</p>\" & s %>";
        const QStringList legacy{u"--to=html"_s, u"--encoding=windows-1252"_s};
        const Result kept = runConvert(legacy, page);
        QCOMPARE(kept.err, QByteArray());
        QCOMPARE(kept.out, "<%@ CodePage=1252 %>\r\n<% Dim s : s = \"caf\xe9\" ' r\xe9sum\xe9\r\n"
                           "%><p>na\xefve \x80</p><%= s %>");
        const Result utf8 = runConvert(legacy + QStringList{u"--output-encoding=utf-8"_s}, page);
        QCOMPARE(utf8.exitCode, 0);
        QCOMPARE(utf8.out, "<%@ CodePage=1252 %>\r\n<% Dim s : s = \"caf\xc3\xa9\" ' r\xc3\xa9sum\xc3\xa9\r\n"
                           "%><p>na\xc3\xafve \xe2\x82\xac</p><%= s %>");
        const QByteArray warning = "tagora-convert: standard input: warning: template ";
        const QByteArray meaning = ", which in UTF-8 may not mean what it meant in windows-1252\n";
        QCOMPARE(utf8.err, warning + "1:5: code names a code page" + meaning + warning
                               + "2:16: a string in code holds characters beyond ASCII" + meaning);
    }

    // UTF-16 as the WHATWG Encoding Standard decodes it: a pair is one
    // character; a lead unit not followed by a trail unit, a trail unit
    // alone and a lead unit at the end are each one U+FFFD, with a warning.
    void utf16UnpairedSurrogates_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("printed");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("LE: lead, trail alone, pair") << u"utf-16le"_s << "<\0\0\xD8>\0\0\xDC" "A\0\x3D\xD8\0\xDE"_ba
                                                    << "<\uFFFD>\uFFFDA\U0001F600"_ba << "UTF-16LE"_ba;
        QTest::newRow("BE: lead at the end") << u"utf-16be"_s << "\0<\xD8\0"_ba << "<\uFFFD"_ba << "UTF-16BE"_ba;
        QTest::newRow("BE: pair across the input") << u"utf-16be"_s << "\xD8\x3D\xDE\0\0>"_ba << "\U0001F600>"_ba
                                                   << QByteArray();
    }
    void utf16UnpairedSurrogates()
    {
        QFETCH(QString, encoding);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, printed);
        QFETCH(QByteArray, named);
        const Result result = runConvert({u"--encoding="_s + encoding, u"--php"_s, u"--no-header"_s}, input);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, "<?php\r\necho \"" + printed + "\";\r\n?>");
        QCOMPARE(result.err, named.isEmpty() ? QByteArray()
                                             : "tagora-convert: standard input: some bytes are not valid " + named
                                                   + ": each became U+FFFD\n");
    }

    // --encoding=auto on a page that is not UTF-8: read as Windows-1252
    // (0xFF is U+00FF there), saying what its declaration is worth by the
    // WHATWG tables: none; UTF-8 but broken; UTF-16, which the HTML
    // standard's prescan takes for UTF-8; a label of the replacement
    // encoding; a label no browser knows.
    void autoFallsBackToWindows1252_data()
    {
        QTest::addColumn<QByteArray>("meta");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("none") << QByteArray() << "names no character set"_ba;
        QTest::newRow("utf-8") << "<meta charset=\"utf-8\">"_ba << "declares the character set \"utf-8\" but"_ba;
        QTest::newRow("utf-16") << "<meta charset=\"utf-16\">"_ba << "browsers take for UTF-8"_ba;
        QTest::newRow("iso-2022-kr") << "<meta charset=\"iso-2022-kr\">"_ba << "browsers refuse to read"_ba;
        QTest::newRow("unknown") << "<meta charset=\"x-nonsense\">"_ba << "browsers do not know"_ba;
    }
    void autoFallsBackToWindows1252()
    {
        QFETCH(QByteArray, meta);
        QFETCH(QByteArray, reason);
        const Result result = runConvert({u"--encoding=auto"_s, u"--php"_s, u"--no-header"_s}, meta + "<p>\xFF</p>");
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, "<?php\r\necho \"" + meta.replace('"', "\\\"") + "<p>\u00FF</p>\";\r\n?>");
        QVERIFY2(result.err.startsWith("tagora-convert: standard input: read as Windows-1252: "), result.err.constData());
        QVERIFY2(result.err.contains(reason), result.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCliEncodings)
#include "tst_cli_encodings.moc"

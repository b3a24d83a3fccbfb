// tagora-convert on inputs larger than a block: edges of blocks anywhere
// in the text, bad bytes late in a file, a file that changes while read.

#include "convert_test.h"
#include "files.h"
#include <QTest>
#include <optional>

using namespace cli_test;

class TestCliLargeInputs : public ConvertTest {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_directory.isValid());
    }

    // A pattern of odd length, repeated 2^17 + 1 times: the edges of blocks
    // of any power of two up to 128 KiB fall on every position of it, between
    // CR and LF, between "%" and ">" and inside each multi-byte character.
    // Under the sanitizers (TAGORA_SANITIZED, set by CTest) 2^14 + 1 times,
    // past two edges of the command line's reading: a tenth of the time, the
    // every-position check left to the builds without them.
    void blockEdgesChangeNothing()
    {
        const QByteArray pattern = "x\r\n%>\xC3\xA9\xF0\x9F\x98\x80\r\"\n$\t\xE2\x80\xA9\\<y\r</<!${\xE2\x80\xA8z";
        QVERIFY(pattern.size() % 2 == 1);
        const int repeatsShift = qEnvironmentVariableIsSet("TAGORA_SANITIZED") ? 14 : 17;
        const QByteArray input = pattern.repeated((qsizetype{1} << repeatsShift) + 1);
        QVERIFY(input.size() > 2 * qsizetype(tagora::cli::kInputBlockSize));
        const QByteArray listing = " 120 13 10 37 62 233 63 63 13 10 34 13 10 36 9 13 10 92 60 121 13 10 60 47 60 33 36 123 63 122";
        QList<std::pair<QString, QByteArray>> runs{{u"--codes"_s, listing.repeated(input.size() / pattern.size())}};
        for (const tagora::TargetInfo& info : tagora::targets())
            runs.append({"--to=" + QString::fromLatin1(info.name), windowScript(info.target, Escaping::Exact, input)});
        for (const auto& [option, expected] : runs) {
            QVERIFY2(runConvert({option, writeFile(u"edges.html"_s, input)}).out == expected, qPrintable(option));
            QVERIFY2(runConvert({option}, input).out == expected, qPrintable(option));
        }
    }

    // Files larger than the part of them read at once, with what the input
    // rules change, a character cut by the edge of such a part, or a bad byte
    // placed late: the output is the window's script, or nothing at all.
    void largeFiles_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<qsizetype>("badOffset");  // -1: well-formed
        const auto edge = qsizetype(tagora::cli::kInputBlockSize);  // where the first part read ends
        // Plain text up to `at` bytes from the edge, `middle`, `after` bytes of
        // plain text; `bad` is counted from the edge.
        const auto row = [&](const char* name, qsizetype at, const QByteArray& middle, qsizetype after,
                             std::optional<qsizetype> bad = {}) {
            QTest::newRow(name) << plainText(edge + at) + middle + plainText(after) << (bad ? edge + *bad : -1);
        };
        row("plain CR LF text", 100000, {}, 0);
        row("character across the edge", -1, "\xE2\x82\xAC", 5000);
        row("four bytes across the edge", -2, "\xF0\x9F\x98\x80", 5000);
        row("CR | LF at the edge", -1, "\r\n", 5000);
        row("CR at the very end", 10, "\r", 0);
        row("bad byte deep in ASCII", 64, "\xFF", 100, 64);
        row("cut off at the end of the file", -1, "\xE2\x82", 0, -1);
        row("bad character across the edge", -2, "\xF0\x9F\x98x", 100, -2);
        row("bad byte after a character across the edge", -1, "\xC3\xA9\xFF", 0, 1);
    }

    // Each file is converted to standard output (checked whole first), and
    // from standard input that is the file, already read in part.
    void largeFiles()
    {
        QFETCH(QByteArray, input);
        QFETCH(qsizetype, badOffset);
        const QString file = writeFile(u"large.html"_s, input);
        const Result direct = runConvert({file});
        if (badOffset >= 0) {
            QCOMPARE(direct.err, "tagora-convert: " + file.toUtf8() + ": invalid UTF-8 at byte offset "
                                     + QByteArray::number(badOffset) + "\n");
            QVERIFY(direct.exitCode == 2 && direct.out.isEmpty());
            return;
        }
        QCOMPARE(direct.err, QByteArray());
        QVERIFY(direct.out == windowScript(kPhp, Escaping::Exact, input));
        // dd reads exactly 7 bytes: the rest starts inside a page.
        const Result rest = runShell(u"{ dd bs=7 count=1 of=/dev/null status=none; exec \"$0\"; } <\"$1\""_s, {file});
        QCOMPARE(rest.err, QByteArray());
        QVERIFY(rest.out == windowScript(kPhp, Escaping::Exact, input.mid(7)));
    }

    void changedWhileRead_data()
    {
        QTest::addColumn<qint64>("at");
        QTest::addColumn<QByteArray>("written");  // empty: the file is cut off there
        const qint64 late = qint64{12} << 20;
        QTest::newRow("invalid byte written") << late << QByteArray("\xFF");
        QTest::newRow("lone LF written") << late << QByteArray("\n");
        QTest::newRow("valid character written") << late << QByteArray("y");
        QTest::newRow("file emptied while read") << qint64{0} << QByteArray();
    }

    // To standard output a file is checked whole, then converted: when it
    // changes meanwhile, nothing read after the change goes out, and the
    // file is named. One that shrinks while it is read too.
    void changedWhileRead()
    {
        QFETCH(qint64, at);
        QFETCH(QByteArray, written);
        static const QByteArray input = plainText(qsizetype{16} << 20);
        static const QByteArray script = windowScript(kPhp, Escaping::Exact, input);
        const QString file = writeFile(u"changing.html"_s, input);
        QProcess process;
        process.setChildProcessModifier(defaultSignals);
        process.start(QStringLiteral(TAGORA_CONVERT_PATH), {file});
        QVERIFY(process.waitForReadyRead(60000));  // the check is over; the output fills the pipe
        QFile changed(file);
        QVERIFY(changed.open(QIODevice::ReadWrite));
        QVERIFY(written.isEmpty() ? changed.resize(at) : changed.seek(at) && changed.write(written) == written.size());
        changed.close();
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.readAllStandardError(), "tagora-convert: " + file.toUtf8() + ": changed while it was read\n");
        QCOMPARE(process.exitCode(), 2);
        const QByteArray out = process.readAllStandardOutput();
        QVERIFY(!out.isEmpty() && script.startsWith(out));
    }
};

QTEST_GUILESS_MAIN(TestCliLargeInputs)
#include "tst_cli_large_inputs.moc"

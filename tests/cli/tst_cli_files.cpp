// How tagora-convert writes files: whole or not at all, never over its
// input or what the shell's > could not write, past a full disk, a size
// limit, a closed pipe or a signal.

#include "convert_test.h"
#include <QTest>
#include <sys/resource.h>

using namespace cli_test;

class TestCliFiles : public ConvertTest {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_directory.isValid());
    }

    // -o replaces the file only when the whole output is ready: on failure it
    // stays byte for byte, and no temporary file is left behind.
    void outputFileStaysOnFailure()
    {
        const QString target = writeFile(u"out/page.php"_s, "<?php echo 'old'; ?>\n");
        const QByteArray good = QByteArray("<li>\"x\"</li>\r\n").repeated(100000);
        QCOMPARE(runConvert({u"--output="_s + target}, good + "\xC0\x80").exitCode, 2);
        QCOMPARE(contents(target), QByteArray("<?php echo 'old'; ?>\n"));
        QCOMPARE(QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"page.php"_s});
    }

    // A full disk and a closed pipe end with a message and status 2; a device
    // named with -o is written, never replaced.
    void writeFailures()
    {
        const QByteArray noSpace = ": cannot write: No space left on device\n";
        const Result toStandardOutput = runConvert({}, "x", u"/dev/full"_s);
        QVERIFY(toStandardOutput.exitCode == 2 && toStandardOutput.err == "tagora-convert: standard output" + noSpace);
        const Result toDevice = runConvert({u"-o"_s, u"/dev/full"_s}, "x");
        QVERIFY(toDevice.exitCode == 2 && toDevice.err == "tagora-convert: /dev/full" + noSpace);

        const QString big = writeFile(u"big.html"_s, QByteArray("<p>x</p>\n").repeated(1000000));
        const Result piped = runShell(u"\"$0\" \"$1\" | head -c 1 >/dev/null; echo ${PIPESTATUS[0]}"_s, {big});
        QCOMPARE(piped.out, QByteArray("141\n"));  // ended by SIGPIPE, as cat is
        QCOMPARE(piped.err, QByteArray());
    }

    // What the shell's > could not write is refused, never replaced: the
    // input itself (named by -o, reached through a link, or as the standard
    // output it is appended to), a read-only file (with -o or -d), a link to
    // nothing or a loop. Run as an ordinary user: the superuser's > writes
    // read-only files.
    void refusedTargets_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("err");
        const auto row = [](const char* command, const QByteArray& err) {
            QTest::newRow(command) << QString::fromUtf8(command) << "tagora-convert: " + err + "\n";
        };
        row("\"$0\" -o page.html page.html", "page.html: not converted: page.html is the same file");
        row("\"$0\" -o hard.html page.html", "page.html: not converted: hard.html is the same file");
        row("\"$0\" -o soft.html page.html", "page.html: not converted: soft.html is the same file");
        row("\"$0\" page.html >>page.html", "page.html: not converted: standard output is the same file");
        row("\"$0\" <page.html >>soft.html", "standard input: not converted: standard output is the same file");
        row("\"$0\" -o read-only.php page.html", "read-only.php: cannot write: Permission denied");
        row("\"$0\" -d out page.html", "out/page.php: cannot write: Permission denied");
        row("\"$0\" -o dangling.php page.html",
            "dangling.php: cannot write: it is a symbolic link to no file (No such file or directory)");
        row("\"$0\" -o loop.php page.html",
            "loop.php: cannot write: it is a symbolic link to no file (Too many levels of symbolic links)");
    }

    void refusedTargets()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, err);
        const QString folder = fixtures();
        const QMap<QString, QByteArray> before = snapshot(folder);
        const Result result = runShell(u"cd \"$1\" && "_s + command, {folder}, asOrdinaryUser());
        QCOMPARE(result.err, err);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(snapshot(folder), before);
    }

    // A link to a file is followed: the file gets the script, the link stays.
    void linkedTargetFollowed()
    {
        const QString folder = fixtures();
        const Result result = runShell(u"cd \"$1\" && \"$0\" -o to-script.php page.html"_s, {folder}, asOrdinaryUser());
        QCOMPARE(result.err, QByteArray());
        QVERIFY(QFileInfo(folder + u"/to-script.php"_s).isSymLink());
        QCOMPARE(contents(folder + u"/script.php"_s), windowScript(kPhp, Escaping::Exact, "<p>page</p>\n"));
    }

    // Past a file-size limit a write fails instead of ending the program:
    // the temporary file goes and the next file is still converted.
    void fileSizeLimit()
    {
        QTemporaryDir output;
        const QString big = writeFile(u"limit/big.html"_s, QByteArray("<p>x</p>\n").repeated(100000));
        const QString small = writeFile(u"limit/small.html"_s, "<p>y</p>");
        // The counts of a coverage build would not fit under the limit.
        const Conditions limit{[] {
                                   const rlimit size{64 << 10, 64 << 10};
                                   setrlimit(RLIMIT_FSIZE, &size);
                               },
                               profileIn({})};
        const Result result = runConvert({u"-d"_s, output.path(), big, small}, {}, {}, limit);
        QCOMPARE(result.err, "tagora-convert: " + output.path().toUtf8() + "/big.php: cannot write: File too large\n");
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(QDir(output.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"small.php"_s});
        const Result toFile = runConvert({big}, {}, output.filePath(u"standard.php"_s), limit);
        QCOMPARE(toFile.err, QByteArray("tagora-convert: standard output: cannot write: File too large\n"));
        QCOMPARE(toFile.exitCode, 2);
    }

    void signalsRemoveTemporary_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("ignoredAtStart");
        for (const auto& [name, signal] : {std::pair("SIGHUP", SIGHUP), {"SIGINT", SIGINT}, {"SIGQUIT", SIGQUIT},
                                           {"SIGTERM", SIGTERM}, {"SIGUSR1", SIGUSR1}, {"SIGUSR2", SIGUSR2},
                                           {"SIGALRM", SIGALRM}, {"SIGVTALRM", SIGVTALRM}, {"SIGPROF", SIGPROF},
                                           {"SIGXCPU", SIGXCPU}, {"SIGPOLL", SIGPOLL}, {"SIGPWR", SIGPWR},
                                           {"SIGRTMIN", SIGRTMIN}, {"SIGRTMAX", SIGRTMAX}})
            QTest::newRow(name) << signal << false;
        QTest::newRow("SIGHUP under nohup") << SIGHUP << true;
    }

    // Every signal that ends the program takes its temporary file with it
    // and the target stays; the program then ends by that signal. A signal
    // ignored when it started (nohup) stays ignored.
    void signalsRemoveTemporary()
    {
        QFETCH(int, signal);
        QFETCH(bool, ignoredAtStart);
        QTemporaryDir output;
        const QString target = output.filePath(u"page.php"_s);
        QFile::copy(writeFile(u"old.php"_s, "old"), target);
        QProcess process;
        process.setChildProcessModifier([signal, ignoredAtStart] {
            defaultSignals();
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            if (ignoredAtStart)
                std::signal(signal, SIG_IGN);
        });
        process.start(QStringLiteral(TAGORA_CONVERT_PATH), {u"-o"_s, target});
        process.write("<p>x</p>");  // and standard input stays open
        const auto entries = [&] { return QDir(output.path()).entryList(QDir::Files | QDir::Hidden); };
        QTRY_COMPARE_WITH_TIMEOUT(entries().size(), 2, 10000);  // the temporary file is there
        QCOMPARE(::kill(static_cast<pid_t>(process.processId()), signal), 0);
        if (ignoredAtStart) {
            QTest::qWait(100);
            process.closeWriteChannel();
        }
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), ignoredAtStart ? QProcess::NormalExit : QProcess::CrashExit);
        QCOMPARE(process.exitCode(), ignoredAtStart ? 0 : signal);
        QCOMPARE(entries(), QStringList{u"page.php"_s});
        QCOMPARE(contents(target), ignoredAtStart ? windowScript(kPhp, Escaping::Exact, "<p>x</p>") : "old");
    }
};

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"

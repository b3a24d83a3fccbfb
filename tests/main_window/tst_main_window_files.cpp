// Opening HTML files in the main window (encodings, errors, drops) and
// saving scripts (names, bytes, failures).
#include "main_window_fixture.h"

using namespace main_window_test;

class FilesTest : public MainWindowFixture {
    Q_OBJECT

private slots:
    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("notice");  // a part of it; empty: no notice
        const auto row = [](const char* name, const QByteArray& bytes, const QString& text, const QString& notice = {}) {
            QTest::newRow(name) << bytes << text << notice;
        };
        // A page of the declaration, "<p>" and the body.
        const auto declared = [](const char* name, const QByteArray& meta, const QByteArray& body, const QString& text,
                                 const QString& notice = {}) {
            QTest::newRow(name) << meta + "<p>" + body << QString::fromLatin1(meta) + "<p>" + text << notice;
        };
        const QString guessed = QStringLiteral("read as Windows-1252");
        row("UTF-8 mark", "\xef\xbb\xbf" "a\xc3\xa9 \xf0\x9f\x98\x80", "aé 😀");
        row("UTF-16LE mark", QByteArray("\xff\xfe" "a\x00\xe9\x00", 6), "aé");
        row("UTF-16BE mark", QByteArray("\xfe\xff\x00" "a\x00\xe9\xd8\x3d\xde\x00", 10), "aé😀");
        row("UTF-32LE mark, read as UTF-16LE as browsers do", QByteArray("\xff\xfe\x00\x00" "a\x00\x00\x00", 8),
            QString(QChar(0)) + "a" + QChar(0));
        row("UTF-8 mark, bad bytes", "\xef\xbb\xbf" "a\xe2\x82x\xff", "a\uFFFD\uFFFDx\uFFFD", "not valid UTF-8");
        row("UTF-16LE mark, unpaired surrogates, odd byte", QByteArray("\xff\xfe" "a\x00\x00\xd8" "b\x00\x00\xdc" "c", 11),
            "a\uFFFDb\uFFFD\uFFFD", "not valid UTF-16LE");
        row("UTF-16BE mark, odd byte", QByteArray("\xfe\xff\0a\0", 5), "a\uFFFD", "not valid UTF-16BE");
        row("UTF-16LE without a mark", QByteArray("<\0p\0>\0\xe9\0", 8), "<p>é", "no byte-order mark");
        row("UTF-16BE without a mark", QByteArray("\0<\0p\0>\x04\x1f", 8), "<p>П", "UTF-16BE");
        row("NUL bytes in UTF-8, not UTF-16", QByteArray("<p>\0\0</p>", 9), QStringLiteral("<p>") + QChar(0) + QChar(0) + "</p>");
        row("UTF-8 beats meta", "<meta charset=\"iso-8859-2\">\xc4\x85", "<meta charset=\"iso-8859-2\">ą");
        row("Windows-1252", "caf\xe9 \x80 \x93q\x94 \x81\x9f\xfe", "café € “q” \u0081Ÿþ", "names no character set");
        declared("meta http-equiv ISO-8859-2",
                 "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-2\">", "\xb1\xbf", "ąż");
        declared("meta content without http-equiv", "<meta content=\"text/html; charset=koi8-r\">", "\xf0", "ð", guessed);
        declared("meta in a comment", "<!-- <meta charset=koi8-r> -->", "\xf0", "ð", guessed);
        row("meta past 1024 bytes", QByteArray(1024, ' ') + "<meta charset=\"iso-8859-2\">\xb1",
            QString(1024, ' ') + "<meta charset=\"iso-8859-2\">±", guessed);
        declared("meta KOI8-R, unquoted", "<META CHARSET=KOI8-R>", "\xf0\xd2\xc9\xd7\xc5\xd4", "Привет");
        declared("meta cp1251", "<meta charset=' cp1251 '>", "\xcf\xf0\xe8\xe2\xe5\xf2", "Привет");
        declared("meta Shift_JIS, Windows additions", "<meta charset=sjis>", "\x93\xfa\x96\x7b\x8c\xea\x87\x40", "日本語①");
        declared("meta GB2312, read as GB18030", "<meta charset=gb2312>", "\xd6\xd0\xce\xc4\x81\x30\x81\x30", "中文\u0080");
        declared("meta EUC-KR, Windows additions", "<meta charset=ks_c_5601-1987>", "\xc7\xd1\xb1\xb9\x8c\x63", "한국똠");
        declared("meta x-user-defined means Windows-1252", "<meta charset=x-user-defined>", "caf\xe9", "café");
        for (const char* label : {"unicode", "csUnicode", "iso-10646-ucs-2", "utf-16"}) {
            const QByteArray meta = "<meta charset=\"" + QByteArray(label) + "\">";
            declared(label, meta, "caf\xe9", "café", "take for UTF-8");
            declared(QByteArray(label + QByteArrayLiteral(", ASCII page")), meta, "x", "x");
        }
        declared("meta cp037 (EBCDIC)", "<meta charset=cp037>", "caf\xe9", "café", "do not know");
        declared("meta utf-32", "<meta charset=utf-32>", "caf\xe9", "café", "do not know");
        declared("meta hz-gb-2312", "<meta charset=hz-gb-2312>", "caf\xe9", "café", "refuse");
        row("line breaks as pasted; U+2029, U+FDD0, U+FDD1 too; NUL, TAB, U+2028 kept",
            QByteArray("a\r\nb\nc\rd\r\n\n\xe2\x80\xa9" "b\xef\xb7\x90\xef\xb7\x91\x00\t\xe2\x80\xa8", 26),
            QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\n\r\nb\uFFFD\uFFFD") + QChar(0) + QStringLiteral("\t\u2028"));
    }

    // The file replaces the input, the output stays; what was assumed or
    // replaced is told in an information box naming the file. tagora-convert
    // --encoding=auto reads the file into the same text, and writes a note
    // when the window tells something.
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, notice);
        write(path("page.html"), bytes);
        setEditorText(ui_.txtHTML, QStringLiteral("replaced"));
        setEditorText(ui_.txtPHP, QStringLiteral("kept"));
        window_->openFile(path("page.html"));
        QCOMPARE(window_->inputText(), text);
        QCOMPARE(window_->outputText(), QStringLiteral("kept"));
        if (!notice.isEmpty())
            expectMessage(MessageIcon::Information, {path("page.html"), notice});
        QVERIFY(messages_.isEmpty());

        const Finished convert = run(TAGORA_CONVERT_PATH, {QStringLiteral("--encoding=auto"), path("page.html")});
        QCOMPARE(QString::fromUtf8(convert.output), scriptOf(Target::Php, text));
        QCOMPARE(convert.exitCode, 0);
        QCOMPARE(convert.errors.isEmpty(), notice.isEmpty());
    }

    // A declared charset that Qt lacks (a Qt without ICU lacks them all) is
    // told, and the page read as Windows-1252.
    void charsetQtCannotRead()
    {
        DecodedText unavailable;
        unavailable.source = TextSource::GuessedWindows1252;
        unavailable.ignoredCharset = QStringLiteral("ISO-8859-16");
        unavailable.charsetUnavailable = true;
        QCOMPARE(readingNotice(unavailable, QStringLiteral("page.html")),
                 QStringLiteral("\"page.html\" is not UTF-8 and names ISO-8859-16, a character set this program "
                                "cannot read, so it was read as Windows-1252 (Western European). Check any "
                                "characters outside plain ASCII."));
    }

    // A warning names the file and the reason; the input keeps its text. The
    // window never waits on a file: a named pipe with no writer, a device or
    // a socket is refused at once, and no more than the limit is read; a file
    // of exactly the limit is read whole.
    void openErrors()
    {
        write(path("secret.html"), "<p>");
        QFile::setPermissions(path("secret.html"), QFileDevice::WriteOwner);
        QFile huge(path("huge.html"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(kLargestHtmlFile + 1));
        huge.close();
        const QByteArray pipe = QFile::encodeName(path("pipe.html"));
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(path("socket.html")).constData(), sizeof address.sun_path);
        QCOMPARE(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        alarm(10);  // should the window wait for a writer of the pipe, the alarm ends the test
        const QList<std::pair<QString, QString>> cases{
            {path("pipe.html"), "It is a named pipe (FIFO), not a file."}, {path("missing.html"), "No such file or directory"},
            {path("huge.html"), "larger than 64 MB"}, {"/dev/zero", "It is a device, not a file."},
            {path("socket.html"), "It is a socket, not a file."}, {dir_->path(), "It is a folder, not a file."},
            {path("secret.html"), "Permission denied"}};
        for (const auto& [name, reason] : cases) {
            if (name == path("secret.html") && geteuid() == 0)
                continue;  // the superuser reads every file
            setEditorText(ui_.txtHTML, QStringLiteral("kept input"));
            window_->openFile(name);
            QCOMPARE(window_->inputText(), QStringLiteral("kept input"));
            expectMessage(MessageIcon::Exclamation, {name, reason});
        }
        alarm(0);
        ::close(listening);
        QVERIFY(huge.open(QIODevice::ReadWrite) && huge.resize(kLargestHtmlFile) && huge.seek(kLargestHtmlFile - 4));
        QCOMPARE(huge.write("end!"), 4);
        huge.close();
        const ReadResult read = readHtmlFile(path("huge.html"));
        QVERIFY2(read.decoded, qPrintable(read.error));
        QCOMPARE(read.decoded->text.size(), kLargestHtmlFile);
        QVERIFY(read.decoded->text.endsWith(QStringLiteral("end!")));
    }

    // Menu, Ctrl+O and the link each ask, starting in the folder used last;
    // cancelling changes nothing. A name that is not UTF-8 opens from the
    // command line or the dialog (which pass it as Qt reads it) and when
    // dropped. A dropped file opens wherever it lands; dropped text is
    // still typed in.
    void openCommandsAndDrops()
    {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("sub")));
        write(path("sub/a.htm"), "<p>a</p>");
        write(path("sub/b.htm"), "<p>b</p>");
        setEditorText(ui_.txtHTML, QStringLiteral("kept"));
        item("mnuOpen")->trigger();  // cancelled
        QCOMPARE(window_->inputText(), QStringLiteral("kept"));
        answer_ = path("sub/a.htm");
        QTest::keyClick(ui_.txtPHP, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(window_->inputText(), QStringLiteral("<p>a</p>"));
        answer_ = path("sub/b.htm");
        QTest::mouseClick(named<QLabel>(window_, "lblRefresh"), Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(window_->inputText(), QStringLiteral("<p>b</p>"));
        QCOMPARE(requests_.size(), 3);
        QCOMPARE(requests_[2].path, path("sub"));

        const QByteArray native = QFile::encodeName(path("sub")) + "/caf\xe9.htm";
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0 && ::write(fd, "<p>a</p>", 8) == 8);
        ::close(fd);
        write(path("sub/caf\u00e8.htm"), "another name");  // not read as the same
        window_->openFile(QFile::decodeName(native));
        QCOMPARE(window_->inputText(), QStringLiteral("<p>a</p>"));
        QMimeData file, text;
        file.setData(QStringLiteral("text/uri-list"), "file://" + native.toPercentEncoding("/") + "\r\n");
        text.setText(QStringLiteral("<b>\uFDD0</b>"));
        for (QWidget* target : {ui_.txtHTML->viewport(), ui_.txtPHP->viewport(), named<QWidget>(window_, "Label1")}) {
            setEditorText(ui_.txtHTML, QString());
            setEditorText(ui_.txtPHP, QStringLiteral("out"));
            drop(target, file);
            QCOMPARE(window_->inputText(), QStringLiteral("<p>a</p>"));
            QCOMPARE(window_->outputText(), QStringLiteral("out"));
        }
        ::unlink(native.constData());  // which QDir could not name
        drop(ui_.txtHTML->viewport(), text, QPoint(2, 2));
        QCOMPARE(window_->inputText(), QStringLiteral("<b>\uFFFD</b><p>a</p>"));
    }

    // The real dialogs, each found as the active modal widget: the open
    // dialog, then the notice about Windows-1252.
    void realDialogsAndNotice()
    {
        setFileDialogHook({});
        setMessageHook({});
        write(path("latin.html"), "<p>\xe9</p>");
        QString notice;
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            // Typed, as a user would: the dialog lists its folder lazily.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(path("latin.html"));
            whenModal<QMessageBox>([&](QMessageBox* box) {
                notice = box->text();
                box->button(QMessageBox::Ok)->click();
            });
            static_cast<QDialog*>(dialog)->accept();
        });
        item("mnuOpen")->trigger();
        QVERIFY(notice.contains(QStringLiteral("Windows-1252")));
        QCOMPARE(window_->inputText(), QStringLiteral("<p>é</p>"));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void save_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("filter");
        QTest::newRow("PHP, nothing opened") << Target::Php << QString() << "script.php" << "PHP scripts (*.php)";
        QTest::newRow("Python, page opened") << Target::Python << "site/page.old.htm" << "site/page.old.py"
                                             << "Python scripts (*.py)";
    }

    // The dialog proposes the opened page's name with the script's extension
    // in the page's folder; the file holds the output text in UTF-8 without a
    // mark, with CR LF between lines, and replaces an older file whole.
    void save()
    {
        QFETCH(Target, target);
        QFETCH(QString, opened);
        QFETCH(QString, proposed);
        QFETCH(QString, filter);
        QVERIFY(QDir::setCurrent(dir_->path()));
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("site")));
        window_->selectTarget(target);
        if (!opened.isEmpty()) {
            write(path(opened), "caf\xc3\xa9\r\n\xf0\x9f\x98\x80\t\"x\"\n");
            window_->openFile(path(opened));
        } else {
            setEditorText(ui_.txtHTML, QStringLiteral("café\r\n😀\t\"x\"\r\n"));
        }
        ui_.cmdConvert->click();
        ui_.cmdSaveScript->click();
        QCOMPARE(requests_.value(0).path, path(proposed));
        QCOMPARE(requests_.value(0).filters.value(0), filter);

        write(path("saved"), "an older, longer file that is replaced whole");
        // A lone surrogate, which UTF-8 cannot hold, is saved as U+FFFD.
        setEditorText(ui_.txtPHP, window_->outputText() + QStringLiteral("\r\n\u20ac\u2029end") + QChar(0xD800));
        answer_ = path("saved");
        item("mnuSavePHPScript")->trigger();
        const QByteArray bytes = contents(path("saved"));
        QCOMPARE(bytes, scriptOf(target, QStringLiteral("café\r\n😀\t\"x\"\r\n")).toUtf8() + "\r\n\xe2\x82\xac\r\nend\xef\xbf\xbd");
    }

    // A warning names the file and the reason; an existing file stays byte
    // for byte, no temporary file is left, the window keeps its text.
    void saveFailures()
    {
        const QByteArray old = "<?php echo \"old\"; ?>";
        write(path("full.php"), old);
        write(path("readonly.php"), old);
        QFile::setPermissions(path("readonly.php"), QFileDevice::ReadOwner);
        convert(QString(4000, QLatin1Char('y')));
        const QString output = window_->outputText();
        const QStringList before = QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden);
        rlimit fileSize{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &fileSize), 0);
        std::signal(SIGXFSZ, SIG_DFL);  // what the window must not die of
        const QList<std::pair<QString, QString>> cases{
            {"gone/script.php", "No such file or directory"}, {"full.php", "File too large"}, {"readonly.php", "not writable"}};
        for (const auto& [name, reason] : cases) {
            if (name == QLatin1String("readonly.php") && geteuid() == 0)
                QSKIP("the superuser writes every file");
            messages_.clear();
            answer_ = path(name);
            // For full.php, writes beyond 1 KB fail as on a full disk.
            const rlimit limit{name == QLatin1String("full.php") ? rlim_t(1024) : fileSize.rlim_cur, fileSize.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
            ui_.cmdSaveScript->click();
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &fileSize), 0);
            // The file first, then why; a path can hold the reason's words.
            const QString start = "The script could not be saved as \"" + QDir::toNativeSeparators(path(name)) + "\".\n\n";
            QVERIFY2(!messages_.isEmpty() && messages_[0].prompt.startsWith(start), qPrintable(messages_.value(0).prompt));
            expectMessage(MessageIcon::Exclamation, {start, reason});
            QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
            if (QFileInfo(path(name)).isFile())
                QCOMPARE(contents(path(name)), old);
            QCOMPARE(window_->outputText(), output);
        }
    }

    void templateSavedInItsEncoding_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");     // added to the template before saving
        QTest::addColumn<bool>("yes");          // to saving in UTF-8
        QTest::addColumn<QStringList>("asked");  // parts of the question, if one
        QTest::addColumn<QByteArray>("saved");   // the file's bytes (Python's codecs, WHATWG's 0x81)
        const QByteArray asp = "<% Dim s : s = \"caf\xe9\" ' r\xe9sum\xe9\r\nResponse.Write \"<p>na\xefve \x80</p>\" & s %>";
        const QByteArray aspTemplate = "<% Dim s : s = \"caf\xe9\" ' r\xe9sum\xe9\r\n%><p>na\xefve \x80</p><%= s %>";
        const QByteArray aspInUtf8 = "<% Dim s : s = \"caf\xc3\xa9\" ' r\xc3\xa9sum\xc3\xa9\r\n%><p>na\xc3\xafve \xe2\x82\xac</p><%= s %>";
        const QStringList cannotHold{u"The template was read from a file in windows-1252, and is saved in it"_s,
                                     u"The character \"\u4e2d\" at line 3, column 4 cannot be written in windows-1252.\n\n"
                                     "In UTF-8, code may not mean what it meant in windows-1252:\nLine 1, column 16: a "
                                     "string in code holds characters beyond ASCII.\nLine 3, column 13: a string in code "
                                     "holds characters beyond ASCII.\n\nSave the template in UTF-8 instead?"_s};
        const QString typed = u"\r\n<b>\u4e2d</b><%= \"\u00e0\" %>"_s;
        QTest::newRow("ASP page in Windows-1252") << asp << QString() << false << QStringList() << aspTemplate;
        QTest::newRow("characters typed that Windows-1252 holds")
            << asp << u"\r\n\u0178\u0081"_s << false << QStringList() << aspTemplate + "\r\n\x9f\x81";
        QTest::newRow("a character it cannot hold, saved in UTF-8") << asp << typed << true << cannotHold
                                                                    << aspInUtf8 + "\r\n<b>\xe4\xb8\xad</b><%= \"\xc3\xa0\" %>";
        QTest::newRow("a character it cannot hold, not saved") << asp << typed << false << cannotHold << QByteArray();
        QTest::newRow("PHP in the KOI8-R it declares")
            << QByteArray("<meta charset=koi8-r><?php $s = \"\xf0\"; echo \"<p>\xf0\xd2</p>\", $s; ?>") << QString() << false
            << QStringList() << QByteArray("<meta charset=koi8-r><?php $s = \"\xf0\"; ?><p>\xf0\xd2</p><?= $s ?>");
        // What php -n prints for both: the escape's byte, as in the file.
        QTest::newRow("PHP in Windows-1252 with an escape that makes a byte")
            << QByteArray("<?php echo \"caf\\xe9 \xe9\", strlen(\"\xe9\"); ?>") << QString() << false << QStringList()
            << QByteArray("caf\xe9 \xe9<?= strlen(\"\xe9\") ?>");
        QTest::newRow("PHP that leaves no code, saved as HTML in its encoding")
            << QByteArray("<?php echo \"<p>caf\xe9</p>\"; ?>") << QString() << false << QStringList()
            << QByteArray("<p>caf\xe9</p>");
        QTest::newRow("UTF-8 stays UTF-8") << QByteArray("<% x = \"\xc3\xa9\" %>\xe4\xb8\xad") << QString() << false
                                           << QStringList() << QByteArray("<% x = \"\xc3\xa9\" %>\xe4\xb8\xad");
    }

    // A PHP or ASP template made from a file read in a legacy encoding is
    // saved in it; what it cannot hold is said, with where code would change
    // meaning in UTF-8, and UTF-8 offered instead; declined, nothing is written.
    void templateSavedInItsEncoding()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(bool, yes);
        QFETCH(QStringList, asked);
        QFETCH(QByteArray, saved);
        item("mnuToHTML")->trigger();
        write(path("page.asp"), file);
        window_->openFile(path("page.asp"));
        messages_.clear();  // the notice of how it was read
        ui_.cmdConvert->click();
        setEditorText(ui_.txtPHP, window_->outputText() + typed);
        yes_ = yes;
        answer_ = path("saved");
        write(answer_, "older");
        ui_.cmdSaveScript->click();
        QCOMPARE(questions_.size(), asked.isEmpty() ? 0 : 1);
        for (const QString& part : asked)
            QVERIFY2(questions_[0].prompt.contains(part), qPrintable(questions_[0].prompt));
        QCOMPARE(contents(answer_), saved.isNull() ? QByteArray("older") : saved);
        QCOMPARE(requests_.size(), saved.isNull() ? 0 : 1);
    }

    // Opening names the file in the title, marked while its text has
    // changed since; File > Open Recent offers it again, the latest first,
    // at the next start too, and forgets a file that is gone. Saving is
    // confirmed in the status strip, with no message box.
    void titleRecentFilesAndSaveNotice()
    {
        write(path("a.html"), "<p>a</p>");
        write(path("b&c.html"), "<p>b</p>");
        window_->openFile(path("a.html"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("a.html[*] - Tagora Converter v1.0.0"));
        QVERIFY(!window_->isWindowModified());
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("x"));
        QVERIFY(window_->isWindowModified());
        window_->openFile(path("b&c.html"));
        QVERIFY(!window_->isWindowModified());
        const auto captions = [this] {
            QStringList shown;
            for (const QAction* file : named<QMenu>(window_, "mnuRecentFiles")->actions())
                shown << file->text();
            return shown;
        };
        const QString folder = QDir::toNativeSeparators(dir_->path());
        QCOMPARE(captions(), QStringList({"&1 b&&c.html  (" + folder + ")", "&2 a.html  (" + folder + ")"}));
        QVERIFY(QFile::remove(path("a.html")));
        named<QMenu>(window_, "mnuRecentFiles")->actions().value(1)->trigger();
        expectMessage(MessageIcon::Exclamation, {"cannot be opened", QDir::toNativeSeparators(path("a.html"))});
        reopen();
        QCOMPARE(captions(), QStringList({"&1 b&&c.html  (" + folder + ")"}));
        named<QMenu>(window_, "mnuRecentFiles")->actions().value(0)->trigger();
        QCOMPARE(window_->inputText(), QStringLiteral("<p>b</p>"));
        ui_.cmdConvert->click();
        answer_ = path("b.php");
        ui_.cmdSaveScript->click();
        QCOMPARE(status(), "Saved as \"" + QDir::toNativeSeparators(answer_) + "\".");
    }

    // A file of over a million characters goes into the input box a slice
    // at a time, the focus staying in it. Meanwhile the window works on the
    // whole page; the slices that follow are no edits: the title stays
    // unmarked, a script converted meanwhile stays current, there is
    // nothing to undo, and conversion as one types knows the page is too
    // long for it. A key first puts the rest in.
    void largeFileWhileItGoesIn()
    {
        QString page;
        for (int line = 0; line < 6'300; ++line)
            page += QStringLiteral("<p class=\"a\">%1 %2</p>\r\n").arg(line).arg(QString(150, QLatin1Char('w')));
        QVERIFY(page.size() > CodeTextBox::kSlicedTextSize);
        write(path("large.html"), page.toUtf8());
        item("mnuConvertAsYouType")->trigger();
        ui_.txtHTML->setFocus();
        bool titleMarked = false;
        connect(ui_.txtHTML->document(), &QTextDocument::modificationChanged, window_,
                [&] { titleMarked = titleMarked || window_->isWindowModified(); });
        window_->openFile(path("large.html"));
        QVERIFY(ui_.txtHTML->filling() && ui_.txtHTML->hasFocus());
        QCOMPARE(window_->inputText(), page);
        QVERIFY(coloursIn(ui_.txtHTML).isEmpty());  // too large to colour, from its first slice
        QVERIFY2(status().contains("too long to convert as you type"), qPrintable(status()));
        ui_.cmdConvert->click();
        QVERIFY(ui_.txtHTML->filling());
        QTRY_VERIFY_WITH_TIMEOUT(!ui_.txtHTML->filling(), 60'000);
        QCOMPARE(editorText(ui_.txtHTML), page);
        QCOMPARE(window_->scriptText(), scriptOf(Target::Php, page));
        QVERIFY(ui_.mnuCopy->isEnabled());
        QVERIFY(!window_->isWindowModified() && !titleMarked);
        QVERIFY(!ui_.txtHTML->document()->isUndoAvailable());

        window_->openFile(path("large.html"));
        QVERIFY(ui_.txtHTML->filling());
        QTest::keyClick(ui_.txtHTML, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(!ui_.txtHTML->filling());
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("x"));
        QCOMPARE(window_->inputText(), page + QStringLiteral("x"));
        QVERIFY(window_->isWindowModified() && !ui_.mnuCopy->isEnabled());
        QTest::keyClick(ui_.txtHTML, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window_->inputText(), page);
    }

    // The busy cursor shows while a command works and never over a message
    // box or a dialog.
    void busyCursorOnlyWhileWorking()
    {
        QStringList seen;
        const auto note = [&seen](const char* what) {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            seen << QLatin1String(what) + (cursor && cursor->shape() == Qt::WaitCursor ? " busy" : " idle");
        };
        setMessageHook([&](const ShownMessage&) { note("message"); });
        setFileDialogHook([&](const FileDialogRequest&) {
            note("dialog");
            return answer_;
        });
        connect(ui_.txtHTML, &QPlainTextEdit::textChanged, window_, [&] { note("input"); });
        connect(ui_.txtPHP, &QPlainTextEdit::textChanged, window_, [&] { note("output"); });
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, window_, [&] { note("clipboard"); });
        write(path("busy.html"), "\xe9");
        answer_ = path("busy.html");
        item("mnuOpen")->trigger();  // dialog, output (greyed), input, Windows-1252 notice
        ui_.cmdConvert->click();     // output (its colours back), output
        ui_.mnuCopy->click();        // clipboard
        answer_ = path("busy.php");
        ui_.cmdSaveScript->click();  // dialog
        QCOMPARE(seen, (QStringList{"dialog idle", "output busy", "input busy", "message idle", "output busy",
                                    "output busy", "clipboard busy", "dialog idle"}));
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(QFileInfo(path("busy.php")).isFile());
    }
};

QTEST_MAIN(FilesTest)
#include "tst_main_window_files.moc"

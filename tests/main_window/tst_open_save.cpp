// Opening HTML files (dialog, drop, command line; encodings, line breaks,
// errors) and saving scripts (names, bytes, failures) in the main window.
#include "code_text_box.h"
#include "file_dialog.h"
#include "frm_Main.h"
#include "frm_Splash.h"
#include "message_box.h"
#include "text_conversion.h"
#include "text_file.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace tagora;
using namespace tagora::runtime;

namespace {

const QStringList kHtmlFilters{"HTML files (*.html *.htm *.xhtml *.shtml)", "All files (*)"};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Sends a whole drag and drop of the data onto the widget at pos; Qt
// passes it up to the first parent that takes drops.
void drop(QWidget* target, const QMimeData& data, QPoint pos = QPoint(10, 10))
{
    QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    QDropEvent dropped(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
}

// Polls until a modal widget of the type is up, then runs the action on it.
template <typename Widget, typename Action> void whenModal(Action action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* widget = qobject_cast<Widget*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            action(widget);
        }
    });
    timer->start(20);
}

}  // namespace

class OpenSaveTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void encodings_data();
    void encodings();
    void openErrors();
    void openCommands();
    void realDialogsAndNotice();
    void drops();
    void commandLineFileAfterSplash();
    void saveFollowsOutput();
    void save_data();
    void save();
    void saveFailures();
    void busyCursorOnlyWhileWorking();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    void expectWarning(const QString& file, const QString& reason);

    frm_Main* window_ = nullptr;
    std::unique_ptr<QTemporaryDir> dir_;
    QList<ShownMessage> messages_;
    QList<FileDialogRequest> requests_;
    QString answer_;
};

void OpenSaveTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    messages_.clear();
    requests_.clear();
    answer_.clear();
    setMessageHook([this](const ShownMessage& message) { messages_ << message; });
    setFileDialogHook([this](const FileDialogRequest& request) {
        requests_ << request;
        return answer_;
    });
    window_ = new frm_Main;
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void OpenSaveTest::cleanup()
{
    setMessageHook({});
    setFileDialogHook({});
    delete window_;
}

void OpenSaveTest::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("guessed");
    const QByteArray meta2 = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-2\">";
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80") << "café € 😀" << false;
    QTest::newRow("UTF-8 mark") << QByteArray("\xef\xbb\xbf" "a\xc3\xa9") << "aé" << false;
    QTest::newRow("UTF-16LE mark") << QByteArray("\xff\xfe" "a\x00\xe9\x00", 6) << "aé" << false;
    QTest::newRow("UTF-8 beats meta") << QByteArray("<meta charset=\"iso-8859-2\">\xc4\x85")
                                      << "<meta charset=\"iso-8859-2\">ą" << false;
    QTest::newRow("mark beats meta") << QByteArray("\xef\xbb\xbf<meta charset=\"iso-8859-2\">\xc4\x85")
                                     << "<meta charset=\"iso-8859-2\">ą" << false;
    QTest::newRow("not UTF-8: Windows-1252")
        << QByteArray("caf\xe9 \x80 \x93q\x94 \x81\x9f") << "café € “q” \u0081Ÿ" << true;
    QByteArray high;  // every byte from 0x80 on, read by ICU's decoder for reference
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        high.append(char(byte));
    QTest::newRow("Windows-1252, every high byte") << high << QStringDecoder("windows-1252").decode(high).operator QString() << true;
    QTest::newRow("overlong UTF-8") << QByteArray("\xc0\xaf") << "À¯" << true;
    QTest::newRow("meta windows-1252") << QByteArray("<meta charset='windows-1252'>\xe9")
                                       << "<meta charset='windows-1252'>é" << false;
    QTest::newRow("meta http-equiv ISO-8859-2") << meta2 + "\xb1\xbf" << QString::fromLatin1(meta2) + "ąż" << false;
    QTest::newRow("meta UTF-8 on other bytes") << QByteArray("<meta charset=\"utf-8\">\xe9")
                                               << "<meta charset=\"utf-8\">é" << true;
    QTest::newRow("meta past 1024 bytes") << QByteArray(1024, ' ') + "<meta charset=\"iso-8859-2\">\xb1"
                                          << QString(1024, ' ') + "<meta charset=\"iso-8859-2\">±" << true;
    QTest::newRow("meta of an unknown charset") << QByteArray("<META CHARSET=x-nonesuch>\xe9")
                                                << "<META CHARSET=x-nonesuch>é" << true;
    QTest::newRow("line breaks as pasted; U+2029, U+FDD0, U+FDD1 too; NUL, TAB, U+2028 kept")
        << QByteArray("a\r\nb\nc\rd\r\n\n\xe2\x80\xa9" "b\xef\xb7\x90\xef\xb7\x91\x00\t\xe2\x80\xa8", 26)
        << QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\n\r\nb\uFFFD\uFFFD") + QChar(0) + QStringLiteral("\t\u2028") << false;
    QTest::newRow("empty") << QByteArray() << QString() << false;
}

// The file replaces the input, the output stays; a guessed Windows-1252
// is told in an information box naming the file.
void OpenSaveTest::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, guessed);
    write(path("page.html"), bytes);
    setEditorText(window_->txtHTML, QStringLiteral("replaced"));
    setEditorText(window_->txtPHP, QStringLiteral("kept"));
    window_->openFile(path("page.html"));
    QCOMPARE(window_->inputText(), text);
    QCOMPARE(window_->outputText(), QStringLiteral("kept"));
    QCOMPARE(messages_.size(), guessed ? 1 : 0);
    if (guessed)
        QVERIFY(messages_[0].icon == MessageIcon::Information && messages_[0].prompt.contains(path("page.html"))
                && messages_[0].prompt.contains(QStringLiteral("Windows-1252")));
}

void OpenSaveTest::expectWarning(const QString& file, const QString& reason)
{
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].icon, MessageIcon::Exclamation);
    QVERIFY2(messages_[0].prompt.contains(file) && messages_[0].prompt.contains(reason),
             qPrintable(messages_[0].prompt));
}

// A warning names the file and the reason; the input keeps its text.
void OpenSaveTest::openErrors()
{
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("folder.html")));
    write(path("secret.html"), "<p>");
    QFile::setPermissions(path("secret.html"), QFileDevice::WriteOwner);
    QFile huge(path("huge.html"));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(kLargestHtmlFile + 1));
    huge.close();
    const QList<std::pair<QString, QString>> cases{
        {"missing.html", "No such file or directory"}, {"folder.html", "folder"},
        {"huge.html", "larger than 64 MB"}, {"secret.html", "Permission denied"}};
    for (const auto& [name, reason] : cases) {
        if (name == QLatin1String("secret.html") && geteuid() == 0)
            QSKIP("the superuser reads every file");
        messages_.clear();
        setEditorText(window_->txtHTML, QStringLiteral("kept input"));
        window_->openFile(path(name));
        QCOMPARE(window_->inputText(), QStringLiteral("kept input"));
        expectWarning(path(name), reason);
    }
}

// Menu, Ctrl+O and the link each ask with the HTML filters, starting in
// the folder used last; cancelling changes nothing.
void OpenSaveTest::openCommands()
{
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("sub")));
    write(path("sub/a.htm"), "<p>a</p>");
    write(path("sub/b.htm"), "<p>b</p>");
    setEditorText(window_->txtHTML, QStringLiteral("kept"));
    window_->mnuOpen->trigger();  // cancelled
    QCOMPARE(window_->inputText(), QStringLiteral("kept"));
    answer_ = path("sub/a.htm");
    QTest::keyClick(window_->txtPHP, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(window_->inputText(), QStringLiteral("<p>a</p>"));
    answer_ = path("sub/b.htm");
    QTest::mouseClick(window_->lblRefresh, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(window_->inputText(), QStringLiteral("<p>b</p>"));
    QCOMPARE(requests_.size(), 3);
    for (const FileDialogRequest& request : std::as_const(requests_))
        QVERIFY(request.kind == FileDialogKind::Open && request.title == QStringLiteral("Open HTML File")
                && request.filters == kHtmlFilters);
    QCOMPARE(requests_[2].path, path("sub"));
    QVERIFY(messages_.isEmpty());
}

// The real dialogs, each found as the active modal widget: the open
// dialog, then the notice about Windows-1252.
void OpenSaveTest::realDialogsAndNotice()
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
    window_->mnuOpen->trigger();
    QVERIFY(notice.contains(QStringLiteral("Windows-1252")));
    QCOMPARE(window_->inputText(), QStringLiteral("<p>é</p>"));
    QVERIFY(!QApplication::activeModalWidget());
}

// A dropped file opens wherever it lands; dropped text is still typed in.
void OpenSaveTest::drops()
{
    write(path("dropped.html"), "<p>dropped</p>");
    QMimeData file, text;
    file.setUrls({QUrl::fromLocalFile(path("dropped.html"))});
    text.setText(QStringLiteral("<b>\uFDD0</b>"));
    for (QWidget* target : {window_->txtHTML->viewport(), window_->txtPHP->viewport(),
                            window_->findChild<QWidget*>(QStringLiteral("Label1")),
                            static_cast<QWidget*>(window_->cmdConvert)}) {
        setEditorText(window_->txtHTML, QString());
        setEditorText(window_->txtPHP, QStringLiteral("out"));
        drop(target, file);
        QCOMPARE(window_->inputText(), QStringLiteral("<p>dropped</p>"));
        QCOMPARE(window_->outputText(), QStringLiteral("out"));
    }
    drop(window_->txtHTML->viewport(), text, QPoint(2, 2));
    QCOMPARE(window_->inputText(), QStringLiteral("<b>\uFFFD</b><p>dropped</p>"));
}

// The program's start shows the splash modally while the main window is
// hidden; the file named on the command line opens once it has gone.
void OpenSaveTest::commandLineFileAfterSplash()
{
    write(path("start.html"), "<h1>start</h1>\n");
    frm_Main starting;
    QString duringSplash = QStringLiteral("(no splash)");
    QTimer::singleShot(0, [&] {
        if (qobject_cast<frm_Splash*>(QApplication::activeModalWidget()) && !starting.isVisible())
            duringSplash = starting.inputText();
    });
    starting.start(path("start.html"));
    QCOMPARE(duringSplash, QString());
    QVERIFY(starting.isVisible() && !QApplication::activeModalWidget());
    QCOMPARE(starting.inputText(), QStringLiteral("<h1>start</h1>\r\n"));
}

// The save button and menu item are enabled exactly while the output box
// holds text; Ctrl+S saves only then.
void OpenSaveTest::saveFollowsOutput()
{
    const auto enabled = [this](bool expected) {
        return window_->cmdSaveScript->isEnabled() == expected && window_->mnuSavePHPScript->isEnabled() == expected;
    };
    QVERIFY(enabled(false));
    QTest::keyClick(window_->txtPHP, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(requests_.size(), 0);
    QTest::keyClicks(window_->txtPHP, QStringLiteral("x"));
    QVERIFY(enabled(true));
    QTest::keyClick(window_->txtPHP, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(requests_.size(), 1);
    window_->cmdClear->click();
    QVERIFY(enabled(false));
    setEditorText(window_->txtHTML, QStringLiteral("<p>"));
    window_->cmdConvert->click();
    QVERIFY(enabled(true));
}

void OpenSaveTest::save_data()
{
    QTest::addColumn<bool>("asp");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("PHP, nothing opened") << false << QString() << "script.php";
    QTest::newRow("ASP, nothing opened") << true << QString() << "script.asp";
    QTest::newRow("PHP, page opened") << false << "site/page.old.html" << "site/page.old.php";
    QTest::newRow("ASP, page opened") << true << "site/index.htm" << "site/index.asp";
}

// The dialog proposes the opened page's name with the script's extension
// in the page's folder; the file holds the output text in UTF-8 without a
// mark, with CR LF between lines, and replaces an older file whole.
void OpenSaveTest::save()
{
    QFETCH(bool, asp);
    QFETCH(QString, opened);
    QFETCH(QString, proposed);
    QVERIFY(QDir::setCurrent(dir_->path()));
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("site")));
    if (asp)
        window_->mnuToASP->trigger();
    if (!opened.isEmpty()) {
        write(path(opened), "caf\xc3\xa9\r\n\xf0\x9f\x98\x80\t\"x\"\n");
        window_->openFile(path(opened));
    } else {
        setEditorText(window_->txtHTML, QStringLiteral("café\r\n😀\t\"x\"\r\n"));
    }
    window_->cmdConvert->click();
    window_->cmdSaveScript->click();
    QCOMPARE(requests_.size(), 1);
    QCOMPARE(requests_[0].kind, FileDialogKind::Save);
    QCOMPARE(requests_[0].path, path(proposed));
    QCOMPARE(requests_[0].title, asp ? QStringLiteral("Save ASP Script") : QStringLiteral("Save PHP Script"));
    QCOMPARE(requests_[0].filters.front(), asp ? QStringLiteral("ASP scripts (*.asp)") : QStringLiteral("PHP scripts (*.php)"));
    QCOMPARE(window_->mnuSavePHPScript->text(), asp ? QStringLiteral("&Save ASP Script...") : QStringLiteral("&Save PHP Script..."));

    write(path("saved"), "an older, longer file that is replaced whole");
    setEditorText(window_->txtPHP, window_->outputText() + QStringLiteral("\r\n\u20ac\u2029end"));
    answer_ = path("saved");
    window_->mnuSavePHPScript->trigger();
    const QByteArray bytes = contents(path("saved"));
    QCOMPARE(bytes.count("\r\n"), 10);  // 5 header, 3 statements, footer, the added line
    QCOMPARE(bytes, window_->outputText().toUtf8());
    QVERIFY(bytes.endsWith("\r\n\xe2\x82\xac\r\nend") && bytes.contains("caf\xc3\xa9"));
    QVERIFY(messages_.isEmpty());
}

// A warning names the file and the reason; an existing file stays byte
// for byte, no temporary file is left, the window keeps its text.
void OpenSaveTest::saveFailures()
{
    const QByteArray old = "<?php echo \"old\"; ?>";
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("folder.php")));
    write(path("full.php"), old);
    write(path("readonly.php"), old);
    QFile::setPermissions(path("readonly.php"), QFileDevice::ReadOwner);
    setEditorText(window_->txtHTML, QString(4000, QLatin1Char('y')));
    window_->cmdConvert->click();
    const QString output = window_->outputText();
    const QStringList before = QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden);
    const QList<std::pair<QString, QString>> cases{
        {"gone/script.php", "No such file or directory"}, {"folder.php", "directory"},
        {"full.php", "File too large"}, {"readonly.php", "not writable"}};
    for (const auto& [name, reason] : cases) {
        if (name == QLatin1String("readonly.php") && geteuid() == 0)
            QSKIP("the superuser writes every file");
        messages_.clear();
        answer_ = path(name);
        rlimit fileSize{};
        const bool full = name == QLatin1String("full.php");
        if (full) {  // writes beyond 1 KB fail as on a full disk
            std::signal(SIGXFSZ, SIG_IGN);
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &fileSize), 0);
            const rlimit small{1024, fileSize.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        window_->cmdSaveScript->click();
        if (full)
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &fileSize), 0);
        expectWarning(path(name), reason);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        if (QFileInfo(path(name)).isFile())
            QCOMPARE(contents(path(name)), old);
        QCOMPARE(window_->outputText(), output);
    }
}

// The busy cursor shows while a command works and never over a message
// box or a dialog.
void OpenSaveTest::busyCursorOnlyWhileWorking()
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
    connect(window_->txtHTML, &QPlainTextEdit::textChanged, this, [&] { note("input"); });
    connect(window_->txtPHP, &QPlainTextEdit::textChanged, this, [&] { note("output"); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [&] { note("clipboard"); });
    write(path("busy.html"), "\xe9");
    answer_ = path("busy.html");
    window_->mnuOpen->trigger();      // dialog, input, Windows-1252 notice
    window_->Command1->click();       // output
    window_->mnuCopy->click();        // clipboard, message
    answer_ = path("busy.php");
    window_->cmdSaveScript->click();  // dialog
    QCOMPARE(seen, (QStringList{"dialog idle", "input busy", "message idle", "output busy",
                                "clipboard busy", "message idle", "dialog idle"}));
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(QFileInfo(path("busy.php")).isFile());
}

QTEST_MAIN(OpenSaveTest)
#include "tst_open_save.moc"

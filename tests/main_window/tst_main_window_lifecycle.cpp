// The main window's help, viewer and life-cycle commands: the splash
// before the window, the two Enlarge links, About and closing.
#include "code_text_box.h"
#include "frm_About.h"
#include "frm_Main.h"
#include "frm_Notepad.h"
#include "frm_Splash.h"
#include "message_box.h"
#include "text_conversion.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tagora::runtime;

namespace {

// Runs the action on the window that is modal once the caller's modal
// loop has started.
template <typename Action> void onModal(Action action)
{
    QTimer::singleShot(0, [action] { action(QApplication::activeModalWidget()); });
}

}  // namespace

class MainWindowLifecycleTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void splashComesFirst();
    void enlargeShowsACopy_data();
    void enlargeShowsACopy();
    void aboutFrom_data();
    void aboutFrom();
    void linkLabelsShowTheLinkCursor();
    void closingTheWindowEndsTheProgram_data();
    void closingTheWindowEndsTheProgram();

private:
    frm_Main* window_ = nullptr;
};

void MainWindowLifecycleTest::init()
{
    setMessageHook([](const ShownMessage& message) {
        QFAIL(qPrintable(QStringLiteral("unexpected message: ") + message.prompt));
    });
    window_ = new frm_Main;
}

void MainWindowLifecycleTest::cleanup()
{
    setMessageHook({});
    delete window_;
    window_ = nullptr;
}

// Load shows the splash modally and returns once it has gone; the main
// window is not visible meanwhile.
void MainWindowLifecycleTest::splashComesFirst()
{
    bool splashWasModal = false;
    bool mainWasHidden = false;
    onModal([&](QWidget* modal) {
        splashWasModal = qobject_cast<frm_Splash*>(modal) != nullptr;
        mainWasHidden = !window_->isVisible();
    });
    window_->load();
    QVERIFY(splashWasModal);
    QVERIFY(mainWasHidden);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(window_->findChildren<frm_Splash*>().isEmpty());
}

void MainWindowLifecycleTest::enlargeShowsACopy_data()
{
    QTest::addColumn<bool>("output");
    QTest::addColumn<QString>("input");
    QTest::newRow("output, nothing converted") << true << QString();
    QTest::newRow("output, a script") << true << QStringLiteral("<b>\"x\"</b>\r\n\ty\u00A0");
    QTest::newRow("input, empty") << false << QString();
    QTest::newRow("input, not converted") << false << QStringLiteral("<p>\r\n\u2028z</p>");
}

// The viewer shows a copy: what the user types there stays there.
void MainWindowLifecycleTest::enlargeShowsACopy()
{
    QFETCH(bool, output);
    QFETCH(QString, input);
    window_->show();
    setEditorText(window_->txtHTML, input);
    if (output && !input.isEmpty())
        window_->convert();
    const QString before = window_->inputText() + window_->outputText();
    QString shown;
    bool modal = false;
    onModal([&](QWidget* widget) {
        auto* viewer = qobject_cast<frm_Notepad*>(widget);
        QVERIFY(viewer);
        modal = viewer->isModal();
        shown = editorText(viewer->txtHelp);
        QTest::keyClicks(viewer->txtHelp, QStringLiteral("typed in the viewer"));
        viewer->mnuExit1->trigger();
    });
    QTest::mouseClick(output ? window_->lblEnlarge : window_->lblEnlarge1, Qt::LeftButton);
    QVERIFY(modal);
    QCOMPARE(shown, output ? window_->outputText() : window_->inputText());
    QCOMPARE(window_->inputText() + window_->outputText(), before);
    QVERIFY(window_->findChildren<frm_Notepad*>().isEmpty());
}

void MainWindowLifecycleTest::aboutFrom_data()
{
    QTest::addColumn<bool>("shortcut");
    QTest::newRow("menu") << false;
    QTest::newRow("Ctrl+B in the input box") << true;
}

void MainWindowLifecycleTest::aboutFrom()
{
    QFETCH(bool, shortcut);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QWidget* shownOver = nullptr;
    onModal([&](QWidget* widget) {
        auto* about = qobject_cast<frm_About*>(widget);
        QVERIFY(about);
        shownOver = about->parentWidget();
        QTest::keyClick(about, Qt::Key_Escape);
    });
    if (shortcut)
        QTest::keyClick(window_->txtHTML, Qt::Key_B, Qt::ControlModifier);
    else
        window_->mnuAbout->trigger();
    QCOMPARE(shownOver, window_);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(window_->isVisible());
}

void MainWindowLifecycleTest::linkLabelsShowTheLinkCursor()
{
    for (const QLabel* link : {window_->lblEnlarge, window_->lblEnlarge1, window_->lblRefresh}) {
        QCOMPARE(link->cursor().hotSpot(), QPoint(5, 0));
        QCOMPARE(link->cursor().pixmap().size(), QSize(32, 32));
    }
    QCOMPARE(window_->Label1->cursor().shape(), Qt::ArrowCursor);
}

// Exit and every other way of closing the window (the title bar's close
// box, the window manager) close it at once, without a question, and the
// program's event loop ends.
void MainWindowLifecycleTest::closingTheWindowEndsTheProgram_data()
{
    QTest::addColumn<bool>("byExit");
    QTest::newRow("Exit") << true;
    QTest::newRow("close request") << false;
}

void MainWindowLifecycleTest::closingTheWindowEndsTheProgram()
{
    QFETCH(bool, byExit);
    window_->show();
    setEditorText(window_->txtHTML, QStringLiteral("typed, never saved"));
    QTimer::singleShot(0, window_, [this, byExit] {
        if (byExit)
            window_->mnuExit->trigger();
        else
            window_->close();
    });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window_->isVisible());
}

QTEST_MAIN(MainWindowLifecycleTest)
#include "tst_main_window_lifecycle.moc"

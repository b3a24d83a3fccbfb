// The splash, About and code viewer windows, each tested as the user
// meets it: shown modally, driven by clicks, keys and menu commands.
#include "code_text_box.h"
#include "frm_About.h"
#include "frm_Notepad.h"
#include "frm_Splash.h"
#include "text_conversion.h"

#include <QClipboard>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace tagora;

namespace {

// The viewer's text box, found by name as a user's tools find it.
runtime::CodeTextBox* textBoxOf(const frm_Notepad* viewer)
{
    return viewer->findChild<runtime::CodeTextBox*>(QStringLiteral("txtHelp"));
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    // Clicks, keys and close requests change nothing: the splash goes away by
    // itself on the third tick of its 500 ms timer. The test ticks the timer
    // itself, so that a busy machine cannot make it late or early. (The first
    // callback can come while exec() is still showing the window, before its
    // event loop runs: the ticks come in the next one.)
    void splashIgnoresTheUserAndUnloadsOnTheThirdTick()
    {
        QPointer<frm_Splash> splash = new frm_Splash;
        QTimer* const timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
        QCOMPARE(timer->interval(), 500);
        QVERIFY(timer->isActive());
        timer->setInterval(std::chrono::hours(1));  // from here on, only the test ticks
        const auto tick = [&] {
            QTimerEvent event(timer->timerId());
            QCoreApplication::sendEvent(timer, &event);
        };
        QTimer::singleShot(0, [&] {
            QWidget* const modal = QApplication::activeModalWidget();
            QVERIFY(modal == splash);
            QTest::mouseClick(modal->childAt(150, 100), Qt::LeftButton);
            for (Qt::Key key : {Qt::Key_A, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space})
                QTest::keyClick(modal, key);
            QVERIFY(!modal->close());
            QTimer::singleShot(0, [&] {
                for (int ticks = 1; ticks <= 2; ++ticks) {
                    tick();
                    QVERIFY2(splash && splash->isVisible(), QByteArray::number(ticks));
                }
                tick();
                QVERIFY(!splash || !splash->isVisible());
            });
        });
        QTimer::singleShot(5000, [&] { if (splash) splash->accept(); });  // should a check fail
        splash->showModally();
        QVERIFY(splash.isNull());
    }

    void aboutFromTheViewerClosesAndReturns_data()
    {
        QTest::addColumn<int>("key");  // 0 a click
        QTest::newRow("click") << 0;
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    // A real modal About over a real modal viewer: every way out closes it and
    // hands control back to the viewer, still open with its text. Escape then
    // closes the viewer, as it closes any modal window.
    void aboutFromTheViewerClosesAndReturns()
    {
        QFETCH(int, key);
        QWidget owner;
        owner.show();
        QPointer<frm_Notepad> viewer = new frm_Notepad(&owner);
        viewer->setText(QStringLiteral("kept"));
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] {
                auto* about = qobject_cast<frm_About*>(QApplication::activeModalWidget());
                QVERIFY(about && about->parentWidget() == viewer);
                if (key == 0)
                    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
                else
                    QTest::keyClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::Key(key));
            });
            viewer->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
            QVERIFY(QApplication::activeModalWidget() == viewer);
            QVERIFY(viewer->findChildren<frm_About*>().isEmpty());
            QCOMPARE(runtime::editorText(textBoxOf(viewer)), QStringLiteral("kept"));
            QTest::keyClick(textBoxOf(viewer), Qt::Key_Return);  // a new line, nothing more
            QVERIFY(QApplication::activeModalWidget() == viewer);
            QTest::keyClick(textBoxOf(viewer), Qt::Key_Escape);
        });
        // Should a check fail, the windows left open are closed all the same.
        QTimer::singleShot(5000, &owner, &QApplication::closeAllWindows);
        viewer->exec();
        QVERIFY(viewer.isNull());
    }

    // It opens over most of the screen, on the screen even when its owner
    // stands at the screen's edge. Even tiny or minimized, the text box
    // fills the window below the menu bar.
    void viewerOpensLargeAndItsTextFillsIt()
    {
        QWidget owner;
        owner.setGeometry(QRect(QPoint(0, 0), QSize(300, 200)));
        owner.show();
        frm_Notepad viewer(&owner);
        viewer.show();
        const QRect screen = owner.screen()->availableGeometry();
        QVERIFY2(viewer.width() >= screen.width() * 4 / 5 && viewer.height() >= screen.height() * 4 / 5,
                 qPrintable(QStringLiteral("%1x%2 on %3x%4").arg(viewer.width()).arg(viewer.height())
                                .arg(screen.width()).arg(screen.height())));
        QVERIFY(screen.contains(viewer.frameGeometry()));
        for (const bool minimized : {false, true}) {
            minimized ? viewer.showMinimized() : viewer.resize(1, 1);
            QCoreApplication::processEvents();
            const QRect menu = viewer.findChild<QMenuBar*>()->geometry();
            QVERIFY(!textBoxOf(&viewer)->size().isEmpty());
            QCOMPARE(textBoxOf(&viewer)->geometry(),
                     QRect(0, menu.bottom() + 1, viewer.width(), viewer.height() - menu.height()));
        }
    }

    // The viewer is read-only: typing changes nothing (it could never reach
    // the main window). Copy takes the whole text, whatever part of it is
    // selected; the caret still moves and selects.
    void viewerIsReadOnlyAndCopiesTheWholeText()
    {
        frm_Notepad viewer;
        const QString text = QStringLiteral("<b>\r\n\tbold\r\n</b>");
        viewer.setText(text);
        textBoxOf(&viewer)->moveCursor(QTextCursor::End);
        QTest::keyClicks(textBoxOf(&viewer), QStringLiteral("<hr>"));
        QTest::keyClick(textBoxOf(&viewer), Qt::Key_Backspace);
        for (int i = 0; i < 9; ++i)  // "bold", the line break, "</b>"
            QTest::keyClick(textBoxOf(&viewer), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(textBoxOf(&viewer)->textCursor().selectedText(), QStringLiteral("bold\u2029</b>"));
        viewer.findChild<QAction*>(QStringLiteral("mnuCopy"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QCOMPARE(runtime::editorText(textBoxOf(&viewer)), text);
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"

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
#include <QtTest>

class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void splashIgnoresTheUserAndUnloadsOnTheThirdTick();
    void aboutFromTheViewerClosesAndReturns_data();
    void aboutFromTheViewerClosesAndReturns();
    void viewerTextFillsTheWindow_data();
    void viewerTextFillsTheWindow();
    void viewerCopiesTheWholeText_data();
    void viewerCopiesTheWholeText();
};

// Clicks, keys and close requests change nothing: the splash goes away by
// itself on the third tick of its 500 ms timer.
void WindowsTest::splashIgnoresTheUserAndUnloadsOnTheThirdTick()
{
    QElapsedTimer clock;
    clock.start();
    QPointer<frm_Splash> splash = new frm_Splash;
    QSignalSpy ticks(splash->Timer1, &QTimer::timeout);
    QTimer::singleShot(200, [&] {
        QWidget* const modal = QApplication::activeModalWidget();
        QVERIFY(modal == splash);
        QTest::mouseClick(modal->childAt(150, 100), Qt::LeftButton);
        for (Qt::Key key : {Qt::Key_A, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space})
            QTest::keyClick(modal, key);
        QVERIFY(!modal->close());
    });
    splash->showModally();
    const qint64 shownFor = clock.elapsed();
    QVERIFY2(shownFor >= 1500 && shownFor < 2500, QByteArray::number(shownFor));
    QCOMPARE(ticks.count(), 3);
    QVERIFY(splash.isNull());
}

void WindowsTest::aboutFromTheViewerClosesAndReturns_data()
{
    QTest::addColumn<int>("key");  // 0 a click
    QTest::newRow("click") << 0;
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

// A real modal About over a real modal viewer, both centred over the window
// they are opened from, cmdOK holding the About's focus; every way out
// closes it and hands control back to the viewer, still open with its text
// (Escape does not close the viewer). Exit then unloads the viewer.
void WindowsTest::aboutFromTheViewerClosesAndReturns()
{
    QFETCH(int, key);
    QWidget owner;
    owner.setGeometry(50, 40, 700, 560);
    owner.show();
    QPointer<frm_Notepad> viewer = new frm_Notepad(&owner);
    viewer->setText(QStringLiteral("kept"));
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            auto* about = qobject_cast<frm_About*>(QApplication::activeModalWidget());
            QVERIFY(about && about->parentWidget() == viewer);
            QCOMPARE(about->focusWidget(), about->cmdOK);
            QVERIFY((about->geometry().center() - viewer->geometry().center()).manhattanLength()
                    <= 2);
            if (key == 0)
                QTest::mouseClick(about->cmdOK, Qt::LeftButton);
            else
                QTest::keyClick(about->cmdOK, Qt::Key(key));
        });
        QCOMPARE(viewer->geometry().center(), owner.geometry().center());
        QCOMPARE(viewer->focusWidget(), viewer->txtHelp);
        viewer->mnuAbout->trigger();
        QTest::keyClick(viewer->txtHelp, Qt::Key_Escape);  // closes only the About
        QVERIFY(QApplication::activeModalWidget() == viewer);
        QVERIFY(viewer->findChildren<frm_About*>().isEmpty());
        QCOMPARE(tagora::runtime::editorText(viewer->txtHelp), QStringLiteral("kept"));
        viewer->mnuExit1->trigger();
    });
    // Should a check fail, the windows left open are closed all the same.
    QTimer::singleShot(5000, &owner, &QApplication::closeAllWindows);
    viewer->exec();
    QVERIFY(viewer.isNull());
}

void WindowsTest::viewerTextFillsTheWindow_data()
{
    QTest::addColumn<QSize>("size");  // an empty size minimizes
    QTest::newRow("wide and low") << QSize(1000, 120);
    QTest::newRow("tiny") << QSize(1, 1);
    QTest::newRow("minimized") << QSize();
}

// At any size the text box fills the window below the menu bar.
void WindowsTest::viewerTextFillsTheWindow()
{
    QFETCH(QSize, size);
    frm_Notepad viewer;
    viewer.show();
    size.isValid() ? viewer.resize(size) : viewer.showMinimized();
    QCoreApplication::processEvents();
    const QRect menu = viewer.menuBar()->geometry();
    QVERIFY(!viewer.txtHelp->size().isEmpty());
    QCOMPARE(viewer.txtHelp->geometry(),
             QRect(0, menu.bottom() + 1, viewer.width(), viewer.height() - menu.height()));
}

void WindowsTest::viewerCopiesTheWholeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");  // at the end
    QTest::addColumn<int>("selected");   // characters before the end
    QTest::newRow("empty") << "" << "" << 0;
    QTest::newRow("typed, part selected") << "<b>\r\n\tbold\r\n</b>" << "<hr>" << 6;
}

// Copy takes the whole text as it stands in the viewer, typing included.
void WindowsTest::viewerCopiesTheWholeText()
{
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(int, selected);
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    frm_Notepad viewer;
    viewer.setText(text);
    viewer.txtHelp->moveCursor(QTextCursor::End);
    QTest::keyClicks(viewer.txtHelp, typed);
    for (int i = 0; i < selected; ++i)
        QTest::keyClick(viewer.txtHelp, Qt::Key_Left, Qt::ShiftModifier);
    QVERIFY(viewer.txtHelp->textCursor().selectedText().size() == selected);
    viewer.mnuCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), text + typed);
}

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"

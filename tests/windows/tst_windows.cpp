// The splash, About and code viewer windows, each tested as the user
// meets it: shown modally, driven by clicks, keys and menu commands.
#include "artwork.h"
#include "code_text_box.h"
#include "frm_About.h"
#include "frm_Notepad.h"
#include "frm_Splash.h"
#include "text_conversion.h"
#include "window_helpers.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using tagora::runtime::editorText;

class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void splashUnloadsOnThirdTick();
    void splashIgnoresTheUserWhileModal();
    void aboutIsFixedAndCentred();
    void aboutClosesThroughOk_data();
    void aboutClosesThroughOk();
    void aboutTextsFitTheirPlaces();
    void viewerOpensCentredAtItsStoredSize();
    void viewerTextFillsTheWindow_data();
    void viewerTextFillsTheWindow();
    void viewerCopiesTheWholeText_data();
    void viewerCopiesTheWholeText();
    void viewerAboutReturnsToTheViewer();
};

// Runs the action on the modal window once the caller's modal loop runs.
template <typename Action>
static void onModal(Action action, int delay = 0)
{
    QTimer::singleShot(delay, [action] { action(QApplication::activeModalWidget()); });
}

void WindowsTest::splashUnloadsOnThirdTick()
{
    QPointer<frm_Splash> splash = new frm_Splash;
    splash->show();
    for (int tick = 1; tick <= 3; ++tick) {
        QVERIFY(splash->isVisible() && splash->Timer1->isActive());
        QMetaObject::invokeMethod(splash->Timer1, "timeout");
        QCOMPARE(splash->tickCount, tick);
    }
    QVERIFY(!splash->isVisible() && !splash->Timer1->isActive());
    QTRY_VERIFY(splash.isNull());
}

// Clicks, keys and close requests change nothing: it goes away by itself
// after three ticks of 500 ms, its picture unscaled and centred.
void WindowsTest::splashIgnoresTheUserWhileModal()
{
    QElapsedTimer clock;
    clock.start();
    QPointer<frm_Splash> splash = new frm_Splash;
    QImage shown;
    QRect frame;
    onModal([&](QWidget* modal) {
        QVERIFY(modal == splash);
        frame = modal->frameGeometry();
        QTest::mouseClick(modal->childAt(150, 100), Qt::LeftButton);
        for (Qt::Key key : {Qt::Key_A, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space})
            QTest::keyClick(modal, key);
        QVERIFY(!modal->close());
        shown = modal->grab().toImage();
    }, 200);
    splash->showModally();
    const qint64 shownFor = clock.elapsed();
    QVERIFY2(shownFor >= 1500 && shownFor < 2500, QByteArray::number(shownFor));
    QCOMPARE(frame.size(), QSize(290, 234));
    QCOMPARE(frame.center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    const QImage picture = tagora::artwork::splashPicture().toImage();
    for (const QPoint corner : {QPoint(0, 0), QPoint(287, 231)})
        QCOMPARE(shown.pixelColor(corner + QPoint(1, 1)), picture.pixelColor(corner));
    QVERIFY(splash.isNull());
}

void WindowsTest::aboutIsFixedAndCentred()
{
    QWidget owner;
    owner.setGeometry(40, 60, 700, 500);
    owner.show();
    frm_About about(&owner);
    about.show();
    QCOMPARE(about.windowTitle(), QStringLiteral("About..."));
    QCOMPARE(about.size(), QSize(402, 337));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(!(about.windowFlags() & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                                     | Qt::WindowMinMaxButtonsHint)));
    QVERIFY((about.geometry().center() - owner.geometry().center()).manhattanLength() <= 2);
}

void WindowsTest::aboutClosesThroughOk_data()
{
    QTest::addColumn<int>("key");  // 0 a click
    QTest::newRow("click") << 0;
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

// Every way out goes through cmdOK, which holds the focus from the start.
void WindowsTest::aboutClosesThroughOk()
{
    QFETCH(int, key);
    QWidget owner;
    owner.show();
    frm_About about(&owner);
    QSignalSpy okClicks(about.cmdOK, &QPushButton::clicked);
    QWidget* focused = nullptr;
    onModal([&](QWidget* modal) {
        focused = modal->focusWidget();
        if (key == 0)
            QTest::mouseClick(about.cmdOK, Qt::LeftButton);
        else
            QTest::keyClick(focused, Qt::Key(key));
    });
    QTimer::singleShot(3000, &about, [&] { about.done(-1); });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
    QCOMPARE(focused, about.cmdOK);
    QCOMPARE(okClicks.count(), 1);
}

// The notices wrap within their stored size, the disclaimer on three
// lines; the second number stands under the number part of the first.
void WindowsTest::aboutTextsFitTheirPlaces()
{
    frm_About about;
    for (const auto& [label, lines] : {std::pair(about.Label9, 3), std::pair(about.Label8, 2)}) {
        const int needed = label->heightForWidth(label->width());
        QVERIFY(needed <= label->height());
        QVERIFY(needed > (lines - 1) * label->fontMetrics().lineSpacing());
    }
    QVERIFY(about.Label7->text().startsWith(QStringLiteral("Mob. No.: ")));
    const int prefixWidth = about.Label7->fontMetrics().horizontalAdvance("Mob. No.: ");
    QCOMPARE(about.Label12->pos(), QPoint(about.Label7->x() + prefixWidth, 183));
}

void WindowsTest::viewerOpensCentredAtItsStoredSize()
{
    QWidget owner;
    owner.setGeometry(50, 40, 700, 560);
    owner.show();
    auto* viewer = new frm_Notepad(&owner);
    viewer->show();
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Code"));
    QVERIFY(viewer->windowFlags().testFlags(Qt::WindowMinMaxButtonsHint));
    QCOMPARE(viewer->txtHelp->size(), QSize(620, 521));
    QCOMPARE(viewer->geometry().center(), owner.geometry().center());
    QCOMPARE(viewer->focusWidget(), viewer->txtHelp);
    for (QAction* item : {viewer->mnuExit1, viewer->mnuCopy, viewer->mnuAbout})
        QVERIFY(item->shortcut().isEmpty());
    delete viewer;
}

void WindowsTest::viewerTextFillsTheWindow_data()
{
    QTest::addColumn<QSize>("size");  // an empty size minimizes
    QTest::newRow("larger") << QSize(900, 700);
    QTest::newRow("wide and low") << QSize(1000, 120);
    QTest::newRow("narrow and tall") << QSize(150, 650);
    QTest::newRow("tiny") << QSize(1, 1);
    QTest::newRow("minimized") << QSize();
}

void WindowsTest::viewerTextFillsTheWindow()
{
    QFETCH(QSize, size);
    frm_Notepad viewer;
    viewer.show();
    if (size.isValid())
        viewer.resize(size);
    else
        viewer.showMinimized();
    QCoreApplication::processEvents();
    const QRect menu = viewer.menuBar()->geometry();
    QVERIFY(!viewer.txtHelp->size().isEmpty());
    QCOMPARE(viewer.txtHelp->geometry(),
             QRect(0, menu.bottom() + 1, viewer.width(), viewer.height() - menu.height()));
}

void WindowsTest::viewerCopiesTheWholeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectFrom");
    QTest::addColumn<int>("selectTo");
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "" << 0 << 0 << "";
    QTest::newRow("no selection") << "<p>one</p>" << 2 << 2 << "";
    QTest::newRow("part selected") << "<b>\r\n\tbold\r\n</b>" << 3 << 6 << "";
    QTest::newRow("typed") << "<p>\r\n</p>" << 8 << 8 << "<hr>";
}

// Copy takes the whole text as it stands in the viewer, typing included,
// and nothing reaches the box the text came from.
void WindowsTest::viewerCopiesTheWholeText()
{
    QFETCH(QString, text);
    QFETCH(int, selectFrom);
    QFETCH(int, selectTo);
    QFETCH(QString, typed);
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    tagora::runtime::CodeTextBox source;
    tagora::runtime::setEditorText(&source, text);
    frm_Notepad viewer;
    viewer.setText(editorText(&source));
    QTextCursor cursor = viewer.txtHelp->textCursor();
    cursor.setPosition(selectFrom);
    cursor.setPosition(selectTo, QTextCursor::KeepAnchor);
    viewer.txtHelp->setTextCursor(cursor);
    QTest::keyClicks(viewer.txtHelp, typed);
    viewer.mnuCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), text + typed);
    QCOMPARE(editorText(&source), text);
}

// A real modal About over a real modal viewer: OK hands control back to
// the viewer, still open with its text; Exit then unloads it.
void WindowsTest::viewerAboutReturnsToTheViewer()
{
    QWidget owner;
    owner.show();
    QPointer<frm_Notepad> viewer = new frm_Notepad(&owner);
    viewer->setText(QStringLiteral("kept"));
    QWidget* aboutOwner = nullptr;
    bool backInViewer = false;
    onModal([&](QWidget* modal) {
        onModal([&](QWidget* about) {
            aboutOwner = qobject_cast<frm_About*>(about) ? about->parentWidget() : nullptr;
            QTest::keyClick(about->focusWidget(), Qt::Key_Escape);
        });
        modal->findChild<QAction*>("mnuAbout")->trigger();
        backInViewer = QApplication::activeModalWidget() == viewer && viewer->isVisible()
                       && editorText(viewer->txtHelp) == QStringLiteral("kept");
        viewer->mnuExit1->trigger();
    });
    QTimer::singleShot(5000, viewer, &QWidget::close);
    const QWidget* const viewerWindow = viewer.data();
    tagora::runtime::showModal(viewer);
    QVERIFY(aboutOwner == viewerWindow);
    QVERIFY(backInViewer);
    QVERIFY(viewer.isNull());
}

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"

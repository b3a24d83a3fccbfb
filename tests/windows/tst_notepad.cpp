// The code viewer: its frame, its resizing, Copy and its independence.
#include "code_text_box.h"
#include "frm_About.h"
#include "frm_Notepad.h"
#include "message_box.h"
#include "text_conversion.h"
#include "window_helpers.h"

#include <QClipboard>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QtTest>

using tagora::runtime::editorText;

class NotepadTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void isASizableCodeWindow();
    void menusHaveNoShortcuts_data();
    void menusHaveNoShortcuts();
    void textBoxFillsTheWindow_data();
    void textBoxFillsTheWindow();
    void minimizingRaisesNothing();
    void copyTakesTheWholeText_data();
    void copyTakesTheWholeText();
    void editsStayInTheViewer();
    void aboutReturnsToTheViewer();

private:
    int messages_ = 0;
};

void NotepadTest::init()
{
    messages_ = 0;
    tagora::runtime::setMessageHook([this](const auto&) { ++messages_; });
}

void NotepadTest::cleanup()
{
    tagora::runtime::setMessageHook({});
    QCOMPARE(messages_, 0);
}

static void checkFillsBelowMenuBar(const frm_Notepad& viewer)
{
    const QRect menu = viewer.menuBar()->geometry();
    QCOMPARE(viewer.txtHelp->geometry(),
             QRect(0, menu.bottom() + 1, viewer.width(), viewer.height() - menu.height()));
}

void NotepadTest::isASizableCodeWindow()
{
    QWidget owner;
    owner.setGeometry(50, 40, 700, 560);
    owner.show();
    auto* viewer = new frm_Notepad(&owner);
    viewer->show();
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    QCOMPARE(viewer->objectName(), QStringLiteral("frm_Notepad"));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Code"));
    QVERIFY(!viewer->windowIcon().isNull());
    QVERIFY(viewer->windowFlags().testFlags(Qt::WindowMinMaxButtonsHint));
    QVERIFY(viewer->maximumSize().width() > 2000);
    QVERIFY(viewer->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(viewer->txtHelp->size(), QSize(620, 521));
    QCOMPARE(viewer->geometry().center(), owner.geometry().center());
    QCOMPARE(viewer->txtHelp->font().pointSizeF(), 11.25);
    QCOMPARE(viewer->txtHelp->font().family(), QStringLiteral("Courier New"));
    QVERIFY(!viewer->txtHelp->isReadOnly());
    QCOMPARE(viewer->focusWidget(), viewer->txtHelp);
    delete viewer;
}

void NotepadTest::menusHaveNoShortcuts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Exit") << "mnuExit1" << "E&xit";
    QTest::newRow("Copy") << "mnuCopy" << "&Copy";
    QTest::newRow("About") << "mnuAbout" << "&About...";
}

void NotepadTest::menusHaveNoShortcuts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    frm_Notepad viewer;
    auto* item = viewer.findChild<QAction*>(name);
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    QVERIFY(item->shortcut().isEmpty());
    QVERIFY(!item->isCheckable());
}

void NotepadTest::textBoxFillsTheWindow_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("larger") << QSize(900, 700);
    QTest::newRow("wide and low") << QSize(1000, 120);
    QTest::newRow("narrow and tall") << QSize(150, 650);
    QTest::newRow("tiny") << QSize(1, 1);
    QTest::newRow("empty") << QSize(0, 0);
}

void NotepadTest::textBoxFillsTheWindow()
{
    QFETCH(QSize, size);
    frm_Notepad viewer;
    viewer.show();
    viewer.resize(size);
    QCoreApplication::processEvents();
    QVERIFY(viewer.txtHelp->width() > 0 && viewer.txtHelp->height() > 0);
    checkFillsBelowMenuBar(viewer);
}

void NotepadTest::minimizingRaisesNothing()
{
    frm_Notepad viewer;
    viewer.show();
    const QSize shown = viewer.txtHelp->size();
    viewer.showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(viewer.txtHelp->width() > 0 && viewer.txtHelp->height() > 0);
    viewer.showNormal();
    QCoreApplication::processEvents();
    QCOMPARE(viewer.txtHelp->size(), shown);
}

void NotepadTest::copyTakesTheWholeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectFrom");
    QTest::addColumn<int>("selectTo");
    QTest::newRow("empty") << "" << 0 << 0;
    QTest::newRow("no selection") << "<p>one</p>" << 2 << 2;
    QTest::newRow("part selected") << "<b>\r\n\tbold\r\n</b>" << 3 << 6;
    QTest::newRow("all selected") << "a\r\n\r\nb" << 0 << 4;
}

void NotepadTest::copyTakesTheWholeText()
{
    QFETCH(QString, text);
    QFETCH(int, selectFrom);
    QFETCH(int, selectTo);
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    frm_Notepad viewer;
    viewer.setText(text);
    QTextCursor cursor = viewer.txtHelp->textCursor();
    cursor.setPosition(selectFrom);
    cursor.setPosition(selectTo, QTextCursor::KeepAnchor);
    viewer.txtHelp->setTextCursor(cursor);
    viewer.mnuCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    QCOMPARE(editorText(viewer.txtHelp), text);
}

void NotepadTest::editsStayInTheViewer()
{
    tagora::runtime::CodeTextBox source;
    tagora::runtime::setEditorText(&source, QStringLiteral("<p>\r\n</p>"));
    frm_Notepad viewer;
    viewer.setText(editorText(&source));
    viewer.txtHelp->moveCursor(QTextCursor::End);
    QTest::keyClicks(viewer.txtHelp, QStringLiteral("<hr>"));
    viewer.mnuCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("<p>\r\n</p><hr>"));
    QCOMPARE(editorText(&source), QStringLiteral("<p>\r\n</p>"));
}

// A real modal About over a real modal viewer: OK hands control back to
// the viewer, which is still open with its text; Exit then unloads it.
void NotepadTest::aboutReturnsToTheViewer()
{
    QWidget owner;
    owner.show();
    QPointer<frm_Notepad> viewer = new frm_Notepad(&owner);
    viewer->setText(QStringLiteral("kept"));
    QWidget* aboutOwner = nullptr;
    bool backInViewer = false;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            auto* about = qobject_cast<frm_About*>(QApplication::activeModalWidget());
            QVERIFY(about);
            aboutOwner = about->parentWidget();
            QTest::keyClick(about->focusWidget(), Qt::Key_Escape);
        });
        QApplication::activeModalWidget()->findChild<QAction*>("mnuAbout")->trigger();
        backInViewer = QApplication::activeModalWidget() == viewer && viewer->isVisible()
                       && editorText(viewer->txtHelp) == QStringLiteral("kept");
        viewer->mnuExit1->trigger();
    });
    QTimer::singleShot(5000, viewer, &QWidget::close);
    tagora::runtime::showModal(viewer);
    QCOMPARE(aboutOwner, viewer.data());
    QVERIFY(backInViewer);
    QTRY_VERIFY(viewer.isNull());
}

QTEST_MAIN(NotepadTest)
#include "tst_notepad.moc"

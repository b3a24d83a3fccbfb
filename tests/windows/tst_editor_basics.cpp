// The editor's basics every text box has (the input and output boxes and
// the viewer): the find bar and its keys, the zoom and word wrap shared by
// all boxes and remembered, and the marker of an error's line.
#include "code_text_box.h"
#include "editor_view.h"
#include "find_bar.h"
#include "frm_Notepad.h"
#include "settings.h"
#include "syntax_highlighter.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolTip>
#include <QtTest>

using namespace tagora;
using namespace tagora::runtime;

namespace {

// Where a plain search finds the text: the reference the box's find is
// held to.
QList<int> matchesOf(const QString& text, const QString& what, Qt::CaseSensitivity cs)
{
    QList<int> found;
    for (qsizetype at = text.indexOf(what, 0, cs); at >= 0; at = text.indexOf(what, at + 1, cs))
        found.append(int(at));
    return found;
}

struct ShownBox {
    CodeTextBox box;
    explicit ShownBox(const QString& text)
    {
        box.setLineNumbersShown(true);
        box.setPlainText(text);
        box.resize(500, 300);
        box.show();
        box.activateWindow();
        box.setFocus();
        active = QTest::qWaitForWindowActive(&box);
    }
    bool active = false;
};

QLineEdit* findField(const CodeTextBox& box)
{
    return box.findBar()->findChild<QLineEdit*>(QStringLiteral("findText"));
}

int selectionStart(const CodeTextBox& box)
{
    return box.textCursor().selectionStart();
}

}  // namespace

class EditorBasicsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        EditorView::shared().setZoom(0);
        EditorView::shared().setWordWrap(false);
    }

    // Ctrl+F opens the bar on the box's selection; typing finds as one
    // types, F3 and Shift+F3 go to the next and previous match, going round
    // the end; Escape closes the bar and gives the focus back to the box.
    void findBarGoesThroughTheMatchesBothWaysAndRound()
    {
        const QString text = QStringLiteral("Alpha beta\nALPHA gamma alpha\nalphabet");
        ShownBox shown(text);
        QVERIFY(shown.active);
        CodeTextBox& box = shown.box;
        const QList<int> all = matchesOf(text, QStringLiteral("alpha"), Qt::CaseInsensitive);
        QCOMPARE(all.size(), 4);
        QTest::keyClick(&box, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(box.findBar()->isVisible());
        QVERIFY(findField(box)->hasFocus());
        // Along the bottom, below the text, not over it.
        const QRect bar = box.findBar()->geometry();
        QCOMPARE(bar.top(), box.viewport()->geometry().bottom() + 1);
        QVERIFY(bar.height() > 0 && box.rect().contains(bar));
        QTest::keyClicks(findField(box), QStringLiteral("alpha"));
        QCOMPARE(selectionStart(box), all[0]);
        QCOMPARE(box.textCursor().selectedText(), QStringLiteral("Alpha"));
        for (int i = 1; i < all.size(); ++i) {
            QTest::keyClick(findField(box), Qt::Key_F3);
            QCOMPARE(selectionStart(box), all[i]);
        }
        QTest::keyClick(findField(box), Qt::Key_F3);
        QCOMPARE(selectionStart(box), all[0]);
        QCOMPARE(box.findBar()->status(), QStringLiteral("From the top"));
        QTest::keyClick(findField(box), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(selectionStart(box), all[3]);
        QCOMPARE(box.findBar()->status(), QStringLiteral("From the bottom"));
        QTest::keyClick(findField(box), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(selectionStart(box), all[2]);
        QTest::keyClick(findField(box), Qt::Key_Escape);
        QVERIFY(!box.findBar()->isVisible());
        QVERIFY(box.hasFocus());
        // F3 in the box itself goes on with the same text.
        QTest::keyClick(&box, Qt::Key_F3);
        QCOMPARE(selectionStart(box), all[3]);
        QVERIFY(!box.findBar()->isVisible());
    }

    void findBarMatchesCaseWhenAskedAndSaysWhatItCannotFind()
    {
        const QString text = QStringLiteral("Alpha beta\nALPHA gamma alpha\nalphabet");
        ShownBox shown(text);
        QVERIFY(shown.active);
        CodeTextBox& box = shown.box;
        QTest::keyClick(&box, Qt::Key_F, Qt::ControlModifier);
        box.findBar()->findChild<QCheckBox*>(QStringLiteral("findMatchCase"))->setChecked(true);
        QTest::keyClicks(findField(box), QStringLiteral("alpha"));
        const QList<int> exact = matchesOf(text, QStringLiteral("alpha"), Qt::CaseSensitive);
        QCOMPARE(exact.size(), 2);
        QCOMPARE(selectionStart(box), exact[0]);
        QTest::keyClick(findField(box), Qt::Key_Return);
        QCOMPARE(selectionStart(box), exact[1]);
        QTest::keyClick(findField(box), Qt::Key_Return);
        QCOMPARE(selectionStart(box), exact[0]);
        QTest::keyClicks(findField(box), QStringLiteral("x"));
        QCOMPARE(box.findBar()->status(), QStringLiteral("Not found"));
        QVERIFY(box.findBar()->findChild<QLabel*>(QStringLiteral("findNotFound"))->isVisible());
        QCOMPARE(selectionStart(box), exact[0]);  // the selection stays
        // A selection on one line is what Ctrl+F offers to find.
        QTest::keyClick(findField(box), Qt::Key_Escape);
        QTextCursor gamma(box.document());
        gamma.setPosition(int(text.indexOf(QStringLiteral("gamma"))));
        gamma.setPosition(gamma.position() + 5, QTextCursor::KeepAnchor);
        box.setTextCursor(gamma);
        QTest::keyClick(&box, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(findField(box)->text(), QStringLiteral("gamma"));
    }

    // Zoom is the program's: a key or Ctrl+wheel in one box zooms every
    // box by a point a step, a font set later keeps the zoom, and it is
    // remembered in the settings.
    void zoomChangesEveryBoxAndIsRemembered()
    {
        ShownBox first(QStringLiteral("<p>a</p>"));
        ShownBox second(QStringLiteral("<p>b</p>"));
        QVERIFY(first.active && second.active);
        QFont font = first.box.font();
        font.setPointSizeF(10);
        first.box.setFont(font);
        second.box.setFont(font);
        QCOMPARE(first.box.font().pointSizeF(), 10.0);
        QTest::keyClick(&first.box, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(&first.box, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(first.box.font().pointSizeF(), 12.0);
        QCOMPARE(second.box.font().pointSizeF(), 12.0);
        QCOMPARE(rememberedEditorView().zoom, 2);
        QWheelEvent down(QPointF(10, 10), first.box.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(first.box.viewport(), &down);
        QCOMPARE(second.box.font().pointSizeF(), 11.0);
        QTest::keyClick(&second.box, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(&second.box, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(first.box.font().pointSizeF(), 9.0);
        QCOMPARE(rememberedEditorView().zoom, -1);
        font.setPointSizeF(20);
        first.box.setFont(font);
        QCOMPARE(first.box.font().pointSizeF(), 19.0);
        QCOMPARE(first.box.unzoomedFont().pointSizeF(), 20.0);
        QTest::keyClick(&first.box, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(first.box.font().pointSizeF(), 20.0);
        QCOMPARE(second.box.font().pointSizeF(), 10.0);
        QCOMPARE(rememberedEditorView().zoom, 0);
    }

    // Word wrap: every box wraps a long line to its width, and the choice
    // is remembered; off again, the line is one line on the screen.
    void wordWrapFoldsLongLinesInEveryBoxAndIsRemembered()
    {
        ShownBox first(QString(2000, QLatin1Char('x')));
        ShownBox second(QStringLiteral("short"));
        QCOMPARE(first.box.document()->firstBlock().layout()->lineCount(), 1);
        second.box.editorActions()[6]->trigger();
        QCOMPARE(second.box.editorActions()[6]->objectName(), QStringLiteral("editorWordWrap"));
        QVERIFY(EditorView::shared().wordWrap());
        QVERIFY(rememberedEditorView().wordWrap);
        QTRY_VERIFY(first.box.document()->firstBlock().layout()->lineCount() > 1);
        QVERIFY(first.box.editorActions()[6]->isChecked());
        EditorView::shared().setWordWrap(false);
        QTRY_COMPARE(first.box.document()->firstBlock().layout()->lineCount(), 1);
        QVERIFY(!rememberedEditorView().wordWrap);
    }

    // The error's line: its number white on red, the message as the
    // marker's tooltip and in the box's screen-reader description, the mark
    // following the line as lines are added above it.
    void errorMarkerShowsTheMessageAndFollowsItsLine()
    {
        ShownBox shown(QStringLiteral("<?php\necho 'a';\necho 'b\n"));
        CodeTextBox& box = shown.box;
        box.setAccessibleDescription(QStringLiteral("The script"));
        box.markError(3, QStringLiteral("Line 3, column 6: a string is not closed."));
        QCOMPARE(box.markedErrorLine(), 3);
        QVERIFY(box.accessibleDescription().contains(QStringLiteral("a string is not closed")));
        QWidget* numbers = box.findChild<QWidget*>(QStringLiteral("lineNumbers"));
        const QRect marker = box.errorMarkerRect();
        QVERIFY(!marker.isEmpty());
        const QImage image = numbers->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        QCOMPARE(image.pixelColor(QPoint(1, int((marker.top() + 1) * ratio))), QColor(192, 0, 0));
        QVERIFY(image.pixelColor(QPoint(1, int((marker.top() - 2) * ratio))) != QColor(192, 0, 0));
        QHelpEvent help(QEvent::ToolTip, marker.center(), numbers->mapToGlobal(marker.center()));
        QApplication::sendEvent(numbers, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Line 3, column 6: a string is not closed."));
        QTextCursor top(box.document());
        top.insertText(QStringLiteral("\n\n"));
        QCOMPARE(box.markedErrorLine(), 5);
        box.clearErrorMark();
        QCOMPARE(box.markedErrorLine(), 0);
        QCOMPARE(box.accessibleDescription(), QStringLiteral("The script"));
        QVERIFY(box.errorMarkerRect().isEmpty());
    }

    // A text of more than a million characters is shown plain: the colours
    // of before go when it grows past that, and come back below it.
    void coloursOffForVeryLargeTexts()
    {
        QTextDocument text;
        text.setDocumentLayout(new QPlainTextDocumentLayout(&text));  // as in a box: it reports changes
        SyntaxHighlighter colours(&text);
        colours.setLanguage(SyntaxHighlighter::Language::Html);
        const QString line = QStringLiteral("<p class=\"x\">text</p>\n");
        const int lines = SyntaxHighlighter::kLargestColouredText / int(line.size()) - 1;
        text.setPlainText(line.repeated(lines));
        const auto coloured = [&text](int blockNumber) {
            return !text.findBlockByNumber(blockNumber).layout()->formats().isEmpty();
        };
        QVERIFY(coloured(0) && coloured(lines - 1));
        QTextCursor end(&text);
        end.movePosition(QTextCursor::End);
        end.insertText(line.repeated(2));
        QVERIFY(text.characterCount() > SyntaxHighlighter::kLargestColouredText);
        QVERIFY(!coloured(0) && !coloured(lines - 1) && !coloured(lines + 1));
        end.movePosition(QTextCursor::PreviousBlock, QTextCursor::KeepAnchor, 2);
        end.removeSelectedText();
        QVERIFY(text.characterCount() <= SyntaxHighlighter::kLargestColouredText);
        QVERIFY(coloured(0) && coloured(lines - 1));
    }

    // The viewer's box has the same keys.
    void viewerFindsAndZooms()
    {
        auto* viewer = new frm_Notepad;
        viewer->setText(QStringLiteral("one\ntwo\nthree two"));
        viewer->show();
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        auto* box = viewer->findChild<CodeTextBox*>(QStringLiteral("txtHelp"));
        box->setFocus();
        const qreal size = box->font().pointSizeF();
        QTest::keyClick(box, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(box->font().pointSizeF(), size + 1);
        QTest::keyClick(box, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(box->findBar()->isVisible());
        QTest::keyClicks(findField(*box), QStringLiteral("two"));
        QTest::keyClick(findField(*box), Qt::Key_F3);
        QCOMPARE(box->textCursor().selectionStart(), 14);
        delete viewer;
    }
};

QTEST_MAIN(EditorBasicsTest)
#include "tst_editor_basics.moc"

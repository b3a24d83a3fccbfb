// A large text put into a box a slice at a time: the box ends up holding
// exactly what QTextDocument::setPlainText() makes of the text, the whole
// text is read back from the start, and whatever the user does to the box
// puts the rest in first.
#include "code_text_box.h"
#include "find_bar.h"
#include "sliced_text.h"
#include "text_conversion.h"

#include <QLineEdit>
#include <QtTest>

using namespace tagora::runtime;

namespace {

// Slices of a few characters, so that a short text goes in many.
constexpr qsizetype kSlicedOver = 10;
constexpr qsizetype kSlice = 7;

// Line breaks of every kind, at every place a slice may end: a CR LF pair
// across a slice's end, a lone CR before an LF-ended line, empty lines,
// a paragraph separator, and a line longer than a slice.
QStringList trickyTexts()
{
    return {QStringLiteral("abcdef\r\nghij\r\nklm\r\n"),
            QStringLiteral("abcde\r\r\nf\n\n\r\rg\u2029h\r\n\r\nlast line without end"),
            QStringLiteral("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"),
            QStringLiteral("one line far longer than a slice \U0001F600 and more\n"),
            QStringLiteral("x\ry\rz\r") + QString(40, QLatin1Char('a')) + QStringLiteral("\n\u00E9\U0001F600\r\n")};
}

// What Qt makes of the text in a plain box, read as the program reads boxes.
QString asQtHoldsIt(const QString& text, QString* raw = nullptr)
{
    QPlainTextEdit reference;
    reference.document()->setPlainText(text);
    if (raw)
        *raw = reference.document()->toRawText();
    return editorText(&reference);
}

void pressKey(CodeTextBox& box)
{
    QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
}

void click(CodeTextBox& box)
{
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
}

void focus(CodeTextBox& box)
{
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(&box, &in);
}

void search(CodeTextBox& box)
{
    box.findBar()->findChild<QLineEdit*>(QStringLiteral("findText"))->setText(QStringLiteral("zz"));
    box.findBar()->find(tagora::runtime::FindDirection::Forward);
}

}  // namespace

class SlicedTextTest : public QObject {
    Q_OBJECT

private slots:
    // While slices are still to come the box's text reads whole; once the
    // event loop has put them all in, the document holds what
    // setPlainText() would have made, line for line.
    void slicesMakeWhatTheWholeTextMakes()
    {
        for (const QString& text : trickyTexts()) {
            QString raw;
            const QString whole = asQtHoldsIt(text, &raw);
            CodeTextBox box;
            box.showText(text, kSlicedOver, kSlice);
            QCOMPARE(box.filling(), sliceEnd(text, kSlice) < text.size());
            QCOMPARE(editorText(&box), whole);
            QCOMPARE(box.textLength(), whole.size());
            QTRY_VERIFY(!box.filling());
            QCOMPARE(box.document()->toRawText(), raw);
            QCOMPARE(editorText(&box), whole);
            QCOMPARE(box.textLength(), whole.size());
            QCOMPARE(box.textCursor().position(), 0);
            QVERIFY(box.document()->isUndoRedoEnabled());
        }
    }

    // A slice ends just after a line feed, or at the text's end.
    void sliceEnds()
    {
        QCOMPARE(sliceEnd(u"ab\r\ncd", 3), 4);
        QCOMPARE(sliceEnd(u"ab\r\ncd", 4), 4);
        QCOMPARE(sliceEnd(u"ab\ncd\nef", 4), 6);
        QCOMPARE(sliceEnd(u"abc\rdef", 2), 7);
        QCOMPARE(sliceEnd(u"abc", 9), 3);
    }

    // A key, a click, the focus or a search first puts the rest in: what
    // the user then edits, selects or finds is the whole text.
    void theUserMeetsTheWholeText()
    {
        const QString text = trickyTexts().at(1) + QStringLiteral("\r\nzz end\r\n");
        QString raw;
        asQtHoldsIt(text, &raw);
        for (const auto& act : {pressKey, click, focus, search}) {
            CodeTextBox box;
            box.resize(300, 200);
            box.showText(text, kSlicedOver, kSlice);
            QVERIFY(box.filling());
            act(box);
            QVERIFY(!box.filling());
            QCOMPARE(box.document()->toRawText(), raw);
        }
        CodeTextBox box;
        box.showText(text, kSlicedOver, kSlice);
        search(box);
        QCOMPARE(box.textCursor().selectedText(), QStringLiteral("zz"));
    }

    // A box with the focus takes the text whole, unless told to slice it
    // all the same, as does one given a short text; a change made between
    // slices stops them.
    void slicedOnlyWhereItCanBe()
    {
        CodeTextBox focused;
        focused.show();
        focused.activateWindow();
        focused.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&focused));
        focused.showText(trickyTexts().at(0), kSlicedOver, kSlice);
        QVERIFY(!focused.filling());
        focused.setSlicedWhileFocused(true);
        focused.showText(trickyTexts().at(0), kSlicedOver, kSlice);
        QVERIFY(focused.filling() && focused.hasFocus());
        QTRY_VERIFY(!focused.filling());
        QCOMPARE(editorText(&focused), asQtHoldsIt(trickyTexts().at(0)));

        CodeTextBox box;
        box.showText(QStringLiteral("short"), kSlicedOver, kSlice);
        QVERIFY(!box.filling());
        box.showText(trickyTexts().at(0), kSlicedOver, kSlice);
        QVERIFY(box.filling());
        box.document()->setPlainText(QStringLiteral("changed"));
        QVERIFY(!box.filling());
        QCOMPARE(editorText(&box), QStringLiteral("changed"));
        QTest::qWait(50);
        QCOMPARE(box.document()->toRawText(), QStringLiteral("changed"));
        QVERIFY(box.document()->isUndoRedoEnabled());
    }

    // The line numbers' margin is made wide enough before a large text goes
    // in, not after: widening it afterwards lays out every line again.
    void marginWidenedBeforeTheText()
    {
        CodeTextBox box;
        box.setLineNumbersShown(true);
        box.resize(400, 300);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        struct Watch : QObject {
            QList<int> linesAtResize;
            const QTextDocument* document = nullptr;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Resize)
                    linesAtResize << document->blockCount();
                return false;
            }
        } watch;
        watch.document = box.document();
        box.viewport()->installEventFilter(&watch);
        QString text;
        for (int line = 0; line < 12'345; ++line)
            text += QStringLiteral("line\r\n");
        setEditorText(&box, text);
        QCOMPARE(watch.linesAtResize, QList<int>{1});
        QCOMPARE(box.blockCount(), 12'346);
        const int width = box.lineNumberWidth();
        watch.linesAtResize.clear();
        box.clearFocus();
        box.showText(text + text, 1000, 5000);
        QVERIFY(box.filling());
        QTRY_VERIFY(!box.filling());
        QCOMPARE(box.blockCount(), 24'691);
        QVERIFY(box.lineNumberWidth() == width && watch.linesAtResize.isEmpty());
    }
};

QTEST_MAIN(SlicedTextTest)
#include "tst_sliced_text.moc"

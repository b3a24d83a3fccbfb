// What leaves the main window's output box: pasted characters, the
// character listing, Copy Script, Save Script, Clear and Undo Clear, also
// while a large script is still going into the box.
#include "main_window_fixture.h"

using namespace main_window_test;

class OutputTest : public MainWindowFixture {
    Q_OBJECT

private slots:
    // What the user pastes reaches the script and the clipboard as it is; any
    // line break becomes a CR LF, U+FDD0 and U+FDD1 become U+FFFD.
    void pastedCharacters()
    {
        const QString kept = QStringLiteral("a\u00A0b\u2028c\t \U0001F600\r\n\r\n\uFFFE\uFFFF\uFDEF") + QChar(0);
        QGuiApplication::clipboard()->setText(kept + QStringLiteral("a\nb\rc\u2029d\na\uFDD0b\uFDD1c"));
        ui_.txtHTML->paste();
        const QString input = kept + QStringLiteral("a\r\nb\r\nc\r\nd\r\na\uFFFDb\uFFFDc");
        QCOMPARE(window_->inputText(), input);
        ui_.cmdConvert->click();
        ui_.mnuCopy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), scriptOf(Target::Php, input));
        QCOMPARE(status(), QStringLiteral("PHP script has been copied to the clipboard."));
    }

    // The button is in the window, labelled, with a tooltip and a name for
    // screen readers. The listing goes straight after whatever the output
    // holds, each code after one space, selected so that it is seen; Copy
    // Script and Save Script still hand out the script alone, and nothing
    // when the output held none. Up to the limit it runs; one character
    // more (a line break counts two) gives a warning naming both lengths.
    void characterListing()
    {
        QVERIFY(window_->centralWidget()->rect().contains(ui_.Command1->geometry()));
        QCOMPARE(ui_.Command1->text(), QStringLiteral("Character Co&des"));
        QVERIFY(!ui_.Command1->toolTip().isEmpty());
        QCOMPARE(ui_.Command1->accessibleName(), QStringLiteral("List Character Codes"));
        convert(QStringLiteral("<p>\r\n\u20AC"));
        const QString script = window_->outputText();
        QTest::mouseClick(ui_.Command1, Qt::LeftButton);
        ui_.Command1->click();
        const QString listing = QStringLiteral(" 60 112 62 13 10 128");
        QCOMPARE(window_->outputText(), script + listing + listing);
        QCOMPARE(ui_.txtPHP->textCursor().selectedText(), listing);
        QVERIFY(status().contains(QStringLiteral("Copy Script and Save Script leave them out")));
        ui_.mnuCopy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), script);
        answer_ = path("listed.php");
        ui_.cmdSaveScript->click();
        QCOMPARE(contents(answer_), script.toUtf8());
        setEditorText(ui_.txtPHP, QString());
        ui_.Command1->click();
        QCOMPARE(window_->outputText(), listing);
        QVERIFY(!ui_.mnuCopy->isEnabled() && !ui_.cmdSaveScript->isEnabled());

        const qsizetype limit = frm_Main::kLongestListedInput;
        setEditorText(ui_.txtHTML, QString(limit - 2, QLatin1Char('x')) + QStringLiteral("\r\n"));
        setEditorText(ui_.txtPHP, QString());
        ui_.Command1->click();
        QCOMPARE(window_->outputText().size(), 4 * (limit - 2) + 6);  // " 120" per x, " 13 10"
        QVERIFY(messages_.isEmpty());
        setEditorText(ui_.txtHTML, QString(limit - 3, QLatin1Char('x')) + QStringLiteral("\r\n\r\n"));
        setEditorText(ui_.txtPHP, QStringLiteral("kept"));
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ui_.Command1->click();
        QLocale::setDefault(before);
        QCOMPARE(window_->outputText(), QStringLiteral("kept"));
        expectMessage(MessageIcon::Exclamation, {"The character listing takes at most 500.000 characters; "
                                                 "the input holds 500.001."});
    }

    // Copy Script, Save Script and its menu item are enabled only while there
    // is a script; Ctrl+S saves only then. Clear empties both boxes; Edit >
    // Undo Clear brings both back, and Ctrl+Z in the HTML box brings its text
    // back.
    void copyAndSaveNeedAnOutputAndClearCanBeUndone()
    {
        const auto usable = [this](bool expected) {
            QCOMPARE(ui_.mnuCopy->isEnabled(), expected);
            QCOMPARE(ui_.cmdSaveScript->isEnabled(), expected);
            QCOMPARE(item("mnuSavePHPScript")->isEnabled(), expected);
            QTest::keyClick(ui_.txtPHP, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(requests_.size(), expected ? 1 : 0);
            requests_.clear();
        };
        QAction* undoClear = item("mnuUndoClear");
        usable(false);
        QVERIFY(!undoClear->isEnabled());
        QTest::keyClicks(ui_.txtPHP, QStringLiteral("x"));
        usable(true);
        convert(kSample);
        const QString script = window_->outputText();
        ui_.cmdClear->click();
        usable(false);
        undoClear->trigger();
        QCOMPARE(window_->inputText(), kSample);
        QCOMPARE(window_->outputText(), script);
        usable(true);
        QVERIFY(!undoClear->isEnabled());
        ui_.cmdClear->click();
        QTest::keyClick(ui_.txtHTML, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window_->inputText(), kSample);
    }

    // A script of over a million characters goes into the output box a
    // slice at a time, without colours; meanwhile Copy Script, Save Script, Clear and Undo
    // Clear, the viewer and whatever the user types in the box all meet
    // the whole script.
    void largeScriptWhileItGoesIn()
    {
        QString input;
        for (int line = 0; line < 6'300; ++line)
            input += QStringLiteral("<p class=\"a\">%1 %2</p>\r\n").arg(line).arg(QString(150, QLatin1Char('w')));
        const QString script = scriptOf(Target::Php, input);
        QVERIFY(script.size() > CodeTextBox::kSlicedTextSize);
        // The same script shown again, a slice at a time, without
        // converting again.
        const auto convertAgain = [&] {
            ui_.txtPHP->showText(script);
            QVERIFY(ui_.txtPHP->filling());
        };
        convert(input);
        QVERIFY(ui_.txtPHP->filling());
        QVERIFY(coloursIn(ui_.txtPHP).isEmpty());  // too large to colour, from its first slice
        ui_.mnuCopy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), script);
        answer_ = path("large.php");
        ui_.cmdSaveScript->click();
        QCOMPARE(contents(answer_), script.toUtf8());
        QCOMPARE(window_->outputText(), script);

        ui_.cmdClear->click();
        QCOMPARE(window_->outputText(), QString());
        item("mnuUndoClear")->trigger();
        QCOMPARE(window_->outputText(), script);
        convertAgain();
        ui_.cmdClear->click();
        QTest::keyClick(ui_.txtPHP, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window_->outputText().size(), script.size());
        QCOMPARE(window_->outputText(), script);
        QTest::keyClick(ui_.txtHTML, Qt::Key_Z, Qt::ControlModifier);

        convertAgain();
        QTest::keyClick(ui_.txtPHP, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(ui_.txtPHP, QStringLiteral("//"));
        QCOMPARE(window_->outputText(), script + QStringLiteral("//"));
        convertAgain();
        QTRY_VERIFY_WITH_TIMEOUT(!ui_.txtPHP->filling(), 60'000);
        QCOMPARE(window_->outputText(), script);
        QCOMPARE(ui_.txtPHP->blockCount(), script.count(QLatin1Char('\n')) + 1);
    }
};

QTEST_MAIN(OutputTest)
#include "tst_main_window_output.moc"

// Script to HTML in the main window: captions, templates, read errors
// and their places, bare literals.
#include "main_window_fixture.h"

using namespace main_window_test;

class ScriptToHtmlTest : public MainWindowFixture {
    Q_OBJECT

private slots:
    // In Script to HTML mode the input is a script: its caption, link, menu
    // item and dialog say so; an empty one is said to hold no script. The
    // output caption and the save dialog follow what came out: HTML from
    // this program's own script, a PHP or ASP template, saved with the
    // page's own extension, from any other page. The language it reads can
    // be chosen there only: an ASP page whose XML prologue starts with "<?"
    // reads as ASP once ASP is chosen (Response.Write prints its argument).
    void scriptToHtml()
    {
        QVERIFY(QDir::setCurrent(dir_->path()));
        QMenu* language = named<QMenu>(window_, "mnuScriptLanguage");
        QVERIFY(!language->isEnabled());
        const auto inputNamed = [this](const QString& caption, const QString& open) {
            QCOMPARE(named<QLabel>(window_, "Label1")->text(), caption + ":");
            QCOMPARE(ui_.txtHTML->accessibleName(), caption);
            QCOMPARE(named<QLabel>(window_, "lblRefresh")->text(), open);
        };
        item("mnuToHTML")->trigger();
        inputNamed(QStringLiteral("Script"), QStringLiteral("Open Script File"));
        item("mnuOpen")->trigger();
        QCOMPARE(requests_.value(0).title, QStringLiteral("Open Script File"));
        QVERIFY(!item("mnuClassicEscaping")->isEnabled());
        ui_.cmdConvert->click();
        expectMessage(MessageIcon::Exclamation, {"There is no script to convert."});
        const struct {
            QString script, caption, file, filter;
        } cases[] = {
            {scriptOf(Target::Perl, QStringLiteral("<p>x</p>")), "HTML", "script.html", "HTML files (*.html *.htm)"},
            {"<?php\r\n$a = 1;\r\necho \"<p>$a</p>\";\r\n", "PHP Template", "script.php", "PHP Templates (*.php)"},
            {"<%\r\nDim a\r\nResponse.Write \"<p>\" & a & \"</p>\"\r\n%>", "ASP Template", "script.asp",
             "ASP Templates (*.asp)"},
        };
        for (const auto& [script, caption, file, filter] : cases) {
            requests_.clear();
            convert(script);
            QCOMPARE(ui_.lblConvertto->text(), caption);
            QCOMPARE(ui_.txtPHP->accessibleName(), caption);
            ui_.cmdSaveScript->click();
            QCOMPARE(requests_.value(0).path, path(file));
            QCOMPARE(requests_.value(0).filters.value(0), filter);
            ui_.mnuCopy->click();
            QCOMPARE(status(), caption + " has been copied to the clipboard.");
        }
        QVERIFY(language->isEnabled() && item("mnuLanguageAutomatic")->isChecked());
        setEditorText(ui_.txtHTML, QStringLiteral("<?xml version=\"1.0\"?>\r\n<% Response.Write(\"<p>a</p>\") %>"));
        item("mnuLanguage_asp")->trigger();
        QCOMPARE(window_->outputText(), QStringLiteral("<?xml version=\"1.0\"?>\r\n<p>a</p>"));
        item("mnuToASP")->trigger();
        inputNamed(QStringLiteral("HTML Code"), QStringLiteral("Open HTML File"));
    }

    // An unreadable script: the status strip gives the place in the error
    // colour, the caret selects the character there (a column counts
    // characters, the emoji one), and the old output goes: nothing is
    // copied or saved until the next good conversion.
    void scriptToHtmlErrorSelectsItsPlace()
    {
        item("mnuToHTML")->trigger();
        QLabel* statusStrip = named<QLabel>(window_, "Label3");
        const QColor credit = statusStrip->palette().color(QPalette::WindowText);
        // All the page prints: a template with no code left, plain HTML.
        convert(QStringLiteral("<?php\r\necho \"<p>ok</p>\";\r\n"));
        const QString line = QStringLiteral("echo \"\U0001F600\u00E9\"; echo \"x");
        convert(QStringLiteral("<?php\r\n") + line);
        QCOMPARE(status(), QStringLiteral("Line 2, column 17: unterminated string."));
        QCOMPARE(statusStrip->palette().color(QPalette::WindowText), QColor(192, 0, 0));
        const QTextCursor caret = ui_.txtHTML->textCursor();
        const qsizetype column17 = QString::fromUcs4(reinterpret_cast<const char32_t*>(line.toUcs4().constData()), 16).size();
        QCOMPARE(caret.selectionStart() - caret.block().position(), column17);
        QCOMPARE(caret.selectedText(), QStringLiteral("\""));
        QCOMPARE(caret.blockNumber(), 1);
        QCOMPARE(QApplication::focusWidget(), ui_.txtHTML);
        QCOMPARE(window_->outputText(), QString());
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("HTML (none: the script cannot be read)"));
        QVERIFY(!ui_.mnuCopy->isEnabled() && !ui_.cmdSaveScript->isEnabled() && !item("mnuSavePHPScript")->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        window_->copyScript();  // refused even when asked for other than by its disabled button
        window_->saveScript();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
        QVERIFY(requests_.isEmpty() && messages_.isEmpty());
        convert(QStringLiteral("<?php\r\necho \"<p>again</p>\";\r\n"));
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("HTML"));
        QVERIFY(ui_.mnuCopy->isEnabled() && ui_.cmdSaveScript->isEnabled());
        QVERIFY(!status().contains(QStringLiteral("Line")));
        QCOMPARE(statusStrip->palette().color(QPalette::WindowText), credit);
    }

    // The error's line is marked in the input's margin with the message,
    // for the mouse and the screen reader, until a conversion succeeds.
    void scriptToHtmlErrorMarksItsLine()
    {
        item("mnuToHTML")->trigger();
        convert(QStringLiteral("<?php\r\necho \"a\";\r\necho \"x"));
        QCOMPARE(status(), QStringLiteral("Line 3, column 6: unterminated string."));
        QCOMPARE(ui_.txtHTML->markedErrorLine(), 3);
        QCOMPARE(ui_.txtHTML->errorMessage(), status());
        QVERIFY(ui_.txtHTML->accessibleDescription().contains(status()));
        QCOMPARE(ui_.txtPHP->markedErrorLine(), 0);
        convert(QStringLiteral("<?php\r\necho \"a\";\r\necho \"x\";"));
        QCOMPARE(window_->outputText(), QStringLiteral("ax"));
        QCOMPARE(ui_.txtHTML->markedErrorLine(), 0);
        QVERIFY(!ui_.txtHTML->accessibleDescription().contains(QStringLiteral("Line")));
    }

    // A script pasted or opened while a target is chosen is offered to
    // Script to HTML in the status strip, with no message box; HTML is not.
    void scriptOfferedQuietly()
    {
        QLabel* offer = named<QLabel>(window_, "lblScriptToHtml");
        QGuiApplication::clipboard()->setText(QStringLiteral("<p>plain</p>"));
        ui_.txtHTML->paste();
        QVERIFY(offer->isHidden());
        setEditorText(ui_.txtHTML, QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("<?php echo 'x'; ?>"));
        ui_.txtHTML->paste();
        QVERIFY(offer->isVisible());
        QCOMPARE(status(), QStringLiteral("This looks like PHP, not HTML."));
        QTest::mouseClick(offer, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(item("mnuToHTML")->isChecked());
        QCOMPARE(window_->outputText(), QStringLiteral("x"));
        QVERIFY(offer->isHidden());
        item("mnuToPHP")->trigger();
        write(path("page.asp"), "<% Response.Write \"y\" %>");
        window_->openFile(path("page.asp"));
        QVERIFY(offer->isVisible());
        QCOMPARE(status(), QStringLiteral("This looks like ASP, not HTML."));
    }

    // Copy as Literal puts the input on the clipboard as one string of the
    // chosen language, each line break as its script prints it (written here
    // as the JSON and VBScript references have strings); Script to HTML
    // reads a bare literal back, its line breaks those of the window.
    void literals()
    {
        setEditorText(ui_.txtHTML, QStringLiteral("a \"b\"\r\n</p>"));
        auto* copyLiteral = named<QPushButton>(window_, "cmdCopyLiteral");
        const QList<std::pair<const char*, QString>> cases{
            {"mnuToJSON", QStringLiteral("\"a \\\"b\\\"\\n<\\/p>\"")},
            {"mnuToASP", QStringLiteral("\"a \"\"b\"\"\" & vbCrLf & \"</p>\"")}};
        for (const auto& [mode, literal] : cases) {
            item(mode)->trigger();
            copyLiteral->click();
            QCOMPARE(QGuiApplication::clipboard()->text(), literal);
            QCOMPARE(status(), QStringLiteral("The string literal has been copied to the clipboard."));
        }
        item("mnuToHTML")->trigger();  // the text is no script: said in the status strip only
        QVERIFY(!copyLiteral->isEnabled());
        const QList<std::pair<QString, QString>> back{
            {QStringLiteral("  \"a\\n\" +\r\n\"b\\t\"\r\n"), QStringLiteral("a\r\nb\t")},
            {QStringLiteral("<<<'HTML'\r\nx $y\r\n\r\nHTML"), QStringLiteral("x $y\r\n")},
            {QStringLiteral("\"C:\\dir \"\"q\"\"\" & vbCrLf & \"\""), QStringLiteral("C:\\dir \"q\"\r\n")}};
        for (const auto& [literal, text] : back) {
            convert(literal);
            QCOMPARE(window_->outputText(), text);
        }
        convert(QStringLiteral("\r\n \"a"));
        QCOMPARE(status(), QStringLiteral("Line 2, column 4: the literal ends before its text does."));
    }
};

QTEST_MAIN(ScriptToHtmlTest)
#include "tst_main_window_script_to_html.moc"

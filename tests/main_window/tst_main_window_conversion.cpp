// The main window's conversion commands: Convert, Clear, the modes and
// targets, the choices remembered, converting as one types, and an output
// that is never handed out for an input it was not made from.
#include "main_window_fixture.h"

using namespace main_window_test;

class ConversionTest : public MainWindowFixture {
    Q_OBJECT

private slots:
    // Convert replaces the output (twice gives the same script); Clear empties
    // both boxes, keeps the mode and focuses the input. Each from its button,
    // its menu item, and its shortcut pressed in the focused text box.
    void commands()
    {
        item("mnuToASP")->trigger();
        for (const int how : {0, 1, 2}) {
            const auto trigger = [how](QPushButton* button, QAction* item) {
                const QKeyCombination key = item->shortcut()[0];
                how == 0 ? QTest::mouseClick(button, Qt::LeftButton)
                         : how == 1 ? item->trigger() : QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            };
            setEditorText(ui_.txtHTML, kSample);
            setEditorText(ui_.txtPHP, QStringLiteral("old output"));
            ui_.txtHTML->setFocus();
            trigger(ui_.cmdConvert, item("mnuConvert"));
            trigger(ui_.cmdConvert, item("mnuConvert"));
            QCOMPARE(window_->outputText(), scriptOf(Target::Asp, kSample));
            ui_.txtPHP->setFocus();
            trigger(ui_.cmdClear, item("mnuClear"));
            QCOMPARE(window_->inputText() + window_->outputText(), QString());
            QCOMPARE(QApplication::focusWidget(), ui_.txtHTML);
            QVERIFY(item("mnuToASP")->isChecked());
        }
    }

    // With an empty input, Convert warns and the mode and escaping items leave
    // the output alone; with an input, each of them converts again at once.
    void modesAndEscaping()
    {
        const auto statement = [this] { return window_->outputText().split(QStringLiteral("\r\n")).value(5); };
        QAction *asp = item("mnuToASP"), *classic = item("mnuClassicEscaping");
        const struct { QAction* mode; QString exact, classic; } cases[] = {
            {item("mnuToPHP"), "echo \"<b a=\\\"\\$x\\\">\";", "echo \"<b a=\\\"$x\\\">\";"},
            {asp, "Response.Write(\"<b a=\"\"$x\"\">\")", "Response.Write(\"<b a='$x'>\")"}};
        for (const auto& [mode, exact, classicStatement] : cases) {
            ui_.cmdClear->click();
            setEditorText(ui_.txtPHP, QStringLiteral("kept\r\nas it is"));
            for (QAction* each : {asp, mode, classic, classic, item("mnuConvert")})
                each->trigger();
            QCOMPARE(window_->outputText(), QStringLiteral("kept\r\nas it is"));
            expectMessage(MessageIcon::Exclamation, {"There is no HTML Code to convert."});
            setEditorText(ui_.txtHTML, QStringLiteral("<b a=\"$x\">"));
            for (QAction* each : {asp, mode, mode})  // the mode already selected stays selected
                each->trigger();
            QCOMPARE(statement(), exact);
            classic->trigger();
            QCOMPARE(statement(), classicStatement);
            classic->trigger();
            QCOMPARE(statement(), exact);
        }
    }

    // Each target's item converts at once, names the target in the output
    // label (and so the output box, for screen readers) and the Save item,
    // offers its extension in the save dialog, and moves the Enlarge link
    // clear of a long name; Classic Escaping is there for PHP and ASP only.
    // Copy Script names the new targets, and PHP and ASP as version 1.0 did.
    // Script to HTML reads each script back into the page.
    void everyTarget()
    {
        const QString html = QStringLiteral("<a href=\"$x\">%>\u00E9 \U0001F600</a>\r\n\t<!-- x -->\r\n");
        setEditorText(ui_.txtHTML, html);
        const QList<QAction*> items = named<QActionGroup>(window_, "conversionModes")->actions();
        const QStringList copied{"PHP script", "ASP script", "PHP nowdoc script", "JavaScript", "JavaScript", "JSON",
                                 "JSP script", "Perl script", "Python script"};
        const LinkLabel* enlarge = named<LinkLabel>(window_, "lblEnlarge");
        for (const TargetInfo& info : targets()) {
            QAction* mode = items[qsizetype(info.target)];
            mode->trigger();
            const QString title = QString::fromLatin1(info.title.data(), qsizetype(info.title.size()));
            QVERIFY(mode->isChecked());
            QCOMPARE(window_->outputText(), scriptOf(info.target, html));
            QCOMPARE(ui_.lblConvertto->text(), title);
            QCOMPARE(ui_.txtPHP->accessibleName(), title);
            QCOMPARE(item("mnuSavePHPScript")->text(), "&Save " + title + "...");
            ui_.cmdSaveScript->click();  // cancelled
            QVERIFY(requests_.takeLast().filters.value(0).endsWith("(*" + fromAscii(info.extension) + ")"));
            QVERIFY(enlarge->x() > ui_.lblConvertto->geometry().right());
            QCOMPARE(item("mnuClassicEscaping")->isEnabled(), info.hasClassicEscaping);
            ui_.mnuCopy->click();
            QCOMPARE(status(), copied[qsizetype(info.target)] + " has been copied to the clipboard.");
            setEditorText(ui_.txtHTML, window_->outputText());
            item("mnuToHTML")->trigger();
            QCOMPARE(window_->outputText(), html);
            QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("HTML"));
            setEditorText(ui_.txtHTML, html);
        }
        item("mnuToPHP")->trigger();
        QCOMPARE(enlarge->mapTo(window_->centralWidget(), QPoint()).x(), px(1395));
    }

    // The target, the escaping, the script options and the language Script
    // to HTML reads are there again at the next start; a classic PHP choice
    // stays while another target is chosen. A JavaScript name that cannot
    // name a constant is refused.
    void choicesRemembered()
    {
        QVERIFY(item("mnuHeaderComment")->isChecked() && !item("mnuJavaScriptName")->isEnabled());
        setEditorText(ui_.txtHTML, QStringLiteral("<p>"));
        item("mnuToJS")->trigger();
        QVERIFY(item("mnuJavaScriptName")->isEnabled());
        const auto name = [this](const char* answer) {
            whenModal<QInputDialog>([answer](QInputDialog* dialog) {
                dialog->setTextValue(QString::fromLatin1(answer));
                dialog->accept();
            });
            item("mnuJavaScriptName")->trigger();
        };
        name("class");
        expectMessage(MessageIcon::Exclamation, {"\"class\" cannot name a JavaScript constant", "reserved word"});
        QVERIFY(window_->outputText().endsWith(QStringLiteral("\r\nconst html = `<p>`;")));
        name("page");
        QVERIFY(window_->outputText().startsWith(QStringLiteral("// JavaScript generated by")));
        item("mnuHeaderComment")->trigger();
        QCOMPARE(window_->outputText(), QStringLiteral("const page = `<p>`;"));
        setEditorText(ui_.txtHTML, QString());
        for (const char* name : {"mnuToASP", "mnuClassicEscaping", "mnuToHTML", "mnuLanguage_asp", "mnuToJSON"})
            item(name)->trigger();
        reopen();
        QVERIFY(item("mnuToJSON")->isChecked() && !item("mnuToPHP")->isChecked());
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("JSON:"));
        QVERIFY(item("mnuClassicEscaping")->isChecked() && !item("mnuClassicEscaping")->isEnabled());
        QVERIFY(!item("mnuHeaderComment")->isChecked() && item("mnuLanguage_asp")->isChecked());
        setEditorText(ui_.txtHTML, QStringLiteral("\"q\""));
        item("mnuToASP")->trigger();
        QVERIFY(window_->outputText().contains(QStringLiteral("Response.Write(\"'q'\")")));
        item("mnuToJS")->trigger();
        QCOMPARE(window_->outputText(), QStringLiteral("const page = `\"q\"`;"));
        item("mnuClassicEscaping")->trigger();
        setEditorText(ui_.txtHTML, QStringLiteral("<p>"));
        item("mnuToPHP")->trigger();
        QCOMPARE(window_->outputText(), QStringLiteral("<?php\r\necho \"<p>\";\r\n?>"));
    }

    // Copy Script and Save Script hand out the script of the input now in
    // the box, or nothing. With conversion as one types off, an edit of any
    // length marks the output out of date at once: its caption says so, its
    // text is grey and plain (readable on either palette), Copy and Save are
    // disabled. With it on, Copy within the pause converts first. A mode
    // chosen with an empty input drops an output that was out of date.
    void neverAStaleScript()
    {
        convert(QStringLiteral("<p>a</p>"));
        ui_.txtHTML->setFocus();
        ui_.txtHTML->moveCursor(QTextCursor::End);
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("b"));
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("PHP Script (out of date)"));
        QVERIFY(!ui_.mnuCopy->isEnabled() && !ui_.cmdSaveScript->isEnabled() && !item("mnuSavePHPScript")->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        window_->copyScript();
        window_->saveScript();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
        QVERIFY(requests_.isEmpty());
        QVERIFY(coloursIn(ui_.txtPHP).isEmpty());
        for (const QPalette& palette : {QApplication::palette(), darkPalette()}) {
            ui_.txtPHP->setPalette(palette);
            const QColor text = ui_.txtPHP->palette().color(QPalette::Text);
            QVERIFY(text != QColor(0, 0, 192) && text != palette.color(QPalette::Text));
            QVERIFY(wcagContrast(text, ui_.txtPHP->palette().color(QPalette::Base)) >= 4.5);
        }
        ui_.txtPHP->setPalette(QPalette());
        ui_.cmdConvert->click();
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("PHP Script:"));
        ui_.mnuCopy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), scriptOf(Target::Php, QStringLiteral("<p>a</p>b")));

        item("mnuConvertAsYouType")->trigger();
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("c"));
        ui_.mnuCopy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), scriptOf(Target::Php, QStringLiteral("<p>a</p>bc")));
        QCOMPARE(status(), QStringLiteral("PHP script has been copied to the clipboard."));

        item("mnuConvertAsYouType")->trigger();
        ui_.txtHTML->selectAll();
        QTest::keyClick(ui_.txtHTML, Qt::Key_Backspace);
        QVERIFY(!ui_.mnuCopy->isEnabled());
        item("mnuToASP")->trigger();
        QCOMPARE(window_->outputText(), QString());
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("ASP Script"));
    }

    // On at the first start, and remembered: the output follows the input
    // after a pause in typing, never before; emptying the input empties the
    // output without a message. Up to the limit it converts; above it the
    // output stays, marked out of date until Convert. Turned off, typing
    // converts nothing.
    void convertsAsYouType()
    {
        rememberChoices({});
        reopen();
        QAction* asYouType = item("mnuConvertAsYouType");
        QVERIFY(asYouType->isChecked());
        ui_.txtHTML->setFocus();
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("<p>"));
        QCOMPARE(window_->outputText(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(window_->outputText(), scriptOf(Target::Php, QStringLiteral("<p>")), 3000);
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("x"));
        QTest::qWait(frm_Main::kTypingPauseMs * 2 / 3);
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("y"));
        QTest::qWait(frm_Main::kTypingPauseMs * 2 / 3);  // a pause since "x", but not since "y"
        QCOMPARE(window_->outputText(), scriptOf(Target::Php, QStringLiteral("<p>")));
        QTRY_COMPARE_WITH_TIMEOUT(window_->outputText(), scriptOf(Target::Php, QStringLiteral("<p>xy")), 3000);
        ui_.txtHTML->selectAll();
        QTest::keyClick(ui_.txtHTML, Qt::Key_Backspace);
        QTRY_COMPARE_WITH_TIMEOUT(window_->outputText(), QString(), 3000);

        const QString longest(frm_Main::kLongestInputConvertedAsYouType, QLatin1Char('x'));
        setEditorText(ui_.txtHTML, longest);
        QTRY_COMPARE_WITH_TIMEOUT(window_->outputText(), scriptOf(Target::Php, longest), 5000);
        const QString tooLong = longest + QLatin1Char('x');
        setEditorText(ui_.txtHTML, tooLong);
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("PHP Script (out of date)"));
        QVERIFY(!ui_.mnuCopy->isEnabled());
        QTest::qWait(frm_Main::kTypingPauseMs * 2);
        QCOMPARE(window_->outputText(), scriptOf(Target::Php, longest));
        ui_.cmdConvert->click();
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("PHP Script:"));
        QCOMPARE(window_->outputText(), scriptOf(Target::Php, tooLong));
        QVERIFY(ui_.mnuCopy->isEnabled());

        asYouType->trigger();
        QVERIFY(!rememberedChoices().convertAsYouType);
        reopen();
        QVERIFY(!item("mnuConvertAsYouType")->isChecked());
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("<p>"));
        QTest::qWait(frm_Main::kTypingPauseMs * 2);
        QCOMPARE(window_->outputText(), QString());
    }

    // F1 opens Quick Help, which covers every mode of the Conversion menu,
    // files, the viewer, the character codes button and the keys.
    void quickHelp()
    {
        QTest::keyClick(ui_.txtHTML, Qt::Key_F1);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_[0].title, QStringLiteral("Quick Help"));
        QCOMPARE(messages_[0].icon, MessageIcon::Information);
        const QString help = messages_.takeFirst().prompt;
        QVERIFY(help.startsWith(QStringLiteral("Quick Help\r\n--------------\r\n")));
        QVERIFY(help.endsWith(QStringLiteral("please mail me at tagora@example.com")));
        QVERIFY(!help.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
        QStringList topics{"Open HTML File", "drop", "Save Script", "Copy Script", "Enlarge", "Windows-1252",
                           "Undo Clear", "Ctrl+Tab", "F1", "Ctrl+Q"};
        const QMenu* conversion = named<QMenu>(window_, "mnuConversion");
        for (QAction* each : conversion->actions()) {
            if (!each->isSeparator())
                topics << each->text().remove(QLatin1Char('&'));
        }
        for (const QString& topic : topics)
            QVERIFY2(help.contains(topic), qPrintable(topic));
    }
};

QTEST_MAIN(ConversionTest)
#include "tst_main_window_conversion.moc"

// The colours of the main window's boxes, on light and dark palettes.
#include "main_window_fixture.h"

using namespace main_window_test;

class ColoursTest : public MainWindowFixture {
    Q_OBJECT

private slots:
    // HTML in the input box; the target's strings, escapes, keywords and
    // header in the script box; in Script to HTML mode the code islands of a
    // PHP page and the strings in them, in both boxes; the viewer as its box.
    void coloursInEveryMode()
    {
        setEditorText(ui_.txtHTML, QStringLiteral("<p class=\"a\">x &amp; \"y\"</p>"));
        const QColor tag = colourAt(ui_.txtHTML, 0, 1), attribute = colourAt(ui_.txtHTML, 0, 4),
                     value = colourAt(ui_.txtHTML, 0, 10);
        QVERIFY(tag.isValid() && attribute.isValid() && value.isValid());
        QVERIFY(tag != attribute && attribute != value);
        QVERIFY(!colourAt(ui_.txtHTML, 0, 14).isValid());  // text
        ui_.cmdConvert->click();
        // <?php, the comment header, then: echo "<p class=\"a\">x &amp; \"y\"</p>";
        const QColor header = colourAt(ui_.txtPHP, 1, 0);
        const QColor keyword = colourAt(ui_.txtPHP, 5, 0), string = colourAt(ui_.txtPHP, 5, 6),
                     escape = colourAt(ui_.txtPHP, 5, 15);
        QCOMPARE(window_->outputText().split(QStringLiteral("\r\n")).value(5).mid(15, 2), QStringLiteral("\\\""));
        QVERIFY(header.isValid() && keyword.isValid() && string.isValid() && escape.isValid());
        QCOMPARE(QSet<QRgb>({header.rgb(), keyword.rgb(), string.rgb(), escape.rgb()}).size(), 4);
        for (const TargetInfo& info : targets()) {
            window_->selectTarget(info.target);
            QVERIFY2(coloursIn(ui_.txtPHP).contains(string), info.name.data());
        }
        setEditorText(ui_.txtHTML, QStringLiteral("<b><?php $a = 'x'; /* c */ ?></b>"));
        item("mnuToHTML")->trigger();  // converts at once
        for (const QPlainTextEdit* box : {static_cast<QPlainTextEdit*>(ui_.txtHTML), static_cast<QPlainTextEdit*>(ui_.txtPHP)}) {
            QVERIFY(colourAt(box, 0, 1).isValid());   // <b
            QVERIFY(colourAt(box, 0, 4).isValid());   // <?php
            QCOMPARE(colourAt(box, 0, 14), string);   // 'x'
        }
        QVERIFY(colourAt(ui_.txtHTML, 0, 20).isValid());  // the comment
        whenModal<frm_Notepad>([string](frm_Notepad* viewer) {
            QVERIFY(named<CodeTextBox>(viewer, "txtHelp")->lineNumbersShown());
            QCOMPARE(colourAt(named<CodeTextBox>(viewer, "txtHelp"), 0, 14), string);
            viewer->close();
        });
        window_->enlargeInput();
    }

    // A line of more than 10,000 characters is plain, and while a box holds
    // one its other lines are coloured no further; the colours come back when
    // the line is gone, typed away or replaced.
    void coloursOffOnVeryLongLines()
    {
        const int longest = SyntaxHighlighter::kLongestColouredLine;
        setEditorText(ui_.txtHTML, QStringLiteral("<b>") + QString(longest - 3, u'x') + QStringLiteral("\r\n<i>"));
        QVERIFY(colourAt(ui_.txtHTML, 0, 1).isValid());
        QTextCursor end(ui_.txtHTML->document()->firstBlock());
        end.movePosition(QTextCursor::EndOfBlock);
        ui_.txtHTML->setTextCursor(end);
        QTest::keyClick(ui_.txtHTML, Qt::Key_X);
        QVERIFY(!colourAt(ui_.txtHTML, 0, 1).isValid());
        QVERIFY(colourAt(ui_.txtHTML, 1, 1).isValid());
        ui_.cmdConvert->click();
        QVERIFY(coloursIn(ui_.txtPHP).isEmpty());
        QTest::keyClick(ui_.txtHTML, Qt::Key_Backspace);
        QTRY_VERIFY(colourAt(ui_.txtHTML, 1, 1).isValid());
        QVERIFY(colourAt(ui_.txtHTML, 0, 1).isValid());
        convert(QStringLiteral("<i>"));
        QTRY_VERIFY(colourAt(ui_.txtPHP, 5, 0).isValid());
    }

    // The light palette keeps the window's own colours; on either palette
    // every text, link and the credit line, and every colour of the boxes,
    // has a contrast of at least 4.5:1 with what it is drawn on.
    void coloursReadableOnLightAndDarkPalettes()
    {
        const auto ownColours = [this] {
            QCOMPARE(ui_.txtPHP->palette().color(QPalette::Text), QColor(0, 0, 192));
            QCOMPARE(named<QLabel>(window_, "Label3")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
            QCOMPARE(named<QLabel>(window_, "lblEnlarge")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        };
        ownColours();
        const QPalette light = QApplication::palette();
        for (const QPalette& palette : {light, darkPalette()}) {
            QApplication::setPalette(palette);
            QCoreApplication::processEvents();
            setEditorText(ui_.txtHTML, QStringLiteral("<!DOCTYPE html><p class=\"a\" id=b>&amp; x<!-- c --></p>"));
            window_->selectTarget(Target::Python);
            const QString paletteName = palette == light ? "light" : "dark";
            for (const QLabel* label : window_->findChildren<QLabel*>()) {
                const QWidget* under = label->parentWidget();
                const double contrast = wcagContrast(label->palette().color(QPalette::WindowText),
                                                     under->palette().color(under->backgroundRole()));
                QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1 %2: %3").arg(paletteName, label->objectName()).arg(contrast)));
            }
            for (const QPlainTextEdit* box : {static_cast<QPlainTextEdit*>(ui_.txtHTML), static_cast<QPlainTextEdit*>(ui_.txtPHP)}) {
                const QColor base = box->palette().color(QPalette::Base);
                QVERIFY(wcagContrast(box->palette().color(QPalette::Text), base) >= 4.5);
                const QList<QColor> colours = coloursIn(box);
                QVERIFY(colours.size() > 3);
                for (const QColor& colour : colours)
                    QVERIFY2(wcagContrast(colour, base) >= 4.5, qPrintable(QStringLiteral("%1 %2 on %3").arg(paletteName, colour.name(), base.name())));
            }
        }
        QApplication::setPalette(light);
        QCoreApplication::processEvents();
        ownColours();
    }
};

QTEST_MAIN(ColoursTest)
#include "tst_main_window_colours.moc"

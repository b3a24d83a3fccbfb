// The main window's layout, keys, links, focus order, the windows it
// opens, and its start and end.
#include "main_window_fixture.h"

using namespace main_window_test;

class LayoutTest : public MainWindowFixture {
    Q_OBJECT

private slots:
    // In a text box Enter starts a line (no default button), Ctrl+Tab types
    // a TAB, Escape does nothing, Ctrl+X cuts (it does not exit).
    // While the focused box holds a line longer than the limit, the caret
    // stands still and the text is not shaped.
    void keys()
    {
        CodeTextBox* const box = ui_.txtHTML;
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("a"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClicks(box, QStringLiteral("b"));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(window_->inputText(), QStringLiteral("a\r\n\tb"));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(window_->isVisible());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a\n\tb"));

        setEditorText(box, QStringLiteral("<p>\r\n") + QString(CodeTextBox::kLongestBlinkingLine, 'x'));
        const auto longLineMode = [&](bool on) {
            return CodeTextBox::caretBlinks() != on && (box->font().styleStrategy() == QFont::PreferNoShaping) == on;
        };
        QVERIFY(longLineMode(false));
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, QStringLiteral("y"));
        QVERIFY(longLineMode(true));
        QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(longLineMode(false));
    }

    // Each access key belongs to one control: among the menu bar's menus and
    // the window's buttons together (five menus, six buttons), and among the
    // items of each menu.
    void accessKeysAreUnique()
    {
        const auto expectUnique = [](const QStringList& captions) {
            QMap<QKeySequence, QString> owners;
            for (const QString& caption : captions) {
                const QKeySequence key = QKeySequence::mnemonic(caption);
                QVERIFY2(key.isEmpty() || !owners.contains(key), qPrintable(owners.value(key) + " and " + caption));
                owners[key] = caption;
            }
        };
        QStringList windowCaptions;
        for (QAction* menu : window_->menuBar()->actions())
            windowCaptions << menu->text();
        for (QPushButton* button : window_->centralWidget()->findChildren<QPushButton*>())
            windowCaptions << button->text();
        QCOMPARE(windowCaptions.size(), 11);
        expectUnique(windowCaptions);
        for (QMenu* menu : window_->findChildren<QMenu*>()) {
            QStringList items;
            for (QAction* each : menu->actions())
                items << each->text();
            expectUnique(items);
        }
    }

    // The stored size is the default and the smallest. The room added goes to
    // the two boxes, all the width and half the height each (the splitter
    // gives the odd pixel to the first); the output's caption line moves down
    // with its box; the link at the right of the input's caption line follows
    // the box's right edge; the buttons, the line and the status strip keep
    // their places against the bottom right corner.
    void resizes()
    {
        QWidget* client = window_->centralWidget();
        const QSize smallest(px(9435), px(8415));
        QCOMPARE(client->size(), smallest);
        const struct { const char* name; int left, top, right, bottom; } moves[] = {  // of each edge
            {"txtHTML", 0, 0, 201, 51},         {"txtPHP", 0, 51, 201, 101},        {"lblRefresh", 201, 0, 201, 0},
            {"lblConvertto", 0, 51, 0, 51},     {"lblEnlarge", 0, 51, 0, 51},       {"cmdConvert", 201, 101, 201, 101},
            {"cmdSaveScript", 201, 101, 201, 101}, {"Command1", 201, 101, 201, 101}, {"Picture1", 0, 101, 201, 101},
            {"Line1", 0, 101, 201, 101}};
        const auto inClient = [client](const char* name) {
            const auto* control = named<QWidget>(client, name);
            return QRect(control->mapTo(client, QPoint()), control->size());
        };
        QList<QRect> before;
        for (const auto& move : moves)
            before << inClient(move.name);
        for (const QSize size : {window_->size() + QSize(201, 101), QSize(100, 100)}) {
            window_->resize(size);
            const bool larger = size.width() > 100;
            QTRY_COMPARE(client->size(), smallest + (larger ? QSize(201, 101) : QSize(0, 0)));
            for (qsizetype i = 0; i < before.size(); ++i) {
                const auto& [name, left, top, right, bottom] = moves[i];
                QCOMPARE(inClient(name), larger ? before[i].adjusted(left, top, right, bottom) : before[i]);
            }
        }
    }

    // View > Side by Side puts the output box right of the input box, at
    // the same height, the room shared equally; each box's caption and
    // links stay on the line above it, within its width and the margin at
    // its right (where the Open link has always reached). The choice and
    // where the splitter stands are there again at the next start; View >
    // Stacked puts the boxes back as they were.
    void sideBySide()
    {
        const auto inClient = [this](const char* name) {  // of the window now open
            const auto* control = named<QWidget>(window_, name);
            return QRect(control->mapTo(window_->centralWidget(), QPoint()), control->size());
        };
        const auto captionLineOf = [&](const char* box, std::initializer_list<const char*> controls) {
            const QRect boxPlace = inClient(box);
            for (const char* name : controls) {
                const QRect place = inClient(name);
                QVERIFY2(place.bottom() < boxPlace.top() && place.top() >= boxPlace.top() - px(405), name);
                QVERIFY2(place.left() >= boxPlace.left() && place.right() <= boxPlace.right() + px(195), name);
            }
        };
        const char* const inputLine[] = {"Label1", "lblEnlarge1", "lblRefresh"};
        const char* const outputLine[] = {"lblConvertto", "lblEnlarge", "cboConversion"};
        QList<QRect> stacked;
        for (const char* name : {"txtHTML", "txtPHP", "Label1", "lblEnlarge1", "lblRefresh", "lblConvertto",
                                 "lblEnlarge", "cboConversion"})
            stacked << inClient(name);
        QVERIFY(item("mnuStacked")->isChecked());
        QVERIFY(inClient("txtPHP").top() > inClient("txtHTML").bottom());
        item("mnuSideBySide")->trigger();
        QVERIFY(item("mnuSideBySide")->isChecked() && !item("mnuStacked")->isChecked());
        const QRect input = inClient("txtHTML"), output = inClient("txtPHP");
        QCOMPARE(output.top(), input.top());
        QCOMPARE(output.height(), input.height());
        QVERIFY(output.left() > input.right());
        QVERIFY(std::abs(output.width() - input.width()) <= 1);
        QCOMPARE(input.left(), px(180));
        QCOMPARE(output.right(), window_->centralWidget()->width() - 1 - px(195));
        captionLineOf("txtHTML", {inputLine[0], inputLine[1], inputLine[2]});
        captionLineOf("txtPHP", {outputLine[0], outputLine[1], outputLine[2]});
        // The splitter moved by hand: the input's pane takes a third.
        auto* splitter = named<QSplitter>(window_, "splBoxes");
        const int room = splitter->sizes().value(0) + splitter->sizes().value(1);
        const int margin = input.left() + splitter->sizes().value(0) - 1 - input.right();
        splitter->setSizes({room / 3, room - room / 3});
        QCOMPARE(inClient("txtHTML").width(), room / 3 - margin);
        captionLineOf("txtPHP", {outputLine[0], outputLine[1], outputLine[2]});
        window_->close();
        reopen();
        QVERIFY(item("mnuSideBySide")->isChecked());
        QCOMPARE(inClient("txtHTML").width(), room / 3 - margin);
        QCOMPARE(inClient("txtPHP").width(), room - room / 3 - margin);
        item("mnuStacked")->trigger();
        qsizetype i = 0;
        for (const char* name : {"txtHTML", "txtPHP", "Label1", "lblEnlarge1", "lblRefresh", "lblConvertto",
                                 "lblEnlarge", "cboConversion"})
            QCOMPARE(inClient(name), stacked[i++]);
        reopen();
        QVERIFY(item("mnuStacked")->isChecked());
    }

    // The handle between the boxes dragged with the mouse, side by side
    // and stacked: the boxes' edges follow the pointer while the button is
    // down, and where the handle was let go is remembered at once (a crash
    // later keeps it) and there again at the next start.
    void splitterDraggedWithTheMouse()
    {
        const auto drag = [this](Qt::Orientation orientation, int by) {
            auto* splitter = named<QSplitter>(window_, "splBoxes");
            QCOMPARE(splitter->orientation(), orientation);
            QSplitterHandle* handle = splitter->handle(1);
            QVERIFY(handle->isVisible() && handle->width() > 0 && handle->height() > 0);
            const bool across = orientation == Qt::Horizontal;
            const auto lengthOf = [&](const char* box) {
                const QSize size = named<QWidget>(window_, box)->size();
                return across ? size.width() : size.height();
            };
            const int input = lengthOf("txtHTML"), output = lengthOf("txtPHP");
            // Where the pointer goes on the screen, as the handle moves under it.
            const QPoint grip = handle->rect().center();
            const QPoint step = across ? QPoint(by / 2, 0) : QPoint(0, by / 2);
            const QPoint halfway = handle->mapToGlobal(grip + step), end = handle->mapToGlobal(grip + 2 * step);
            QTest::mousePress(handle, Qt::LeftButton, {}, grip);
            QTest::mouseMove(handle, handle->mapFromGlobal(halfway));
            QCOMPARE(lengthOf("txtHTML"), input + by / 2);
            QTest::mouseMove(handle, handle->mapFromGlobal(end));
            QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(end));
            QCOMPARE(lengthOf("txtHTML"), input + by);
            QCOMPARE(lengthOf("txtPHP"), output - by);
            QCOMPARE(rememberedBoxArrangement().splitter, splitter->saveState());
        };
        item("mnuSideBySide")->trigger();
        drag(Qt::Horizontal, -60);
        const int inputWidth = named<QWidget>(window_, "txtHTML")->width();
        window_->close();
        reopen();
        QCOMPARE(named<QWidget>(window_, "txtHTML")->width(), inputWidth);
        item("mnuStacked")->trigger();
        drag(Qt::Vertical, 40);
    }

    // The drop-down beside the output box lists the Conversion menu's modes
    // in its order, and the two follow each other: a row chosen checks its
    // item and converts, an item chosen (or Script to HTML offered in the
    // status strip) shows its row.
    void conversionDropDown()
    {
        auto* list = named<QComboBox>(window_, "cboConversion");
        QCOMPARE(list->accessibleName(), QStringLiteral("Conversion"));
        QVERIFY(list->focusPolicy() & Qt::TabFocus);
        const QList<QAction*> modes = named<QActionGroup>(window_, "conversionModes")->actions();
        QCOMPARE(list->count(), modes.size());
        for (qsizetype row = 0; row < modes.size(); ++row)
            QCOMPARE(list->itemText(int(row)), modes[row]->text().remove(u'&'));
        QCOMPARE(list->currentText(), QStringLiteral("HTML to PHP"));
        const QString html = QStringLiteral("<p>a</p>");
        convert(html);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QVERIFY(item("mnuToASP")->isChecked());
        QCOMPARE(window_->target(), Target::Asp);
        QCOMPARE(window_->outputText(), scriptOf(Target::Asp, html));
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("ASP Script"));
        QTest::keyClick(list, Qt::Key_End);
        QVERIFY(item("mnuToHTML")->isChecked());
        QCOMPARE(named<QLabel>(window_, "Label1")->text(), QStringLiteral("Script:"));
        item("mnuToPerl")->trigger();
        QCOMPARE(list->currentText(), QStringLiteral("HTML to Perl"));
        QGuiApplication::clipboard()->setText(scriptOf(Target::Python, html));
        ui_.txtHTML->selectAll();
        ui_.txtHTML->paste();
        auto* offer = named<LinkLabel>(window_, "lblScriptToHtml");
        QTRY_VERIFY(offer->isVisible());
        emit offer->clicked();
        QCOMPARE(list->currentText(), QStringLiteral("Script to HTML"));
        QCOMPARE(window_->outputText(), html);
    }

    // At the next start, once the splash has gone, size, place and maximized
    // state come back, and the file named on the command line opens.
    void nextStart()
    {
        write(path("start.html"), "<h1>start</h1>\n");
        const QRect placed(QPoint(40, 30), window_->size() + QSize(120, 80));
        window_->setGeometry(placed);
        QTRY_COMPARE(window_->geometry(), placed);
        window_->close();
        {
            frm_Main next;
            QString duringSplash = QStringLiteral("(no splash)");
            QTimer::singleShot(0, [&] {
                if (qobject_cast<frm_Splash*>(QApplication::activeModalWidget()))
                    duringSplash = next.inputText() + (next.isVisible() ? "(shown)" : "");
            });
            next.start(path("start.html"));
            QCOMPARE(duringSplash, QString());
            QVERIFY(next.isVisible() && !QApplication::activeModalWidget());
            QCOMPARE(next.inputText(), QStringLiteral("<h1>start</h1>\r\n"));
            QCOMPARE(next.geometry(), placed);
            QVERIFY(!next.isMaximized());
            next.showMaximized();
            QTRY_VERIFY(next.isMaximized());
            next.close();
        }
        frm_Main maximized;
        maximized.start();
        QVERIFY(maximized.isMaximized());
        QVERIFY(maximized.centralWidget()->width() > px(9435));
    }

    // --help, --version and a wrong option need no display: over SSH there
    // is none. A wrong option is a usage error, as in tagora-convert; Qt's
    // own options still reach Qt (the offscreen platform needs no display).
    void helpAndVersionWithoutDisplay()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        const struct { QStringList arguments; int exitCode; QByteArray output; } cases[] = {
            {{"--version"}, 0, "Tagora Converter 1.0.0"}, {{"-v"}, 0, "Tagora Converter"}, {{"--help"}, 0, "Usage:"},
            {{"--bogus"}, 2, "Unknown option 'bogus'"}, {{"-platform", "offscreen", "--version"}, 0, "Tagora Converter"}};
        for (const auto& [arguments, exitCode, output] : cases) {
            const Finished finished = run(TAGORA_CONVERTER_PATH, arguments, environment);
            QCOMPARE(finished.exitCode, exitCode);
            QVERIFY2((exitCode == 0 ? finished.output : finished.errors).contains(output), qPrintable(arguments.join(' ')));
        }
    }

    // Both boxes number their lines; the status strip shows the caret's line
    // and column in the box it is in, an emoji counting one column, and the
    // credit line stops short of it.
    void lineNumbersAndCaretPlace()
    {
        QVERIFY(ui_.txtHTML->lineNumbersShown() && ui_.txtPHP->lineNumbersShown());
        QLabel* place = named<QLabel>(window_, "lblCaretPlace");
        setEditorText(ui_.txtHTML, QStringLiteral("<p>\r\n\U0001F600ab"));
        QTextCursor caret(ui_.txtHTML->document()->lastBlock());
        caret.movePosition(QTextCursor::EndOfBlock);
        ui_.txtHTML->setTextCursor(caret);
        QCOMPARE(place->text(), QStringLiteral("Ln 2, Col 4"));
        convert(QStringLiteral("<i>"));
        ui_.txtPHP->moveCursor(QTextCursor::End);
        QCOMPARE(place->text(), QStringLiteral("Ln %1, Col 3").arg(ui_.txtPHP->document()->blockCount()));
        QVERIFY(named<QLabel>(window_, "Label3")->geometry().right() < place->x());
    }

    // Only a left press and release on a link clicks it; so do Enter, the
    // keypad's Enter and Space on a focused link, once each, and no other key.
    // A link with the keyboard focus draws a frame.
    void links()
    {
        for (LinkLabel* link : window_->centralWidget()->findChildren<LinkLabel*>()) {
            if (link->isHidden())
                continue;  // the status strip's offer, shown while it stands
            QObject::disconnect(link, nullptr, window_, nullptr);  // no viewer, no dialog
            QSignalSpy clicks(link, &LinkLabel::clicked);
            QTest::mouseClick(link, Qt::RightButton, {}, QPoint(2, 2));
            QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(2, 2));  // release only
            QTest::mousePress(link, Qt::LeftButton, {}, QPoint(2, 2));
            QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));  // released off it
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(clicks.size(), 1);
            ui_.txtHTML->setFocus();
            const QImage unfocused = link->grab().toImage();
            while (QApplication::focusWidget() != link)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(link->grab().toImage() != unfocused, qPrintable(link->objectName()));
            QTest::keyClick(link, Qt::Key_A);
            QTest::keyClick(link, Qt::Key_Escape);
            QTest::keyClick(link, Qt::Key_Space, Qt::ShiftModifier);
            QTest::keyClick(link, Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(clicks.size(), 1);
            QTest::keyClick(link, Qt::Key_Return);
            QTest::keyClick(link, Qt::Key_Enter, Qt::KeypadModifier);
            QTest::keyClick(link, Qt::Key_Space);
            QCOMPARE(clicks.size(), 4);
        }
    }

    // Tab goes round every control that takes the focus (two boxes, three
    // links, six buttons), in the order they are read: top to bottom, then
    // left to right; Shift+Tab goes back.
    void tabVisitsEveryControlInReadingOrder()
    {
        setEditorText(ui_.txtPHP, QStringLiteral("a script"));  // Save Script enabled
        QList<QWidget*> expected;
        for (QWidget* widget : window_->centralWidget()->findChildren<QWidget*>()) {
            if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus))
                expected << widget;
        }
        const auto place = [this](QWidget* w) { return w->mapTo(window_->centralWidget(), QPoint(0, 0)); };
        std::sort(expected.begin(), expected.end(), [&](QWidget* a, QWidget* b) {
            return std::pair(place(a).y(), place(a).x()) < std::pair(place(b).y(), place(b).x());
        });
        std::rotate(expected.begin(), std::find(expected.begin(), expected.end(), ui_.txtHTML), expected.end());
        QCOMPARE(expected.size(), 12);
        QList<QWidget*> visited, back;
        ui_.txtHTML->setFocus();
        for (qsizetype i = 0; i < expected.size(); ++i) {
            visited << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            back.prepend(QApplication::focusWidget());
        }
        QCOMPARE(visited, expected);
        QCOMPARE(back, expected);
    }

    // Each Enlarge link shows a copy of its box: what the user types there
    // stays there. About opens over the main window by its shortcut.
    void windowsItOpens()
    {
        QWidget* shownOver = nullptr;
        whenModal<frm_About>([&](frm_About* about) {
            shownOver = about->parentWidget();
            QTest::keyClick(about, Qt::Key_Escape);
        });
        QTest::keyClick(ui_.txtHTML, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(shownOver, window_);
        QVERIFY(!QApplication::activeModalWidget());
        setEditorText(ui_.txtHTML, QStringLiteral("<b>\"x\"</b>\r\n\ty\u00A0\u2028"));
        window_->convert();
        const QString input = window_->inputText(), output = window_->outputText();
        for (const char* name : {"lblEnlarge", "lblEnlarge1"}) {
            QString shown;
            whenModal<frm_Notepad>([&](frm_Notepad* viewer) {
                shown = editorText(named<CodeTextBox>(viewer, "txtHelp"));
                QTest::keyClicks(named<CodeTextBox>(viewer, "txtHelp"), QStringLiteral("typed in the viewer"));
                named<QAction>(viewer, "mnuExit1")->trigger();
            });
            QTest::mouseClick(named<QLabel>(window_, name), Qt::LeftButton);
            QCOMPARE(shown, name == QByteArrayView("lblEnlarge") ? output : input);
            QCOMPARE(window_->inputText() + window_->outputText(), input + output);
            QVERIFY(window_->findChildren<frm_Notepad*>().isEmpty());
        }
    }

    // Exit, Ctrl+Q in a text box, closes the window at once, without a
    // question, and the program's event loop ends.
    void closingTheWindowEndsTheProgram()
    {
        setEditorText(ui_.txtHTML, QStringLiteral("typed, never saved"));
        QTimer::singleShot(0, [this] { QTest::keyClick(ui_.txtHTML, Qt::Key_Q, Qt::ControlModifier); });
        QTimer guard;
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window_->isVisible());
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_main_window_layout.moc"

// The main window: its menus and focus order, every command from its
// button, menu item and shortcut, and the windows it opens.
#include "code_text_box.h"
#include "frm_About.h"
#include "frm_Main.h"
#include "frm_Notepad.h"
#include "frm_Splash.h"
#include "message_box.h"
#include "script_generator.h"
#include "text_conversion.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

using namespace tagora;
using namespace tagora::runtime;

namespace {

QString scriptOf(bool asp, const QString& html)
{
    const ScriptLanguage language = asp ? ScriptLanguage::Asp : ScriptLanguage::Php;
    return fromU16(*script(language, Escaping::Exact, toU16(html)));
}

const QString kSample = QStringLiteral("<p class=\"a\">x</p>\r\n\t<br>\r\n");

// Runs the action on the window that is modal once the caller's modal
// loop has started.
template <typename Action> void onModal(Action action)
{
    QTimer::singleShot(0, [action] { action(QApplication::activeModalWidget()); });
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void initialState();
    void layoutOddities();
    void tabOrder();
    void menus_data();
    void menus();
    void convert_data();
    void convert();
    void escaping_data();
    void escaping();
    void emptyInputWarnsAndKeepsOutput();
    void realMessageBoxIsAnsweredWithOk();
    void modeSelection_data();
    void modeSelection();
    void clear_data();
    void clear();
    void copyScript_data();
    void copyScript();
    void pastedCharacters_data();
    void pastedCharacters();
    void characterListing();
    void characterListingLimit();
    void focusedButtonsAnswerSpaceAndEnter();
    void textBoxKeys();
    void caretStopsBlinkingOnVeryLongLines();
    void quickHelp();
    void splashComesFirst();
    void linkNeedsLeftPressAndReleaseOnIt_data();
    void linkNeedsLeftPressAndReleaseOnIt();
    void enlargeShowsACopy_data();
    void enlargeShowsACopy();
    void about();
    void closingTheWindowEndsTheProgram_data();
    void closingTheWindowEndsTheProgram();

private:
    void trigger(const QString& how, QPushButton* button, QAction* item);

    frm_Main* window_ = nullptr;
    QList<ShownMessage> messages_;
};

void MainWindowTest::init()
{
    messages_.clear();
    setMessageHook([this](const ShownMessage& message) { messages_ << message; });
    window_ = new frm_Main;
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void MainWindowTest::cleanup()
{
    setMessageHook({});
    delete window_;
}

// The window cannot be resized; it starts empty in PHP mode with the
// input focused and nothing to save.
void MainWindowTest::initialState()
{
    QCOMPARE(window_->windowTitle(), QStringLiteral("Tagora Converter v1.0.0"));
    QCOMPARE(window_->centralWidget()->size(), QSize(629, 561));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window_->inputText() + window_->outputText(), QString());
    QCOMPARE(window_->lblConvertto->text(), QStringLiteral("PHP Script:"));
    QCOMPARE(QApplication::focusWidget(), window_->txtHTML);
    QVERIFY(!window_->cmdSaveScript->isEnabled() && !window_->mnuSavePHPScript->isEnabled());
    QVERIFY(window_->lblRefresh->isEnabled() && window_->mnuOpen->isEnabled());
}

// Command1 shows only a 390 x 405 twip corner above the status strip; the
// white line lies beneath everything; the ASP caption shrinks away from
// the Enlarge link beside it.
void MainWindowTest::layoutOddities()
{
    const QList<QObject*> order = window_->centralWidget()->children();
    QCOMPARE(order.indexOf(window_->Line1), 0);
    QVERIFY(order.indexOf(window_->Command1) > order.indexOf(window_->Picture1));
    const QRect inside = window_->centralWidget()->rect() & window_->Command1->geometry();
    QCOMPARE(inside.size(), QSize(26, 27));

    const int withColon = window_->lblConvertto->width();
    window_->selectAspMode();
    QVERIFY(window_->lblConvertto->width() < withColon);
    QVERIFY(window_->lblConvertto->geometry().right() < window_->lblEnlarge->x());
}

// Tab moves the focus round the controls and types nothing; the disabled
// save button is skipped.
void MainWindowTest::tabOrder()
{
    QStringList seen;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, (QStringList{"txtPHP", "cmdConvert", "cmdClear", "mnuCopy", "Command1", "txtHTML"}));
    QCOMPARE(window_->inputText() + window_->outputText(), QString());
}

void MainWindowTest::menus_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("items");
    // name|caption|shortcut|state: e enabled, d disabled, c checked,
    // u unchecked, s separator
    QTest::newRow("mnuFile") << 0 << QStringList{"&File", "mnuOpen|&Open HTML File...|Ctrl+O|e",
                                            "mnuSavePHPScript|&Save PHP Script...|Ctrl+S|d",
                                            "mnufilesep1|||s", "mnuExit|E&xit|Ctrl+Q|e"};
    QTest::newRow("mnuEdit") << 1 << QStringList{"&Edit", "mnuConvert|&Convert|Ctrl+E|e",
                                            "mnuEditsep1|||s", "mnuClear|C&lear|Ctrl+L|e"};
    QTest::newRow("mnuConversion")
        << 2 << QStringList{"&Conversion", "mnuToPHP|HTML to &PHP||c", "mnuToASP|HTML to &ASP||u",
                            "mnuConversionsep1|||s", "mnuClassicEscaping|Classic Escaping (v1.0)||u"};
    QTest::newRow("mnuHelp") << 3 << QStringList{"&Help", "mnuQuickHelp|&Quick Help||e",
                                            "mnuHelpsep1|||s", "mnuAbout|&About...|Ctrl+B|e"};
}

static QString describe(const QAction* action)
{
    QString state = action->isSeparator()    ? QStringLiteral("s")
                    : action->isCheckable()  ? QString(action->isChecked() ? 'c' : 'u')
                    : !action->isEnabled()   ? QStringLiteral("d")
                                             : QStringLiteral("e");
    return QStringList{action->objectName(), action->text(),
                       action->shortcut().toString(QKeySequence::PortableText), state}
        .join(QLatin1Char('|'));
}

void MainWindowTest::menus()
{
    QFETCH(int, position);
    QFETCH(QStringList, items);
    const auto* menu = window_->findChild<QMenu*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(menu);
    QStringList seen{menu->title()};
    for (const QAction* action : menu->actions())
        seen << describe(action);
    QCOMPARE(seen, items);
    QCOMPARE(window_->menuBar()->actions().indexOf(menu->menuAction()), position);
}

// "button" clicks it, "menu" triggers the item, "shortcut" presses the
// item's key while the input box has the focus.
void MainWindowTest::trigger(const QString& how, QPushButton* button, QAction* item)
{
    if (how == QLatin1String("button")) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (how == QLatin1String("menu")) {
        item->trigger();
    } else {
        window_->txtHTML->setFocus();
        const QKeyCombination key = item->shortcut()[0];
        QTest::keyClick(window_->txtHTML, key.key(), key.keyboardModifiers());
    }
}

void MainWindowTest::convert_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("asp");
    for (const bool asp : {false, true}) {
        for (const char* how : {"button", "menu", "shortcut"})
            QTest::addRow("%s %s", asp ? "ASP" : "PHP", how) << QString::fromLatin1(how) << asp;
    }
}

// Converting replaces the output; converting twice gives the same script.
void MainWindowTest::convert()
{
    QFETCH(QString, how);
    QFETCH(bool, asp);
    if (asp)
        window_->mnuToASP->trigger();
    setEditorText(window_->txtHTML, kSample);
    setEditorText(window_->txtPHP, QStringLiteral("old output"));
    trigger(how, window_->cmdConvert, window_->mnuConvert);
    trigger(how, window_->cmdConvert, window_->mnuConvert);
    QCOMPARE(window_->outputText(), scriptOf(asp, kSample));
    QVERIFY(messages_.isEmpty());
}

void MainWindowTest::escaping_data()
{
    QTest::addColumn<bool>("asp");
    QTest::addColumn<bool>("classic");
    QTest::addColumn<QString>("statement");
    QTest::newRow("PHP exact") << false << false << "echo \"<b a=\\\"\\$x\\\">\";";
    QTest::newRow("PHP classic") << false << true << "echo \"<b a=\\\"$x\\\">\";";
    QTest::newRow("ASP exact") << true << false << "Response.Write(\"<b a=\"\"$x\"\">\")";
    QTest::newRow("ASP classic") << true << true << "Response.Write(\"<b a='$x'>\")";
}

// The Classic Escaping item picks the escaping of Convert; toggling it
// converts again at once, as the mode items do, and with an empty input
// changes nothing else.
void MainWindowTest::escaping()
{
    QFETCH(bool, asp);
    QFETCH(bool, classic);
    QFETCH(QString, statement);
    QVERIFY(!window_->mnuClassicEscaping->statusTip().isEmpty());
    if (asp)
        window_->mnuToASP->trigger();
    setEditorText(window_->txtPHP, QStringLiteral("kept"));
    window_->mnuClassicEscaping->trigger();
    window_->mnuClassicEscaping->trigger();
    QCOMPARE(window_->outputText(), QStringLiteral("kept"));

    setEditorText(window_->txtHTML, QStringLiteral("<b a=\"$x\">"));
    if (classic)
        window_->mnuClassicEscaping->trigger();
    else
        window_->cmdConvert->click();
    const QStringList lines = window_->outputText().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[5], statement);
    QVERIFY(messages_.isEmpty());
}

void MainWindowTest::emptyInputWarnsAndKeepsOutput()
{
    for (QAction* mode : {window_->mnuToPHP, window_->mnuToASP}) {
        mode->trigger();
        setEditorText(window_->txtPHP, QStringLiteral("kept\r\nas it is"));
        window_->cmdConvert->click();
        QCOMPARE(window_->outputText(), QStringLiteral("kept\r\nas it is"));
    }
    QCOMPARE(messages_.size(), 2);
    for (const ShownMessage& message : messages_) {
        QCOMPARE(message.prompt, QStringLiteral("There is no HTML Code to convert."));
        QCOMPARE(message.icon, MessageIcon::Exclamation);
        QCOMPARE(message.title, QStringLiteral("Tagora"));
    }
}

// The real dialog, found as the active modal widget: a plain-text warning
// with one OK button.
void MainWindowTest::realMessageBoxIsAnsweredWithOk()
{
    setMessageHook({});
    QStringList seen;
    onModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        seen << box->windowTitle() << box->text() << QString::number(box->icon())
             << QString::number(box->buttons().size()) << QString::number(box->textFormat());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    window_->cmdConvert->click();
    QCOMPARE(seen, (QStringList{"Tagora", "There is no HTML Code to convert.",
                                QString::number(QMessageBox::Warning), "1",
                                QString::number(Qt::PlainText)}));
    QVERIFY(!QApplication::activeModalWidget());
}

void MainWindowTest::modeSelection_data()
{
    QTest::addColumn<bool>("asp");
    QTest::addColumn<QString>("input");
    QTest::newRow("ASP reconverts") << true << kSample;
    QTest::newRow("PHP reconverts") << false << kSample;
    QTest::newRow("ASP, empty input") << true << QString();
    QTest::newRow("PHP, empty input") << false << QString();
}

// A mode item sets the marks, the label and the save item's caption and
// converts again; with an empty input it neither warns nor touches the
// output.
void MainWindowTest::modeSelection()
{
    QFETCH(bool, asp);
    QFETCH(QString, input);
    setEditorText(window_->txtHTML, input);
    setEditorText(window_->txtPHP, QStringLiteral("previous"));
    window_->mnuToASP->trigger();
    QAction* item = asp ? window_->mnuToASP : window_->mnuToPHP;
    item->trigger();
    item->trigger();  // the mode already selected stays selected
    QCOMPARE(window_->mnuToASP->isChecked(), asp);
    QCOMPARE(window_->mnuToPHP->isChecked(), !asp);
    QCOMPARE(window_->lblConvertto->text(), asp ? QStringLiteral("ASP Script") : QStringLiteral("PHP Script"));
    QCOMPARE(window_->mnuSavePHPScript->text(),
             asp ? QStringLiteral("&Save ASP Script...") : QStringLiteral("&Save PHP Script..."));
    QCOMPARE(window_->outputText(), input.isEmpty() ? QStringLiteral("previous") : scriptOf(asp, input));
    QVERIFY(messages_.isEmpty());
}

void MainWindowTest::clear_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"button", "menu", "shortcut"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

// Clear empties both boxes, keeps the mode and gives the input the focus.
void MainWindowTest::clear()
{
    QFETCH(QString, how);
    window_->mnuToASP->trigger();
    setEditorText(window_->txtHTML, kSample);
    window_->cmdConvert->click();
    window_->txtPHP->setFocus();
    trigger(how, window_->cmdClear, window_->mnuClear);
    QCOMPARE(window_->inputText() + window_->outputText(), QString());
    QCOMPARE(QApplication::focusWidget(), window_->txtHTML);
    QVERIFY(window_->mnuToASP->isChecked());
}

void MainWindowTest::copyScript_data()
{
    QTest::addColumn<bool>("asp");
    QTest::addColumn<QString>("output");
    QTest::newRow("PHP script") << false << scriptOf(false, kSample);
    QTest::newRow("ASP script, still says PHP") << true << scriptOf(true, kSample);
    QTest::newRow("typed by the user") << false << QStringLiteral("own\r\n\t\u00A0\u2028 \U0001F600");
    QTest::newRow("empty: nothing happens") << false << QString();
}

// The clipboard holds exactly the output text, CR LF included.
void MainWindowTest::copyScript()
{
    QFETCH(bool, asp);
    QFETCH(QString, output);
    if (asp)
        window_->mnuToASP->trigger();
    setEditorText(window_->txtPHP, output);
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    QTest::mouseClick(window_->mnuCopy, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), output.isEmpty() ? QStringLiteral("untouched") : output);
    QCOMPARE(messages_.size(), output.isEmpty() ? 0 : 1);
    if (!output.isEmpty()) {
        QCOMPARE(messages_[0].prompt, QStringLiteral("PHP script has been copied to the clipboard."));
        QCOMPARE(messages_[0].icon, MessageIcon::Information);
        QCOMPARE(messages_[0].title, QStringLiteral("Tagora"));
    }
}

void MainWindowTest::pastedCharacters_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("input");
    const QString kept[] = {QStringLiteral("a\u00A0b\u2028c"), QStringLiteral("\ta\t "),
                            QStringLiteral("\U0001F600 \U0001F680"), QStringLiteral("a%1b").arg(QChar(0)),
                            QStringLiteral("\r\n\r\n"), QStringLiteral("\uFFFE\uFFFF\uFDEF")};
    for (const QString& text : kept)
        QTest::addRow("kept U+%04X", text.front().unicode()) << text << text;
    QTest::newRow("LF is a line break") << QStringLiteral("a\nb\n") << QStringLiteral("a\r\nb\r\n");
    QTest::newRow("CR is a line break") << QStringLiteral("a\rb") << QStringLiteral("a\r\nb");
    QTest::newRow("U+2029 is a line break") << QStringLiteral("a\u2029b") << QStringLiteral("a\r\nb");
    QTest::newRow("U+FDD0, U+FDD1 become U+FFFD")
        << QStringLiteral("a\uFDD0b\uFDD1c") << QStringLiteral("a\uFFFDb\uFFFDc");
}

// What the user pastes reaches the script and the clipboard as it is; any
// line break becomes a CR LF.
void MainWindowTest::pastedCharacters()
{
    QFETCH(QString, pasted);
    QFETCH(QString, input);
    QGuiApplication::clipboard()->setText(pasted);
    window_->txtHTML->paste();
    QCOMPARE(window_->inputText(), input);
    window_->cmdConvert->click();
    window_->mnuCopy->click();
    QCOMPARE(window_->outputText(), scriptOf(false, input));
    QCOMPARE(QGuiApplication::clipboard()->text(), scriptOf(false, input));
}

// The listing goes straight after whatever the output holds, each code
// after one space, and does nothing for an empty input.
void MainWindowTest::characterListing()
{
    setEditorText(window_->txtHTML, QStringLiteral("<p>\r\n\u20AC"));
    window_->cmdConvert->click();
    const QString script = window_->outputText();
    QTest::mouseClick(window_->Command1, Qt::LeftButton, {}, QPoint(5, 5));
    window_->Command1->click();
    QCOMPARE(window_->outputText(), script + QStringLiteral(" 60 112 62 13 10 128 60 112 62 13 10 128"));
    QVERIFY(window_->outputText().contains(QStringLiteral("?> 60 112")));
    window_->cmdClear->click();
    window_->Command1->click();
    QCOMPARE(window_->outputText(), QString());
    QVERIFY(messages_.isEmpty());
}

// Up to the limit the listing runs; one character more (a line break
// counts two) gives a warning naming both lengths and leaves the output.
void MainWindowTest::characterListingLimit()
{
    const qsizetype limit = frm_Main::kLongestListedInput;
    QVERIFY(limit >= 32766);
    setEditorText(window_->txtHTML, QString(limit - 2, QLatin1Char('x')) + QStringLiteral("\r\n"));
    window_->Command1->click();
    QCOMPARE(window_->outputText().size(), 4 * (limit - 2) + 6);  // " 120" per x, " 13 10"
    QVERIFY(messages_.isEmpty());

    setEditorText(window_->txtHTML, QString(limit - 3, QLatin1Char('x')) + QStringLiteral("\r\n\r\n"));
    setEditorText(window_->txtPHP, QStringLiteral("kept"));
    window_->Command1->click();
    QCOMPARE(window_->outputText(), QStringLiteral("kept"));
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].prompt,
             QStringLiteral("The character listing takes at most %1 characters; the input holds %2.")
                 .arg(limit).arg(limit + 1));
    QCOMPARE(messages_[0].icon, MessageIcon::Exclamation);
}

// A focused button answers Space and Enter; the main window has no
// default button, so Enter in a text box starts a new line.
void MainWindowTest::focusedButtonsAnswerSpaceAndEnter()
{
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        setEditorText(window_->txtHTML, QStringLiteral("ab"));
        setEditorText(window_->txtPHP, QString());
        window_->Command1->setFocus();
        QTest::keyClick(window_->Command1, key);
        QCOMPARE(window_->outputText(), QStringLiteral(" 97 98"));
        window_->cmdConvert->setFocus();
        QTest::keyClick(window_->cmdConvert, key);
        QCOMPARE(window_->outputText(), scriptOf(false, QStringLiteral("ab")));
    }
}

// Enter starts a new line, Ctrl+Tab types a TAB, Escape does nothing,
// Ctrl+X cuts (it does not exit) and Ctrl+Q exits at once.
void MainWindowTest::textBoxKeys()
{
    QTest::keyClicks(window_->txtHTML, QStringLiteral("a"));
    QTest::keyClick(window_->txtHTML, Qt::Key_Return);
    QTest::keyClick(window_->txtHTML, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(window_->txtHTML, QStringLiteral("b"));
    QTest::keyClick(window_->txtHTML, Qt::Key_Escape);
    QCOMPARE(window_->inputText(), QStringLiteral("a\r\n\tb"));

    window_->txtHTML->selectAll();
    QTest::keyClick(window_->txtHTML, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->inputText(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a\n\tb"));

    QTest::keyClick(window_->txtHTML, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window_->isVisible());
    QVERIFY(messages_.isEmpty());
}

// A blinking caret would lay out a very long line again and again; while
// the focused box holds one, the caret stands still.
void MainWindowTest::caretStopsBlinkingOnVeryLongLines()
{
    const int limit = CodeTextBox::kLongestBlinkingLine;
    window_->txtHTML->setFocus();
    setEditorText(window_->txtHTML, QStringLiteral("<p>\r\n") + QString(limit, QLatin1Char('x')));
    QVERIFY(CodeTextBox::caretBlinks());
    window_->txtHTML->moveCursor(QTextCursor::End);
    QTest::keyClicks(window_->txtHTML, QStringLiteral("y"));
    QVERIFY(!CodeTextBox::caretBlinks());
    window_->txtPHP->setFocus();
    QVERIFY(CodeTextBox::caretBlinks());
    window_->txtHTML->setFocus();
    QVERIFY(!CodeTextBox::caretBlinks());
    QTest::keyClick(window_->txtHTML, Qt::Key_Backspace);
    QVERIFY(CodeTextBox::caretBlinks());
}

void MainWindowTest::quickHelp()
{
    window_->mnuQuickHelp->trigger();
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].title, QStringLiteral("Quick Help"));
    QCOMPARE(messages_[0].icon, MessageIcon::Information);
    QCOMPARE(messages_[0].prompt,
             QStringLiteral(
                 "Quick Help\r\n"
                 "--------------\r\n"
                 "This is a simple conversion program which can be used to convert plain HTML "
                 "(Hypertext Markup language) Code into PHP or ASP Script.\r\n"
                 "\r\n"
                 "How to convert ???\r\n"
                 "-----------------\r\n"
                 "Select Conversion type whether you want to convert HTML to PHP or HTML to ASP "
                 "from 'Conversion' menu\r\n"
                 "Type HTML Code into the 'HTML Code' text box or copy HTML Code from anywhere "
                 "and paste into the 'HTML Code' text box which you want to be converted.\r\n"
                 "Click on 'Convert' button and the HTML Code will be converted into PHP Script\r\n"
                 "Click on 'Copy Script' button to copy PHP or ASP Script into clipboard which you "
                 "can paste into your PHP or ASP Script file.\r\n"
                 "Clicking on 'Clear' button will clear both HTML Code and PHP/ASP Script text "
                 "box.\r\n"
                 "\r\n"
                 "If you have any problem using this program please mail me at tagora@example.com"));
}

// The program's start shows the splash modally while the main window is
// still hidden, and shows the main window once the splash has gone.
void MainWindowTest::splashComesFirst()
{
    frm_Main starting;
    bool splashWasModal = false;
    bool mainWasHidden = false;
    onModal([&](QWidget* modal) {
        splashWasModal = qobject_cast<frm_Splash*>(modal) != nullptr;
        mainWasHidden = !starting.isVisible();
    });
    starting.start();
    QVERIFY(splashWasModal && mainWasHidden);
    QVERIFY(starting.isVisible());
    QVERIFY(!QApplication::activeModalWidget());
}

void MainWindowTest::linkNeedsLeftPressAndReleaseOnIt_data()
{
    QTest::addColumn<Qt::MouseButton>("pressed");
    QTest::addColumn<Qt::MouseButton>("released");
    QTest::addColumn<bool>("releasedOnIt");
    QTest::addColumn<bool>("opens");
    QTest::newRow("left click") << Qt::LeftButton << Qt::LeftButton << true << true;
    QTest::newRow("right click") << Qt::RightButton << Qt::RightButton << true << false;
    QTest::newRow("release only") << Qt::NoButton << Qt::LeftButton << true << false;
    QTest::newRow("pressed, released off it") << Qt::LeftButton << Qt::LeftButton << false << false;
}

void MainWindowTest::linkNeedsLeftPressAndReleaseOnIt()
{
    QFETCH(Qt::MouseButton, pressed);
    QFETCH(Qt::MouseButton, released);
    QFETCH(bool, releasedOnIt);
    QFETCH(bool, opens);
    QLabel* link = window_->lblEnlarge;
    QSignalSpy clicks(link, SIGNAL(clicked()));
    QObject::disconnect(link, nullptr, window_, nullptr);  // no viewer
    if (pressed != Qt::NoButton)
        QTest::mousePress(link, pressed, {}, QPoint(2, 2));
    QTest::mouseRelease(link, released, {}, releasedOnIt ? QPoint(2, 2) : QPoint(-5, -5));
    QCOMPARE(clicks.size(), opens ? 1 : 0);
}

void MainWindowTest::enlargeShowsACopy_data()
{
    QTest::addColumn<bool>("output");
    QTest::addColumn<QString>("input");
    QTest::newRow("output, nothing converted") << true << QString();
    QTest::newRow("output, a script") << true << QStringLiteral("<b>\"x\"</b>\r\n\ty\u00A0");
    QTest::newRow("input, empty") << false << QString();
    QTest::newRow("input, not converted") << false << QStringLiteral("<p>\r\n\u2028z</p>");
}

// The viewer shows a copy: what the user types there stays there.
void MainWindowTest::enlargeShowsACopy()
{
    QFETCH(bool, output);
    QFETCH(QString, input);
    setEditorText(window_->txtHTML, input);
    if (output && !input.isEmpty())
        window_->convert();
    const QString before = window_->inputText() + window_->outputText();
    QString shown;
    onModal([&](QWidget* widget) {
        auto* viewer = qobject_cast<frm_Notepad*>(widget);
        QVERIFY(viewer);
        shown = editorText(viewer->txtHelp);
        QTest::keyClicks(viewer->txtHelp, QStringLiteral("typed in the viewer"));
        viewer->mnuExit1->trigger();
    });
    QTest::mouseClick(output ? window_->lblEnlarge : window_->lblEnlarge1, Qt::LeftButton);
    QCOMPARE(shown, output ? window_->outputText() : window_->inputText());
    QCOMPARE(window_->inputText() + window_->outputText(), before);
    QVERIFY(window_->findChildren<frm_Notepad*>().isEmpty());
}

// About opens over the main window, also by its shortcut from a text box.
void MainWindowTest::about()
{
    QWidget* shownOver = nullptr;
    onModal([&](QWidget* widget) {
        auto* about = qobject_cast<frm_About*>(widget);
        QVERIFY(about);
        shownOver = about->parentWidget();
        QTest::keyClick(about, Qt::Key_Escape);
    });
    QTest::keyClick(window_->txtHTML, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(shownOver, window_);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

// Exit and every other way of closing the window close it at once,
// without a question, and the program's event loop ends.
void MainWindowTest::closingTheWindowEndsTheProgram_data()
{
    QTest::addColumn<bool>("byExit");
    QTest::newRow("Exit") << true;
    QTest::newRow("close request") << false;
}

void MainWindowTest::closingTheWindowEndsTheProgram()
{
    QFETCH(bool, byExit);
    setEditorText(window_->txtHTML, QStringLiteral("typed, never saved"));
    QTimer::singleShot(0, window_, [this, byExit] {
        if (byExit)
            window_->mnuExit->trigger();
        else
            window_->close();
    });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window_->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"

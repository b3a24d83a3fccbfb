// The main window: every command from its button, menu item and shortcut,
// the modes and escapings, the listing, the keys, and the windows it opens.
#include "code_text_box.h"
#include "frm_About.h"
#include "frm_Main.h"
#include "frm_Notepad.h"
#include "message_box.h"
#include "script_generator.h"
#include "text_conversion.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tagora;
using namespace tagora::runtime;

namespace {

QString scriptOf(bool asp, const QString& html)
{
    return fromU16(*script(asp ? ScriptLanguage::Asp : ScriptLanguage::Php, Escaping::Exact, toU16(html)));
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
    void commands();
    void modesAndEscaping();
    void copyScript();
    void pastedCharacters();
    void characterListing();
    void keys();
    void caretStopsBlinkingOnVeryLongLines();
    void quickHelp();
    void linkNeedsLeftPressAndReleaseOnIt();
    void enlargeShowsACopy();
    void about();
    void closingTheWindowEndsTheProgram();

private:
    void expectMessage(const QString& prompt, MessageIcon icon);

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

void MainWindowTest::expectMessage(const QString& prompt, MessageIcon icon)
{
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].prompt, prompt);
    QCOMPARE(messages_[0].icon, icon);
    QCOMPARE(messages_[0].title, QStringLiteral("Tagora"));
    messages_.clear();
}

// Convert replaces the output (twice gives the same script); Clear empties
// both boxes, keeps the mode and focuses the input. Each from its button,
// its menu item, and its shortcut pressed in the focused text box.
void MainWindowTest::commands()
{
    for (const int how : {0, 1, 2}) {
        const auto trigger = [how](QPushButton* button, QAction* item) {
            if (how == 0)
                QTest::mouseClick(button, Qt::LeftButton);
            else if (how == 1)
                item->trigger();
            else
                QTest::keyClick(QApplication::focusWidget(), item->shortcut()[0].key(), item->shortcut()[0].keyboardModifiers());
        };
        for (const bool asp : {false, true}) {
            (asp ? window_->mnuToASP : window_->mnuToPHP)->trigger();
            setEditorText(window_->txtHTML, kSample);
            setEditorText(window_->txtPHP, QStringLiteral("old output"));
            window_->txtHTML->setFocus();
            trigger(window_->cmdConvert, window_->mnuConvert);
            trigger(window_->cmdConvert, window_->mnuConvert);
            QCOMPARE(window_->outputText(), scriptOf(asp, kSample));
            window_->txtPHP->setFocus();
            trigger(window_->cmdClear, window_->mnuClear);
            QCOMPARE(window_->inputText() + window_->outputText(), QString());
            QCOMPARE(QApplication::focusWidget(), window_->txtHTML);
            QCOMPARE(window_->mnuToASP->isChecked(), asp);
        }
    }
    QVERIFY(messages_.isEmpty());
}

// With an empty input, Convert warns and the mode and escaping items leave
// the output alone; with an input, each of them converts again at once.
void MainWindowTest::modesAndEscaping()
{
    for (const bool asp : {false, true}) {
        const QString exact = asp ? QStringLiteral("Response.Write(\"<b a=\"\"$x\"\">\")")
                                  : QStringLiteral("echo \"<b a=\\\"\\$x\\\">\";");
        const QString classic = asp ? QStringLiteral("Response.Write(\"<b a='$x'>\")")
                                    : QStringLiteral("echo \"<b a=\\\"$x\\\">\";");
        window_->cmdClear->click();
        QAction* mode = asp ? window_->mnuToASP : window_->mnuToPHP;
        setEditorText(window_->txtPHP, QStringLiteral("kept\r\nas it is"));
        window_->mnuToASP->trigger();
        mode->trigger();
        window_->mnuClassicEscaping->trigger();
        window_->mnuClassicEscaping->trigger();
        QCOMPARE(window_->outputText(), QStringLiteral("kept\r\nas it is"));
        QVERIFY(messages_.isEmpty());
        window_->cmdConvert->click();
        QCOMPARE(window_->outputText(), QStringLiteral("kept\r\nas it is"));
        expectMessage(QStringLiteral("There is no HTML Code to convert."), MessageIcon::Exclamation);

        const auto statement = [this] { return window_->outputText().split(QStringLiteral("\r\n")).value(5); };
        setEditorText(window_->txtHTML, QStringLiteral("<b a=\"$x\">"));
        window_->mnuToASP->trigger();
        mode->trigger();
        mode->trigger();  // the mode already selected stays selected
        QCOMPARE(window_->mnuToASP->isChecked(), asp);
        QCOMPARE(window_->mnuToPHP->isChecked(), !asp);
        QCOMPARE(window_->lblConvertto->text(), asp ? QStringLiteral("ASP Script") : QStringLiteral("PHP Script"));
        QCOMPARE(statement(), exact);
        window_->mnuClassicEscaping->trigger();
        QCOMPARE(statement(), classic);
        window_->cmdConvert->click();
        QCOMPARE(statement(), classic);
        window_->mnuClassicEscaping->trigger();
        QCOMPARE(statement(), exact);
        QCOMPARE(window_->outputText().count(QStringLiteral("\r\n")), 6);
        QVERIFY(messages_.isEmpty());
    }
}

// The clipboard holds exactly the output text, CR LF included; an empty
// output copies nothing.
void MainWindowTest::copyScript()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    QTest::mouseClick(window_->mnuCopy, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    QVERIFY(messages_.isEmpty());
    window_->mnuToASP->trigger();
    const QString output = QStringLiteral("own\r\n\t\u00A0\u2028 \U0001F600");
    setEditorText(window_->txtPHP, output);
    QTest::mouseClick(window_->mnuCopy, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), output);
    expectMessage(QStringLiteral("PHP script has been copied to the clipboard."), MessageIcon::Information);
}

// What the user pastes reaches the script and the clipboard as it is; any
// line break becomes a CR LF, U+FDD0 and U+FDD1 become U+FFFD.
void MainWindowTest::pastedCharacters()
{
    const QString kept = QStringLiteral("a\u00A0b\u2028c\t \U0001F600\r\n\r\n\uFFFE\uFFFF\uFDEF") + QChar(0);
    const QList<std::pair<QString, QString>> cases{
        {kept, kept},
        {QStringLiteral("a\nb\rc\u2029d\n"), QStringLiteral("a\r\nb\r\nc\r\nd\r\n")},
        {QStringLiteral("a\uFDD0b\uFDD1c"), QStringLiteral("a\uFFFDb\uFFFDc")}};
    for (const auto& [pasted, input] : cases) {
        window_->cmdClear->click();
        QGuiApplication::clipboard()->setText(pasted);
        window_->txtHTML->paste();
        QCOMPARE(window_->inputText(), input);
        window_->cmdConvert->click();
        window_->mnuCopy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), scriptOf(false, input));
    }
}

// The listing goes straight after whatever the output holds, each code
// after one space. Up to the limit it runs; one character more (a line
// break counts two) gives a warning naming both lengths.
void MainWindowTest::characterListing()
{
    setEditorText(window_->txtHTML, QStringLiteral("<p>\r\n\u20AC"));
    window_->cmdConvert->click();
    const QString script = window_->outputText();
    QTest::mouseClick(window_->Command1, Qt::LeftButton, {}, QPoint(5, 5));
    window_->Command1->click();
    QCOMPARE(window_->outputText(), script + QStringLiteral(" 60 112 62 13 10 128 60 112 62 13 10 128"));

    const qsizetype limit = frm_Main::kLongestListedInput;
    setEditorText(window_->txtHTML, QString(limit - 2, QLatin1Char('x')) + QStringLiteral("\r\n"));
    setEditorText(window_->txtPHP, QString());
    window_->Command1->click();
    QCOMPARE(window_->outputText().size(), 4 * (limit - 2) + 6);  // " 120" per x, " 13 10"
    QVERIFY(messages_.isEmpty());
    setEditorText(window_->txtHTML, QString(limit - 3, QLatin1Char('x')) + QStringLiteral("\r\n\r\n"));
    setEditorText(window_->txtPHP, QStringLiteral("kept"));
    window_->Command1->click();
    QCOMPARE(window_->outputText(), QStringLiteral("kept"));
    expectMessage(QStringLiteral("The character listing takes at most %1 characters; the input holds %2.")
                      .arg(limit).arg(limit + 1), MessageIcon::Exclamation);
}

// In a text box Enter starts a line (no default button), Ctrl+Tab types
// a TAB, Escape does nothing, Ctrl+X cuts (it does not exit), Ctrl+Q exits.
void MainWindowTest::keys()
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
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a\n\tb"));
    QTest::keyClick(window_->txtHTML, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window_->isVisible());
    QVERIFY(messages_.isEmpty());
}

// While the focused box holds a line longer than the limit, the caret
// stands still.
void MainWindowTest::caretStopsBlinkingOnVeryLongLines()
{
    window_->txtHTML->setFocus();
    setEditorText(window_->txtHTML, QStringLiteral("<p>\r\n") + QString(CodeTextBox::kLongestBlinkingLine, 'x'));
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

// Only a left press and release on the link opens the viewer.
void MainWindowTest::linkNeedsLeftPressAndReleaseOnIt()
{
    QLabel* link = window_->lblEnlarge;
    QSignalSpy clicks(link, SIGNAL(clicked()));
    QObject::disconnect(link, nullptr, window_, nullptr);  // no viewer
    const struct { Qt::MouseButton pressed, released; QPoint at; } cases[] = {
        {Qt::RightButton, Qt::RightButton, QPoint(2, 2)},  // right click
        {Qt::NoButton, Qt::LeftButton, QPoint(2, 2)},      // release only
        {Qt::LeftButton, Qt::LeftButton, QPoint(-5, -5)},  // released off it
        {Qt::LeftButton, Qt::LeftButton, QPoint(2, 2)},    // left click
    };
    for (const auto& c : cases) {
        if (c.pressed != Qt::NoButton)
            QTest::mousePress(link, c.pressed, {}, QPoint(2, 2));
        QTest::mouseRelease(link, c.released, {}, c.at);
    }
    QCOMPARE(clicks.size(), 1);
}

// Each Enlarge link shows a copy of its box: what the user types there
// stays there.
void MainWindowTest::enlargeShowsACopy()
{
    setEditorText(window_->txtHTML, QStringLiteral("<b>\"x\"</b>\r\n\ty\u00A0\u2028"));
    window_->convert();
    const QString input = window_->inputText(), output = window_->outputText();
    for (QLabel* link : {window_->lblEnlarge, window_->lblEnlarge1}) {
        QString shown;
        onModal([&](QWidget* widget) {
            auto* viewer = qobject_cast<frm_Notepad*>(widget);
            QVERIFY(viewer);
            shown = editorText(viewer->txtHelp);
            QTest::keyClicks(viewer->txtHelp, QStringLiteral("typed in the viewer"));
            viewer->mnuExit1->trigger();
        });
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(shown, link == window_->lblEnlarge ? output : input);
        QCOMPARE(window_->inputText() + window_->outputText(), input + output);
        QVERIFY(window_->findChildren<frm_Notepad*>().isEmpty());
    }
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
    QVERIFY(!QApplication::activeModalWidget());
}

// Exit and a close request close the window at once, without a question,
// and the program's event loop ends.
void MainWindowTest::closingTheWindowEndsTheProgram()
{
    for (const bool byExit : {true, false}) {
        setEditorText(window_->txtHTML, QStringLiteral("typed, never saved"));
        window_->show();
        QTimer::singleShot(0, window_, [this, byExit] { byExit ? window_->mnuExit->trigger() : (void)window_->close(); });
        QTimer guard;
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window_->isVisible());
    }
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
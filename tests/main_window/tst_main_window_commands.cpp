// The main window's commands, started from buttons, menu items and
// shortcuts: the scripts they produce, the messages they show and what
// they put on the clipboard.
#include "character_listing.h"
#include "code_text_box.h"
#include "frm_Main.h"
#include "message_box.h"
#include "script_generator.h"
#include "text_conversion.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tagora;
using namespace tagora::runtime;

namespace {

QString phpOf(const QString& html)
{
    return fromU16(*phpScript(toU16(html)));
}

QString aspOf(const QString& html)
{
    return fromU16(*aspScript(toU16(html)));
}

const QString kSample = QStringLiteral("<p class=\"a\">x</p>\r\n\t<br>\r\n");

}  // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void convertFrom_data();
    void convertFrom();
    void emptyInputWarns_data();
    void emptyInputWarns();
    void realWarningBoxIsAnsweredWithOk();
    void modeSelectionReconverts_data();
    void modeSelectionReconverts();
    void modeSelectionWithEmptyInputKeepsOutput();
    void clearFrom_data();
    void clearFrom();
    void copyScriptPutsExactTextOnClipboard_data();
    void copyScriptPutsExactTextOnClipboard();
    void copyScriptWithEmptyOutputDoesNothing();
    void pastedCharactersReachScriptUnchanged_data();
    void pastedCharactersReachScriptUnchanged();
    void pastedLineBreaksBecomeCrLf_data();
    void pastedLineBreaksBecomeCrLf();
    void characterListingIsAppended();
    void focusedButtonsAnswerSpaceAndEnter_data();
    void focusedButtonsAnswerSpaceAndEnter();
    void textBoxKeys();
    void cutDoesNotExit();
    void exitClosesAtOnce();
    void quickHelpText();

private:
    void typeInput(const QString& text);
    void trigger(const QString& how, QPushButton* button, QAction* item);

    frm_Main* window_ = nullptr;
    QList<ShownMessage> messages_;
};

void MainWindowCommandsTest::init()
{
    messages_.clear();
    setMessageHook([this](const ShownMessage& message) { messages_ << message; });
    window_ = new frm_Main;
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void MainWindowCommandsTest::cleanup()
{
    setMessageHook({});
    delete window_;
    window_ = nullptr;
}

void MainWindowCommandsTest::typeInput(const QString& text)
{
    setEditorText(window_->txtHTML, text);
}

// how: "button" clicks it, "menu" triggers the item, "shortcut" presses
// the item's key in the input box.
void MainWindowCommandsTest::trigger(const QString& how, QPushButton* button, QAction* item)
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

void MainWindowCommandsTest::convertFrom_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("asp");
    for (const bool asp : {false, true}) {
        const char* mode = asp ? "ASP" : "PHP";
        for (const char* how : {"button", "menu", "shortcut"})
            QTest::addRow("%s %s", mode, how) << QString::fromLatin1(how) << asp;
    }
}

void MainWindowCommandsTest::convertFrom()
{
    QFETCH(QString, how);
    QFETCH(bool, asp);
    if (asp)
        window_->mnuToASP->trigger();
    typeInput(kSample);
    setEditorText(window_->txtPHP, QStringLiteral("old output"));
    trigger(how, window_->cmdConvert, window_->mnuConvert);
    QCOMPARE(window_->outputText(), asp ? aspOf(kSample) : phpOf(kSample));
    QVERIFY(messages_.isEmpty());
    // Converting again replaces the script, it does not append to it.
    trigger(how, window_->cmdConvert, window_->mnuConvert);
    QCOMPARE(window_->outputText(), asp ? aspOf(kSample) : phpOf(kSample));
}

void MainWindowCommandsTest::emptyInputWarns_data()
{
    QTest::addColumn<bool>("asp");
    QTest::newRow("PHP") << false;
    QTest::newRow("ASP") << true;
}

void MainWindowCommandsTest::emptyInputWarns()
{
    QFETCH(bool, asp);
    if (asp)
        window_->mnuToASP->trigger();
    setEditorText(window_->txtPHP, QStringLiteral("kept\r\nas it is"));
    window_->cmdConvert->click();
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].prompt, QStringLiteral("There is no HTML Code to convert."));
    QCOMPARE(messages_[0].icon, MessageIcon::Exclamation);
    QCOMPARE(messages_[0].title, QStringLiteral("Tagora"));
    QCOMPARE(window_->outputText(), QStringLiteral("kept\r\nas it is"));
}

// The real dialog: a warning with one OK button, answered by a timer.
void MainWindowCommandsTest::realWarningBoxIsAnsweredWithOk()
{
    setMessageHook({});
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons().size();
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    window_->cmdConvert->click();
    QCOMPARE(title, QStringLiteral("Tagora"));
    QCOMPARE(text, QStringLiteral("There is no HTML Code to convert."));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, 1);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void MainWindowCommandsTest::modeSelectionReconverts_data()
{
    QTest::addColumn<bool>("asp");
    QTest::addColumn<QString>("label");
    QTest::newRow("ASP") << true << "ASP Script";
    QTest::newRow("PHP again") << false << "PHP Script";
}

void MainWindowCommandsTest::modeSelectionReconverts()
{
    QFETCH(bool, asp);
    QFETCH(QString, label);
    typeInput(kSample);
    window_->cmdConvert->click();
    (asp ? window_->mnuToASP : window_->mnuToPHP)->trigger();
    QCOMPARE(window_->mnuToASP->isChecked(), asp);
    QCOMPARE(window_->mnuToPHP->isChecked(), !asp);
    QCOMPARE(window_->lblConvertto->text(), label);
    QCOMPARE(window_->outputText(), asp ? aspOf(kSample) : phpOf(kSample));
    QVERIFY(messages_.isEmpty());
}

void MainWindowCommandsTest::modeSelectionWithEmptyInputKeepsOutput()
{
    setEditorText(window_->txtPHP, QStringLiteral("previous script"));
    window_->mnuToASP->trigger();
    window_->mnuToASP->trigger();  // the selected mode again: still checked
    QVERIFY(window_->mnuToASP->isChecked());
    QVERIFY(!window_->mnuToPHP->isChecked());
    QCOMPARE(window_->lblConvertto->text(), QStringLiteral("ASP Script"));
    QCOMPARE(window_->outputText(), QStringLiteral("previous script"));
    QVERIFY(messages_.isEmpty());
}

void MainWindowCommandsTest::clearFrom_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"button", "menu", "shortcut"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void MainWindowCommandsTest::clearFrom()
{
    QFETCH(QString, how);
    window_->mnuToASP->trigger();
    typeInput(kSample);
    window_->cmdConvert->click();
    window_->txtPHP->setFocus();
    trigger(how, window_->cmdClear, window_->mnuClear);
    QCOMPARE(window_->inputText(), QString());
    QCOMPARE(window_->outputText(), QString());
    QCOMPARE(QApplication::focusWidget(), window_->txtHTML);
    QVERIFY(window_->mnuToASP->isChecked());
    QCOMPARE(window_->lblConvertto->text(), QStringLiteral("ASP Script"));
}

void MainWindowCommandsTest::copyScriptPutsExactTextOnClipboard_data()
{
    QTest::addColumn<bool>("asp");
    QTest::addColumn<QString>("typedOutput");
    QTest::newRow("PHP script") << false << QString();
    QTest::newRow("ASP script") << true << QString();
    QTest::newRow("typed by the user")
        << false << QStringLiteral("my own\r\n\ttext\u00A0\u2028 \U0001F600");
}

void MainWindowCommandsTest::copyScriptPutsExactTextOnClipboard()
{
    QFETCH(bool, asp);
    QFETCH(QString, typedOutput);
    if (asp)
        window_->mnuToASP->trigger();
    typeInput(kSample);
    window_->cmdConvert->click();
    if (!typedOutput.isEmpty())
        setEditorText(window_->txtPHP, typedOutput);
    const QString expected = !typedOutput.isEmpty() ? typedOutput
                             : asp                  ? aspOf(kSample)
                                                    : phpOf(kSample);
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(window_->mnuCopy, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].prompt, QStringLiteral("PHP script has been copied to the clipboard."));
    QCOMPARE(messages_[0].icon, MessageIcon::Information);
    QCOMPARE(messages_[0].title, QStringLiteral("Tagora"));
    QCOMPARE(window_->outputText(), expected);
}

void MainWindowCommandsTest::copyScriptWithEmptyOutputDoesNothing()
{
    typeInput(kSample);
    window_->cmdConvert->click();
    window_->cmdClear->click();
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    window_->mnuCopy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    QVERIFY(messages_.isEmpty());
}

void MainWindowCommandsTest::pastedCharactersReachScriptUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("non-breaking space") << QStringLiteral("a\u00A0b");
    QTest::newRow("U+2028") << QStringLiteral("a\u2028b");
    QTest::newRow("TAB") << QStringLiteral("\ta\t");
    QTest::newRow("emoji") << QStringLiteral("\U0001F600 \U0001F680");
    QTest::newRow("NUL") << QString(QStringLiteral("a%1b")).arg(QChar(0));
    QTest::newRow("trailing spaces") << QStringLiteral("a  \r\n  ");
    QTest::newRow("only line breaks") << QStringLiteral("\r\n\r\n");
}

void MainWindowCommandsTest::pastedCharactersReachScriptUnchanged()
{
    QFETCH(QString, text);
    window_->txtHTML->setFocus();
    window_->txtHTML->insertPlainText(text);
    QCOMPARE(window_->inputText(), text);
    window_->cmdConvert->click();
    QCOMPARE(window_->outputText(), phpOf(text));
    window_->mnuCopy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), phpOf(text));
}

void MainWindowCommandsTest::pastedLineBreaksBecomeCrLf_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::newRow("LF") << QStringLiteral("a\nb\n");
    QTest::newRow("CR") << QStringLiteral("a\rb\r");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\n");
}

void MainWindowCommandsTest::pastedLineBreaksBecomeCrLf()
{
    QFETCH(QString, pasted);
    window_->txtHTML->insertPlainText(pasted);
    QCOMPARE(window_->inputText(), QStringLiteral("a\r\nb\r\n"));
}

void MainWindowCommandsTest::characterListingIsAppended()
{
    typeInput(QStringLiteral("<p>\r\nx"));
    window_->cmdConvert->click();
    const QString script = window_->outputText();
    QTest::mouseClick(window_->Command1, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(window_->outputText(), script + QStringLiteral(" 60 112 62 13 10 120"));
    window_->Command1->click();
    QCOMPARE(window_->outputText(),
             script + QStringLiteral(" 60 112 62 13 10 120 60 112 62 13 10 120"));
    QVERIFY(window_->outputText().contains(QStringLiteral("?> 60 112")));
    QVERIFY(window_->mnuToPHP->isChecked());
    QVERIFY(messages_.isEmpty());

    window_->cmdClear->click();
    window_->Command1->click();
    QCOMPARE(window_->outputText(), QString());
}

void MainWindowCommandsTest::focusedButtonsAnswerSpaceAndEnter_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void MainWindowCommandsTest::focusedButtonsAnswerSpaceAndEnter()
{
    QFETCH(int, key);
    typeInput(QStringLiteral("ab"));
    window_->Command1->setFocus();
    QTest::keyClick(window_->Command1, Qt::Key(key));
    QCOMPARE(window_->outputText(), QStringLiteral(" 97 98"));
    window_->cmdConvert->setFocus();
    QTest::keyClick(window_->cmdConvert, Qt::Key(key));
    QCOMPARE(window_->outputText(), phpOf(QStringLiteral("ab")));
}

// Enter starts a new line, Ctrl+Tab types a TAB, Escape does nothing.
void MainWindowCommandsTest::textBoxKeys()
{
    QTest::keyClicks(window_->txtHTML, QStringLiteral("a"));
    QTest::keyClick(window_->txtHTML, Qt::Key_Return);
    QTest::keyClick(window_->txtHTML, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(window_->txtHTML, QStringLiteral("b"));
    QTest::keyClick(window_->txtHTML, Qt::Key_Escape);
    QCOMPARE(window_->inputText(), QStringLiteral("a\r\n\tb"));
    QCOMPARE(QApplication::focusWidget(), window_->txtHTML);
    QVERIFY(window_->isVisible());
    QVERIFY(messages_.isEmpty());
}

void MainWindowCommandsTest::cutDoesNotExit()
{
    typeInput(QStringLiteral("first line\r\nsecond"));
    window_->txtHTML->selectAll();
    QTest::keyClick(window_->txtHTML, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->inputText(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("first line\nsecond"));
}

void MainWindowCommandsTest::exitClosesAtOnce()
{
    typeInput(QStringLiteral("unsaved"));
    QTest::keyClick(window_->txtHTML, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window_->isVisible());
    QVERIFY(messages_.isEmpty());
}

void MainWindowCommandsTest::quickHelpText()
{
    window_->mnuQuickHelp->trigger();
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].title, QStringLiteral("Quick Help"));
    QCOMPARE(messages_[0].icon, MessageIcon::Information);
    const QStringList lines = messages_[0].prompt.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[0], QStringLiteral("Quick Help"));
    QCOMPARE(lines[1], QString(14, QLatin1Char('-')));
    QCOMPARE(lines[3], QString());
    QCOMPARE(lines[4], QStringLiteral("How to convert ???"));
    QCOMPARE(lines[5], QString(17, QLatin1Char('-')));
    QCOMPARE(lines[11], QString());
    QCOMPARE(lines[12], QStringLiteral("If you have any problem using this program please mail me at "
                                       "tagora@example.com"));
}

QTEST_MAIN(MainWindowCommandsTest)
#include "tst_main_window_commands.moc"

// The main window's commands, started from buttons, menu items and
// shortcuts: the scripts they produce, the messages they show and what
// they put on the clipboard.
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

using namespace tagora;
using namespace tagora::runtime;

namespace {

QString scriptOf(bool asp, const QString& html)
{
    return fromU16(*script(asp ? ScriptLanguage::Asp : ScriptLanguage::Php, toU16(html)));
}

const QString kSample = QStringLiteral("<p class=\"a\">x</p>\r\n\t<br>\r\n");
const QString kCopied = QStringLiteral("PHP script has been copied to the clipboard.");

}  // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void convert_data();
    void convert();
    void emptyInputWarnsAndKeepsOutput_data();
    void emptyInputWarnsAndKeepsOutput();
    void realWarningBoxIsAnsweredWithOk();
    void modeSelection_data();
    void modeSelection();
    void clear_data();
    void clear();
    void copyScript_data();
    void copyScript();
    void charactersReachScriptUnchanged_data();
    void charactersReachScriptUnchanged();
    void characterListingIsAppended();
    void focusedButtonsAnswerSpaceAndEnter_data();
    void focusedButtonsAnswerSpaceAndEnter();
    void textBoxKeys();
    void quickHelp();

private:
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
}

// "button" clicks it, "menu" triggers the item, "shortcut" presses the
// item's key while the input box has the focus.
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

void MainWindowCommandsTest::convert_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("asp");
    for (const bool asp : {false, true}) {
        for (const char* how : {"button", "menu", "shortcut"})
            QTest::addRow("%s %s", asp ? "ASP" : "PHP", how) << QString::fromLatin1(how) << asp;
    }
}

// Converting replaces the output; converting twice gives the same script.
void MainWindowCommandsTest::convert()
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

void MainWindowCommandsTest::emptyInputWarnsAndKeepsOutput_data()
{
    QTest::addColumn<bool>("asp");
    QTest::newRow("PHP") << false;
    QTest::newRow("ASP") << true;
}

void MainWindowCommandsTest::emptyInputWarnsAndKeepsOutput()
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

// The real dialog: a plain-text warning with one OK button.
void MainWindowCommandsTest::realWarningBoxIsAnsweredWithOk()
{
    setMessageHook({});
    QStringList seen;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
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

void MainWindowCommandsTest::modeSelection_data()
{
    QTest::addColumn<bool>("asp");
    QTest::addColumn<QString>("input");
    QTest::newRow("ASP reconverts") << true << kSample;
    QTest::newRow("PHP reconverts") << false << kSample;
    QTest::newRow("ASP, empty input") << true << QString();
    QTest::newRow("PHP, empty input") << false << QString();
}

// A mode item sets the marks and the label and converts again; with an
// empty input it neither warns nor touches the output.
void MainWindowCommandsTest::modeSelection()
{
    QFETCH(bool, asp);
    QFETCH(QString, input);
    setEditorText(window_->txtHTML, input);
    setEditorText(window_->txtPHP, QStringLiteral("previous"));
    QAction* item = asp ? window_->mnuToASP : window_->mnuToPHP;
    item->trigger();
    item->trigger();  // the mode already selected stays selected
    QCOMPARE(window_->mnuToASP->isChecked(), asp);
    QCOMPARE(window_->mnuToPHP->isChecked(), !asp);
    QCOMPARE(window_->lblConvertto->text(), asp ? QStringLiteral("ASP Script") : QStringLiteral("PHP Script"));
    QCOMPARE(window_->outputText(), input.isEmpty() ? QStringLiteral("previous") : scriptOf(asp, input));
    QVERIFY(messages_.isEmpty());
}

void MainWindowCommandsTest::clear_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"button", "menu", "shortcut"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

// Clear empties both boxes, keeps the mode and gives the input the focus.
void MainWindowCommandsTest::clear()
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

void MainWindowCommandsTest::copyScript_data()
{
    QTest::addColumn<bool>("asp");
    QTest::addColumn<QString>("output");
    QTest::newRow("PHP script") << false << scriptOf(false, kSample);
    QTest::newRow("ASP script, still says PHP") << true << scriptOf(true, kSample);
    QTest::newRow("typed by the user") << false << QStringLiteral("own\r\n\t\u00A0\u2028 \U0001F600");
    QTest::newRow("empty: nothing happens") << false << QString();
}

// The clipboard holds exactly the output text, CR LF included.
void MainWindowCommandsTest::copyScript()
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
        QCOMPARE(messages_[0].prompt, kCopied);
        QCOMPARE(messages_[0].icon, MessageIcon::Information);
        QCOMPARE(messages_[0].title, QStringLiteral("Tagora"));
    }
}

void MainWindowCommandsTest::charactersReachScriptUnchanged_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("input");
    const QString kept[] = {QStringLiteral("a\u00A0b\u2028c"), QStringLiteral("\ta\t "),
                            QStringLiteral("\U0001F600 \U0001F680"), QStringLiteral("a%1b").arg(QChar(0)),
                            QStringLiteral("\r\n\r\n")};
    for (const QString& text : kept)
        QTest::addRow("kept %s", qPrintable(QString::number(text.front().unicode()))) << text << text;
    QTest::newRow("LF becomes CR LF") << QStringLiteral("a\nb\n") << QStringLiteral("a\r\nb\r\n");
    QTest::newRow("CR becomes CR LF") << QStringLiteral("a\rb") << QStringLiteral("a\r\nb");
}

// What the user pastes reaches the script and the clipboard as it is; any
// line break becomes a CR LF.
void MainWindowCommandsTest::charactersReachScriptUnchanged()
{
    QFETCH(QString, pasted);
    QFETCH(QString, input);
    window_->txtHTML->insertPlainText(pasted);
    QCOMPARE(window_->inputText(), input);
    window_->cmdConvert->click();
    window_->mnuCopy->click();
    QCOMPARE(window_->outputText(), scriptOf(false, input));
    QCOMPARE(QGuiApplication::clipboard()->text(), scriptOf(false, input));
}

void MainWindowCommandsTest::characterListingIsAppended()
{
    setEditorText(window_->txtHTML, QStringLiteral("<p>\r\nx"));
    window_->cmdConvert->click();
    const QString script = window_->outputText();
    QTest::mouseClick(window_->Command1, Qt::LeftButton, {}, QPoint(5, 5));
    window_->Command1->click();
    QCOMPARE(window_->outputText(), script + QStringLiteral(" 60 112 62 13 10 120 60 112 62 13 10 120"));
    QVERIFY(window_->outputText().contains(QStringLiteral("?> 60 112")));
    QVERIFY(messages_.isEmpty());
    window_->cmdClear->click();
    window_->Command1->click();
    QCOMPARE(window_->outputText(), QString());
}

void MainWindowCommandsTest::focusedButtonsAnswerSpaceAndEnter_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Enter") << Qt::Key_Return;
    QTest::newRow("keypad Enter") << Qt::Key_Enter;
}

void MainWindowCommandsTest::focusedButtonsAnswerSpaceAndEnter()
{
    QFETCH(Qt::Key, key);
    setEditorText(window_->txtHTML, QStringLiteral("ab"));
    window_->Command1->setFocus();
    QTest::keyClick(window_->Command1, key);
    QCOMPARE(window_->outputText(), QStringLiteral(" 97 98"));
    window_->cmdConvert->setFocus();
    QTest::keyClick(window_->cmdConvert, key);
    QCOMPARE(window_->outputText(), scriptOf(false, QStringLiteral("ab")));
}

// Enter starts a new line, Ctrl+Tab types a TAB, Escape does nothing,
// Ctrl+X cuts (it does not exit) and Ctrl+Q exits at once.
void MainWindowCommandsTest::textBoxKeys()
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

void MainWindowCommandsTest::quickHelp()
{
    window_->mnuQuickHelp->trigger();
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].title, QStringLiteral("Quick Help"));
    QCOMPARE(messages_[0].icon, MessageIcon::Information);
    const QStringList lines = messages_[0].prompt.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines.mid(0, 2), (QStringList{"Quick Help", QString(14, '-')}));
    QCOMPARE(lines.mid(3, 3), (QStringList{QString(), "How to convert ???", QString(17, '-')}));
    QCOMPARE(lines[11], QString());
    QCOMPARE(lines[12], QStringLiteral("If you have any problem using this program please mail me at tagora@example.com"));
}

QTEST_MAIN(MainWindowCommandsTest)
#include "tst_main_window_commands.moc"

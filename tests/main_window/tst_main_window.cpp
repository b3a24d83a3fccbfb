// The main window: its layout, menus and focus order, every command from
// its button, menu item and shortcut, and the windows it opens.
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
    void windowAndInitialState();
    void controls_data();
    void controls();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void disabledControlsStayInert();
    void stacking();
    void outputLabelShrinksAwayFromEnlarge();
    void tabOrder_data();
    void tabOrder();
    void menus_data();
    void menus();
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
    void splashComesFirst();
    void enlargeShowsACopy_data();
    void enlargeShowsACopy();
    void aboutFrom_data();
    void aboutFrom();
    void closingTheWindowEndsTheProgram_data();
    void closingTheWindowEndsTheProgram();

private:
    QWidget* child(const QString& name) const { return window_->findChild<QWidget*>(name); }
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

void MainWindowTest::windowAndInitialState()
{
    QCOMPARE(window_->windowTitle(), QStringLiteral("Tagora Converter v1.0.0"));
    QCOMPARE(window_->centralWidget()->size(), QSize(629, 561));
    QCOMPARE(window_->height(), 561 + window_->menuBar()->height());
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint) && flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!window_->windowIcon().isNull());

    QCOMPARE(window_->inputText(), QString());
    QCOMPARE(window_->outputText(), QString());
    QVERIFY(window_->mnuToPHP->isChecked() && !window_->mnuToASP->isChecked());
    QCOMPARE(window_->lblConvertto->text(), QStringLiteral("PHP Script:"));
    QCOMPARE(QApplication::focusWidget(), window_->txtHTML);
}

// Positions and sizes in twips; labels size themselves to their text, so
// for them only the top-left corner is stored.
void MainWindowTest::controls_data()
{
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::newRow("cmdSaveScript") << QRect(7830, 7425, 1410, 420) << "&Save Script";
    QTest::newRow("Picture1") << QRect(0, 8085, 9435, 330) << QString();
    QTest::newRow("mnuCopy") << QRect(6390, 7425, 1410, 420) << "&Copy Script";
    QTest::newRow("cmdClear") << QRect(4950, 7425, 1410, 420) << "C&lear";
    QTest::newRow("Command1") << QRect(9045, 8010, 1950, 735) << "Command1";
    QTest::newRow("txtPHP") << QRect(180, 4050, 9060, 3300) << QString();
    QTest::newRow("txtHTML") << QRect(180, 405, 9060, 3300) << QString();
    QTest::newRow("cmdConvert") << QRect(3510, 7425, 1410, 420) << "&Convert";
    QTest::newRow("Label3") << QRect(180, 45, 0, 0) << QString();
    QTest::newRow("lblEnlarge1") << QRect(1530, 135, 0, 0) << "Enlarge";
    QTest::newRow("lblEnlarge") << QRect(1395, 3780, 0, 0) << "Enlarge";
    QTest::newRow("lblRefresh") << QRect(8100, 135, 0, 0) << "Open HTML File";
    QTest::newRow("lblConvertto") << QRect(180, 3780, 0, 0) << "PHP Script:";
    QTest::newRow("Label1") << QRect(225, 135, 0, 0) << "HTML Code:";
}

void MainWindowTest::controls()
{
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QWidget* control = child(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control && control->isVisible());
    QCOMPARE(control->pos(), QPoint(twips.x() / 15, twips.y() / 15));
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->size(), label->sizeHint());
        QCOMPARE(label->textFormat(), Qt::PlainText);  // "&" stays an ampersand
        if (label->font().underline())  // a link
            QCOMPARE(label->cursor().hotSpot(), QPoint(5, 0));
        if (!text.isEmpty())
            QCOMPARE(label->text(), text);
        return;
    }
    QCOMPARE(control->size(), QSize(twips.width() / 15, twips.height() / 15));
    if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        QCOMPARE(box->lineWrapMode(), QPlainTextEdit::NoWrap);  // long lines scroll
        QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
    if (auto* button = qobject_cast<QPushButton*>(control))
        QCOMPARE(button->text(), text);
}

void MainWindowTest::fonts_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::newRow("txtHTML") << "Courier New" << 9.75 << false << false;
    QTest::newRow("txtPHP") << "Courier New" << 9.75 << false << false;
    QTest::newRow("Label3") << "Tahoma" << 8.25 << false << false;
    QTest::newRow("lblEnlarge1") << "Tahoma" << 8.25 << false << true;
    QTest::newRow("lblRefresh") << "Tahoma" << 8.25 << false << true;
    QTest::newRow("lblConvertto") << "MS Sans Serif" << 8.25 << true << false;
    QTest::newRow("Label1") << "MS Sans Serif" << 8.25 << true << false;
}

void MainWindowTest::fonts()
{
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    const QFont font = child(QString::fromLatin1(QTest::currentDataTag()))->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
    // Without the original face, a face of the same kind stands in.
    QCOMPARE(QFontInfo(font).fixedPitch(), family == QStringLiteral("Courier New"));
}

void MainWindowTest::colours_data()
{
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("txtPHP") << QPalette::Text << QColor(0, 0, 192);
    QTest::newRow("Label3") << QPalette::WindowText << QColor(0, 0, 192);
    QTest::newRow("lblEnlarge1") << QPalette::WindowText << QColor(0, 0, 255);
    QTest::newRow("lblEnlarge") << QPalette::WindowText << QColor(0, 0, 255);
    QTest::newRow("Line1") << QPalette::Window << QColor(255, 255, 255);
}

void MainWindowTest::colours()
{
    QFETCH(QPalette::ColorRole, role);
    QFETCH(QColor, colour);
    const QWidget* widget = child(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(widget->palette().color(QPalette::Active, role), colour);
}

void MainWindowTest::disabledControlsStayInert()
{
    QVERIFY(!window_->cmdSaveScript->isEnabled() && !window_->lblRefresh->isEnabled());
    QVERIFY(!window_->mnuOpen->isEnabled() && !window_->mnuSavePHPScript->isEnabled());
    QVERIFY(window_->lblRefresh->palette().color(QPalette::Disabled, QPalette::WindowText)
            != QColor(0, 0, 255));
    QTest::keyClicks(window_->txtHTML, QStringLiteral("x"));
    QTest::keyClick(window_->txtHTML, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(window_->txtHTML, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->inputText(), QStringLiteral("x"));
}

// The white line lies beneath everything; Command1 shows only its top-left
// corner, above the status strip.
void MainWindowTest::stacking()
{
    const QList<QObject*> order = window_->centralWidget()->children();
    QCOMPARE(window_->Line1->geometry(), QRect(-9, 534, 633, 1));
    QCOMPARE(order.indexOf(window_->Line1), 0);
    QVERIFY(order.indexOf(window_->Command1) > order.indexOf(window_->Picture1));
    const QRect inside = window_->centralWidget()->rect() & window_->Command1->geometry();
    QCOMPARE(inside.size(), QSize(26, 27));
    QCOMPARE(window_->Label3->parentWidget(), window_->Picture1);
    QVERIFY(window_->Label3->geometry().right() < window_->Picture1->width());
}

void MainWindowTest::outputLabelShrinksAwayFromEnlarge()
{
    const int withColon = window_->lblConvertto->width();
    window_->selectAspMode();
    QCOMPARE(window_->lblConvertto->text(), QStringLiteral("ASP Script"));
    QVERIFY(window_->lblConvertto->width() < withColon);
    QCOMPARE(window_->lblConvertto->size(), window_->lblConvertto->sizeHint());
    QVERIFY(window_->lblConvertto->geometry().right() < window_->lblEnlarge->x());
}

void MainWindowTest::tabOrder_data()
{
    QTest::addColumn<Qt::KeyboardModifier>("modifier");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Tab") << Qt::NoModifier
                         << QStringList{"txtPHP", "cmdConvert", "cmdClear", "mnuCopy", "Command1",
                                        "txtHTML"};
    QTest::newRow("Shift+Tab") << Qt::ShiftModifier
                               << QStringList{"Command1", "mnuCopy", "cmdClear", "cmdConvert",
                                              "txtPHP", "txtHTML"};
}

// Tab moves the focus and types nothing into the text boxes.
void MainWindowTest::tabOrder()
{
    QFETCH(Qt::KeyboardModifier, modifier);
    QFETCH(QStringList, expected);
    QStringList seen;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifier);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);
    QCOMPARE(window_->inputText() + window_->outputText(), QString());
}

void MainWindowTest::menus_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("items");
    // name|caption|shortcut|state: e enabled, d disabled, c checked,
    // u unchecked, s separator
    QTest::newRow("mnuFile") << 0 << QStringList{"&File", "mnuOpen|&Open HTML File...|Ctrl+O|d",
                                            "mnuSavePHPScript|&Save PHP Script...|Ctrl+S|d",
                                            "mnufilesep1|||s", "mnuExit|E&xit|Ctrl+Q|e"};
    QTest::newRow("mnuEdit") << 1 << QStringList{"&Edit", "mnuConvert|&Convert|Ctrl+E|e",
                                            "mnuEditsep1|||s", "mnuClear|C&lear|Ctrl+L|e"};
    QTest::newRow("mnuConversion") << 2 << QStringList{"&Conversion", "mnuToPHP|HTML to &PHP||c",
                                                  "mnuToASP|HTML to &ASP||u"};
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

void MainWindowTest::emptyInputWarnsAndKeepsOutput_data()
{
    QTest::addColumn<bool>("asp");
    QTest::newRow("PHP") << false;
    QTest::newRow("ASP") << true;
}

void MainWindowTest::emptyInputWarnsAndKeepsOutput()
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
void MainWindowTest::realWarningBoxIsAnsweredWithOk()
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

void MainWindowTest::modeSelection_data()
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
void MainWindowTest::modeSelection()
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
        QCOMPARE(messages_[0].prompt, kCopied);
        QCOMPARE(messages_[0].icon, MessageIcon::Information);
        QCOMPARE(messages_[0].title, QStringLiteral("Tagora"));
    }
}

void MainWindowTest::charactersReachScriptUnchanged_data()
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
void MainWindowTest::charactersReachScriptUnchanged()
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

void MainWindowTest::characterListingIsAppended()
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

void MainWindowTest::focusedButtonsAnswerSpaceAndEnter_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Enter") << Qt::Key_Return;
    QTest::newRow("keypad Enter") << Qt::Key_Enter;
}

void MainWindowTest::focusedButtonsAnswerSpaceAndEnter()
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

void MainWindowTest::quickHelp()
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

// Load shows the splash modally and returns once it has gone; the main
// window is not visible meanwhile.
void MainWindowTest::splashComesFirst()
{
    frm_Main loading;
    bool splashWasModal = false;
    bool mainWasHidden = false;
    onModal([&](QWidget* modal) {
        splashWasModal = qobject_cast<frm_Splash*>(modal) != nullptr;
        mainWasHidden = !loading.isVisible();
    });
    loading.load();
    QVERIFY(splashWasModal && mainWasHidden);
    QVERIFY(!QApplication::activeModalWidget());
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
    bool modal = false;
    onModal([&](QWidget* widget) {
        auto* viewer = qobject_cast<frm_Notepad*>(widget);
        QVERIFY(viewer);
        modal = viewer->isModal();
        shown = editorText(viewer->txtHelp);
        QTest::keyClicks(viewer->txtHelp, QStringLiteral("typed in the viewer"));
        viewer->mnuExit1->trigger();
    });
    QTest::mouseClick(output ? window_->lblEnlarge : window_->lblEnlarge1, Qt::LeftButton);
    QVERIFY(modal);
    QCOMPARE(shown, output ? window_->outputText() : window_->inputText());
    QCOMPARE(window_->inputText() + window_->outputText(), before);
    QVERIFY(window_->findChildren<frm_Notepad*>().isEmpty());
}

void MainWindowTest::aboutFrom_data()
{
    QTest::addColumn<bool>("shortcut");
    QTest::newRow("menu") << false;
    QTest::newRow("Ctrl+B in the input box") << true;
}

void MainWindowTest::aboutFrom()
{
    QFETCH(bool, shortcut);
    QWidget* shownOver = nullptr;
    onModal([&](QWidget* widget) {
        auto* about = qobject_cast<frm_About*>(widget);
        QVERIFY(about);
        shownOver = about->parentWidget();
        QTest::keyClick(about, Qt::Key_Escape);
    });
    if (shortcut)
        QTest::keyClick(window_->txtHTML, Qt::Key_B, Qt::ControlModifier);
    else
        window_->mnuAbout->trigger();
    QCOMPARE(shownOver, window_);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(window_->isVisible());
}

// Exit and every other way of closing the window (the title bar's close
// box, the window manager) close it at once, without a question, and the
// program's event loop ends.
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

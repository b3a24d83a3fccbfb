// The main window as the user sees it: geometry, fonts, colours, states,
// focus order and the menu tree.
#include "code_text_box.h"
#include "frm_Main.h"
#include "window_helpers.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

class MainWindowLayoutTest : public QObject {
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

private:
    QWidget* child(const QString& name) const { return window_->findChild<QWidget*>(name); }
    frm_Main* window_ = nullptr;
};

void MainWindowLayoutTest::init()
{
    window_ = new frm_Main;
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void MainWindowLayoutTest::cleanup()
{
    delete window_;
}

void MainWindowLayoutTest::windowAndInitialState()
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
void MainWindowLayoutTest::controls_data()
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

void MainWindowLayoutTest::controls()
{
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QWidget* control = child(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control && control->isVisible());
    QCOMPARE(control->pos(), QPoint(twips.x() / 15, twips.y() / 15));
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->size(), label->sizeHint());
        QCOMPARE(label->textFormat(), Qt::PlainText);  // "&" stays an ampersand
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

void MainWindowLayoutTest::fonts_data()
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

void MainWindowLayoutTest::fonts()
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

void MainWindowLayoutTest::colours_data()
{
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("txtPHP") << QPalette::Text << QColor(0, 0, 192);
    QTest::newRow("Label3") << QPalette::WindowText << QColor(0, 0, 192);
    QTest::newRow("lblEnlarge1") << QPalette::WindowText << QColor(0, 0, 255);
    QTest::newRow("lblEnlarge") << QPalette::WindowText << QColor(0, 0, 255);
    QTest::newRow("Line1") << QPalette::Window << QColor(255, 255, 255);
}

void MainWindowLayoutTest::colours()
{
    QFETCH(QPalette::ColorRole, role);
    QFETCH(QColor, colour);
    const QWidget* widget = child(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(widget->palette().color(QPalette::Active, role), colour);
}

void MainWindowLayoutTest::disabledControlsStayInert()
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
void MainWindowLayoutTest::stacking()
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

void MainWindowLayoutTest::outputLabelShrinksAwayFromEnlarge()
{
    const int withColon = window_->lblConvertto->width();
    window_->selectAspMode();
    QCOMPARE(window_->lblConvertto->text(), QStringLiteral("ASP Script"));
    QVERIFY(window_->lblConvertto->width() < withColon);
    QCOMPARE(window_->lblConvertto->size(), window_->lblConvertto->sizeHint());
    QVERIFY(window_->lblConvertto->geometry().right() < window_->lblEnlarge->x());
}

void MainWindowLayoutTest::tabOrder_data()
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
void MainWindowLayoutTest::tabOrder()
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

void MainWindowLayoutTest::menus_data()
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

void MainWindowLayoutTest::menus()
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

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_main_window_layout.moc"

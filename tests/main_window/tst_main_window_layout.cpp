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

using tagora::runtime::twipsRect;

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowProperties();
    void initialState();
    void controlGeometry_data();
    void controlGeometry();
    void labelPositions_data();
    void labelPositions();
    void fonts_data();
    void fonts();
    void colours_data();
    void colours();
    void disabledControls();
    void onlyTheCornerOfCommand1IsInside();
    void lineLiesBeneathEveryControl();
    void outputLabelShrinksAwayFromEnlarge();
    void labelsShowPlainText();
    void tabOrder_data();
    void tabOrder();
    void menuBar();
    void menuItems_data();
    void menuItems();

private:
    template <class T> T* child(const char* name) const;
    QWidget* focusAfterTabs(int presses, bool backwards);

    frm_Main* window_ = nullptr;
};

template <class T> T* MainWindowLayoutTest::child(const char* name) const
{
    T* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

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
    window_ = nullptr;
}

void MainWindowLayoutTest::windowProperties()
{
    QCOMPARE(window_->objectName(), QStringLiteral("frm_Main"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Tagora Converter v1.0.0"));
    QCOMPARE(window_->centralWidget()->size(), QSize(629, 561));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QCOMPARE(window_->height(), 561 + window_->menuBar()->height());
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!window_->windowIcon().isNull());
}

void MainWindowLayoutTest::initialState()
{
    QCOMPARE(window_->inputText(), QString());
    QCOMPARE(window_->outputText(), QString());
    QVERIFY(window_->mnuToPHP->isChecked());
    QVERIFY(!window_->mnuToASP->isChecked());
    QCOMPARE(window_->lblConvertto->text(), QStringLiteral("PHP Script:"));
    QCOMPARE(QApplication::focusWidget(), window_->txtHTML);
}

void MainWindowLayoutTest::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("cmdSaveScript") << "cmdSaveScript" << QRect(7830, 7425, 1410, 420);
    QTest::newRow("Picture1") << "Picture1" << QRect(0, 8085, 9435, 330);
    QTest::newRow("mnuCopy") << "mnuCopy" << QRect(6390, 7425, 1410, 420);
    QTest::newRow("cmdClear") << "cmdClear" << QRect(4950, 7425, 1410, 420);
    QTest::newRow("Command1") << "Command1" << QRect(9045, 8010, 1950, 735);
    QTest::newRow("txtPHP") << "txtPHP" << QRect(180, 4050, 9060, 3300);
    QTest::newRow("txtHTML") << "txtHTML" << QRect(180, 405, 9060, 3300);
    QTest::newRow("cmdConvert") << "cmdConvert" << QRect(3510, 7425, 1410, 420);
}

void MainWindowLayoutTest::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    const auto* control = child<QWidget>(name.toLatin1().constData());
    QCOMPARE(control->geometry(), twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QVERIFY(control->isVisible());
}

void MainWindowLayoutTest::labelPositions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("twips");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label3") << "Label3" << QPoint(180, 45) << QString();
    QTest::newRow("lblEnlarge1") << "lblEnlarge1" << QPoint(1530, 135) << "Enlarge";
    QTest::newRow("lblEnlarge") << "lblEnlarge" << QPoint(1395, 3780) << "Enlarge";
    QTest::newRow("lblRefresh") << "lblRefresh" << QPoint(8100, 135) << "Open HTML File";
    QTest::newRow("lblConvertto") << "lblConvertto" << QPoint(180, 3780) << "PHP Script:";
    QTest::newRow("Label1") << "Label1" << QPoint(225, 135) << "HTML Code:";
}

// Labels size themselves to their text: the stored position holds, the
// size is the text's.
void MainWindowLayoutTest::labelPositions()
{
    QFETCH(QString, name);
    QFETCH(QPoint, twips);
    QFETCH(QString, text);
    const auto* label = child<QLabel>(name.toLatin1().constData());
    QCOMPARE(label->pos(), QPoint(twips.x() / 15, twips.y() / 15));
    if (!text.isEmpty())
        QCOMPARE(label->text(), text);
    QCOMPARE(label->size(), label->sizeHint());
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(label->isVisible());
}

void MainWindowLayoutTest::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::newRow("txtHTML") << "txtHTML" << "Courier New" << 9.75 << false << false;
    QTest::newRow("txtPHP") << "txtPHP" << "Courier New" << 9.75 << false << false;
    QTest::newRow("Label3") << "Label3" << "Tahoma" << 8.25 << false << false;
    QTest::newRow("lblEnlarge1") << "lblEnlarge1" << "Tahoma" << 8.25 << false << true;
    QTest::newRow("lblEnlarge") << "lblEnlarge" << "Tahoma" << 8.25 << false << true;
    QTest::newRow("lblRefresh") << "lblRefresh" << "Tahoma" << 8.25 << false << true;
    QTest::newRow("lblConvertto") << "lblConvertto" << "MS Sans Serif" << 8.25 << true << false;
    QTest::newRow("Label1") << "Label1" << "MS Sans Serif" << 8.25 << true << false;
}

void MainWindowLayoutTest::fonts()
{
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    const QFont font = child<QWidget>(name.toLatin1().constData())->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
    // A missing family falls back to a face of the same kind.
    const bool monospaced = family == QStringLiteral("Courier New");
    QCOMPARE(QFontInfo(font).fixedPitch(), monospaced);
}

void MainWindowLayoutTest::colours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("txtPHP") << "txtPHP" << QPalette::Text << QColor(0, 0, 192);
    QTest::newRow("Label3") << "Label3" << QPalette::WindowText << QColor(0, 0, 192);
    QTest::newRow("lblEnlarge1") << "lblEnlarge1" << QPalette::WindowText << QColor(0, 0, 255);
    QTest::newRow("lblEnlarge") << "lblEnlarge" << QPalette::WindowText << QColor(0, 0, 255);
    QTest::newRow("Line1") << "Line1" << QPalette::Window << QColor(255, 255, 255);
}

void MainWindowLayoutTest::colours()
{
    QFETCH(QString, name);
    QFETCH(QPalette::ColorRole, role);
    QFETCH(QColor, colour);
    const auto* widget = child<QWidget>(name.toLatin1().constData());
    QCOMPARE(widget->palette().color(QPalette::Active, role), colour);
}

void MainWindowLayoutTest::disabledControls()
{
    QVERIFY(!window_->cmdSaveScript->isEnabled());
    QVERIFY(!window_->lblRefresh->isEnabled());
    QVERIFY(!window_->mnuOpen->isEnabled());
    QVERIFY(!window_->mnuSavePHPScript->isEnabled());
    // Greyed, not link blue.
    QVERIFY(window_->lblRefresh->palette().color(QPalette::Disabled, QPalette::WindowText)
            != QColor(0, 0, 255));
    // Their shortcuts do nothing.
    const QString before = window_->inputText();
    QTest::keyClick(window_->txtHTML, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(window_->txtHTML, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->inputText(), before);
}

void MainWindowLayoutTest::onlyTheCornerOfCommand1IsInside()
{
    const QRect client = window_->centralWidget()->rect();
    const QRect inside = client.intersected(window_->Command1->geometry());
    QCOMPARE(inside.size(), QSize(26, 27));
    QVERIFY(window_->Command1->isEnabled());
    QCOMPARE(window_->Command1->text(), QStringLiteral("Command1"));
    // Above the status strip where the two overlap.
    const QWidget* client1 = window_->centralWidget();
    QVERIFY(client1->children().indexOf(window_->Command1)
            > client1->children().indexOf(window_->Picture1));
}

void MainWindowLayoutTest::lineLiesBeneathEveryControl()
{
    const QFrame* line = window_->Line1;
    QCOMPARE(line->geometry(), QRect(-9, 534, 633, 1));
    QCOMPARE(window_->centralWidget()->children().indexOf(line), 0);
}

void MainWindowLayoutTest::outputLabelShrinksAwayFromEnlarge()
{
    const int colonWidth = window_->lblConvertto->width();
    window_->selectAspMode();
    QCOMPARE(window_->lblConvertto->text(), QStringLiteral("ASP Script"));
    QVERIFY(window_->lblConvertto->width() < colonWidth);
    QCOMPARE(window_->lblConvertto->size(), window_->lblConvertto->sizeHint());
    QVERIFY(window_->lblConvertto->geometry().right() < window_->lblEnlarge->x());
    window_->selectPhpMode();
    QVERIFY(window_->lblConvertto->geometry().right() < window_->lblEnlarge->x());
}

void MainWindowLayoutTest::labelsShowPlainText()
{
    // The credit line has an ampersand; it must stay visible as one.
    QVERIFY(window_->Label3->text().contains(QLatin1Char('&')));
    QCOMPARE(window_->Label3->textFormat(), Qt::PlainText);
    QVERIFY(window_->Label3->geometry().right() < window_->Picture1->width());
    QCOMPARE(window_->Label3->parentWidget(), window_->Picture1);
}

void MainWindowLayoutTest::tabOrder_data()
{
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Tab") << false
                         << QStringList{"txtPHP", "cmdConvert", "cmdClear", "mnuCopy", "Command1",
                                        "txtHTML"};
    QTest::newRow("Shift+Tab") << true
                               << QStringList{"Command1", "mnuCopy", "cmdClear", "cmdConvert",
                                              "txtPHP", "txtHTML"};
}

void MainWindowLayoutTest::tabOrder()
{
    QFETCH(bool, backwards);
    QFETCH(QStringList, expected);
    QStringList seen;
    for (int i = 0; i < expected.size(); ++i) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused, Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);
    // Tab moved the focus; it typed nothing.
    QCOMPARE(window_->inputText(), QString());
    QCOMPARE(window_->outputText(), QString());
}

void MainWindowLayoutTest::menuBar()
{
    QStringList titles;
    QStringList names;
    for (QAction* action : window_->menuBar()->actions()) {
        titles << action->text();
        names << action->menu()->objectName();
    }
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Conversion", "&Help"}));
    QCOMPARE(names, (QStringList{"mnuFile", "mnuEdit", "mnuConversion", "mnuHelp"}));
}

void MainWindowLayoutTest::menuItems_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    // name|caption|shortcut|state, state: e enabled, d disabled, c checked, u unchecked, s separator
    QTest::newRow("File") << "mnuFile"
                          << QStringList{"mnuOpen|&Open HTML File...|Ctrl+O|d",
                                         "mnuSavePHPScript|&Save PHP Script...|Ctrl+S|d",
                                         "mnufilesep1|||s", "mnuExit|E&xit|Ctrl+Q|e"};
    QTest::newRow("Edit") << "mnuEdit"
                          << QStringList{"mnuConvert|&Convert|Ctrl+E|e", "mnuEditsep1|||s",
                                         "mnuClear|C&lear|Ctrl+L|e"};
    QTest::newRow("Conversion") << "mnuConversion"
                                << QStringList{"mnuToPHP|HTML to &PHP||c",
                                               "mnuToASP|HTML to &ASP||u"};
    QTest::newRow("Help") << "mnuHelp"
                          << QStringList{"mnuQuickHelp|&Quick Help||e", "mnuHelpsep1|||s",
                                         "mnuAbout|&About...|Ctrl+B|e"};
}

static QString describe(const QAction* action)
{
    QString state = QStringLiteral("e");
    if (action->isSeparator())
        state = QStringLiteral("s");
    else if (action->isCheckable())
        state = action->isChecked() ? QStringLiteral("c") : QStringLiteral("u");
    else if (!action->isEnabled())
        state = QStringLiteral("d");
    return QStringList{action->objectName(), action->text(),
                       action->shortcut().toString(QKeySequence::PortableText), state}
        .join(QLatin1Char('|'));
}

void MainWindowLayoutTest::menuItems()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    QStringList seen;
    for (const QAction* action : child<QMenu>(menu.toLatin1().constData())->actions())
        seen << describe(action);
    QCOMPARE(seen, items);
}

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_main_window_layout.moc"

// The About dialog: its frame, its labels and the keys that close it.
#include "credits.h"
#include "frm_About.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void isAFixedDialogWithoutButtons();
    void opensCentredOverItsOwner();
    void okCloses_data();
    void okCloses();
    void labelsShowTheCredits();
    void secondNumberStandsUnderTheFirst();
    void noticesWrapWithinTheirSize_data();
    void noticesWrapWithinTheirSize();
};

static QString text(std::string_view value)
{
    return QString::fromUtf8(value.data(), qsizetype(value.size()));
}

void AboutTest::isAFixedDialogWithoutButtons()
{
    frm_About about;
    QCOMPARE(about.objectName(), QStringLiteral("frm_About"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About..."));
    QCOMPARE(about.windowType(), Qt::Dialog);
    QCOMPARE(about.size(), QSize(402, 337));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    const Qt::WindowFlags buttons = Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                                    | Qt::WindowMinMaxButtonsHint;
    QVERIFY(about.windowFlags().testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!(about.windowFlags() & buttons));
}

void AboutTest::opensCentredOverItsOwner()
{
    QWidget owner;
    owner.setGeometry(40, 60, 700, 500);
    owner.show();
    frm_About about(&owner);
    about.show();
    QVERIFY((about.geometry().center() - owner.geometry().center()).manhattanLength() <= 2);
}

void AboutTest::okCloses_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("click") << 0;
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

// Every way out goes through cmdOK, which holds the focus from the start.
void AboutTest::okCloses()
{
    QFETCH(int, key);
    QWidget owner;
    owner.show();
    frm_About about(&owner);
    QSignalSpy okClicks(about.cmdOK, &QPushButton::clicked);
    bool okHadFocus = false;
    QTimer::singleShot(0, [&] {
        auto* modal = qobject_cast<frm_About*>(QApplication::activeModalWidget());
        QVERIFY(modal);
        okHadFocus = modal->focusWidget() == modal->cmdOK;
        if (key == 0)
            QTest::mouseClick(modal->cmdOK, Qt::LeftButton);
        else
            QTest::keyClick(modal->focusWidget(), Qt::Key(key));
    });
    QTimer::singleShot(3000, &about, [&] { about.done(-1); });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
    QVERIFY(okHadFocus);
    QCOMPARE(okClicks.count(), 1);
}

void AboutTest::labelsShowTheCredits()
{
    using namespace tagora::credits;
    frm_About about;
    QCOMPARE(about.Label1->text(), QStringLiteral("Tagora Converter"));
    QCOMPARE(about.Label14->text(), QStringLiteral("Version: 1.0.0"));
    QCOMPARE(about.Label3->text(), text(kDeveloperName));
    QCOMPARE(about.Label15->text(), text(kCompanyName));
    QCOMPARE(about.Label6->text(), text(kPostalAddress));
    QCOMPARE(about.Label5->text(), text(kContactEmail));
    QCOMPARE(about.Label11->text(), text(kDeveloperWebAddress));
    QCOMPARE(about.Label13->text(), text(kCompanyWebAddress));
    QCOMPARE(about.Label7->text(), "Mob. No.: " + text(kMobileNumber));
    QCOMPARE(about.Label12->text(), text(kSecondNumber));
    for (QLabel* address : {about.Label5, about.Label11, about.Label13})
        QCOMPARE(address->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

void AboutTest::secondNumberStandsUnderTheFirst()
{
    frm_About about;
    const int prefixWidth = about.Label7->fontMetrics().horizontalAdvance("Mob. No.: ");
    QCOMPARE(about.Label12->x(), about.Label7->x() + prefixWidth);
    QCOMPARE(about.Label12->y(), 183);
}

void AboutTest::noticesWrapWithinTheirSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("lines");
    QTest::newRow("disclaimer") << "Label9" << QSize(361, 46) << 3;
    QTest::newRow("feedback") << "Label8" << QSize(361, 31) << 2;
}

void AboutTest::noticesWrapWithinTheirSize()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(int, lines);
    frm_About about;
    auto* label = about.findChild<QLabel*>(name);
    QCOMPARE(label->size(), size);
    QVERIFY(label->wordWrap());
    const int needed = label->heightForWidth(size.width());
    const int lineSpacing = label->fontMetrics().lineSpacing();
    QVERIFY2(needed <= size.height() && needed > (lines - 1) * lineSpacing,
             QByteArray::number(needed));
}

QTEST_MAIN(AboutTest)
#include "tst_about.moc"

// The splash: its ticks, its picture and its deafness to the user.
#include "artwork.h"
#include "credits.h"
#include "frm_Splash.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtTest>

class SplashTest : public QObject {
    Q_OBJECT
private slots:
    void ticks_data();
    void ticks();
    void userInputIsIgnored_data();
    void userInputIsIgnored();
    void pictureIsDrawnUnscaled();
    void creditLabelsAreWhite();
    void closesItselfWhileModal();
};

static void tick(frm_Splash* splash)
{
    QMetaObject::invokeMethod(splash->Timer1, "timeout");
}

void SplashTest::ticks_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("open");
    QTest::newRow("none") << 0 << true;
    QTest::newRow("first") << 1 << true;
    QTest::newRow("second") << 2 << true;
    QTest::newRow("third unloads") << 3 << false;
}

void SplashTest::ticks()
{
    QFETCH(int, ticks);
    QFETCH(bool, open);
    QPointer<frm_Splash> splash = new frm_Splash;
    QCOMPARE(splash->Timer1->interval(), 500);
    QVERIFY(splash->Timer1->isActive());
    splash->show();
    for (int i = 0; i < ticks; ++i)
        tick(splash);
    QCOMPARE(splash->tickCount, ticks);
    QCOMPARE(splash->isVisible(), open);
    QCOMPARE(splash->Timer1->isActive(), open);
    if (open)
        delete splash;
    QTRY_VERIFY(splash.isNull());
}

void SplashTest::userInputIsIgnored_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("click") << 0;
    QTest::newRow("letter") << int(Qt::Key_A);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("close request") << -1;
}

void SplashTest::userInputIsIgnored()
{
    QFETCH(int, key);
    QPointer<frm_Splash> splash = new frm_Splash;
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    if (key == 0)
        QTest::mouseClick(splash->childAt(150, 100), Qt::LeftButton);
    else if (key > 0)
        QTest::keyClick(splash, Qt::Key(key));
    else
        QVERIFY(!splash->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->tickCount, 0);
    delete splash;
}

void SplashTest::pictureIsDrawnUnscaled()
{
    frm_Splash splash;
    QWidget* client = splash.findChild<QWidget*>(QStringLiteral("client"));
    QCOMPARE(client->size(), QSize(288, 232));
    QCOMPARE(client->geometry().adjusted(-1, -1, 1, 1), splash.rect());
    const QImage shown = client->grab().toImage();
    const QImage picture = tagora::artwork::splashPicture().toImage();
    for (const QPoint corner : {QPoint(0, 0), QPoint(287, 0), QPoint(0, 231), QPoint(287, 231)})
        QCOMPARE(shown.pixelColor(corner), picture.pixelColor(corner));
}

void SplashTest::creditLabelsAreWhite()
{
    frm_Splash splash;
    const std::pair<QLabel*, std::string_view> credits[] = {
        {splash.Label3, tagora::credits::kDeveloperName},
        {splash.Label15, tagora::credits::kCompanyName},
        {splash.Label5, tagora::credits::kContactEmail},
        {splash.Label11, tagora::credits::kDeveloperWebAddress},
        {splash.Label13, tagora::credits::kCompanyWebAddress}};
    for (const auto& [label, text] : credits) {
        QCOMPARE(label->text(), QString::fromUtf8(text.data(), qsizetype(text.size())));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(label->width(), label->sizeHint().width());
    }
    QCOMPARE(splash.Label14->text(), QStringLiteral("Ver: 1.0.0"));
}

// Shown modally, centred, it outlives the user's attempts to close it and
// goes away by itself after three ticks.
void SplashTest::closesItselfWhileModal()
{
    QElapsedTimer clock;
    clock.start();
    QPointer<frm_Splash> splash = new frm_Splash;
    bool wasModalAndCentred = false;
    QTimer::singleShot(200, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        wasModalAndCentred = modal == splash
            && modal->frameGeometry().center() == modal->screen()->availableGeometry().center();
        QTest::keyClick(modal, Qt::Key_Escape);
        modal->close();
    });
    splash->showModally();
    const qint64 shownFor = clock.elapsed();
    QVERIFY(wasModalAndCentred);
    QVERIFY2(shownFor >= 1500 && shownFor < 2500, QByteArray::number(shownFor));
    QVERIFY(!splash || !splash->isVisible());
    QTRY_VERIFY(splash.isNull());
}

QTEST_MAIN(SplashTest)
#include "tst_splash.moc"

// The artwork compiled into the program: sizes, colour limits, the cursor's
// hot spot, and whether the splash labels can be read on the splash picture.
#include "artwork.h"

#include <QGuiApplication>
#include <QImage>
#include <QSet>
#include <QtMath>
#include <QtTest>

using namespace tagora;

namespace {

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double luminance(QRgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : qPow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour))
        + 0.0722 * linear(qBlue(colour));
}

double contrast(double lighter, double darker)
{
    return (lighter + 0.05) / (darker + 0.05);
}

// The lowest contrast between text of the given colour and any pixel of the
// area behind it.
double worstContrast(const QImage& picture, const QRect& area, QRgb text)
{
    const double textLuminance = luminance(text);
    double worst = 21.0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const double background = luminance(picture.pixel(x, y));
            worst = qMin(worst, contrast(qMax(background, textLuminance),
                                         qMin(background, textLuminance)));
        }
    }
    return worst;
}

QSet<QRgb> coloursOf(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

}  // namespace

class ArtworkTest : public QObject {
    Q_OBJECT
private slots:
    void iconIs32PixelsIn16Colours();
    void cursorIsAMonochromeHandPointingFromItsHotSpot();
    void splashPictureIsAColourPictureOf313By240();
    void splashLabelsAreReadable_data();
    void splashLabelsAreReadable();
};

void ArtworkTest::iconIs32PixelsIn16Colours()
{
    const QImage icon = artwork::applicationIconPixmap().toImage().convertToFormat(
        QImage::Format_ARGB32);
    QCOMPARE(icon.size(), QSize(32, 32));
    QVERIFY(coloursOf(icon).size() > 2);
    QVERIFY(coloursOf(icon).size() <= 16);
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(16, 16)), 255);
    QVERIFY(artwork::applicationIcon().availableSizes().contains(QSize(32, 32)));
}

void ArtworkTest::cursorIsAMonochromeHandPointingFromItsHotSpot()
{
    const QCursor cursor = artwork::linkCursor();
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), QPoint(5, 0));
    const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(32, 32));

    const QSet<QRgb> allowed = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    QSet<QRgb> opaque;
    for (const QRgb colour : coloursOf(image)) {
        if (qAlpha(colour) == 0)
            continue;
        QVERIFY2(allowed.contains(colour), qPrintable(QString::number(colour, 16)));
        opaque.insert(colour);
    }
    QCOMPARE(opaque, allowed);
    // The fingertip is the topmost drawn pixel, right at the hot spot.
    QCOMPARE(image.pixel(5, 0), qRgb(0, 0, 0));
    QCOMPARE(qAlpha(image.pixel(5, 1)), 255);
    QCOMPARE(qAlpha(image.pixel(2, 0)), 0);
}

void ArtworkTest::splashPictureIsAColourPictureOf313By240()
{
    const QImage picture = artwork::splashPicture().toImage();
    QCOMPARE(picture.size(), QSize(313, 240));
    QVERIFY(!picture.isGrayscale());
    QVERIFY(coloursOf(picture).size() > 256);
}

// The label areas in pixels, as the splash window places its labels.
void ArtworkTest::splashLabelsAreReadable_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QColor>("textColour");
    QTest::newRow("version, default text colour") << QRect(180, 102, 51, 14) << QColor(Qt::black);
    QTest::newRow("developer heading and name") << QRect(81, 126, 110, 28) << QColor(Qt::white);
    QTest::newRow("company name") << QRect(81, 156, 160, 13) << QColor(Qt::white);
    QTest::newRow("e-mail") << QRect(81, 171, 170, 13) << QColor(Qt::white);
    QTest::newRow("web addresses") << QRect(90, 186, 182, 28) << QColor(Qt::white);
}

void ArtworkTest::splashLabelsAreReadable()
{
    QFETCH(QRect, area);
    QFETCH(QColor, textColour);
    const QImage picture = artwork::splashPicture().toImage();
    const double worst = worstContrast(picture, area, textColour.rgb());
    QVERIFY2(worst >= 4.5, qPrintable(QStringLiteral("contrast %1").arg(worst)));
}

QTEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"

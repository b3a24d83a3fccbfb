// The artwork compiled into the program: sizes, colour limits, the cursor's
// hot spot, and whether the splash labels can be read on the splash picture.
#include "artwork.h"

#include <QtTest>

// Relative luminance, 0 (black) to 1 (white), taking sRGB as gamma 2.2.
static double luminance(const QColor& c)
{
    return 0.2126 * qPow(c.redF(), 2.2) + 0.7152 * qPow(c.greenF(), 2.2)
        + 0.0722 * qPow(c.blueF(), 2.2);
}

// The opaque colours of a picture, or of one area of it.
static QSet<QRgb> opaqueColours(const QPixmap& picture, const QRect& area = {})
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32).copy(area);
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
    QSet<QRgb> colours(pixels, pixels + image.width() * image.height());
    erase_if(colours, [](QRgb colour) { return qAlpha(colour) < 255; });
    return colours;
}

class ArtworkTest : public QObject {
    Q_OBJECT
private slots:
    // The icon in up to 16 colours on a transparent ground; the cursor in black
    // and white, its fingertip drawn in black at the hot spot, nothing left of it.
    void iconAndCursorAre32PixelsInTheirColours()
    {
        const QPixmap icon = tagora::artwork::applicationIconPixmap();
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(opaqueColours(icon).size() > 2 && opaqueColours(icon).size() <= 16);
        QVERIFY(opaqueColours(icon, QRect(0, 0, 1, 1)).isEmpty());
        QVERIFY(tagora::artwork::applicationIcon().availableSizes().contains(QSize(32, 32)));
        const QCursor cursor = tagora::artwork::linkCursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(5, 0));
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
        QCOMPARE(opaqueColours(cursor.pixmap()), (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
        QCOMPARE(opaqueColours(cursor.pixmap(), QRect(5, 0, 1, 1)), QSet<QRgb>{qRgb(0, 0, 0)});
        QVERIFY(opaqueColours(cursor.pixmap(), QRect(0, 0, 5, 1)).isEmpty());
    }

    // Text at 4.5:1 contrast or better: behind the black version text the
    // luminance is at least 0.175, behind the block of white contact texts (the
    // developer heading down to the web addresses) at most 0.183.
    void splashIsAFullColourPictureTheLabelsCanBeReadOn()
    {
        const QPixmap picture = tagora::artwork::splashPicture();
        QCOMPARE(picture.size(), QSize(313, 240));
        QVERIFY(opaqueColours(picture).size() > 256);
        for (const QColor behindVersion : opaqueColours(picture, QRect(180, 102, 51, 14)))
            QVERIFY2(luminance(behindVersion) >= 0.175, qPrintable(behindVersion.name()));
        for (const QColor behindContacts : opaqueColours(picture, QRect(81, 126, 191, 88)))
            QVERIFY2(luminance(behindContacts) <= 0.183, qPrintable(behindContacts.name()));
    }

    // Each PNG has the size in its name. librsvg, another renderer than the
    // one that drew the PNGs, draws the SVG at 256 pixels: it must give the
    // 256 pixel PNG's picture, up to anti-aliasing at the edges.
    void launcherIconsAtTheirSizesAndTheSvgDrawsTheSamePicture()
    {
        const QDir resources(QStringLiteral(TAGORA_RESOURCES_DIR));
        for (const int size : {48, 64, 128, 256}) {
            const QImage icon(resources.filePath(QStringLiteral("launcher_icon_%1.png").arg(size)));
            QCOMPARE(icon.size(), QSize(size, size));
            QVERIFY(icon.hasAlphaChannel());
        }
        QProcess rsvg;
        rsvg.start(QStringLiteral("rsvg-convert"),
                   {QStringLiteral("-w"), QStringLiteral("256"), QStringLiteral("-h"), QStringLiteral("256"),
                    resources.filePath(QStringLiteral("launcher_icon.svg"))});
        if (!rsvg.waitForStarted())
            QSKIP("rsvg-convert is not installed (package librsvg2-bin)");
        QVERIFY(rsvg.waitForFinished() && rsvg.exitCode() == 0);
        const QImage drawn = QImage::fromData(rsvg.readAllStandardOutput()).convertToFormat(QImage::Format_ARGB32);
        const QImage painted = QImage(resources.filePath(QStringLiteral("launcher_icon_256.png")))
                                   .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(drawn.size(), painted.size());
        qint64 difference = 0;
        int differentPixels = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const QRgb a = drawn.pixel(x, y), b = painted.pixel(x, y);
                const int d = qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b))
                              + qAbs(qBlue(a) - qBlue(b)) + qAbs(qAlpha(a) - qAlpha(b));
                difference += d;
                differentPixels += d > 64;
            }
        }
        const double meanDifference = double(difference) / (256 * 256 * 4);
        QVERIFY2(meanDifference < 2 && differentPixels < 256 * 256 / 50,
                 qPrintable(QStringLiteral("mean difference %1, %2 pixels differ")
                                .arg(meanDifference).arg(differentPixels)));
    }
};

QTEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"

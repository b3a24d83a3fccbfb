// Draws the program's artwork and writes it into a folder:
//   make_artwork DIRECTORY
// writes app_icon.png, link_cursor.png and splash.jpg, and the launcher
// icons launcher_icon_SIZE.png (48, 64, 128 and 256 pixels) and
// launcher_icon.svg. The window icon and the cursor are pixel drawings kept
// below as character grids; the launcher icon is the same picture drawn
// as shapes, so that each size is drawn, not scaled up; the splash
// background is painted. Rebuild the files with the `regenerate-artwork`
// build target and commit them together with any change here.
#include "script_writer/credits.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <QFile>
#include <QPolygonF>

#include <array>
#include <cstdio>
#include <vector>

namespace {

using PixelGrid = std::array<const char*, 32>;

// The application icon: a page of markup, "</>", with an arrow leaving it.
// Each character picks a colour of the icon's palette below.
constexpr PixelGrid kIconPixels = {
    "                                ",
    "   KKKKKKKKKKKKKKK              ",
    "   KWWWWWWWWWWWWWKK             ",
    "   KWWWWWWWWWWWWWKsK   a        ",
    "   KWWWWWWWWWWWWWKssK  a        ",
    "   KWWWWWWWWWWWWWKsssK a        ",
    "   KWWWWWWWWWWWWWKKKKKKa        ",
    "   KWWWWWnWWWWRWnWWWWWKa        ",
    "   KWWWWnnWWWRRWnnWWWWKa        ",
    "   KWWWnnWWWWRWWWnnWWWKa        ",
    "   KWWnnWWWWRRWWWWnnWWKa        ",
    "   KWWWnnWWWRWWWWnnWWWKa        ",
    "   KWWWWnnWRRWWWnnWWWWKa        ",
    "   KWWWWWnWRWWWWnWWWWWKa        ",
    "   KWWWWWWWWWWWWWWWWWWKa        ",
    "   KWWWWWWWWWWWWWWWWWWKa        ",
    "   KWWssssssssssssssWWKag       ",
    "   KWWWWWWWWWWWWWWWWWWKagg      ",
    "   KWWsssssssssWWWWWWWKagGg     ",
    "   KWWWWWWWWWWWWWWWWWWKagGGg    ",
    "   KWWWWWWWWWWWWWWWWWWKagGGGg   ",
    "   KWWWWWWWgggggggggggggGGGGGg  ",
    "   KWWWWWWWgGGGGGGGGGGGGGGGGGGg ",
    "   KWWWWWWWgGGGGGGGGGGGGGGGGGGGg",
    "   KWWWWWWWgGGGGGGGGGGGGGGGGGGGg",
    "   KWWWWWWWgGGGGGGGGGGGGGGGGGGg ",
    "   KWWWWWWWgggggggggggggGGGGGg  ",
    "   KWWWWWWWWWWWWWWWWWWKagGGGg   ",
    "   KWWWWWWWWWWWWWWWWWWKagGGg    ",
    "   KWWWWWWWWWWWWWWWWWWKagGg     ",
    "   KKKKKKKKKKKKKKKKKKKKagg      ",
    "    aaaaaaaaaaaaaaaaaaaag       ",
};

// The pointing hand of the link labels; the fingertip's top pixel, (5, 0),
// is the cursor's hot spot. '#' black, '-' white, ' ' transparent.
constexpr PixelGrid kCursorPixels = {
    "     ##                         ",
    "    #--#                        ",
    "    #--#                        ",
    "    #--#                        ",
    "    #--#                        ",
    "    #--###                      ",
    "    #--#--###                   ",
    "    #--#--#--###                ",
    "    #--#--#--#--#               ",
    " ## #--#--#--#--#               ",
    "#--##--#--#--#--#               ",
    "#---#-----------#               ",
    " #--------------#               ",
    " #--------------#               ",
    "  #-------------#               ",
    "  #------------#                ",
    "   #-----------#                ",
    "   #----------#                 ",
    "    #---------#                 ",
    "    #---------#                 ",
    "    ###########                 ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
};

// A palette entry: the grid character and the colour it stands for.
struct PaletteEntry {
    char key;
    QRgb colour;
};

// Fifteen colours of the classic 16-colour display palette, and
// transparency in the sixteenth slot.
constexpr std::array<PaletteEntry, 16> kIconPalette = {{
    {' ', qRgba(0, 0, 0, 0)},
    {'K', qRgb(0, 0, 0)},
    {'r', qRgb(128, 0, 0)},
    {'g', qRgb(0, 128, 0)},
    {'o', qRgb(128, 128, 0)},
    {'n', qRgb(0, 0, 128)},
    {'t', qRgb(0, 128, 128)},
    {'s', qRgb(192, 192, 192)},
    {'a', qRgb(128, 128, 128)},
    {'R', qRgb(255, 0, 0)},
    {'G', qRgb(0, 255, 0)},
    {'Y', qRgb(255, 255, 0)},
    {'B', qRgb(0, 0, 255)},
    {'C', qRgb(0, 255, 255)},
    {'p', qRgb(128, 0, 128)},
    {'W', qRgb(255, 255, 255)},
}};

constexpr std::array<PaletteEntry, 3> kCursorPalette = {{
    {' ', qRgba(0, 0, 0, 0)},
    {'#', qRgb(0, 0, 0)},
    {'-', qRgb(255, 255, 255)},
}};

// An indexed image of the grid, its colour table made of the palette.
template <std::size_t PaletteSize>
QImage pixelImage(const PixelGrid& grid, const std::array<PaletteEntry, PaletteSize>& palette)
{
    QImage image(32, 32, QImage::Format_Indexed8);
    QList<QRgb> colours;
    QMap<char, int> indexOfKey;
    for (const PaletteEntry& entry : palette) {
        indexOfKey.insert(entry.key, int(colours.size()));
        colours.append(entry.colour);
    }
    image.setColorTable(colours);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const char key = grid[std::size_t(y)][x];
            if (!indexOfKey.contains(key)) {
                std::fprintf(stderr, "Unknown pixel '%c' at (%d, %d)\n", key, x, y);
                return {};
            }
            image.setPixel(x, y, uint(indexOfKey.value(key)));
        }
    }
    return image;
}

// The splash background: 313 x 240, of which the splash window shows the
// top-left 288 x 232. A light upper band carries the product name and the
// version label (black text); below a gold rule the picture turns dark
// blue for the white credit labels.
constexpr int kSplashWidth = 313;
constexpr int kSplashHeight = 240;
constexpr int kVisibleWidth = 288;
constexpr int kRuleTop = 118;
constexpr int kRuleHeight = 3;

void paintLightBand(QPainter& painter)
{
    QLinearGradient sky(0, 0, 0, kRuleTop);
    sky.setColorAt(0.0, QColor(250, 252, 255));
    sky.setColorAt(1.0, QColor(206, 224, 243));
    painter.fillRect(0, 0, kSplashWidth, kRuleTop, sky);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 190, 230, 60));
    painter.drawEllipse(QPointF(262, 18), 70, 70);
    painter.setBrush(QColor(120, 170, 220, 45));
    painter.drawEllipse(QPointF(20, 110), 55, 55);
}

void paintDarkBand(QPainter& painter)
{
    const int top = kRuleTop + kRuleHeight;
    QLinearGradient night(0, top, 0, kSplashHeight);
    night.setColorAt(0.0, QColor(22, 60, 112));
    night.setColorAt(1.0, QColor(8, 26, 58));
    painter.fillRect(0, top, kSplashWidth, kSplashHeight - top, night);

    QRadialGradient glow(QPointF(255, 215), 110);
    glow.setColorAt(0.0, QColor(40, 140, 160, 110));
    glow.setColorAt(1.0, QColor(40, 140, 160, 0));
    painter.fillRect(0, top, kSplashWidth, kSplashHeight - top, glow);

    // Faint angle brackets, the program's subject, in the lower right.
    QPen bracketPen(QColor(255, 255, 255, 28), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(bracketPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({QPointF(228, 140), QPointF(196, 172), QPointF(228, 204)}));
    painter.drawPolyline(QPolygonF({QPointF(244, 140), QPointF(276, 172), QPointF(244, 204)}));
}

void paintRule(QPainter& painter)
{
    QLinearGradient gold(0, 0, kSplashWidth, 0);
    gold.setColorAt(0.0, QColor(214, 140, 30));
    gold.setColorAt(1.0, QColor(250, 196, 80));
    painter.fillRect(0, kRuleTop, kSplashWidth, kRuleHeight, gold);
}

void paintTitle(QPainter& painter)
{
    QFont title(QStringLiteral("Liberation Sans"));
    title.setBold(true);
    title.setPixelSize(26);
    painter.setFont(title);
    painter.setPen(QColor(14, 42, 86));
    const QString productName = QString::fromUtf8(tagora::credits::kProductName.data(),
                                                  qsizetype(tagora::credits::kProductName.size()));
    painter.drawText(QRect(0, 26, kVisibleWidth, 34), Qt::AlignCenter, productName);

    QFont tagline(QStringLiteral("Liberation Sans"));
    tagline.setPixelSize(12);
    painter.setFont(tagline);
    painter.setPen(QColor(58, 92, 136));
    painter.drawText(QRect(0, 62, kVisibleWidth, 18), Qt::AlignCenter,
                     QStringLiteral("HTML to PHP and ASP scripts"));
}

QImage splashImage()
{
    QImage image(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintLightBand(painter);
    paintDarkBand(painter);
    paintRule(painter);
    paintTitle(painter);
    return image;
}

// The launcher icon: the window icon's picture, a page of markup with a
// green arrow leaving it, as shapes on a 256-unit square. The same shapes
// are painted into each PNG size and written out as SVG.
constexpr int kLauncherUnits = 256;
constexpr std::array<int, 4> kLauncherSizes = {48, 64, 128, 256};

struct Shape {
    QPolygonF points;
    bool closed;     // a filled polygon, else an open line
    QColor fill;     // invalid: none
    QColor stroke;   // invalid: none
    qreal width;     // of the stroke, in units
};

std::vector<Shape> launcherShapes()
{
    const QColor black(0, 0, 0), white(255, 255, 255), silver(192, 192, 192);
    const QColor navy(0, 0, 128), red(255, 0, 0), green(0, 200, 0), darkGreen(0, 128, 0);
    return {
        // The page with its folded corner.
        {QPolygonF({{28, 12}, {164, 12}, {204, 52}, {204, 244}, {28, 244}}), true, white, black, 10},
        {QPolygonF({{164, 12}, {164, 52}, {204, 52}}), true, silver, black, 8},
        // "</>"
        {QPolygonF({{82, 62}, {56, 88}, {82, 114}}), false, {}, navy, 13},
        {QPolygonF({{126, 62}, {152, 88}, {126, 114}}), false, {}, navy, 13},
        {QPolygonF({{114, 56}, {94, 120}}), false, {}, red, 12},
        // Two lines of text.
        {QPolygonF({{56, 140}, {176, 140}}), false, {}, silver, 10},
        {QPolygonF({{56, 160}, {120, 160}}), false, {}, silver, 10},
        // The arrow leaving the page to the right.
        {QPolygonF({{72, 180}, {172, 180}, {172, 136}, {248, 200}, {172, 250}, {172, 220}, {72, 220}}),
         true, green, darkGreen, 8},
    };
}

QPen shapePen(const Shape& shape)
{
    if (!shape.stroke.isValid())
        return Qt::NoPen;
    return QPen(shape.stroke, shape.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QImage launcherImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / kLauncherUnits, qreal(size) / kLauncherUnits);
    for (const Shape& shape : launcherShapes()) {
        painter.setPen(shapePen(shape));
        painter.setBrush(shape.fill.isValid() ? QBrush(shape.fill) : Qt::NoBrush);
        if (shape.closed)
            painter.drawPolygon(shape.points);
        else
            painter.drawPolyline(shape.points);
    }
    return image;
}

QString svgColour(const QColor& colour)
{
    return colour.isValid() ? colour.name(QColor::HexRgb) : QStringLiteral("none");
}

QString launcherSvg()
{
    QString svg = QStringLiteral(
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                      "viewBox=\"0 0 %1 %1\">\n")
                      .arg(kLauncherUnits);
    for (const Shape& shape : launcherShapes()) {
        QStringList points;
        for (const QPointF& point : shape.points)
            points << QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
        svg += QStringLiteral("  <%1 points=\"%2\" fill=\"%3\" stroke=\"%4\" stroke-width=\"%5\" "
                              "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n")
                   .arg(shape.closed ? QStringLiteral("polygon") : QStringLiteral("polyline"),
                        points.join(QLatin1Char(' ')), svgColour(shape.fill),
                        svgColour(shape.stroke))
                   .arg(shape.width);
    }
    return svg + QStringLiteral("</svg>\n");
}

bool saveText(const QString& text, const QString& path)
{
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "Could not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool save(const QImage& image, const QString& path, int quality = -1)
{
    QImageWriter writer(path);
    writer.setQuality(quality);
    if (image.isNull() || !writer.write(image)) {
        std::fprintf(stderr, "Could not write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork DIRECTORY\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool written = save(pixelImage(kIconPixels, kIconPalette), folder.filePath("app_icon.png"))
        && save(pixelImage(kCursorPixels, kCursorPalette), folder.filePath("link_cursor.png"))
        && save(splashImage(), folder.filePath("splash.jpg"), 92)
        && saveText(launcherSvg(), folder.filePath("launcher_icon.svg"));
    for (const int size : kLauncherSizes) {
        written = written
            && save(launcherImage(size), folder.filePath(QStringLiteral("launcher_icon_%1.png").arg(size)));
    }
    return written ? 0 : 1;
}

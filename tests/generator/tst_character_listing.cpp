// The character-code listing against Windows-1252 as iconv knows it: every
// UTF-16 code unit as the window lists it, and every character as UTF-8, as
// tagora-convert lists it.

#include "character_listing.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCharacterListing : public QObject {
    Q_OBJECT

private slots:
    void listsLikeIconv();
};

// Windows-1252 from iconv, one byte at a time. iconv knows no character
// for the five bytes the code page leaves undefined; Windows maps them to
// the C1 controls of the same number, and so does the program.
static QList<int> windows1252Codes()
{
    const QList<int> undefined{0x81, 0x8D, 0x8F, 0x90, 0x9D};
    QList<int> codes(0x10000, 63);
    for (int byte = 0; byte < 256; ++byte) {
        QProcess iconv;
        iconv.start(u"iconv"_s, {u"-f"_s, u"CP1252"_s, u"-t"_s, u"UTF-16LE"_s});
        iconv.write(QByteArray(1, static_cast<char>(byte)));
        iconv.closeWriteChannel();
        const QByteArray unit = iconv.waitForFinished(10000) ? iconv.readAllStandardOutput() : QByteArray();
        if (unit.size() != 2 && !undefined.contains(byte))
            return {};
        codes[undefined.contains(byte) ? byte : uchar(unit[0]) | uchar(unit[1]) << 8] = byte;
    }
    return codes;
}

// Every code unit, then every character but the surrogates plus a sample
// beyond U+FFFF (two unmappable code units each in the window) as UTF-8.
void TestCharacterListing::listsLikeIconv()
{
    const QList<int> codes = windows1252Codes();
    QVERIFY2(codes.value(0x20AC) == 128, "iconv does not give Windows-1252");
    const auto expectedListing = [&](const QString& text) {
        QString listing;
        for (const QChar unit : text)
            listing += u' ' + QString::number(codes[unit.unicode()]);
        return listing;
    };
    QString everyUnit;
    for (int unit = 0; unit < 0x10000; ++unit)
        everyUnit += QChar(unit);
    QVERIFY(QString::fromStdU16String(tagora::characterCodeListing(everyUnit.toStdU16String()))
            == expectedListing(everyUnit));

    QList<char32_t> points;
    for (char32_t point = 0; point <= 0x10FFFF; point += point < 0x10000 ? 1 : 0x3FF)
        if (point < 0xD800 || point > 0xDFFF)
            points << point;
    const QString text = QString::fromUcs4(points.constData(), points.size());
    QVERIFY(QString::fromStdString(tagora::characterCodeListing(text.toUtf8().toStdString())) == expectedListing(text));
}

QTEST_GUILESS_MAIN(TestCharacterListing)
#include "tst_character_listing.moc"

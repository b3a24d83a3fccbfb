// The character-code listing against Windows-1252 as iconv knows it: every
// UTF-16 code unit as the window lists it, and UTF-8 text decoded as it
// goes, as tagora-convert lists it.

#include "character_listing.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCharacterListing : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void listsEveryCodeUnit();
    void listsUtf8InAnyBlocks();

private:
    QString expectedListing(const QString& text) const
    {
        QString listing;
        for (const QChar unit : text)
            listing += u' ' + QString::number(m_codes[unit.unicode()]);
        return listing;
    }
    QList<int> m_codes;  // the expected code of every UTF-16 code unit
};

// Windows-1252 from iconv, one byte at a time. iconv knows no character
// for the five bytes the code page leaves undefined; Windows maps them to
// the C1 controls of the same number, and so does the program.
void TestCharacterListing::initTestCase()
{
    const QList<int> undefined{0x81, 0x8D, 0x8F, 0x90, 0x9D};
    m_codes = QList<int>(0x10000, 63);
    for (int byte = 0; byte < 256; ++byte) {
        QProcess iconv;
        iconv.start(u"iconv"_s, {u"-f"_s, u"CP1252"_s, u"-t"_s, u"UTF-16LE"_s});
        iconv.write(QByteArray(1, static_cast<char>(byte)));
        iconv.closeWriteChannel();
        QVERIFY2(iconv.waitForFinished(10000), "iconv does not run");
        const QByteArray unit = iconv.readAllStandardOutput();
        QVERIFY2(unit.size() == 2 || undefined.contains(byte), "iconv fails for a defined byte");
        m_codes[undefined.contains(byte) ? byte : uchar(unit[0]) | uchar(unit[1]) << 8] = byte;
    }
    QCOMPARE(m_codes[0x20AC], 128);  // iconv really gave Windows-1252
}

void TestCharacterListing::listsEveryCodeUnit()
{
    QCOMPARE(QString::fromStdU16String(tagora::characterCodeListing(u"<p>\r\nx")), u" 60 112 62 13 10 120"_s);
    QVERIFY(tagora::characterCodeListing(std::u16string_view()).empty());
    QString everyUnit;
    for (int unit = 0; unit < 0x10000; ++unit) {
        everyUnit += QChar(unit);
        if (tagora::windows1252Code(static_cast<char16_t>(unit)) != m_codes[unit])
            QFAIL(qPrintable(u"wrong code for U+%1"_s.arg(unit, 4, 16, QChar(u'0'))));
    }
    QVERIFY(QString::fromStdU16String(tagora::characterCodeListing(everyUnit.toStdU16String()))
            == expectedListing(everyUnit));
}

// Every character but the surrogates, and a sample beyond U+FFFF (each
// two unmappable code units in the window), at once and in blocks of
// random size.
void TestCharacterListing::listsUtf8InAnyBlocks()
{
    QVERIFY(tagora::characterCodeListing(std::string_view()).empty());
    QList<char32_t> points;
    for (char32_t point = 0; point <= 0x10FFFF; point += point < 0x10000 ? 1 : 0x3FF)
        if (point < 0xD800 || point > 0xDFFF)
            points << point;
    points << 0x10FFFF;
    const QString text = QString::fromUcs4(points.constData(), points.size());
    const QByteArray utf8 = text.toUtf8();
    QVERIFY(QString::fromStdString(tagora::characterCodeListing(utf8.toStdString())) == expectedListing(text));
    QRandomGenerator random(1252);
    tagora::Utf8CodeListing stream;
    QByteArray listing;
    for (qsizetype at = 0; at < utf8.size();) {
        const qsizetype size = std::min<qsizetype>(random.bounded(0, 7), utf8.size() - at);
        QByteArray buffer(static_cast<qsizetype>(stream.maxFeedSize(size)), '#');
        listing += buffer.first(stream.feed({utf8.data() + at, std::size_t(size)}, buffer.data()) - buffer.data());
        at += size;
    }
    QByteArray rest(tagora::Utf8CodeListing::kMaxFinishSize, '#');
    listing += rest.first(stream.finish(rest.data()) - rest.data());
    QVERIFY(QString::fromUtf8(listing) == expectedListing(text));
}

QTEST_GUILESS_MAIN(TestCharacterListing)
#include "tst_character_listing.moc"

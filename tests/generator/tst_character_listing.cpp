// The character-code listing: Windows-1252 codes of UTF-16 code units.

#include "character_listing.h"

#include <QTest>

#include <string>

class TestCharacterListing : public QObject {
    Q_OBJECT

private slots:
    void windows1252Code_data();
    void windows1252Code();
    void listing_data();
    void listing();
};

void TestCharacterListing::windows1252Code_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("code");
    // ASCII, the characters Windows-1252 places at 0x80-0x9F (first, last
    // and a few between), Latin-1; the five undefined bytes stand for the
    // C1 controls of the same number; everything else lists as "?".
    const QList<QPair<int, int>> cases{
        {0x00, 0},     {0x09, 9},     {0x0D, 13},    {'<', 60},     {0x7F, 127},   {0x20AC, 128},
        {0x201A, 130}, {0x02C6, 136}, {0x017D, 142}, {0x2018, 145}, {0x2122, 153}, {0x0178, 159},
        {0x00A0, 160}, {0x00E9, 233}, {0x00FF, 255}, {0x0081, 129}, {0x008D, 141}, {0x008F, 143},
        {0x0090, 144}, {0x009D, 157}, {0x0080, 63},  {0x009F, 63},  {0x0100, 63},  {0x2028, 63},
        {0xD83D, 63},  {0xDE00, 63},  {0xFFFD, 63},
    };
    for (const auto& [unit, code] : cases)
        QTest::addRow("U+%04X", unit) << unit << code;
}

void TestCharacterListing::windows1252Code()
{
    QFETCH(int, unit);
    QFETCH(int, code);
    QCOMPARE(tagora::windows1252Code(static_cast<char16_t>(unit)), code);
}

void TestCharacterListing::listing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("listing");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("tag, CRLF, letter") << QStringLiteral("<p>\r\nx") << QStringLiteral(" 60 112 62 13 10 120");
    QTest::newRow("TAB and NUL") << QStringLiteral("\t") + QChar(0) << QStringLiteral(" 9 0");
    QTest::newRow("euro and y diaeresis") << QString::fromUtf16(u"\u20AC\u00FF") << QStringLiteral(" 128 255");
    QTest::newRow("emoji is two halves") << QString::fromUtf16(u"\U0001F600!") << QStringLiteral(" 63 63 33");
}

void TestCharacterListing::listing()
{
    QFETCH(QString, text);
    QFETCH(QString, listing);
    const std::u16string result = tagora::characterCodeListing(text.toStdU16String());
    QCOMPARE(QString::fromStdU16String(result), listing);
}

QTEST_GUILESS_MAIN(TestCharacterListing)
#include "tst_character_listing.moc"

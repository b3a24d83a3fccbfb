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
    const QList<QPair<int, int>> cases{
        {0x00, 0},     {0x09, 9},     {0x0A, 10},    {0x0D, 13},    {'<', 60},     {'~', 126},
        {0x7F, 127},   {0x20AC, 128}, {0x201A, 130}, {0x0192, 131}, {0x201E, 132}, {0x2026, 133},
        {0x2020, 134}, {0x2021, 135}, {0x02C6, 136}, {0x2030, 137}, {0x0160, 138}, {0x2039, 139},
        {0x0152, 140}, {0x017D, 142}, {0x2018, 145}, {0x2019, 146}, {0x201C, 147}, {0x201D, 148},
        {0x2022, 149}, {0x2013, 150}, {0x2014, 151}, {0x02DC, 152}, {0x2122, 153}, {0x0161, 154},
        {0x203A, 155}, {0x0153, 156}, {0x017E, 158}, {0x0178, 159}, {0x00A0, 160}, {0x00E9, 233},
        {0x00FF, 255},
        // The five bytes Windows-1252 leaves undefined stand for the C1
        // controls of the same number.
        {0x0081, 129}, {0x008D, 141}, {0x008F, 143}, {0x0090, 144}, {0x009D, 157},
        // Everything else has no code and lists as "?".
        {0x0080, 63},  {0x0085, 63},  {0x009F, 63},  {0x0100, 63},  {0x2028, 63},  {0x20AD, 63},
        {0x3042, 63},  {0xD83D, 63},  {0xDE00, 63},  {0xFFFD, 63},  {0xFFFF, 63},
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

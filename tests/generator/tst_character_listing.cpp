// The character-code listing: Windows-1252 codes of UTF-16 code units.

#include "character_listing.h"

#include <QTest>

class TestCharacterListing : public QObject {
    Q_OBJECT

private slots:
    void listing_data();
    void listing();
};

void TestCharacterListing::listing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("listing");
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
        QTest::addRow("U+%04X", unit) << QString(QChar(unit)) << u' ' + QString::number(code);
    QTest::newRow("empty") << QString() << QString();
    // Fills the listing's buffer many times over.
    QTest::newRow("long") << QString::fromUtf16(u"<p>\r\n\u20AC\U0001F600\t").repeated(3000)
                          << QStringLiteral(" 60 112 62 13 10 128 63 63 9").repeated(3000);
}

// The listing looks its codes up in a table of its own; the code of a single
// unit is worked out apart from it.
void TestCharacterListing::listing()
{
    QFETCH(QString, text);
    QFETCH(QString, listing);
    QCOMPARE(QString::fromStdU16String(tagora::characterCodeListing(text.toStdU16String())), listing);
    if (text.size() == 1)
        QCOMPARE(u' ' + QString::number(tagora::windows1252Code(text[0].unicode())), listing);
}

QTEST_GUILESS_MAIN(TestCharacterListing)
#include "tst_character_listing.moc"

// The input text rules in every form the program has them (the UTF-8
// decoder, the window's 16-bit form), the UTF-8 validator and the
// listings, fed texts cut into blocks: the edge cases by name, then random
// texts cut at random, each compared with the plain references of
// tests/fuzz.
#include "input_text_check.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

std::vector<std::size_t> sizesOf(const QList<int>& sizes)
{
    return {sizes.begin(), sizes.end()};
}

// Pieces of random texts: the first ones leave a text as it is, the rest
// are changed by the rules, and the last few are ill-formed.
const QList<QByteArray> kPieces{
    "a", "<p class=\"x\">", "\t", QByteArray(1, '\0'), "\r\n", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
    "plain ASCII that runs on for more than thirty-two bytes",
    "\r", "\n", "\xE2\x80\xA9", "\xEF\xB7\x90", "\xEF\xB7\x91", "\xEF\xBB\xBF",
    "\xFF", "\xC0\x80", "\xED\xA0\x80", "\x80", "\xE2\x82"};
constexpr qsizetype kKeptPieces = 9;
constexpr qsizetype kWellFormedPieces = 15;

// A third of the texts keep to the pieces that change nothing, a third
// have one other piece among them, the rest take any piece that is
// well-formed.
QByteArray randomText(QRandomGenerator& random)
{
    const int kind = random.bounded(3);
    QByteArray text;
    for (int count = random.bounded(80); count > 0; --count)
        text += kPieces[random.bounded(kind == 2 ? kWellFormedPieces : kKeptPieces)];
    if (kind == 1)
        text.insert(random.bounded(text.size() + 1), kPieces[random.bounded(kKeptPieces, kPieces.size())]);
    return text;
}

}  // namespace

class TestInputText : public QObject {
    Q_OBJECT

private slots:
    void blocks_data();
    void blocks();
};

void TestInputText::blocks_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<int>>("sizes");  // of the blocks; the last takes the rest
    const QByteArray plain = "<p>plain ASCII and CR LF, more than 32 bytes</p>\r\n";
    QTest::newRow("CR | LF") << QByteArray("a\r\nb") << QList<int>{2};
    QTest::newRow("lone CR | text") << QByteArray("a\rb") << QList<int>{2};
    QTest::newRow("lone CR at the end") << QByteArray("a\r") << QList<int>{1};
    QTest::newRow("LF | LF") << QByteArray("\r\n\n") << QList<int>{2};
    QTest::newRow("CR LF text in single bytes") << plain << QList<int>(plain.size(), 1);
    QTest::newRow("lone LF deep in plain text") << plain + "x\ny" + plain << QList<int>{1};
    QTest::newRow("lone CR deep in plain text") << plain + plain + "x\ry" + plain << QList<int>{1};
    QTest::newRow("lone CR before a character") << plain + "\r\xC3\xA9" + plain << QList<int>{1};
    QTest::newRow("U+2029 in three blocks") << QByteArray("a\xE2\x80\xA9z") << QList<int>{2, 1};
    QTest::newRow("U+FDD0, U+FDD1 cut") << QByteArray("\xEF\xB7\x90\xEF\xB7\x91") << QList<int>{1, 3};
    QTest::newRow("leading BOM in three blocks") << QByteArray("\xEF\xBB\xBFx\r\n") << QList<int>{1, 1};
    QTest::newRow("BOM after the start") << "x\xEF\xBB\xBF" + plain << QList<int>{1};
    QTest::newRow("four bytes in four blocks") << QByteArray("\xF0\x9F\x98\x80\r\n") << QList<int>{1, 1, 1};
    QTest::newRow("carried sequence turns bad") << QByteArray("ab\xE2\x82x") << QList<int>{4};
    QTest::newRow("bad second byte, carried") << QByteArray("\xE0\x80\x80") << QList<int>{1};
    QTest::newRow("ends inside a sequence") << QByteArray("ab\xF0\x9F\x98") << QList<int>{3};
    QTest::newRow("surrogate") << plain + "\xED\xA0\x80" << QList<int>{};
    QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QList<int>{};

    QRandomGenerator random(20261207);
    for (int row = 0; row < 400; ++row) {
        const QByteArray text = randomText(random);
        QList<int> sizes;
        const int longest = QList<int>{1, 5, 40, 200}[random.bounded(4)];
        for (int total = 0; total < text.size(); total += sizes.back())
            sizes << 1 + random.bounded(longest);
        QTest::addRow("random %d", row) << text << sizes;
    }
}

void TestInputText::blocks()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<int>, sizes);
    const std::string mismatch = fuzz::inputTextMismatch(text.toStdString(), sizesOf(sizes));
    QVERIFY2(mismatch.empty(), mismatch.c_str());
}

QTEST_GUILESS_MAIN(TestInputText)
#include "tst_input_text.moc"

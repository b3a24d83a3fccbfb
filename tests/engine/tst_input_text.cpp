// The input text rules in every form the program has them (the UTF-8
// decoder, the window's 16-bit form), the UTF-8 validator and the
// listings, fed texts cut into blocks: the edge cases by name, then random
// texts cut at random, each compared with the plain references of
// tests/fuzz.
#include "input_text_check.h"

#include "input_text/byte_scan.h"
#include "input_text/html_encoding.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

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
    void unmarkedUtf16_data();
    void unmarkedUtf16();
    void scanFormsAgree();
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

// UTF-16 without a byte-order mark is taken only where no other reading
// is plausible: no NUL, surrogates in pairs, and at least half of the
// code units (two at least) below U+0100, in one byte order only. The
// bytes are Qt's encoding of the text, in either byte order.
void TestInputText::unmarkedUtf16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isUtf16");
    const QString sun(QChar(0x65E5)), a100(QChar(0x100)), nul(QChar(0)), low(QChar(0xDC00));
    QTest::newRow("two of two") << u"ab"_s << true;
    QTest::newRow("one of one: two at least") << u"a"_s << false;
    QTest::newRow("one of two") << u"a"_s + sun << false;
    QTest::newRow("exactly half") << u"ab"_s + sun + sun << true;
    QTest::newRow("under half") << u"ab"_s + sun + sun + sun << false;
    QTest::newRow("three of six") << u"abc"_s + sun.repeated(3) << true;
    QTest::newRow("Latin-1 letters") << u"\u00E9\u00FC"_s << true;
    QTest::newRow("U+0100 is not below") << u"a"_s + a100 << false;
    QTest::newRow("plausible in both byte orders") << a100 + a100 + u"ab"_s << false;
    QTest::newRow("NUL") << u"ab"_s + nul + u"cd"_s << false;
    QTest::newRow("lone low surrogate") << u"abc"_s + low << false;
    QTest::newRow("a page") << u"<!DOCTYPE html><p>Gr\u00FC\u00DFe \u65E5\u672C</p>"_s << true;
}

void TestInputText::unmarkedUtf16()
{
    QFETCH(QString, text);
    QFETCH(bool, isUtf16);
    for (const auto& [encoding, name] : {std::pair{QStringEncoder::Utf16LE, tagora::html::kUtf16LE},
                                         std::pair{QStringEncoder::Utf16BE, tagora::html::kUtf16BE}}) {
        QStringEncoder encoder(encoding, QStringEncoder::Flag::Stateless);
        const QByteArray bytes = encoder(text);
        const std::optional<std::string_view> found =
            tagora::html::unmarkedUtf16(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        QCOMPARE(found.value_or("none"), isUtf16 ? name : std::string_view("none"));
    }
}

namespace {

using Find = std::function<const unsigned char*(const unsigned char*, const unsigned char*)>;

// Every form of the scan against std::find_if with the stops' own test, at
// every start and length over random bytes where stops are frequent.
QString scanMismatch(const QList<std::pair<const char*, Find>>& forms, const QByteArray& random,
                     bool (*isStop)(unsigned char))
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(random.constData());
    for (qsizetype start = 0; start < 17; ++start) {
        for (qsizetype size = 0; start + size <= random.size() && size < 80; ++size) {
            const unsigned char* const end = bytes + start + size;
            const unsigned char* const expected = std::find_if(bytes + start, end, isStop);
            for (const auto& [name, find] : forms) {
                if (find(bytes + start, end) != expected)
                    return QString::asprintf("%s, from %lld, %lld bytes", name, qlonglong(start), qlonglong(size));
            }
        }
    }
    return {};
}

// The forms for stops known when compiling.
template <tagora::scan::Stops stops>
QString scanMismatch(const QByteArray& random, bool (*isStop)(unsigned char))
{
    QList<std::pair<const char*, Find>> forms{{"plain", tagora::scan::findPlain<stops>},
                                              {"chosen", tagora::scan::findFirst<stops>}};
#if defined(__SSE2__)
    forms.append({"SSE2", tagora::scan::findSse2<stops>});
#endif
#if defined(__wasm_simd128__)
    forms.append({"WebAssembly SIMD", tagora::scan::findWasmSimd<stops>});
#endif
    return scanMismatch(forms, random, isStop);
}

// The forms for stops chosen at run time.
QString scanMismatch(const tagora::scan::StopSet& stops, const QByteArray& random, bool (*isStop)(unsigned char))
{
    using Form = const unsigned char* (*)(const tagora::scan::StopSet&, const unsigned char*, const unsigned char*);
    const auto withStops = [&stops](Form form) { return Find(std::bind_front(form, std::cref(stops))); };
    QList<std::pair<const char*, Find>> forms{{"plain", withStops(tagora::scan::findPlain)},
                                              {"chosen", withStops(tagora::scan::findFirst)}};
#if defined(__SSE2__)
    forms.append({"SSE2", withStops(tagora::scan::findSse2)});
#endif
#if defined(__wasm_simd128__)
    forms.append({"WebAssembly SIMD", withStops(tagora::scan::findWasmSimd)});
#endif
    return scanMismatch(forms, random, isStop);
}

}  // namespace

void TestInputText::scanFormsAgree()
{
    QRandomGenerator random(20261207);
    const QByteArray likely("\r\n\"\x80\xFF\x7F\x00<a\x1F ", 11);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(100, 'x');
        for (char& byte : bytes) {
            const int kind = random.bounded(8);
            byte = kind == 0 ? char(random.bounded(256)) : kind == 1 ? likely[random.bounded(likely.size())] : 'x';
        }
        QCOMPARE(scanMismatch<tagora::scan::Stops{.beyondAscii = true}>(bytes, [](unsigned char c) { return c >= 0x80; }),
                 QString());
        QCOMPARE((scanMismatch<tagora::scan::Stops{{'\r', '\n'}, 2}>(
                     bytes, [](unsigned char c) { return c == '\r' || c == '\n'; })),
                 QString());
        QCOMPARE((scanMismatch<tagora::scan::Stops{{'\r', '\n', '"', 0}, 4, true}>(
                     bytes, [](unsigned char c) { return c == '\r' || c == '\n' || c == '"' || c == 0 || c >= 0x80; })),
                 QString());
        QCOMPARE(scanMismatch(tagora::scan::StopSet{.controls = true}, bytes, [](unsigned char c) { return c < 0x20; }),
                 QString());
        QCOMPARE(scanMismatch(tagora::scan::StopSet{{'<', 'a', 0x7F, '"', '$', '\\', '{', '}'}, 8, false, true}, bytes,
                              [](unsigned char c) {
                                  return c == '<' || c == 'a' || c == 0x7F || c == '"' || c == '$' || c == '\\' ||
                                         c == '{' || c == '}' || c >= 0x80;
                              }),
                 QString());
        QCOMPARE(scanMismatch(tagora::scan::StopSet{{'\r', '\n'}, 2, true, true}, bytes,
                              [](unsigned char c) { return c < 0x20 || c >= 0x80; }),
                 QString());
    }
}

QTEST_GUILESS_MAIN(TestInputText)
#include "tst_input_text.moc"

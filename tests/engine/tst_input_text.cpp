// The input text rules in every form the program has them (the UTF-8
// decoder, the window's 16-bit form), the UTF-8 validator and the
// listings, fed the edge cases by name cut into blocks, each compared with
// the plain references of tests/fuzz (whose fuzz_input_text tries random
// texts cut at random).
#include "input_text_check.h"

#include "input_text/byte_scan.h"
#include "input_text/html_encoding.h"

#include <algorithm>
#include <string>

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::literals;

namespace {

namespace scan = tagora::scan;

// Random units where the stops are frequent.
template <class Unit>
std::vector<Unit> randomUnits(QRandomGenerator& random, std::u16string_view likely, unsigned range)
{
    std::vector<Unit> units(101, 'x');
    for (std::size_t i = 0; i < 100; ++i) {
        const int kind = random.bounded(8);
        units[i] = Unit(kind == 0 ? random.bounded(range) : kind == 1 ? likely[random.bounded(int(likely.size()))] : 'x');
        if (kind == 2)  // a CR LF
            units[i++] = '\r', units[i] = '\n';
    }
    units.pop_back();
    return units;
}

// Every scan of the form against a plain reference, over every start and
// length of the units (the first unit is left before them). Names the first
// that differs.
template <class Form>
QString formMismatch(const std::vector<unsigned char>& bytes, const std::vector<char16_t>& wide)
{
    const auto isSeparator = [](char16_t c) { return c == '"' || c == 0x2028 || c == 0x2029 || (c >= 0xD800 && c < 0xE000); };
    const auto isQuoteOrBeyond = [](unsigned char c) { return c == '\r' || c == '\n' || c == '"' || c == 0 || c >= 0x80; };
    const auto isLineEndOrE2 = [](char c) { return c == '\r' || c == '\n' || c == '\xE2'; };
    const scan::StopSet someBytes{{'<', 'a', 0x7F, '"', '$', '\\', '{', '}'}, 8, false, true};
    for (std::size_t start = 1; start < 18; ++start) {
        for (std::size_t size = 0; start + size <= bytes.size() && size < 80; ++size) {
            const unsigned char* const p = bytes.data() + start;
            const unsigned char* const end = p + size;
            const char16_t* const wideEnd = wide.data() + start + size;
            const QString at = QString::asprintf(" from %zu, %zu units", start, size);
            if (scan::findFirst<scan::Stops{.beyondAscii = true}, Form>(p, end) != std::find_if(p, end, [](unsigned char c) { return c >= 0x80; }))
                return "beyond ASCII" + at;
            if (scan::findFirst<scan::Stops{{'\r', '\n', '"', 0}, 4, true}, Form>(p, end) != std::find_if(p, end, isQuoteOrBeyond))
                return "a few and beyond ASCII" + at;
            if (scan::findFirst<Form>(scan::StopSet{.controls = true}, p, end) != std::find_if(p, end, [](unsigned char c) { return c < 0x20; }))
                return "controls chosen at run time" + at;
            if (scan::findFirst<Form>(someBytes, p, end) != std::find_if(p, end, [&](unsigned char c) { return someBytes.has(c); }))
                return "eight bytes chosen at run time" + at;
            if (size == 16) {  // a block of chars (signed, as scripts are written) and one of 16-bit units
                std::vector<char> copy(16);
                const auto* const chars = reinterpret_cast<const char*>(p);
                const auto plain = scan::unitsBefore<char>(scan::copyBlock<scan::Stops{{'\r', '\n', 0xE2}, 3}, Form>(chars, copy.data()) | 1u << 16);
                if (plain != std::find_if(chars, chars + 16, isLineEndOrE2) - chars || !std::equal(chars, chars + 16, copy.data()))
                    return "a block copied to a line end or 0xE2" + at;
                std::vector<char16_t> wideCopy(8);
                const auto widePlain = scan::unitsBefore<char16_t>(scan::copyBlock<scan::Stops{{'"', 0x2028, 0x2029}, 3, false, false, true}, Form>(
                    wide.data() + start, wideCopy.data()) | 1u << 16);
                if (widePlain != std::find_if(wide.data() + start, wide.data() + start + 8, isSeparator) - (wide.data() + start)
                    || !std::equal(wideCopy.begin(), wideCopy.end(), wide.data() + start))
                    return "a block of 16-bit units copied to a line separator" + at;
            }
            if (scan::findFirst<scan::Stops{.beyondAscii = true, .controls = true}, Form>(wide.data() + start, wideEnd)
                != std::find_if(wide.data() + start, wideEnd, [](char16_t c) { return c < 0x20 || c >= 0x80; }))
                return "16-bit controls and beyond ASCII" + at;
            const std::string text(p, end);
            const std::size_t pairs = std::ranges::count(text, '\r') + std::ranges::count(text, '\n')
                                    - QByteArray::fromStdString(text).count("\r\n");
            if (scan::countLineBreaks<Form>(p, end) != pairs)
                return "line breaks" + at;
        }
    }
    return {};
}


// Pieces of text for the scans that find text needing no change: kept
// characters of every length, each line break, the characters the rules
// change, and bytes that are ill-formed (last, and rarer).
constexpr std::string_view kKeptPieces[] = {
    "<p>", "text ", "\r\n", "\t", "\xC3\xA9", "\xD0\x9F\xD1\x80", "\xE2\x80\xA8", "\xE2\x80\x94", "\xEF\xB7\x92",
    "\xEF\xB7\x8F", "\xEF\xBF\xBD", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xC2\x80", "\xC2\xA9"};
constexpr std::string_view kChangedPieces[] = {"\r", "\n", "\n\r", "\xE2\x80\xA9", "\xEF\xB7\x90", "\xEF\xB7\x91"};
constexpr std::string_view kIllFormedPieces[] = {
    "\x80", "\xBF", "\xC0\xAF", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5", "\xFF",
    "\xE2\x80", "\xF0\x9F\x98", "\xC3"};

std::string randomText(QRandomGenerator& random, std::size_t pieces)
{
    std::string text;
    for (std::size_t i = 0; i < pieces; ++i) {
        const int kind = random.bounded(40);
        if (kind == 0)
            text += kIllFormedPieces[random.bounded(int(std::size(kIllFormedPieces)))];
        else if (kind < 3)
            text += kChangedPieces[random.bounded(int(std::size(kChangedPieces)))];
        else
            text += kKeptPieces[random.bounded(int(std::size(kKeptPieces)))];
    }
    return text;
}

}  // namespace

class TestInputText : public QObject {
    Q_OBJECT

private slots:
    void blocks_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<int>>("sizes");  // of the blocks; the last takes the rest
        const QByteArray plain = "<p>plain ASCII and CR LF, more than 32 bytes</p>\r\n";
        QTest::newRow("CR | LF") << QByteArray("a\r\nb") << QList<int>{2};
        QTest::newRow("CR | LF after the first block") << QByteArray("ab\r\nc") << QList<int>{1, 2};
        QTest::newRow("lone CR | text") << QByteArray("a\rb") << QList<int>{2};
        QTest::newRow("lone CR, text, lone LF") << QByteArray("a\rbc\nd") << QList<int>{1};
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
    }

    void blocks()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<int>, sizes);
        const std::string mismatch = fuzz::inputTextMismatch(text.toStdString(), {sizes.begin(), sizes.end()});
        QVERIFY2(mismatch.empty(), mismatch.c_str());
    }

    // UTF-16 without a byte-order mark is taken only where no other reading
    // is plausible: no NUL, surrogates in pairs, and at least half of the
    // code units (two at least) below U+0100, in one byte order only. The
    // bytes are Qt's encoding of the text, in either byte order.
    void unmarkedUtf16_data()
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

    void unmarkedUtf16()
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


    // Every form of the scans (AVX2 and simdjson's forms where the
    // processor has them) on random texts of every length around the
    // widths of the blocks.
    void plainTextFormsAgree()
    {
        QRandomGenerator random(20261207);
        int wellFormed = 0;
        int plain = 0;
        for (int round = 0; round < 4000; ++round) {
            const std::string text = randomText(random, std::size_t(random.bounded(1, 40)));
            const std::string mismatch = fuzz::plainTextFormsMismatch(text);
            QVERIFY2(mismatch.empty(), (mismatch + " on " + QByteArray::fromStdString(text).toHex().toStdString()).c_str());
            wellFormed += fuzz::decodeUtf8(text).firstInvalid == std::string_view::npos;
            plain += tagora::plain_text::leavesAsItIs(reinterpret_cast<const unsigned char*>(text.data()), text.size());
        }
        QVERIFY2(wellFormed > 1000 && plain > 500, qPrintable(QString::asprintf("%d, %d", wellFormed, plain)));  // both answers, often
    }

    // A text of every kind of character, and one of ASCII only (whose
    // blocks are checked by the line-break compares alone), spoilt at each
    // byte in turn, and cut into two blocks at each byte: CR LF pairs,
    // sequences of two to four bytes and ill-formed bytes at every place
    // and across every edge.
    void plainTextAtEveryPlace_data()
    {
        QTest::addColumn<QByteArray>("text");
        QByteArray mixed = "<p>\r\n";
        for (const std::string_view piece : kKeptPieces)
            mixed.append(piece.data(), qsizetype(piece.size()));
        QTest::newRow("every kind of character") << mixed + mixed;
        QTest::newRow("ASCII") << QByteArray("<p>text</p>\r\n").repeated(8);
    }

    void plainTextAtEveryPlace()
    {
        QFETCH(QByteArray, text);
        const std::string base = text.toStdString();
        for (std::size_t place = 0; place <= base.size(); ++place) {
            for (const std::string_view spoilt : {""sv, "\x80"sv, "\xF0\x9F"sv, "\r"sv, "\n"sv, "\xE2\x80\xA9"sv}) {
                const std::string changed = base.substr(0, place) + std::string(spoilt) + base.substr(place);
                const std::string mismatch = fuzz::plainTextFormsMismatch(changed);
                QVERIFY2(mismatch.empty(), (mismatch + QString::asprintf(" at %zu", place).toStdString()).c_str());
                for (const std::size_t cut : {place, place + 2}) {  // after a first block of one byte
                    const std::string blocksMismatch = fuzz::inputTextMismatch(changed, {1, std::max<std::size_t>(cut, 2) - 1});
                    QVERIFY2(blocksMismatch.empty(), (blocksMismatch + QString::asprintf(" cut at %zu", cut).toStdString()).c_str());
                }
            }
        }
        QVERIFY(tagora::plain_text::scanForms().size() >= 2);
    }

    void scanFormsAgree()
    {
        QRandomGenerator random(20261207);
        for (int round = 0; round < 100; ++round) {
            const auto bytes = randomUnits<unsigned char>(random, u"\r\n\"\x80\xFF\x7F\x00<a\x1F \xE2"sv, 256);
            const auto wide = randomUnits<char16_t>(random, u"\"\x2028\x2029\xD800\xDFFF\xD7FF\xE000\x1F\x80\x7F"sv, 0x10000);
            QCOMPARE(formMismatch<scan::Plain>(bytes, wide), QString());
            if (round == 0) {  // more breaks than a byte counts
                const std::string feeds(5000, '\n');
                const auto* const p = reinterpret_cast<const unsigned char*>(feeds.data());
                QCOMPARE(scan::countLineBreaks(p, p + feeds.size()), feeds.size());
            }
    #if defined(__SSE2__) && !defined(__wasm_simd128__)
            QCOMPARE(formMismatch<scan::Sse2>(bytes, wide), QString());
    #endif
    #if defined(__wasm_simd128__)
            QCOMPARE(formMismatch<scan::WasmSimd>(bytes, wide), QString());
    #endif
        }
    }
};

QTEST_GUILESS_MAIN(TestInputText)
#include "tst_input_text.moc"

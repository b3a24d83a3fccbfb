#include "input_text/input_text.h"
#include "input_text/byte_scan.h"
#include "input_text/plain_text_scan.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tagora {

// The fast paths below take ASCII for kept, but for CR and LF.
static_assert([] {
    for (char32_t c = 0; c < 0x80; ++c) {
        if (c != '\r' && c != '\n' && (inputRule(c, false) != InputRule::Keep || inputRule(c, true) != InputRule::Keep))
            return false;
    }
    return true;
}());

namespace {

constexpr char16_t kLineBreak16[] = u"\r\n";
constexpr char16_t kReplacement16[] = {static_cast<char16_t>(kReplacementCharacter)};
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

// What a 16-bit code unit becomes under the rule, when it changes.
std::u16string_view change16(InputRule rule)
{
    switch (rule) {
    case InputRule::LineBreak:
        return {kLineBreak16, 2};
    case InputRule::Replace:
        return {kReplacement16, 1};
    case InputRule::Keep:
    case InputRule::Drop:
        break;
    }
    return {};
}

}  // namespace

std::size_t normalizedInputSize(std::u16string_view text)
{
    std::size_t size = 0;
    bool afterCr = false;
    for (const char16_t unit : text) {
        const InputRule rule = inputRule(unit, std::exchange(afterCr, unit == u'\r'));
        size += rule == InputRule::Keep ? 1 : change16(rule).size();
    }
    return size;
}

// Copies the runs that stay as they are whole, between the code units
// that change.
char16_t* normalizeInputText(std::u16string_view text, char16_t* out)
{
    std::size_t kept = 0;
    bool afterCr = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const InputRule rule = inputRule(text[i], std::exchange(afterCr, text[i] == u'\r'));
        if (rule == InputRule::Keep)
            continue;
        out = std::copy(text.begin() + kept, text.begin() + i, out);
        const std::u16string_view change = change16(rule);
        out = std::copy(change.begin(), change.end(), out);
        kept = i + 1;
    }
    return std::copy(text.begin() + kept, text.end(), out);
}

namespace {

// Copies the ASCII other than CR and LF at the start of the bytes and
// returns its length.
std::size_t copyKeptAscii(const unsigned char* bytes, std::size_t size, char* out)
{
    constexpr scan::Stops kStops{{'\r', '\n'}, 2, true};
    const auto kept = static_cast<std::size_t>(scan::findFirst<kStops>(bytes, bytes + size) - bytes);
    std::memcpy(out, bytes, kept);
    return kept;
}

// Copies the start of the bytes that the rules keep as it is: up to a line
// break, a character they change, or one that is cut off or ill-formed.
// Returns its length.
std::size_t copyKept(const unsigned char* bytes, std::size_t size, char* out)
{
    std::size_t i = 0;
    for (;;) {
        i += copyKeptAscii(bytes + i, size - i, out + i);
        if (i == size || bytes[i] < 0x80)
            return i;
        const utf8::Sequence sequence = utf8::decodeSequence(bytes + i, size - i);
        if (sequence.status != utf8::Status::Complete || inputRule(sequence.codePoint, false) != InputRule::Keep)
            return i;
        if (size - i >= 4)
            std::memcpy(out + i, bytes + i, 4);  // four bytes at once; those beyond it are written over
        else
            std::memcpy(out + i, bytes + i, sequence.length);
        i += sequence.length;
    }
}

// What the reader hands the decoder: the input text, written at out. The
// state is a copy that lives in registers while a block is read.
struct TextWriter {
    char* out;
    bool afterCr;
    bool atStart;
    bool dropByteOrderMark;  // at the start

    // What a rule makes of a character other than one kept as it is.
    static char* putChange(InputRule rule, char* out)
    {
        switch (rule) {
        case InputRule::LineBreak:
            std::memcpy(out, "\r\n", 2);
            return out + 2;
        case InputRule::Replace:
            std::memcpy(out, kReplacementUtf8, 3);
            return out + 3;
        case InputRule::Keep:
        case InputRule::Drop:
            break;
        }
        return out;
    }

    // The text the rules keep, and the line breaks in it.
    std::size_t run(const unsigned char* bytes, std::size_t size)
    {
        if (atStart && dropByteOrderMark && bytes[0] == 0xEF)
            return 0;  // perhaps a byte-order mark, which character() looks at
        std::size_t i = 0;
        char* end = out;
        while (i < size) {
            const std::size_t kept = copyKept(bytes + i, size - i, end);
            i += kept;
            end += kept;
            afterCr = afterCr && kept == 0;
            if (i == size || (bytes[i] != '\r' && bytes[i] != '\n'))
                break;
            end = putChange(inputRule(bytes[i], afterCr), end);
            afterCr = bytes[i++] == '\r';
        }
        atStart = atStart && i == 0;
        out = end;
        return i;
    }

    void character(const utf8::Sequence& sequence, const unsigned char* bytes)
    {
        const bool first = std::exchange(atStart, false);
        const InputRule rule = inputRule(sequence.codePoint, std::exchange(afterCr, sequence.codePoint == '\r'));
        if (rule != InputRule::Keep) {
            out = putChange(rule, out);
        } else if (!first || !dropByteOrderMark || sequence.codePoint != kByteOrderMark) {
            std::memcpy(out, bytes, sequence.length);
            out += sequence.length;
        }
    }

    static bool invalid(std::size_t) { return false; }
};

}  // namespace

// A block that needs no change is the text as it is. Else, when the block
// needs no change but at its very end (a character cut off by its end, or
// a CR whose LF may come next), the block up to there is taken at once and
// the few bytes after it read one by one.
std::optional<std::string_view> Utf8InputDecoder::decode(std::string_view block, char* out)
{
    if (needsNoChange(block)) {
        m_reader.skip(block.size());
        return block;
    }
    if (!m_reader.atCharacterEdge() && !block.empty())
        return decodeCompleting(block, out);
    return decodeAfter(block, unchangedStart(block), out);
}

// The character the last block cut off, completed from the first bytes of
// this one, and then the rest of the block, copied after it where it needs
// no change.
std::optional<std::string_view> Utf8InputDecoder::decodeCompleting(std::string_view block, char* out)
{
    const std::size_t head = std::min(m_reader.missingBytes(), block.size());
    TextWriter writer{out, m_afterCr, m_atStart, m_dropByteOrderMark};
    if (!m_reader.feed(block.substr(0, head), writer))
        return std::nullopt;
    m_afterCr = writer.afterCr;
    m_atStart = writer.atStart;
    char* const end = writer.out;
    if (head == block.size())
        return std::string_view(out, static_cast<std::size_t>(end - out));
    const std::optional<std::string_view> rest = decode(block.substr(head), end);
    if (!rest)
        return std::nullopt;
    if (rest->data() != end)
        std::memmove(end, rest->data(), rest->size());
    return std::string_view(out, static_cast<std::size_t>(end - out) + rest->size());
}

// Decodes the block from unchanged on: those bytes before need no change.
// They are the text as they are when nothing comes of the rest now (it is
// the start of a character that the next block completes), else copied
// before what the rest becomes.
std::optional<std::string_view> Utf8InputDecoder::decodeAfter(std::string_view block, std::size_t unchanged, char* out)
{
    const std::string_view rest = block.substr(unchanged);
    const auto* const restBytes = reinterpret_cast<const unsigned char*>(rest.data());
    const bool cutCharacter = unchanged > 0 && !rest.empty()
        && utf8::decodeSequence(restBytes, rest.size()).status == utf8::Status::Truncated;
    if (cutCharacter) {
        m_reader.skip(unchanged);
        TextWriter carried{out, false, false, m_dropByteOrderMark};
        m_reader.feed(rest, carried);  // carried over to the next block, nothing written
        return block.substr(0, unchanged);
    }
    std::memcpy(out, block.data(), unchanged);
    m_reader.skip(unchanged);
    TextWriter writer{out + unchanged, m_afterCr && unchanged == 0, m_atStart, m_dropByteOrderMark};
    if (!m_reader.feed(rest, writer))
        return std::nullopt;
    m_afterCr = writer.afterCr;
    m_atStart = writer.atStart;
    return std::string_view(out, static_cast<std::size_t>(writer.out - out));
}

bool Utf8InputDecoder::finish()
{
    TextWriter writer{nullptr, m_afterCr, m_atStart, m_dropByteOrderMark};
    return m_reader.finish(writer);
}

// The block begins and ends between characters and lines, and all of it is
// its own input text.
bool Utf8InputDecoder::needsNoChange(std::string_view block) const
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(block.data());
    return m_reader.atCharacterEdge() && !m_afterCr && !m_atStart && plain_text::isPlainText(bytes, block.size());
}

// How many bytes at the start of the block need no change when the block as
// a whole does not: all but a character its end cuts off and a last CR.
std::size_t Utf8InputDecoder::unchangedStart(std::string_view block) const
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(block.data());
    if (!m_reader.atCharacterEdge() || m_afterCr || m_atStart)
        return 0;
    std::size_t size = utf8::wholeCharactersSize(bytes, block.size());
    if (size > 0 && bytes[size - 1] == '\r')
        --size;
    if (size == block.size())
        return 0;  // needsNoChange() looked at the same bytes
    return plain_text::isPlainText(bytes, size) ? size : 0;
}

}  // namespace tagora

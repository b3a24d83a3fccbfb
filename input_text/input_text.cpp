#include "input_text/input_text.h"
#include "input_text/byte_scan.h"

#include <algorithm>
#include <bit>
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

// Text that is its own input text ("plain"), found a block of bytes at a
// time where it can be.

// The length of the character at the start of the bytes when it is
// complete, well-formed and plain; 0 otherwise.
std::size_t plainLength(const unsigned char* bytes, std::size_t available, bool afterCr)
{
    const utf8::Sequence sequence = utf8::decodeSequence(bytes, available);
    if (sequence.status != utf8::Status::Complete || !leavesTextAsItIs(sequence.codePoint, afterCr))
        return 0;
    return sequence.length;
}

// From bytes[i] to bytes[limit] or just beyond (to the end of a
// character), one character at a time while each is plain. Returns where
// it ended; afterCr follows.
std::size_t walkPlain(const unsigned char* bytes, std::size_t size, std::size_t i, std::size_t limit,
                      bool& afterCr)
{
    while (i < limit) {
        const std::size_t length = bytes[i] < 0x80 ? std::size_t{leavesTextAsItIs(bytes[i], afterCr)}
                                                   : plainLength(bytes + i, size - i, afterCr);
        if (length == 0)
            return i;
        afterCr = bytes[i] == '\r';
        i += length;
    }
    return i;
}

constexpr std::size_t kNotPlain = std::size_t(-1);

// The characters that start in the sixteen bytes from bytes[i] on (the
// bits of those beyond ASCII). Returns the end of the block or of a
// character that goes beyond it, or kNotPlain.
std::size_t plainCharacters(const unsigned char* bytes, std::size_t size, std::size_t i, unsigned beyondAscii)
{
    std::size_t end = i;  // of the last character
    for (; beyondAscii != 0; beyondAscii &= beyondAscii - 1) {
        const std::size_t k = i + static_cast<std::size_t>(std::countr_zero(beyondAscii));
        if (k < end)
            continue;  // a continuation byte of that character
        const std::size_t length = plainLength(bytes + k, size - k, false);
        if (length == 0)
            return kNotPlain;
        end = k + length;
    }
    return std::max(i + 16, end);
}

// The length of the plain start of the bytes: sixteen bytes at a time
// while each LF follows a CR and each CR comes before an LF, then blocks
// where every character beyond ASCII is plain; the last few bytes (and
// those where the plain start ends) one by one. afterCr follows.
std::size_t plainPrefix(const unsigned char* bytes, std::size_t size, bool& afterCr)
{
    std::size_t i = walkPlain(bytes, size, 0, std::min<std::size_t>(size, 1), afterCr);
    if (i == 0)
        return 0;
    // From here on a byte comes before, and tells whether a CR does.
    for (;;) {
        i = static_cast<std::size_t>(scan::skipPairedAscii(bytes + i, bytes + size) - bytes);
        if (size - i < 16)
            break;
        const scan::PairingBits bits = scan::pairingBits(bytes + i);
        const std::size_t next = bits.unpaired == 0 ? plainCharacters(bytes, size, i, bits.beyondAscii) : kNotPlain;
        if (next == kNotPlain)
            break;  // found again below, character by character
        i = next;
    }
    afterCr = bytes[i - 1] == '\r';
    return walkPlain(bytes, size, i, size, afterCr);
}

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

std::optional<std::string_view> Utf8InputDecoder::decode(std::string_view block, char* out)
{
    if (needsNoChange(block)) {
        m_reader.skip(block.size());
        return block;
    }
    TextWriter writer{out, m_afterCr, m_atStart, m_dropByteOrderMark};
    if (!m_reader.feed(block, writer))
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
// plain.
bool Utf8InputDecoder::needsNoChange(std::string_view block) const
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(block.data());
    if (!m_reader.atCharacterEdge() || m_afterCr || m_atStart)
        return false;
    bool afterCr = false;
    return plainPrefix(bytes, block.size(), afterCr) == block.size() && !afterCr;
}

}  // namespace tagora

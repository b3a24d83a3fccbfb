#include "input_text/utf8.h"

#include "input_text/byte_scan.h"
#include "input_text/plain_text_scan.h"

namespace tagora {
namespace utf8 {

std::size_t asciiPrefix(const unsigned char* bytes, std::size_t size)
{
    return static_cast<std::size_t>(scan::findFirst<scan::Stops{.beyondAscii = true}>(bytes, bytes + size) - bytes);
}

std::size_t wellFormedPrefix(const unsigned char* bytes, std::size_t size)
{
    std::size_t i = 0;
    while (i < size) {
        if (bytes[i] < 0x80) {
            i += asciiPrefix(bytes + i, size - i);
            continue;
        }
        const Sequence sequence = decodeSequence(bytes + i, size - i);
        if (sequence.status != Status::Complete)
            break;
        i += sequence.length;
    }
    return i;
}

std::size_t wholeCharactersSize(const unsigned char* bytes, std::size_t size)
{
    for (std::size_t back = 1; back <= std::min<std::size_t>(size, 3); ++back) {
        const unsigned char byte = bytes[size - back];
        if (!isContinuation(byte))
            return kLeadRules.rules[byte].length > back ? size - back : size;
    }
    return size;
}

char* encode(char32_t value, char* out)
{
    if (value < 0x80) {
        *out++ = static_cast<char>(value);
        return out;
    }
    if (value < 0x800) {
        *out++ = static_cast<char>(0xC0 | (value >> 6));
    } else if (value < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (value >> 12));
        *out++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (value >> 18));
        *out++ = static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (value & 0x3F));
    return out;
}

}  // namespace utf8

namespace {

// What the reader hands the validator: runs of well-formed text at once.
struct WellFormedRuns {
    static std::size_t run(const unsigned char* bytes, std::size_t size) { return utf8::wellFormedPrefix(bytes, size); }
    static void character(const utf8::Sequence&, const unsigned char*) {}
    static bool invalid(std::size_t) { return false; }
};

}  // namespace

// The whole characters of the block at once when they are well-formed; the
// reader goes on from there (or looks for the first ill-formed sequence).
bool Utf8Validator::feed(std::string_view block)
{
    if (m_reader.atCharacterEdge()) {
        const auto* const bytes = reinterpret_cast<const unsigned char*>(block.data());
        const std::size_t whole = utf8::wholeCharactersSize(bytes, block.size());
        if (plain_text::isValidUtf8(bytes, whole)) {
            m_reader.skip(whole);
            block.remove_prefix(whole);
        }
    }
    WellFormedRuns runs;
    return m_reader.feed(block, runs);
}

bool Utf8Validator::finish()
{
    WellFormedRuns runs;
    return m_reader.finish(runs);
}

std::size_t firstInvalidUtf8(std::string_view bytes)
{
    Utf8Validator validator;
    if (validator.feed(bytes) && validator.finish())
        return std::string_view::npos;
    return static_cast<std::size_t>(validator.errorOffset());
}

}  // namespace tagora

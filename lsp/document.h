// An open document as the editor holds it: its UTF-8 text, its version,
// and the translation between the protocol's positions (line, and
// character counted in UTF-16 code units or in UTF-8 bytes) and offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tagora::lsp {

// How a position's character counts: UTF-16 code units (the protocol's
// default) or UTF-8 bytes, as agreed at initialization.
enum class PositionEncoding { Utf16, Utf8 };

struct Position {
    std::uint64_t line = 0;
    std::uint64_t character = 0;
};

struct Range {
    Position start;
    Position end;
};

// A byte range of the text.
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

class Document {
public:
    Document(std::string text, std::int64_t version, std::string languageId);

    const std::string& text() const { return m_text; }
    std::int64_t version() const { return m_version; }
    const std::string& languageId() const { return m_languageId; }

    // The offset of a position; none for a line past the end, a character
    // past its line's end or one inside a character. The line after the
    // last, character 0, is the end of the text.
    std::optional<std::size_t> offsetOf(Position position, PositionEncoding encoding) const;
    // The span of a range whose positions are both in the text, start
    // not after end.
    std::optional<Span> spanOf(Range range, PositionEncoding encoding) const;
    Position positionOf(std::size_t offset, PositionEncoding encoding) const;
    Range rangeOf(Span span, PositionEncoding encoding) const;

    // Replaces a span (valid: see spanOf) or the whole text.
    void replace(Span span, std::string_view text);
    void replaceAll(std::string text);
    void setVersion(std::int64_t version) { m_version = version; }

private:
    void indexLines(std::size_t fromLine);
    std::size_t lineEnd(std::size_t line) const;  // before its line break

    std::string m_text;
    std::int64_t m_version;
    std::string m_languageId;
    std::vector<std::size_t> m_lineStarts;  // the first is 0
};

}  // namespace tagora::lsp

#include "document.h"

#include <algorithm>

namespace tagora::lsp {
namespace {

// The size of the UTF-8 sequence a lead byte starts (the text is valid
// UTF-8: the protocol's JSON carries nothing else).
std::size_t sequenceSize(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xE0)
        return 2;
    return lead < 0xF0 ? 3 : 4;
}

bool isContinuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

Document::Document(std::string text, std::int64_t version, std::string languageId)
    : m_text(std::move(text)), m_version(version), m_languageId(std::move(languageId))
{
    indexLines(0);
}

// Lines end at LF, CR LF or a lone CR, as the protocol counts them.
void Document::indexLines(std::size_t fromLine)
{
    m_lineStarts.resize(std::max<std::size_t>(fromLine, 1));
    m_lineStarts[0] = 0;
    const char* const text = m_text.data();
    const std::size_t size = m_text.size();
    for (std::size_t at = m_lineStarts.back(); at < size; ++at) {
        const char c = text[at];
        if (c == '\n' || (c == '\r' && (at + 1 == size || text[at + 1] != '\n')))
            m_lineStarts.push_back(at + 1);
    }
}

std::size_t Document::lineEnd(std::size_t line) const
{
    std::size_t end = line + 1 < m_lineStarts.size() ? m_lineStarts[line + 1] : m_text.size();
    if (end > m_lineStarts[line] && m_text[end - 1] == '\n')
        --end;
    if (end > m_lineStarts[line] && m_text[end - 1] == '\r')
        --end;
    return end;
}

std::optional<std::size_t> Document::offsetOf(Position position, PositionEncoding encoding) const
{
    if (position.line == m_lineStarts.size() && position.character == 0)
        return m_text.size();
    if (position.line >= m_lineStarts.size())
        return std::nullopt;
    const std::size_t line = static_cast<std::size_t>(position.line);
    const std::size_t start = m_lineStarts[line];
    const std::size_t end = lineEnd(line);
    if (encoding == PositionEncoding::Utf8) {
        if (position.character > end - start)
            return std::nullopt;
        const std::size_t at = start + static_cast<std::size_t>(position.character);
        if (at < end && isContinuation(m_text[at]))
            return std::nullopt;
        return at;
    }
    std::size_t at = start;
    std::uint64_t units = 0;
    while (units < position.character && at < end) {
        const std::size_t size = sequenceSize(static_cast<unsigned char>(m_text[at]));
        units += size == 4 ? 2 : 1;
        at += size;
    }
    if (units != position.character)  // past the line's end, or between a surrogate pair
        return std::nullopt;
    return at;
}

std::optional<Span> Document::spanOf(Range range, PositionEncoding encoding) const
{
    const std::optional<std::size_t> begin = offsetOf(range.start, encoding);
    const std::optional<std::size_t> end = offsetOf(range.end, encoding);
    if (!begin || !end || *begin > *end)
        return std::nullopt;
    return Span{*begin, *end};
}

Position Document::positionOf(std::size_t offset, PositionEncoding encoding) const
{
    offset = std::min(offset, m_text.size());
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const std::size_t line = static_cast<std::size_t>(next - m_lineStarts.begin()) - 1;
    const std::size_t start = m_lineStarts[line];
    if (encoding == PositionEncoding::Utf8)
        return {line, offset - start};
    std::uint64_t units = 0;
    for (std::size_t at = start; at < offset;) {
        const std::size_t size = sequenceSize(static_cast<unsigned char>(m_text[at]));
        units += size == 4 ? 2 : 1;
        at += size;
    }
    return {line, units};
}

Range Document::rangeOf(Span span, PositionEncoding encoding) const
{
    return {positionOf(span.begin, encoding), positionOf(span.end, encoding)};
}

void Document::replace(Span span, std::string_view text)
{
    m_text.replace(span.begin, span.end - span.begin, text);
    // Lines before the one holding the span (and a CR just before it,
    // which the new text may pair with an LF) keep their starts.
    const std::size_t from = span.begin == 0 ? 0 : span.begin - 1;
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), from);
    indexLines(static_cast<std::size_t>(next - m_lineStarts.begin()));
}

void Document::replaceAll(std::string text)
{
    m_text = std::move(text);
    indexLines(0);
}

}  // namespace tagora::lsp

#include "literal_finder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>

namespace tagora::lsp {
namespace {

// Joins are followed over at most this many strings each way, so that a
// caret in a huge run of joined strings still answers at once.
constexpr std::size_t kMostJoined = 10000;

bool isLineBreak(char c)
{
    return c == '\n' || c == '\r';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isQuote(char c, Quotes quotes)
{
    switch (quotes) {
    case Quotes::CStyle: return c == '"' || c == '\'';
    case Quotes::CStyleBacktick: return c == '"' || c == '\'' || c == '`';
    case Quotes::DoubleOnly:
    case Quotes::Basic: return c == '"';
    }
    return false;
}

bool startsComment(std::string_view line, std::size_t at, Quotes quotes)
{
    if (quotes == Quotes::Basic)
        return line[at] == '\'';
    if (quotes == Quotes::CStyle && line[at] == '#')
        return true;
    return line[at] == '/' && at + 1 < line.size() && line[at + 1] == '/';
}

// Where the string opening at `at` ends (after its closing quote), or
// npos when the line ends first.
std::size_t stringEnd(std::string_view line, std::size_t at, Quotes quotes)
{
    const char quote = line[at];
    for (std::size_t i = at + 1; i < line.size(); ++i) {
        if (quotes != Quotes::Basic && line[i] == '\\') {
            ++i;
            continue;
        }
        if (line[i] != quote)
            continue;
        if (quotes == Quotes::Basic && i + 1 < line.size() && line[i + 1] == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return std::string_view::npos;
}

struct Line {
    std::size_t begin;
    std::size_t end;
};

Line lineAround(std::string_view text, std::size_t at)
{
    std::size_t begin = at;
    while (begin > 0 && !isLineBreak(text[begin - 1]))
        --begin;
    std::size_t end = at;
    while (end < text.size() && !isLineBreak(text[end]))
        ++end;
    return {begin, end};
}

// The closed strings of the line that holds `at`, as spans of the text.
std::vector<Span> stringsOfLine(std::string_view text, std::size_t at, Quotes quotes)
{
    const Line bounds = lineAround(text, at);
    const std::string_view line = text.substr(bounds.begin, bounds.end - bounds.begin);
    std::vector<Span> strings;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (startsComment(line, i, quotes))
            break;
        if (!isQuote(line[i], quotes))
            continue;
        const std::size_t end = stringEnd(line, i, quotes);
        if (end == std::string_view::npos)
            break;
        strings.push_back({bounds.begin + i, bounds.begin + end});
        i = end - 1;
    }
    return strings;
}

bool isSpace(char c, bool acrossLines)
{
    return isBlank(c) || (acrossLines && isLineBreak(c));
}

std::size_t skipForward(std::string_view text, std::size_t at, bool acrossLines)
{
    while (at < text.size() && isSpace(text[at], acrossLines))
        ++at;
    return at;
}

std::size_t skipBackward(std::string_view text, std::size_t at, bool acrossLines)
{
    while (at > 0 && isSpace(text[at - 1], acrossLines))
        --at;
    return at;
}

bool sameLetters(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr std::array<std::string_view, 4> kVbConstants = {"vbCrLf", "vbLf", "vbCr", "vbNullChar"};

// The size of the VBScript constant at `at`, or 0.
std::size_t vbConstantAt(std::string_view text, std::size_t at)
{
    for (const std::string_view name : kVbConstants) {
        if (sameLetters(text.substr(at, name.size()), name)) {
            const std::size_t after = at + name.size();
            if (after == text.size() || !(std::isalnum(static_cast<unsigned char>(text[after])) || text[after] == '_'))
                return name.size();
        }
    }
    return 0;
}

// The same backwards: the size of the constant ending at `end`, or 0.
std::size_t vbConstantBefore(std::string_view text, std::size_t end)
{
    for (const std::string_view name : kVbConstants) {
        if (end >= name.size() && vbConstantAt(text, end - name.size()) == name.size())
            return name.size();
    }
    return 0;
}

// Where the join after a string ends (at the next string's quote), or
// npos when no join follows.
std::size_t joinForward(std::string_view text, std::size_t at, Quotes quotes)
{
    const bool basic = quotes == Quotes::Basic;
    at = skipForward(text, at, !basic);
    if (at >= text.size() || text[at] != (basic ? '&' : '+'))
        return std::string_view::npos;
    at = skipForward(text, at + 1, !basic);
    if (basic && at < text.size()) {
        if (const std::size_t constant = vbConstantAt(text, at)) {
            at = skipForward(text, at + constant, false);
            if (at >= text.size() || text[at] != '&')
                return std::string_view::npos;
            at = skipForward(text, at + 1, false);
        }
    }
    return at < text.size() && isQuote(text[at], quotes) ? at : std::string_view::npos;
}

// Where the join before a string begins (after the previous string's
// closing quote), or npos.
std::size_t joinBackward(std::string_view text, std::size_t at, Quotes quotes)
{
    const bool basic = quotes == Quotes::Basic;
    at = skipBackward(text, at, !basic);
    if (at == 0 || text[at - 1] != (basic ? '&' : '+'))
        return std::string_view::npos;
    at = skipBackward(text, at - 1, !basic);
    if (basic) {
        if (const std::size_t constant = vbConstantBefore(text, at)) {
            at = skipBackward(text, at - constant, false);
            if (at == 0 || text[at - 1] != '&')
                return std::string_view::npos;
            at = skipBackward(text, at - 1, false);
        }
    }
    return at > 0 && isQuote(text[at - 1], quotes) ? at : std::string_view::npos;
}

// The strings of each line looked at, each line read once: a long line
// of many joined strings is not read again for each of them.
class LineStrings {
public:
    LineStrings(std::string_view text, Quotes quotes) : m_text(text), m_quotes(quotes) {}

    const std::vector<Span>& around(std::size_t at)
    {
        auto found = m_lines.upper_bound(at);
        if (found != m_lines.begin() && at <= std::prev(found)->second.end)
            return std::prev(found)->second.strings;
        const Line line = lineAround(m_text, at);
        return m_lines.emplace(line.begin, Entry{line.end, stringsOfLine(m_text, at, m_quotes)}).first->second.strings;
    }

    std::optional<Span> startingAt(std::size_t at)
    {
        const std::vector<Span>& strings = around(at);
        const auto found = std::lower_bound(strings.begin(), strings.end(), at,
                                            [](Span string, std::size_t offset) { return string.begin < offset; });
        return found != strings.end() && found->begin == at ? std::optional<Span>(*found) : std::nullopt;
    }

    std::optional<Span> endingAt(std::size_t end)
    {
        const std::vector<Span>& strings = around(end - 1);
        const auto found = std::lower_bound(strings.begin(), strings.end(), end,
                                            [](Span string, std::size_t offset) { return string.end < offset; });
        return found != strings.end() && found->end == end ? std::optional<Span>(*found) : std::nullopt;
    }

private:
    std::string_view m_text;
    Quotes m_quotes;
    struct Entry {
        std::size_t end;  // of the line, before its line break
        std::vector<Span> strings;
    };
    std::map<std::size_t, Entry> m_lines;  // by the line's start
};

// A VBScript literal may end with "& vbCrLf" and no string after it.
std::size_t withFinalConstant(std::string_view text, std::size_t end)
{
    std::size_t at = skipForward(text, end, false);
    if (at >= text.size() || text[at] != '&')
        return end;
    at = skipForward(text, at + 1, false);
    const std::size_t constant = vbConstantAt(text, at);
    if (constant == 0)
        return end;
    const std::size_t after = skipForward(text, at + constant, false);
    return after < text.size() && text[after] == '&' ? end : at + constant;
}

Span joined(std::string_view text, Span string, Quotes quotes, LineStrings& lines)
{
    Span chain = string;
    for (std::size_t count = 0; count < kMostJoined; ++count) {
        const std::size_t next = joinForward(text, chain.end, quotes);
        const std::optional<Span> found = next == std::string_view::npos ? std::nullopt : lines.startingAt(next);
        if (!found)
            break;
        chain.end = found->end;
    }
    for (std::size_t count = 0; count < kMostJoined; ++count) {
        const std::size_t previous = joinBackward(text, chain.begin, quotes);
        const std::optional<Span> found =
            previous == std::string_view::npos ? std::nullopt : lines.endingAt(previous);
        if (!found)
            break;
        chain.begin = found->begin;
    }
    if (quotes == Quotes::Basic)
        chain.end = withFinalConstant(text, chain.end);
    return chain;
}

}  // namespace

std::vector<Span> literalCandidates(std::string_view text, std::size_t caret, Quotes quotes)
{
    caret = std::min(caret, text.size());
    LineStrings lines(text, quotes);
    for (const Span string : lines.around(caret)) {
        if (string.begin <= caret && caret <= string.end) {
            const Span chain = joined(text, string, quotes, lines);
            if (chain.begin == string.begin && chain.end == string.end)
                return {string};
            return {chain, string};
        }
    }
    return {};
}

}  // namespace tagora::lsp

#include "script_reader.h"

#include "script_writer/heredoc_label.h"
#include "script_writer/script_generator.h"
#include "script_writer/target_rules.h"
#include "script_writer/descriptions/all.h"
#include "input_text/byte_scan.h"
#include "input_text/utf8.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace tagora {
namespace {

// The descriptions' terms: Frame, Escapes, withLabel and the rest.
using namespace rules;

constexpr std::string_view kCrLf = "\r\n";
// What may stand around a literal: spaces, tabs and line breaks.
constexpr const char* kBlanks = " \t\r\n";
// The longest token a block edge may cut: a line break of the longest
// target, or the end of a script.
constexpr std::size_t kMaxToken = 160;
// UTF-8's byte-order mark, which an editor may put before the script.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kMaxLabel = 32;
// The start of a script is gathered until this much is there (or the
// script ends) before its target is looked for.
constexpr std::size_t kStartSize = 4096;

struct Description {
    const Frame& frame;
    const Escapes& escapes;
};

// The exact escaping's description: the reader takes what it writes, and
// version 1.0's PHP scripts where they print their text (see isPlainDollar).
Description descriptionOf(Target target, Form form)
{
    return rules::withDescription(target, Escaping::Exact, form, [](auto description) {
        using D = decltype(description);
        return Description{D::frame, D::escapes};
    });
}

bool isLabelCharacter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Matching the start of a script against a target's opening.
enum class Match { Yes, No, NeedMore };

class OpeningMatch {
public:
    OpeningMatch(std::string_view text, bool complete) : m_text(text), m_complete(complete) {}

    // The text goes on with the literal, each of its CR LFs written as a
    // CR LF or an LF.
    Match literal(std::string_view expected)
    {
        std::size_t at = m_at;
        for (std::size_t i = 0; i < expected.size(); ++i, ++at) {
            if (at == m_text.size())
                return m_complete ? Match::No : Match::NeedMore;
            if (m_text[at] == '\n' && expected.substr(i).starts_with(kCrLf))
                ++i;
            else if (m_text[at] != expected[i])
                return Match::No;
        }
        m_at = at;
        return Match::Yes;
    }

    // A whole line that starts with the prefix, whatever follows it.
    Match lineStartingWith(std::string_view prefix)
    {
        if (const Match start = literal(prefix); start != Match::Yes)
            return start;
        const std::size_t end = m_text.find('\n', m_at);
        if (end == std::string_view::npos)
            return m_complete ? Match::No : Match::NeedMore;
        m_at = end + 1;
        return Match::Yes;
    }

    // A heredoc label of letters, digits and "_".
    Match label(std::string& label)
    {
        return word(label, kMaxLabel, false, [](std::string_view) { return true; });
    }

    // A name the generators could have given the variable.
    Match variableName()
    {
        std::string name;
        return word(name, kLongestVariableName, true, isValidVariableName);
    }

    // Whether the text goes on with the literal; NeedMore when it is too
    // short to tell.
    Match startsWith(std::string_view expected) const
    {
        const std::string_view rest = m_text.substr(m_at);
        const std::size_t common = std::min(rest.size(), expected.size());
        if (rest.substr(0, common) != expected.substr(0, common))
            return Match::No;
        return common < expected.size() && !m_complete ? Match::NeedMore
               : common < expected.size()              ? Match::No
                                                       : Match::Yes;
    }

    std::size_t position() const { return m_at; }

private:
    // Letters, digits, "_" (and "$" if allowed), at most longest of them,
    // that the test accepts.
    template <class Test>
    Match word(std::string& word, std::size_t longest, bool allowDollar, Test accepts)
    {
        const std::size_t start = m_at;
        while (m_at < m_text.size() && m_at - start <= longest
               && (isLabelCharacter(m_text[m_at]) || (allowDollar && m_text[m_at] == '$')))
            ++m_at;
        if (m_at == m_text.size() && !m_complete)
            return Match::NeedMore;
        word = m_text.substr(start, m_at - start);
        if (m_at == start || m_at - start > longest || !accepts(word))
            return Match::No;
        return Match::Yes;
    }

    std::string_view m_text;
    bool m_complete;
    std::size_t m_at = 0;
};

// The header, preamble and opening of the target's scripts: the comment
// lines after the first one may say anything (the credits of another
// version), and a script may have none of them.
Match matchOpening(const Frame& frame, std::string_view text, bool complete, std::size_t& consumed,
                   std::string& label)
{
    OpeningMatch match(text, complete);
    Match result = Match::Yes;
    const auto then = [&result](auto step) {
        if (result == Match::Yes)
            result = step();
    };
    if (!frame.firstLine.empty()) {
        then([&] { return match.literal(frame.firstLine); });
        then([&] { return match.literal(kCrLf); });
    }
    const std::string generated =
        std::string(frame.commentPrefix).append(frame.generatedBy).append(" generated by ");
    const Match commented = result == Match::Yes && !frame.commentPrefix.empty() ? match.startsWith(generated)
                                                                                  : Match::No;
    if (commented == Match::NeedMore)
        return Match::NeedMore;
    if (commented == Match::Yes) {
        then([&] { return match.lineStartingWith(generated); });
        then([&] { return match.lineStartingWith(frame.commentPrefix); });
        then([&] { return match.lineStartingWith(frame.commentPrefix); });
        then([&] { return match.literal(kCrLf); });
    }
    then([&] { return match.literal(frame.preamble); });
    const std::string_view open = frame.open;
    const std::size_t placeholder = std::min(open.find(kLabelPlaceholder), open.find(rules::kNamePlaceholder));
    if (placeholder == std::string_view::npos) {
        then([&] { return match.literal(open); });
    } else {
        const bool isLabel = open.substr(placeholder).starts_with(kLabelPlaceholder);
        const std::size_t placeholderSize = isLabel ? kLabelPlaceholder.size() : rules::kNamePlaceholder.size();
        then([&] { return match.literal(open.substr(0, placeholder)); });
        then([&] { return isLabel ? match.label(label) : match.variableName(); });
        then([&] { return match.literal(open.substr(placeholder + placeholderSize)); });
    }
    consumed = match.position();
    return result;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;  // the generators write upper case only
}

// The value of the digits, or -1 when one is not a digit of the base.
long digitsValue(std::string_view digits, int base)
{
    long value = 0;
    for (const char c : digits) {
        const int digit = base == 16 ? hexValue(c) : (c >= '0' && c <= '7' ? c - '0' : -1);
        if (digit < 0)
            return -1;
        value = value * base + digit;
    }
    return value;
}

// Where the reader stands in the script, for messages: a line ends at a
// CR LF, an LF or a CR; a column is a character.
class Position {
public:
    void advance(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        const std::size_t lastBreak = bytes.find_last_of("\r\n");
        if (lastBreak != std::string_view::npos) {
            m_line += lineBreaks(bytes) - (m_afterCr && bytes.front() == '\n' ? 1 : 0);
            m_column = 1;
        }
        const std::string_view tail = lastBreak == std::string_view::npos ? bytes : bytes.substr(lastBreak + 1);
        for (const char byte : tail)
            m_column += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
        m_afterCr = bytes.back() == '\r';
    }
    std::size_t line() const { return m_line; }
    std::size_t column() const { return m_column; }

private:
    // CRs and LFs, a CR LF counted once.
    static std::size_t lineBreaks(std::string_view bytes)
    {
        const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
        return scan::countLineBreaks(begin, begin + bytes.size());
    }

    std::size_t m_line = 1;
    std::size_t m_column = 1;
    bool m_afterCr = false;
};

}  // namespace

// The text between a script's opening and its end, and what may follow
// the end.
class ScriptReader::Body {
public:
    Body(Target target, std::string_view label, Form form)
        : m_description(descriptionOf(target, form)), m_label(label)
    {
        if (needsHeredocLabel(target))
            m_heredoc.emplace();
        const Frame& frame = m_description.frame;
        std::string end = withLabel(frame.close, label);
        if (!frame.footer.empty())
            end.append(kCrLf).append(frame.footer);
        const std::string_view printedBreak = form == Form::Literal ? kCrLf : targetInfo(target).printedLineBreak;
        m_tokens.push_back({end, {}, true});
        const std::pair<std::string_view, std::string_view> endsAfterBreaks[] = {
            {frame.endAfterLf, "\n"}, {frame.endAfterCrLf, kCrLf}, {frame.endAfterCr, "\r"}};
        for (const auto& [text, lineBreak] : endsAfterBreaks) {
            if (!text.empty())
                m_tokens.push_back({withLabel(text, label), std::string(lineBreak), true});
        }
        m_tokens.push_back({std::string(frame.lineBreak), std::string(printedBreak), false});
        if (frame.maxStatements != 0) {  // a string split, a new part: nothing printed
            m_tokens.push_back({std::string(frame.split), {}, false});
            m_tokens.push_back({rules::partBreak(frame), {}, false});
        }
        for (unsigned c = 0; c < 128; ++c) {
            if (!escapes().ascii[c].empty())
                m_tokens.push_back({std::string(escapes().ascii[c]), std::string(1, char(c)), false});
        }
        for (const rules::Pair& pair : escapes().pairs) {
            if (pair.first != 0)
                m_tokens.push_back({std::string(pair.text), std::string{pair.first, pair.second}, false});
        }
        addLineFeedVariants();
        std::stable_sort(m_tokens.begin(), m_tokens.end(),
                         [](const Token& a, const Token& b) { return a.text.size() > b.text.size(); });
        for (const Token& token : m_tokens)
            m_tokensStartingWith[static_cast<unsigned char>(token.text.front())].push_back(&token);
        const bool escapesStartWithBackslash = escapes().controls != ControlForm::Copy || escapes().beyond != Beyond::Copy;
        for (unsigned byte = 0; byte < 256; ++byte) {
            const bool startsSomething = !m_tokensStartingWith[byte].empty() || (byte == '\\' && escapesStartWithBackslash);
            m_plain[byte] = !startsSomething && (byte < 0x80 ? isPlainAscii(byte) : isPlainBeyondAscii(byte));
        }
        prepareScan();
    }

    // Reads as much of the text as can be told; returns how many bytes it
    // took, or npos at something no script of the target holds (error()
    // says what).
    std::size_t read(std::string_view text, bool final, char*& out)
    {
        const bool wasEnded = m_ended;
        char* const start = out;
        std::size_t at = 0;
        while (at < text.size()) {
            std::size_t taken = 0;
            const Step step = m_ended ? trailing(text.substr(at), final, taken, out)
                                      : next(text.substr(at), final, taken, out);
            if (step == Step::Wrong) {
                m_failedAt = at + m_wrongOffset;
                return std::string_view::npos;
            }
            if (step == Step::NeedMore)
                break;
            at += taken;
        }
        if (!wasEnded && !scanHeredoc(start, m_ended ? m_endedAt : out))
            return std::string_view::npos;
        if (final && !m_ended && at == text.size())
            m_problem = "the script ends before its text does";
        if (final)
            out = flushSurrogate(out);
        return at;
    }

    bool ended() const { return m_ended; }
    // Where in the text given to read() it found what it did not take.
    std::size_t failedAt() const { return m_failedAt; }
    const std::string& problem() const { return m_problem; }

private:
    enum class Step { Taken, NeedMore, Wrong };
    struct Token {
        std::string text;
        std::string printed;
        bool end;
    };

    const Escapes& escapes() const { return m_description.escapes; }

    // A script saved with LF line ends: each CR LF of a token may be an LF.
    // Where the token is a line break of the text itself (a nowdoc's), it
    // prints as it is written.
    void addLineFeedVariants()
    {
        const std::size_t count = m_tokens.size();
        m_tokens.reserve(2 * count);  // no token moves while its variant is added
        for (std::size_t i = 0; i < count; ++i) {
            const Token& token = m_tokens[i];
            const std::string text = withLineFeeds(token.text);
            if (text != token.text)
                m_tokens.push_back({text, token.printed == token.text ? text : token.printed, token.end});
        }
    }

    static std::string withLineFeeds(std::string_view text)
    {
        std::string result;
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (!text.substr(at).starts_with(kCrLf))
                result += text[at];
        }
        return result;
    }

    Step wrong(std::string problem)
    {
        m_problem = std::move(problem);
        return Step::Wrong;
    }

    Step next(std::string_view text, bool final, std::size_t& taken, char*& out)
    {
        const auto c = static_cast<unsigned char>(text[0]);
        if (m_plain[c]) {
            const std::size_t run = plainRun(text);
            out = flushSurrogate(out);
            std::memcpy(out, text.data(), run);
            out += run;
            taken = run;
            return Step::Taken;
        }
        if (!m_tokensStartingWith[c].empty()) {
            const Step step = token(text, final, taken, out);
            if (step != Step::Wrong || !m_problem.empty())
                return step;
        }
        if (c == '\\' && (escapes().controls != ControlForm::Copy || escapes().beyond != Beyond::Copy))
            return escape(text, final, taken, out);
        return raw(text, final, taken, out);
    }

    // Wrong with no problem: no token starts here.
    Step token(std::string_view text, bool final, std::size_t& taken, char*& out)
    {
        for (const Token* candidate : m_tokensStartingWith[static_cast<unsigned char>(text.front())]) {
            const Token& token = *candidate;
            if (token.text.size() > 1 && text.size() > 1 && token.text[1] != text[1])
                continue;
            const std::size_t common = std::min(text.size(), token.text.size());
            if (!startsAlike(text.data(), token.text.data(), common))
                continue;
            if (common < token.text.size()) {
                if (!final)
                    return Step::NeedMore;
                continue;
            }
            if (token.end && isLabelCharacter(static_cast<unsigned char>(token.text.back()))) {
                // A nowdoc's label ends where no label character follows.
                if (text.size() == token.text.size() && !final)
                    return Step::NeedMore;
                const auto after = static_cast<unsigned char>(text.size() > token.text.size() ? text[token.text.size()] : ' ');
                if (isLabelCharacter(after) || after >= 0x80)  // PHP's labels take any byte beyond ASCII
                    continue;
            }
            taken = token.text.size();
            if (!token.end && token.printed.empty())  // a surrogate pair may go on after it
                return Step::Taken;
            out = flushSurrogate(out);
            for (const char c : token.printed)  // one character, mostly
                *out++ = c;
            if (token.end) {
                m_ended = true;
                m_endedAt = out;
            }
            taken = token.text.size();
            return Step::Taken;
        }
        return Step::Wrong;
    }

    // Tokens are short: compared byte by byte rather than by a call.
    static bool startsAlike(const char* a, const char* b, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i) {
            if (a[i] != b[i])
                return false;
        }
        return true;
    }

    // \xNN, \u00NN or \NNN for a control character, \uXXXX beyond ASCII.
    Step escape(std::string_view text, bool final, std::size_t& taken, char*& out)
    {
        if (text.size() < 2)
            return final ? wrong("a backslash at the end of the script") : Step::NeedMore;
        const char kind = text[1];
        std::size_t first = 2;  // where the digits start, in what base, how many
        int base = 16;
        std::size_t digits = 4;
        if (kind == 'x' && escapes().controls == ControlForm::HexByte) {
            digits = 2;
        } else if (kind >= '0' && kind <= '3' && escapes().controls == ControlForm::Octal) {
            first = 1;
            base = 8;
            digits = 3;
        } else if (kind != 'u') {
            return wrong(std::string("an escape \\") + kind + " that no script of this kind holds");
        }
        const std::size_t length = first + digits;
        if (text.size() < length)
            return final ? wrong("the script ends inside an escape") : Step::NeedMore;
        const long value = digitsValue(text.substr(first, digits), base);
        if (value < 0)
            return wrong("an escape with a wrong digit");
        taken = length;
        const bool controlForm = kind != 'u' || escapes().controls == ControlForm::Unicode;
        if (value < 0x20 && controlForm && isEscapedControl(static_cast<unsigned>(value))) {
            out = flushSurrogate(out);
            *out++ = static_cast<char>(value);
            return Step::Taken;
        }
        if (kind == 'u' && value >= 0x80 && isEscapedBeyond(static_cast<char32_t>(value))) {
            out = putUnit(static_cast<char16_t>(value), out);
            return Step::Taken;
        }
        return wrong("an escape of a character that no script of this kind escapes");
    }

    Step raw(std::string_view text, bool final, std::size_t& taken, char*& out)
    {
        const auto c = static_cast<unsigned char>(text[0]);
        const bool last = text.size() == 1;
        taken = 1;
        if (c < 0x80) {
            if (last && !final && needsNext(c))
                return Step::NeedMore;
            const char next = last ? '\0' : text[1];
            if (!escapes().ascii[c].empty() && !isPlainDollar(c, next, last))
                return wrong(describe(c) + " that is not escaped");
            if (c < 0x20 && isEscapedControl(c))
                return wrong("a control character that is not escaped");
            if (c == '\r' && next == '\n')
                return wrong("a line break inside a string");
            for (const rules::Pair& pair : escapes().pairs) {
                if (pair.first != 0 && c == static_cast<unsigned char>(pair.first) && next == pair.second)
                    return wrong(std::string("\"") + pair.first + pair.second + "\" that is not escaped");
            }
        } else if (escapes().beyond == Beyond::All) {
            return wrong("a character beyond ASCII that is not escaped");
        } else if (escapes().beyond == Beyond::LineSeparators && c == 0xE2) {
            if (text.size() < 3 && !final)
                return Step::NeedMore;
            if (text.size() >= 3 && static_cast<unsigned char>(text[1]) == 0x80
                && (static_cast<unsigned char>(text[2]) == 0xA8 || static_cast<unsigned char>(text[2]) == 0xA9))
                return wrong("a line or paragraph separator that is not escaped");
        }
        out = flushSurrogate(out);
        *out++ = static_cast<char>(c);
        return Step::Taken;
    }

    // After the end of the script: PHP swallows one line break after "?>"
    // and prints the rest, ASP and JSP print it, other languages print
    // nothing, so only blank space may follow there. No code may follow.
    Step trailing(std::string_view text, bool final, std::size_t& taken, char*& out)
    {
        const std::string_view footer = m_description.frame.footer;
        if (footer.empty()) {
            if (const std::size_t found = text.find_first_not_of(kBlanks); found != std::string_view::npos) {
                m_wrongOffset = found;
                return wrong("something after the end of the script");
            }
            taken = text.size();
            return Step::Taken;
        }
        std::size_t at = 0;
        if (footer == "?>" && !m_swallowChecked) {
            if (text.size() < 2 && text[0] == '\r' && !final)
                return Step::NeedMore;
            at = text.starts_with(kCrLf) ? 2 : (text[0] == '\r' || text[0] == '\n') ? 1 : 0;
            m_swallowChecked = true;
        }
        const std::string_view rest = text.substr(at);
        if (!rest.empty() && rest.back() == '<' && !final) {
            taken = at + rest.size() - 1;
            if (taken == 0)
                return Step::NeedMore;
            std::memcpy(out, rest.data(), rest.size() - 1);
            out += rest.size() - 1;
            return Step::Taken;
        }
        const std::string opening = footer == "?>" ? "<?" : "<%";
        if (rest.find(opening) != std::string_view::npos)
            return wrong("code after the end of the script");
        std::memcpy(out, rest.data(), rest.size());
        out += rest.size();
        taken = text.size();
        return Step::Taken;
    }

    // A nowdoc's text, as it is read: no line of it may close the label
    // before the end does.
    bool scanHeredoc(const char* from, const char* to)
    {
        if (!m_heredoc)
            return true;
        m_heredoc->feed(std::string_view(from, static_cast<std::size_t>(to - from)));
        if (m_ended && m_heredoc->closes(m_label)) {
            m_problem = "a line of the text ends the nowdoc early";
            return false;
        }
        return true;
    }

    bool isPlainAscii(unsigned char c) const
    {
        if (c < 0x20)
            return c != '\r' && !isEscapedControl(c) && escapes().ascii[c].empty();
        if (!escapes().ascii[c].empty())
            return false;
        for (const rules::Pair& pair : escapes().pairs) {
            if (pair.first != 0 && c == static_cast<unsigned char>(pair.first))
                return false;
        }
        return true;
    }

    // How many bytes from the start are plain. The scan stops at the bytes
    // that may not be (the few that start tokens, control characters, bytes
    // beyond ASCII, as the target has them), and each found is looked up.
    std::size_t plainRun(std::string_view text) const
    {
        const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
        const auto* const end = begin + text.size();
        const auto* at = begin;
        if (m_tooManyStops) {
            while (at < end && m_plain[*at])
                ++at;
        } else {
            while ((at = scan::findFirst(m_stops, at, end)) != end && m_plain[*at])
                ++at;
        }
        return static_cast<std::size_t>(at - begin);
    }

    // The stops plainRun() scans for: every byte that is not plain is
    // among them.
    void prepareScan()
    {
        for (unsigned byte = 0; byte < 256; ++byte) {
            if (m_plain[byte])
                continue;
            if (byte < 0x20)
                m_stops.controls = true;
            else if (byte >= 0x80)
                m_stops.beyondAscii = true;
            else if (!m_stops.add(static_cast<unsigned char>(byte)))
                m_tooManyStops = true;
        }
    }

    bool isPlainBeyondAscii(unsigned char byte) const
    {
        return escapes().beyond == Beyond::Copy || (escapes().beyond == Beyond::LineSeparators && byte != 0xE2);
    }

    bool needsNext(unsigned char c) const
    {
        if (c == '\r' || (c == '$' && escapes().bareDollarPrintsItself))
            return true;
        return std::any_of(escapes().pairs.begin(), escapes().pairs.end(), [c](const rules::Pair& pair) {
            return pair.first != 0 && c == static_cast<unsigned char>(pair.first);
        });
    }

    // PHP prints a "$" as it is where no variable name or "{" follows: so
    // version 1.0's scripts read too, unless they print a variable.
    bool isPlainDollar(unsigned char c, char next, bool last) const
    {
        if (c != '$' || !escapes().bareDollarPrintsItself)
            return false;
        const auto n = static_cast<unsigned char>(next);
        return last || !(n == '{' || n == '_' || n >= 0x80 || (n >= 'a' && n <= 'z') || (n >= 'A' && n <= 'Z'));
    }

    bool isEscapedControl(unsigned c) const
    {
        return escapes().controls != ControlForm::Copy && escapes().keptControls.find(char(c)) == std::string_view::npos
               && escapes().ascii[c].empty() && c != '\r';
    }

    bool isEscapedBeyond(char32_t unit) const
    {
        if (escapes().beyond == Beyond::All)
            return true;
        return escapes().beyond == Beyond::LineSeparators
               && (unit == 0x2028 || unit == 0x2029 || (unit >= 0xD800 && unit <= 0xDFFF));
    }

    static std::string describe(unsigned char c)
    {
        if (c == '\r')
            return "a CR";
        if (c == '\n')
            return "an LF";
        if (c == '\t')
            return "a TAB";
        return std::string("\"") + char(c) + "\"";
    }

    // A UTF-16 code unit of a \u escape: a high surrogate waits for its
    // low half; one without its other half prints as U+FFFD.
    char* putUnit(char16_t unit, char* out)
    {
        if (unit >= 0xDC00 && unit <= 0xDFFF && m_highSurrogate != 0) {
            const char32_t c = 0x10000 + ((char32_t(m_highSurrogate) - 0xD800) << 10) + (unit - 0xDC00);
            m_highSurrogate = 0;
            return utf8::encode(c, out);
        }
        out = flushSurrogate(out);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            m_highSurrogate = unit;
            return out;
        }
        return utf8::encode(unit >= 0xDC00 && unit <= 0xDFFF ? 0xFFFD : unit, out);
    }

    char* flushSurrogate(char* out)
    {
        if (m_highSurrogate == 0)
            return out;
        m_highSurrogate = 0;
        return utf8::encode(0xFFFD, out);
    }

    Description m_description;
    std::string m_label;
    std::vector<Token> m_tokens;
    std::array<std::vector<const Token*>, 256> m_tokensStartingWith;
    std::array<bool, 256> m_plain{};  // copied as it is, whatever follows
    // The bytes that are not plain, or, when the ASCII ones beyond controls
    // are too many for the set, a byte-by-byte look-up instead.
    scan::StopSet m_stops;
    bool m_tooManyStops = false;
    char16_t m_highSurrogate = 0;
    std::optional<HeredocLabelScan<char>> m_heredoc;  // for a text in a heredoc
    char* m_endedAt = nullptr;  // where the printed text ends
    bool m_ended = false;
    bool m_swallowChecked = false;
    std::string m_problem;
    std::size_t m_failedAt = 0;
    std::size_t m_wrongOffset = 0;  // from the failed step's start
};

struct ScriptReader::State {
    std::optional<Target> forced;
    Form form = Form::Script;
    Target target = Target::Php;
    std::unique_ptr<Body> body;
    std::string pending;  // the start, until the target is known; then a cut token
    Position position;
    ScriptReadError error;
    bool failed = false;
    bool markSkipped = false;  // a byte-order mark before the script
};

ScriptReader::ScriptReader(std::optional<Target> target, Form form) : m(std::make_unique<State>())
{
    m->forced = target;
    m->form = form;
}

ScriptReader::~ScriptReader() = default;

std::size_t ScriptReader::maxFeedSize(std::size_t blockSize)
{
    return blockSize + kStartSize + kMaxToken;
}

std::optional<Target> ScriptReader::target() const
{
    return m->body ? std::optional<Target>(m->target) : std::nullopt;
}

const ScriptReadError& ScriptReader::error() const
{
    return m->error;
}

char* ScriptReader::fail(std::string message)
{
    if (m->form == Form::Literal) {  // the body's messages speak of scripts
        for (const auto& [script, literal] : {std::pair{"the script", "the literal"}, {"no script", "no literal"}}) {
            if (const std::size_t at = message.find(script); at != std::string::npos)
                message.replace(at, std::string_view(script).size(), literal);
        }
    }
    m->failed = true;
    m->error = {m->position.line(), m->position.column(), std::move(message)};
    return nullptr;
}

// Once enough of the start is there, the target whose opening it is; the
// rest of the start is then read as the body.
char* ScriptReader::startBody(bool final, char* out)
{
    if (!m->markSkipped) {
        if (!final && kByteOrderMark.starts_with(m->pending))
            return out;
        if (std::string_view(m->pending).starts_with(kByteOrderMark))
            m->pending.erase(0, kByteOrderMark.size());
        m->markSkipped = true;
    }
    if (m->form == Form::Literal && !skipBlanks(final))
        return out;
    const bool complete = final || m->pending.size() >= kStartSize;
    bool waiting = false;
    for (const TargetInfo& info : targets()) {
        if (m->forced && *m->forced != info.target)
            continue;
        std::size_t consumed = 0;
        std::string label;
        const Match match = matchOpening(descriptionOf(info.target, m->form).frame, m->pending, complete, consumed, label);
        waiting = waiting || match == Match::NeedMore;
        if (match != Match::Yes)
            continue;
        if (needsHeredocLabel(info.target) && !label.starts_with(kHeredocLabelStem))
            continue;
        m->target = info.target;
        m->body = std::make_unique<Body>(info.target, label, m->form);
        m->position.advance(std::string_view(m->pending).substr(0, consumed));
        const std::string rest = m->pending.substr(consumed);
        m->pending.clear();
        return read(rest, final, out);
    }
    if (waiting && !complete)
        return out;
    if (m->form == Form::Literal)
        return fail(m->forced ? "not a " + std::string(targetInfo(*m->forced).name) + " string literal"
                              : "not a string literal");
    return fail(m->forced ? "not one of this program's " + std::string(targetInfo(*m->forced).name) + " scripts"
                          : "not a script this program wrote");
}

// Blank space before a literal is passed over; false while the start
// holds nothing else and more may come.
bool ScriptReader::skipBlanks(bool final)
{
    const std::size_t start = m->pending.find_first_not_of(kBlanks);
    if (start == std::string::npos && !final) {
        m->position.advance(m->pending);
        m->pending.clear();
        return false;
    }
    const std::size_t blanks = std::min(start, m->pending.size());
    m->position.advance(std::string_view(m->pending).substr(0, blanks));
    m->pending.erase(0, blanks);
    return true;
}

// What the text prints; an undecided end is kept for the next block.
char* ScriptReader::read(std::string_view text, bool final, char* out)
{
    const std::size_t taken = m->body->read(text, final, out);
    if (taken == std::string_view::npos || (final && !m->body->problem().empty())) {
        m->position.advance(taken == std::string_view::npos ? text.substr(0, m->body->failedAt()) : text);
        return fail(m->body->problem());
    }
    m->position.advance(text.substr(0, taken));
    m->pending.assign(text.substr(taken));
    if (m->pending.size() > kMaxToken)
        return fail("the script cannot be read here");
    return out;
}

char* ScriptReader::feed(std::string_view block, char* out)
{
    if (m->failed)
        return nullptr;
    if (!m->body) {
        m->pending.append(block);
        return startBody(false, out);
    }
    // A token cut by the last block's end is read with the start of this
    // one; while the block is that short, it is all added to it.
    while (!m->pending.empty() && !block.empty()) {
        const std::size_t added = std::min(block.size(), kMaxToken);
        const std::string joined = m->pending + std::string(block.substr(0, added));
        out = read(joined, false, out);
        if (!out)
            return nullptr;
        const std::size_t left = m->pending.size();
        if (left >= added) {
            block.remove_prefix(added);
            continue;
        }
        m->pending.clear();
        block.remove_prefix(added - left);
    }
    return block.empty() ? out : read(block, false, out);
}

char* ScriptReader::finish(char* out)
{
    if (m->failed)
        return nullptr;
    if (!m->body)
        return startBody(true, out);
    const std::string rest = std::move(m->pending);
    m->pending.clear();
    return read(rest, true, out);
}

ReadScript readScript(std::string_view script, std::optional<Target> target, Form form)
{
    ScriptReader reader(target, form);
    std::string printed(ScriptReader::maxFeedSize(script.size()) + ScriptReader::kMaxFinishSize, '\0');
    char* end = reader.feed(script, printed.data());
    if (end)
        end = reader.finish(end);
    if (!end)
        return {reader.target(), std::nullopt, reader.error()};
    printed.resize(static_cast<std::size_t>(end - printed.data()));
    return {reader.target(), std::move(printed), {}};
}

namespace {

bool isFurther(const ScriptReadError& a, const ScriptReadError& b)
{
    return a.line != b.line ? a.line > b.line : a.column > b.column;
}

// The targets' readings of one literal: those that read it, and the
// error of the one that read furthest otherwise.
struct Readings {
    std::vector<ReadScript> read;
    std::optional<ReadScript> lastRead;  // of the target whose literals are read last
    ScriptReadError furthest;
};

bool readsLast(Target target)
{
    return rules::withDescription(target, Escaping::Exact, [](auto description) {
        return decltype(description)::literal.readLast;
    });
}

Readings readingsOf(std::string_view literal)
{
    Readings readings;
    for (const TargetInfo& info : targets()) {
        ReadScript read = readScript(literal, info.target, Form::Literal);
        if (!read.printed) {
            if (readings.furthest.message.empty() || isFurther(read.error, readings.furthest))
                readings.furthest = read.error;
        } else if (readsLast(info.target)) {
            readings.lastRead = std::move(read);
        } else {
            readings.read.push_back(std::move(read));
        }
    }
    return readings;
}

}  // namespace

ReadScript readLiteral(std::string_view literal, std::optional<Target> target)
{
    if (target)
        return readScript(literal, target, Form::Literal);
    Readings readings = readingsOf(literal);
    if (readings.read.empty() && readings.lastRead)
        return std::move(*readings.lastRead);
    if (readings.read.empty()) {
        if (readings.furthest.line == 1 && readings.furthest.column == 1)
            readings.furthest.message = "not a string literal";
        return {std::nullopt, std::nullopt, readings.furthest};
    }
    for (const ReadScript& other : readings.read) {
        if (other.printed != readings.read.front().printed) {
            const std::string first(targetInfo(*readings.read.front().target).name);
            return {std::nullopt, std::nullopt,
                    {1, 1, "the literal reads differently in " + first + " and " + std::string(targetInfo(*other.target).name)
                               + ": name its language"}};
        }
    }
    return std::move(readings.read.front());
}

}  // namespace tagora

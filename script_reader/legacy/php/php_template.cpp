#include "php_template.h"

#include "php_lexer.h"
#include "php_includes.h"
#include "php_print_hazards.h"
#include "php_syntax_check.h"
#include "input_text/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace tagora {
namespace {

using php::isName;
using php::isPunct;
using php::kNoLink;
using php::SourceError;
using php::Token;
using php::TokenKind;

struct Segment {
    enum class Kind { Text, Expression, Code };
    Kind kind = Kind::Text;
    std::string text;  // HTML; the expression; the code without the whitespace around it
    std::string_view lead = " ";   // code: the whitespace after "<?php"
    std::string_view trail = " ";  // code: the whitespace before "?>"
    bool closed = false;           // code: the file closed it with "?>"
    bool newlineAfter = false;     // its "?>" is followed by a line break, which PHP swallows
    bool endsInComment = false;    // code: a comment, which may run to the end of the line, ends it
};

constexpr const char* kSpaces = " \t\r\n";

bool isLineBreak(char c)
{
    return c == '\n' || c == '\r';
}

std::string trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kSpaces);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(kSpaces) + 1 - first));
}

// The line break a text starts with: CR LF, LF, CR or none.
std::string_view leadingLineBreak(std::string_view text)
{
    if (text.starts_with("\r\n"))
        return text.substr(0, 2);
    return !text.empty() && isLineBreak(text[0]) ? text.substr(0, 1) : std::string_view();
}

// The first line break of the file, for the ones the template adds.
std::string_view fileLineBreak(std::string_view script)
{
    const std::size_t first = script.find_first_of("\r\n");
    return first == std::string_view::npos ? "\n" : leadingLineBreak(script.substr(first));
}

// After "<?php": the last line break of the whitespace before the code and
// the indentation that follows it, or a space.
std::string_view leadOf(std::string_view whitespace)
{
    const std::size_t last = whitespace.find_last_of("\r\n");
    if (last == std::string_view::npos)
        return " ";
    const std::size_t start = whitespace[last] == '\n' && last > 0 && whitespace[last - 1] == '\r' ? last - 1 : last;
    return whitespace.substr(start);
}

// Before "?>": the first line break of the whitespace after the code, or a space.
std::string_view trailOf(std::string_view whitespace)
{
    const std::size_t first = whitespace.find_first_of("\r\n");
    return first == std::string_view::npos ? " " : leadingLineBreak(whitespace.substr(first));
}

// Operators and keywords that bind less tightly than ".": an operand of
// echo that holds one at its top level is one expression.
bool bindsLooserThanConcatenation(const Token& token, std::string_view script)
{
    static constexpr std::array<std::string_view, 33> operators{
        "=",   "+=",  "-=", "*=", "/=", ".=", "%=",  "**=", "&=", "|=", "^=",
        "<<=", ">>=", "?\?=", "==", "!=", "<>", "===", "!==", "<",  ">",  "<=",
        ">=",  "<=>", "&",  "|",  "^",  "&&", "||",  "??",  "?",  ":",  "=>",
    };
    static constexpr std::array<std::string_view, 12> keywords{
        "and",     "or",           "xor",     "print",        "yield", "throw",
        "include", "include_once", "require", "require_once", "fn",    "function",
    };
    if (token.kind == TokenKind::Punct)
        return std::any_of(operators.begin(), operators.end(),
                           [&](std::string_view op) { return isPunct(token, script, op); });
    return std::any_of(keywords.begin(), keywords.end(),
                       [&](std::string_view keyword) { return isName(token, script, keyword); });
}

bool isOpening(const Token& token, std::string_view script)
{
    if (opensStringOrInterpolation(token.kind))
        return true;
    return token.kind == TokenKind::Punct
           && (isPunct(token, script, "(") || isPunct(token, script, "[") || isPunct(token, script, "{")
               || isPunct(token, script, "#["));
}

bool isClosing(const Token& token, std::string_view script)
{
    return isPunct(token, script, ")") || isPunct(token, script, "]") || isPunct(token, script, "}");
}

// What PHP prints for an integer literal (decimal, 0x, 0o, 0 or 0b, with
// or without "_"); nothing for one beyond 64 bits, which is a float.
std::optional<std::string> integerText(std::string_view literal)
{
    std::string digits;
    std::copy_if(literal.begin(), literal.end(), std::back_inserter(digits), [](char c) { return c != '_'; });
    const char prefix = digits.size() > 1 && digits[0] == '0' ? static_cast<char>(digits[1] | 0x20) : '\0';
    const int base = prefix == 'x' ? 16 : prefix == 'b' ? 2 : prefix != '\0' ? 8 : 10;  // "0…" is octal
    const std::size_t start = prefix == 'x' || prefix == 'b' || prefix == 'o' ? 2 : 0;
    if (base == 10 && digits.find_first_of(".eE") != std::string::npos)
        return std::nullopt;  // a float
    std::uint64_t value = 0;
    for (std::size_t i = start; i < digits.size(); ++i) {
        const char c = static_cast<char>(digits[i] | 0x20);
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : base;
        if (digit >= base || value > (std::uint64_t(INT64_MAX) - std::uint64_t(digit)) / std::uint64_t(base))
            return std::nullopt;  // beyond 64 bits: a float
        value = value * std::uint64_t(base) + std::uint64_t(digit);
    }
    return std::to_string(value);
}

// Writes segments as a template as they come, holding back the last one
// (a text may go on, code may be merged with the next, the last code needs
// no "?>"). Text is written as it is, except that "<?" (which would open
// PHP code) is written as an expression, and a line break right after a
// "?>" is doubled, since PHP swallows one.
class TemplateWriter {
public:
    // `expectedSize`: room made for the template at once, so that it is not
    // copied as it grows (pages of the room not written to take no memory).
    TemplateWriter(std::string_view lineBreak, std::size_t expectedSize) : m_lineBreak(lineBreak)
    {
        m_out.reserve(expectedSize);
    }

    void text(std::string_view html)
    {
        if (html.empty())
            return;
        if (m_pending.kind != Segment::Kind::Text)
            writePending(false);
        m_pending.kind = Segment::Kind::Text;
        m_pending.text += html;
    }

    void expression(std::string expression)
    {
        writePending(false);
        m_pending = {Segment::Kind::Expression, std::move(expression)};
    }

    void code(Segment segment)
    {
        if (m_pending.kind == Segment::Kind::Code && !m_pending.closed) {
            // only an echo statement that printed nothing came between
            const bool sameLine = !isLineBreak(segment.lead[0]);
            m_pending.text.append(m_pending.endsInComment && sameLine ? m_lineBreak : segment.lead).append(segment.text);
            m_pending.endsInComment = segment.endsInComment;
            m_pending.trail = segment.trail;
            m_pending.closed = segment.closed;
            m_pending.newlineAfter = segment.newlineAfter;
            return;
        }
        writePending(false);
        m_pending = std::move(segment);
    }

    // The "?>" of the last expression or code is followed by a line break.
    void newlineAfterLast()
    {
        if (m_pending.kind != Segment::Kind::Text)
            m_pending.newlineAfter = true;
    }

    std::string finish()
    {
        writePending(true);
        if (m_afterCloseTag && m_newlinePending)
            m_out += m_lineBreak;
        return std::move(m_out);
    }

private:
    void writePending(bool last)
    {
        switch (m_pending.kind) {
        case Segment::Kind::Text:
            writeText(m_pending.text);
            break;
        case Segment::Kind::Expression:
            openTag("<?= ");
            m_out += m_pending.text;
            closeTag(" ", m_pending.newlineAfter);
            break;
        case Segment::Kind::Code:
            openTag("<?php");
            m_out.append(m_pending.lead).append(m_pending.text);
            if (!last || m_pending.closed)
                closeTag(m_pending.trail, m_pending.newlineAfter);
            else if (isLineBreak(m_pending.trail[0]))
                m_out += m_pending.trail;
        }
        m_pending = {};
    }

    void writeText(std::string_view html)
    {
        for (std::size_t tag; (tag = html.find("<?")) != std::string_view::npos; html.remove_prefix(tag + 2)) {
            plainText(html.substr(0, tag));
            openTag("<?= '<?'");
            closeTag(" ", false);
        }
        plainText(html);
    }

    void plainText(std::string_view html)
    {
        if (html.empty())
            return;
        if (m_afterCloseTag) {
            const std::string_view lineBreak = leadingLineBreak(html);
            m_out += !lineBreak.empty() ? lineBreak : m_newlinePending ? m_lineBreak : std::string_view();
        }
        m_afterCloseTag = false;
        m_out += html;
    }

    void openTag(std::string_view tag)
    {
        if (m_afterCloseTag && m_newlinePending)
            m_out += m_lineBreak;
        m_afterCloseTag = false;
        m_out += tag;
    }

    void closeTag(std::string_view before, bool newlineAfter)
    {
        m_out.append(before).append("?>");
        m_afterCloseTag = true;
        m_newlinePending = newlineAfter;
    }

    std::string_view m_lineBreak;
    std::string m_out;
    Segment m_pending;  // an empty text when there is none
    bool m_afterCloseTag = false;
    bool m_newlinePending = false;
};

// The files of the program besides the page, lexed.
struct Program {
    std::vector<std::string> texts;
    std::vector<php::Lexed> lexed;
    std::vector<php::ProgramFile> files;
    bool complete = true;  // every file the program includes is among them
    std::string missing;   // when not: the first include that was not read
};

Program readProgram(std::string_view script, const PhpIncludeReader& readIncludes)
{
    Program program;
    PhpIncludedFiles included;
    if (readIncludes) {
        included = readIncludes(script);
    } else {
        const PhpIncludes found = PhpIncludeFinder().find(script);
        included.complete = found.paths.empty() && found.unresolved.empty();
        included.missing = found.paths.empty() ? found.unresolved : found.paths.front();
    }
    program.complete = included.complete;
    program.missing = included.missing;
    if (!program.complete)
        return program;
    program.texts = std::move(included.texts);
    program.lexed.reserve(program.texts.size());
    for (const std::string& text : program.texts) {
        auto lexed = php::lex(text);
        auto* read = std::get_if<php::Lexed>(&lexed);
        if (!read) {
            program.complete = false;
            program.missing = "an included file PHP cannot read";
            return program;
        }
        program.lexed.push_back(std::move(*read));
    }
    for (std::size_t k = 0; k < program.lexed.size(); ++k)
        program.files.push_back({program.texts[k], &program.lexed[k].tokens});
    return program;
}

// Turns the tokens of a file into template segments: the output of echo
// and print statements as text and expressions, everything else as code.
class Converter {
public:
    Converter(std::string_view script, const php::Lexed& lexed, TemplateWriter& writer, const Program& program,
              WriteNotes* notes)
        : m_s(script), m_t(lexed.tokens), m_lexed(lexed), m_writer(writer),
          m_hazards(script, lexed.tokens, program.files, program.complete), m_program(program), m_notes(notes),
          m_inParentheses(inParentheses(script, lexed.tokens)) {}

    php::PageHazard pageHazard() const { return m_hazards.pageHazard(); }
    // Notes every write as left as it is, converting none.
    void keepEveryWrite() { m_keepAll = true; }

    void run()
    {
        std::size_t i = 0;
        while (i < m_t.size()) {
            const Token& token = m_t[i];
            switch (token.kind) {
            case TokenKind::InlineHtml:
                m_writer.text(slice(token.begin, token.end));
                ++i;
                break;
            case TokenKind::OpenTag:
                startCode(i + 1, token.end - token.begin >= 5 ? token.begin + 5 : token.end);
                ++i;
                break;
            case TokenKind::OpenTagWithEcho:
                i = echoStatement(i);
                break;
            case TokenKind::CloseTag:
                flushCode(i, token.begin, true, token.link == 1);
                ++i;
                break;
            case TokenKind::StringStart:
            case TokenKind::ShellStart:
                i = token.link + 1;  // an echo inside {…} of a string stays as it is
                break;
            case TokenKind::Name:
                i = isEchoOrPrint(i) ? echoStatement(i) : i + 1;
                break;
            default:
                ++i;
            }
        }
        flushCode(m_t.size(), m_s.size(), false, false);
    }

private:
    std::string_view slice(std::size_t begin, std::size_t end) const { return m_s.substr(begin, end - begin); }

    // "echo" or "print" where a statement starts (not a method called so,
    // nor print inside an expression).
    bool isEchoOrPrint(std::size_t i) const
    {
        return i > 0 && (isName(m_t[i], m_s, "echo") || isName(m_t[i], m_s, "print")) && startsStatement(i);
    }

    // Whether a statement may start at token i, from the token before it.
    bool startsStatement(std::size_t i) const
    {
        const Token& previous = m_t[i - 1];
        if (previous.kind == TokenKind::OpenTag || isPunct(previous, m_s, "}"))
            return true;
        if (isPunct(previous, m_s, "{"))
            return i < 2 || !(isPunct(m_t[i - 2], m_s, "->") || isPunct(m_t[i - 2], m_s, "?->")
                              || isPunct(m_t[i - 2], m_s, "::") || isPunct(m_t[i - 2], m_s, "$"));
        if (isPunct(previous, m_s, ";"))
            return !insideParentheses(i - 1);  // not in the head of a for loop
        if (isPunct(previous, m_s, ":"))
            return endsClauseHead(i - 1);
        return isBracelessBody(i);
    }

    // Whether the token before j ends a statement or a clause head.
    bool followsStatementEnd(std::size_t j) const
    {
        const Token& previous = m_t[j - 1];
        return previous.kind == TokenKind::OpenTag || isPunct(previous, m_s, ";") || isPunct(previous, m_s, "{")
               || isPunct(previous, m_s, "}") || isPunct(previous, m_s, ":");
    }

    // Whether the token at j lies inside "(…)".
    bool insideParentheses(std::size_t j) const { return m_inParentheses[j]; }

    // For each token, whether the innermost bracket or string open around
    // it is a "(".
    static std::vector<bool> inParentheses(std::string_view script, const std::vector<Token>& tokens)
    {
        std::vector<bool> inside(tokens.size(), false);
        std::vector<std::uint32_t> open;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            while (!open.empty() && tokens[open.back()].link < i)
                open.pop_back();
            inside[i] = !open.empty() && isPunct(tokens[open.back()], script, "(");
            if (isOpening(tokens[i], script) && tokens[i].link != kNoLink && tokens[i].link > i)
                open.push_back(static_cast<std::uint32_t>(i));
        }
        return inside;
    }

    // The ":" at `colon` ends a case, default, label, else or the head of
    // a block in the alternative syntax; otherwise it belongs to "?:".
    bool endsClauseHead(std::size_t colon) const
    {
        const Token& previous = m_t[colon - 1];
        if (isPunct(previous, m_s, "?"))
            return false;  // "?:"
        if (isBracelessBody(colon) || (isPunct(previous, m_s, ")") && previous.link != kNoLink && previous.link > 0
                                       && isName(m_t[previous.link - 1], m_s, "switch")))
            return true;
        if (previous.kind == TokenKind::Name && colon >= 2 && !isName(previous, m_s, "case")
            && followsStatementEnd(colon - 1))
            return true;  // default: or a label
        std::size_t colons = 0;  // met going back, each waiting for its "?"
        for (std::size_t k = colon; k-- > 0;) {
            const Token& token = m_t[k];
            if (isClosing(token, m_s) && token.link != kNoLink && token.link < k) {
                k = token.link;
                continue;
            }
            if (isName(token, m_s, "case"))
                return colons == 0;
            if (isPunct(token, m_s, "?") && colons == 0)
                return false;  // the "?" of this ":"
            if (isPunct(token, m_s, "?"))
                --colons;
            else if (isPunct(token, m_s, ":"))
                ++colons;
            else if (isPunct(token, m_s, ";") || isPunct(token, m_s, "{") || isPunct(token, m_s, "}")
                     || token.kind == TokenKind::OpenTag || token.kind == TokenKind::CloseTag)
                return false;
        }
        return false;
    }

    // The statement at i is the whole body of an if, else, loop or declare
    // without braces: replaced by HTML, it needs braces.
    bool isBracelessBody(std::size_t i) const
    {
        const Token& previous = m_t[i - 1];
        if (isName(previous, m_s, "else") || isName(previous, m_s, "do"))
            return true;
        if (!isPunct(previous, m_s, ")") || previous.link == kNoLink || previous.link == 0)
            return false;
        const Token& keyword = m_t[previous.link - 1];
        for (const std::string_view name : {"if", "elseif", "while", "for", "foreach", "declare"})
            if (isName(keyword, m_s, name))
                return true;
        return false;
    }

    // The echo or print statement (or "<?=") at i; returns the index of the
    // token after it.
    std::size_t echoStatement(std::size_t i)
    {
        const bool echoTag = m_t[i].kind == TokenKind::OpenTagWithEcho;
        const std::string_view keyword = echoTag || isName(m_t[i], m_s, "echo") ? "echo" : "print";
        const std::size_t end = statementEnd(i, keyword);
        if (keyword == "print" && !isWholePrintStatement(i + 1, end)) {
            note(i, "`print` is part of a larger expression: left as code");
            return i + 1;
        }
        if (m_keepAll) {
            note(i, m_hazards.pageHazard() == php::PageHazard::Ticks
                        ? "the page runs code between statements (declare(ticks) or register_tick_function): "
                          "every write left as it is"
                        : "ob_start is given a chunk size, so its callback sees the output in pieces: "
                          "every write left as it is");
            return i + 1;
        }
        m_write = i;
        const bool wrap = !echoTag && isBracelessBody(i);
        if (!echoTag)
            flushCode(i, m_t[i].begin, false, false, wrap ? "{" : "");
        convertArguments(i + 1, end, keyword);
        m_closeBraceFirst = wrap;
        if (isPunct(m_t[end], m_s, ";")) {
            startCode(end + 1, m_t[end].end);
            return end + 1;
        }
        startCode(end, m_t[end].begin);  // the close tag
        return end;
    }

    // The ";" or "?>" that ends the statement begun at i.
    std::size_t statementEnd(std::size_t i, std::string_view keyword) const
    {
        for (std::size_t j = i + 1; j < m_t.size();) {
            const Token& token = m_t[j];
            if (isPunct(token, m_s, ";") || token.kind == TokenKind::CloseTag)
                return j;
            if (isOpening(token, m_s) && token.link != kNoLink) {
                j = token.link + 1;
                continue;
            }
            if (isOpening(token, m_s) || isClosing(token, m_s) || token.kind == TokenKind::InlineHtml)
                break;
            ++j;
        }
        throw SourceError{m_t[i].begin, "unfinished " + std::string(keyword) + " statement"};
    }

    // print binds more tightly than "and", "or" and "xor", and takes one operand.
    bool isWholePrintStatement(std::size_t begin, std::size_t end) const
    {
        for (std::size_t j = begin; j < end; j = next(j))
            if (isPunct(m_t[j], m_s, ",") || isName(m_t[j], m_s, "and") || isName(m_t[j], m_s, "or")
                || isName(m_t[j], m_s, "xor"))
                return false;
        return true;
    }

    // The token after the one at j, skipping what j opens.
    std::size_t next(std::size_t j) const
    {
        return isOpening(m_t[j], m_s) && m_t[j].link != kNoLink ? m_t[j].link + 1 : j + 1;
    }

    void convertArguments(std::size_t begin, std::size_t end, std::string_view keyword)
    {
        std::size_t argument = begin;
        for (std::size_t j = begin; j <= end; j = j == end ? j + 1 : next(j)) {
            if (j < end && !isPunct(m_t[j], m_s, ","))
                continue;
            if (j == argument)
                throw SourceError{m_t[j].begin, "missing expression in " + std::string(keyword) + " statement"};
            m_items.clear();
            convertOperand(argument, j);
            emitOperand();
            argument = j + 1;
        }
    }

    // One operand of echo: split at the "." operators of its top level
    // into literal text and expressions, as long as nothing there binds
    // less tightly than ".", and after the last piece that may print.
    void convertOperand(std::size_t begin, std::size_t end)
    {
        struct Part {
            std::size_t first;
            std::size_t last;
            bool whole;  // one expression, not to be split
            bool floatConstant;
        };
        std::vector<Part> work{{begin, end, false, false}};
        while (!work.empty()) {
            auto [first, last, whole, floatConstant] = work.back();
            work.pop_back();
            while (last - first >= 2 && isPunct(m_t[first], m_s, "(") && m_t[first].link == last - 1) {
                ++first;
                --last;
            }
            if (first == last)
                throw SourceError{m_t[last].begin, "missing expression in parentheses"};
            if (floatConstant) {
                // still an operand of ".", which PHP joins to "" as it reads the file
                noteAt(first, last, "is a float constant that PHP turns into text as it reads the file: kept "
                                    "in a concatenation");
                addExpression("'' . (" + render(first, last, m_t[first].begin, m_t[last - 1].end) + ")", first, last);
                continue;
            }
            if (!whole && addLiteral(first, last))
                continue;
            std::vector<std::size_t> ends;  // of the pieces between the "." of the top level
            bool oneExpression = whole;
            for (std::size_t j = first; j < last && !oneExpression; j = next(j)) {
                if (isPunct(m_t[j], m_s, "."))
                    ends.push_back(j);
                oneExpression = bindsLooserThanConcatenation(m_t[j], m_s);
            }
            if (oneExpression || ends.empty()) {
                addExpression(render(first, last, m_t[first].begin, m_t[last - 1].end), first, last);
                continue;
            }
            ends.push_back(last);
            splitConcatenation(first, ends, work);
        }
    }

    // The pieces of a concatenation, last first, onto the work list. The
    // first two stay one expression when PHP reads the first, not a
    // literal, only once the second is evaluated, which may change it (a
    // variable, an object turned into text).
    template <class Part>
    void splitConcatenation(std::size_t first, const std::vector<std::size_t>& ends, std::vector<Part>& work)
    {
        const auto pieceBegin = [&](std::size_t k) { return k == 0 ? first : ends[k - 1] + 1; };
        for (std::size_t k = 0; k < ends.size(); ++k)
            if (pieceBegin(k) == ends[k])
                throw SourceError{m_t[k == 0 ? ends[0] : ends[k - 1]].begin, "missing operand of ."};
        std::size_t wholeUpTo = 0;
        if (!isLiteral(first, ends[0]) && m_hazards.mayWrite(pieceBegin(1), ends[1])) {
            wholeUpTo = 2;
            noteAt(pieceBegin(1), ends[1], "may change the value on its left, which PHP reads after it: kept whole");
        }
        for (std::size_t k = ends.size(); k-- > std::max<std::size_t>(wholeUpTo, 1);)
            work.push_back({pieceBegin(k), ends[k], false, floatConstant(pieceBegin(k), ends[k])});
        if (wholeUpTo > 0)
            work.push_back({first, ends[wholeUpTo - 1], true, false});
        else
            work.push_back({first, ends[0], false, floatConstant(first, ends[0])});
    }

    // A constant that makes a float: as an operand of ".", PHP turns it
    // into text when it reads the file, with the precision of that time;
    // echo would turn it into text when it runs.
    bool floatConstant(std::size_t first, std::size_t last) const
    {
        return isConstant(first, last) && makesFloat(first, last);
    }

    // A string without variables, a number, PHP_EOL or __LINE__, maybe in
    // parentheses: evaluating it cannot print, warn, throw nor read state.
    bool isLiteral(std::size_t first, std::size_t last) const
    {
        while (last - first >= 2 && isPunct(m_t[first], m_s, "(") && m_t[first].link == last - 1) {
            ++first;
            --last;
        }
        if (last - first == 1) {
            const Token& token = m_t[first];
            const std::string_view text = slice(token.begin, token.end);
            return token.kind == TokenKind::String || token.kind == TokenKind::Number
                   || token.kind == TokenKind::LineConstant || text == "PHP_EOL" || text == "\\PHP_EOL";
        }
        if (m_t[first].kind != TokenKind::StringStart || m_t[first].link != last - 1)
            return false;
        for (std::size_t k = first + 1; k + 1 < last; ++k)
            if (m_t[k].kind != TokenKind::StringText)
                return false;
        return true;
    }

    // Literals, PHP's own constants and operators on them, which PHP
    // evaluates when it reads the file.
    bool isConstant(std::size_t first, std::size_t last) const
    {
        static constexpr std::array<std::string_view, 16> operators{"+", "-", "*", "/", "%", "**", "(", ")",
                                                                    ".", "<<", ">>", "~", "!", "|", "&", "^"};
        for (std::size_t k = first; k < last; ++k) {
            const Token& token = m_t[k];
            if (token.kind == TokenKind::StringStart && isLiteral(k, token.link + 1)) {
                k = token.link;
                continue;
            }
            const bool constant = token.kind == TokenKind::String || token.kind == TokenKind::Number
                                  || token.kind == TokenKind::LineConstant
                                  || (token.kind == TokenKind::Name && isInternalConstant(k))
                                  || std::any_of(operators.begin(), operators.end(),
                                                 [&](std::string_view op) { return isPunct(token, m_s, op); });
            if (!constant)
                return false;
        }
        return true;
    }

    // A constant expression that cannot throw: it divides by no zero, nor
    // by anything but a number.
    bool isSafeConstant(std::size_t first, std::size_t last) const
    {
        if (!isConstant(first, last))
            return false;
        for (std::size_t k = first; k < last; ++k) {
            if (!isPunct(m_t[k], m_s, "/") && !isPunct(m_t[k], m_s, "%"))
                continue;
            const std::string_view divisor = k + 1 < last && m_t[k + 1].kind == TokenKind::Number
                                                 ? slice(m_t[k + 1].begin, m_t[k + 1].end)
                                                 : std::string_view();
            if (divisor.find_first_of("123456789") == std::string_view::npos)
                return false;
        }
        return true;
    }

    bool isInternalConstant(std::size_t k) const
    {
        std::string_view name = slice(m_t[k].begin, m_t[k].end);
        if (name.starts_with('\\'))
            name.remove_prefix(1);
        if (k + 1 < m_t.size() && isPunct(m_t[k + 1], m_s, "("))
            return false;
        return name.starts_with("M_") || name.starts_with("PHP_") || name.starts_with("E_") || name == "INF"
               || name == "NAN";
    }

    // A float literal, a float constant, or "/" or "**", which may make one.
    bool makesFloat(std::size_t first, std::size_t last) const
    {
        for (std::size_t k = first; k < last; ++k) {
            const Token& token = m_t[k];
            const std::string_view text = slice(token.begin, token.end);
            if ((token.kind == TokenKind::Number && !integerText(text)) || isPunct(token, m_s, "/")
                || isPunct(token, m_s, "**")
                || (token.kind == TokenKind::Name && (text.find("M_") != std::string_view::npos
                                                      || text.find("FLOAT") != std::string_view::npos
                                                      || text.ends_with("INF") || text.ends_with("NAN"))))
                return true;
        }
        return false;
    }

    // A string, PHP_EOL or a plain integer: its text. A string with
    // variables in it: its text and its variables.
    bool addLiteral(std::size_t first, std::size_t last)
    {
        const Token& token = m_t[first];
        if (token.kind == TokenKind::StringStart && token.link == last - 1) {
            addStringParts(first);
            return true;
        }
        if (last - first != 1)
            return false;
        const std::string_view text = slice(token.begin, token.end);
        if (token.kind == TokenKind::String)
            addText(m_lexed.value(token.link));
        else if (token.kind == TokenKind::Name && (text == "PHP_EOL" || text == "\\PHP_EOL"))
            addText("\n");
        else if (const auto integer = token.kind == TokenKind::Number ? integerText(text) : std::nullopt)
            addText(*integer);
        else if (token.kind == TokenKind::LineConstant)
            addText(std::to_string(token.link));
        else
            return false;
        return true;
    }

    void addStringParts(std::size_t start)
    {
        for (std::size_t k = start + 1; k < m_t[start].link; k = next(k)) {
            const Token& token = m_t[k];
            if (token.kind == TokenKind::StringText)
                addText(m_lexed.value(token.link));
            else if (token.kind == TokenKind::StringVariable)
                addExpression(std::string(m_lexed.value(token.link)), k, k + 1);
            else
                addExpression(interpolation(k), k, token.link + 1);
        }
    }

    // The expression of "{$…}", "${name[…]}" or "${…}".
    std::string interpolation(std::size_t k) const
    {
        const Token& open = m_t[k];
        std::string inner = render(k + 1, open.link, open.end, m_t[open.link].begin);
        const std::size_t first = std::min(inner.find_first_not_of(kSpaces), inner.size());
        inner = inner.substr(first, inner.find_last_not_of(kSpaces) + 1 - first);
        if (open.kind == TokenKind::DollarNameInterpolation)
            return std::string("$").append(slice(open.begin + 2, open.end)).append(inner);
        if (open.kind == TokenKind::DollarInterpolation)
            return std::string("${").append(inner).append("}");
        return inner;
    }

    // The source from byte `begin` to `end`, with __LINE__ replaced by its
    // line (the template's lines differ), apart from a "." next to it;
    // tokens [first, last) lie there.
    std::string render(std::size_t first, std::size_t last, std::size_t begin, std::size_t end) const
    {
        std::string out;
        out.reserve(end - begin);
        for (std::size_t k = first; k < last; ++k) {
            if (m_t[k].kind != TokenKind::LineConstant)
                continue;
            out.append(slice(begin, m_t[k].begin));
            // a "." next to the digits would make a float of them
            const bool dotBefore = m_t[k].begin > 0 && m_s[m_t[k].begin - 1] == '.';
            const bool dotAfter = m_t[k].end < m_s.size() && m_s[m_t[k].end] == '.';
            out.append(dotBefore ? " " : "").append(std::to_string(m_t[k].link)).append(dotAfter ? " " : "");
            begin = m_t[k].end;
        }
        out.append(slice(begin, end));
        return out;
    }

    void addText(std::string_view text)
    {
        if (text.empty())
            return;
        if (m_items.empty() || !m_items.back().text)
            m_items.push_back({true, {}, 0, 0});
        m_items.back().content += text;
    }

    void addExpression(std::string expression, std::size_t first, std::size_t last)
    {
        m_items.push_back({false, std::move(expression), first, last});
    }

    // The operand's text and values, in order. When evaluating a value after
    // the first may show before the text in front of it (it prints, throws,
    // or raises a warning that a handler prints), the values up to the last
    // such are evaluated first, in order, as echo evaluates them, and the
    // text is printed after.
    void emitOperand()
    {
        std::size_t evaluatedUpTo = 0;
        std::string why;
        for (std::size_t k = 1; k < m_items.size(); ++k) {
            const Item& item = m_items[k];
            const bool literal = item.text || isLiteral(item.first, item.last) || isSafeConstant(item.first, item.last);
            const php::Hazard hazard = literal ? php::Hazard::None : m_hazards.hazard(item.first, item.last);
            if (hazard == php::Hazard::None)
                continue;
            evaluatedUpTo = k + 1;
            if (why.empty())
                why = "`" + shortened(item.content) + "` " + hazardReason(hazard);
        }
        std::vector<std::string> names;
        std::string values;
        for (std::size_t k = 0; k < evaluatedUpTo; ++k) {
            Item& item = m_items[k];
            if (item.text)
                continue;
            names.push_back(m_hazards.freeName() + std::to_string(names.size() + 1));
            values.append(values.empty() ? "" : ", ").append("(string) (").append(item.content).append(")");
            item.content = names.back();
        }
        if (!names.empty()) {
            note(m_write, why + ": its value is computed before the write prints");
            const std::string evaluation = names.size() == 1 ? names[0] + " = " + values + ";"
                                                             : "[" + list(names) + "] = [" + values + "];";
            m_writer.code({Segment::Kind::Code, evaluation, " ", " ", false, false, false});
        }
        for (Item& item : m_items) {
            if (item.text)
                m_writer.text(item.content);
            else
                m_writer.expression(std::move(item.content));
        }
        if (!names.empty())
            m_writer.code({Segment::Kind::Code, "unset(" + list(names) + ");", " ", " ", false, false, false});
        m_items.clear();
    }

    static std::string list(const std::vector<std::string>& names)
    {
        std::string joined;
        for (const std::string& name : names)
            joined.append(joined.empty() ? "" : ", ").append(name);
        return joined;
    }

    std::string hazardReason(php::Hazard hazard) const
    {
        switch (hazard) {
        case php::Hazard::Prints:
            return "may print or stop the page";
        case php::Hazard::ErrorHandler:
            return "may raise a warning, which the error handler set with set_error_handler may print";
        case php::Hazard::Caught:
            return "may throw inside `try`";
        case php::Hazard::Throws:
            return "may throw an error, which would stop the page after the text in front of it had printed";
        case php::Hazard::Unknown:
            return m_program.missing.empty() ? "may do anything: code the page runs is not shown (eval)"
                                             : "may do anything: `" + m_program.missing + "` cannot be read";
        case php::Hazard::None:
            break;
        }
        return {};
    }

    static std::string shortened(std::string_view text)
    {
        constexpr std::size_t kLongest = 40;
        std::string flat;
        for (const char c : text)
            if (!(isLineBreak(c) && !flat.empty() && flat.back() == ' '))
                flat += isLineBreak(c) || c == '\t' ? ' ' : c;
        if (flat.size() > kLongest) {
            std::size_t cut = kLongest;
            while (cut > 0 && (static_cast<unsigned char>(flat[cut]) & 0xC0) == 0x80)
                --cut;
            flat = flat.substr(0, cut) + "…";
        }
        return flat;
    }

    void note(std::size_t token, std::string reason)
    {
        if (!m_notes)
            return;
        const ScriptReadError at = m_places.at(m_t[token].begin, {});
        m_notes->push_back({at.line, at.column, std::move(reason)});
    }

    void noteAt(std::size_t first, std::size_t last, std::string_view why)
    {
        note(m_write, "`" + shortened(slice(m_t[first].begin, m_t[last - 1].end)) + "` " + std::string(why));
    }

    void startCode(std::size_t token, std::size_t offset)
    {
        m_codeToken = token;
        m_codeStart = offset;
    }

    // The code from the last start to token `end` (at byte `offset`) as a
    // segment; `opening` ("{") is added after it.
    void flushCode(std::size_t end, std::size_t offset, bool closed, bool newlineSwallowed,
                   std::string_view opening = "")
    {
        if (m_codeStart == kNoCode)
            return;
        // The code up to its last token, then the comments after it, which
        // the opening brace must not follow.
        const std::size_t tokensEnd = end > m_codeToken ? std::max<std::size_t>(m_t[end - 1].end, m_codeStart) : m_codeStart;
        const std::string code = trimmed(render(m_codeToken, end, m_codeStart, tokensEnd));
        const std::string comment = trimmed(slice(tokensEnd, offset));
        // The whitespace around the code is the file's own (render() changes tokens only).
        const std::string_view raw = slice(m_codeStart, offset);
        std::string_view lead = leadOf(raw.substr(0, std::min(raw.find_first_not_of(kSpaces), raw.size())));
        const std::size_t last = raw.find_last_not_of(kSpaces);
        const std::string_view trail = trailOf(last == std::string_view::npos ? raw : raw.substr(last + 1));
        m_codeStart = kNoCode;
        std::string body = code;
        for (const std::string_view part : {opening, std::string_view(comment)})
            if (!part.empty())
                body.append(body.empty() ? "" : " ").append(part);
        const bool closeBraceFirst = std::exchange(m_closeBraceFirst, false);
        std::string text = closeBraceFirst ? std::string(1, '}') : body;
        if (closeBraceFirst) {
            if (!body.empty())
                text.append(lead).append(body);
            lead = " ";
        }
        const bool newlineAfter = closed ? newlineSwallowed : isLineBreak(trail[0]);
        if (text.empty()) {
            if (newlineAfter && closed)
                m_writer.newlineAfterLast();
            return;
        }
        m_writer.code({Segment::Kind::Code, std::move(text), lead, trail, closed, newlineAfter, !comment.empty()});
    }

    std::string_view m_s;
    const std::vector<Token>& m_t;
    const php::Lexed& m_lexed;
    TemplateWriter& m_writer;
    php::PrintHazards m_hazards;
    const Program& m_program;
    WriteNotes* m_notes;
    ScriptPlaces m_places{m_s};  // of the notes
    struct Item {
        bool text;
        std::string content;  // the text, or the expression
        std::size_t first;    // an expression's tokens
        std::size_t last;
    };
    std::vector<Item> m_items;  // of the operand being converted
    std::size_t m_write = 0;    // the token of the write being converted
    bool m_keepAll = false;
    std::vector<bool> m_inParentheses;  // by token: the innermost opening around it is a "("
    static constexpr std::size_t kNoCode = std::string_view::npos;
    std::size_t m_codeStart = kNoCode;  // byte where the code not yet written starts
    std::size_t m_codeToken = 0;        // its first token
    bool m_closeBraceFirst = false;     // the next code closes the braces around a replaced statement
};

ScriptReadError readError(std::string_view script, const SourceError& error)
{
    return errorAtOffset(script, error.offset, error.message);
}

// Brackets that PHP cannot read: one never closed, one closed by another
// kind ("[1, 2)"), or a closing one that closes nothing.
void refuseUnpairedBrackets(const std::vector<Token>& tokens, std::string_view script)
{
    constexpr std::string_view kOpenings = "([{";
    constexpr std::string_view kClosings = ")]}";
    for (const Token& token : tokens) {
        if (token.kind != TokenKind::Punct || token.end != token.begin + 1)
            continue;
        const char c = script[token.begin];
        const std::size_t opening = kOpenings.find(c);
        if (opening == std::string_view::npos && kClosings.find(c) == std::string_view::npos)
            continue;
        const std::string quoted = std::string("`") + c + "`";
        if (token.link == kNoLink)
            throw SourceError{token.begin, opening == std::string_view::npos ? quoted + " closes nothing"
                                                                              : quoted + " is never closed"};
        if (opening != std::string_view::npos && script[tokens[token.link].begin] != kClosings[opening])
            throw SourceError{tokens[token.link].begin, quoted + " is closed by `" + script[tokens[token.link].begin] + "`"};
    }
}

}  // namespace

std::variant<std::string, ScriptReadError> phpTemplate(std::string_view script, const PhpIncludeReader& readIncludes,
                                                       WriteNotes* notes)
{
    // The program first: finding the page's includes lexes it on its own,
    // tokens freed before the page's are made.
    const Program program = readProgram(script, readIncludes);
    auto lexed = php::lex(script);
    if (const auto* error = std::get_if<SourceError>(&lexed))
        return readError(script, *error);
    try {
        refuseUnpairedBrackets(std::get<php::Lexed>(lexed).tokens, script);
        php::refuseMisplacedTokens(std::get<php::Lexed>(lexed), script);
        TemplateWriter writer(fileLineBreak(script), 2 * script.size());
        Converter converter(script, std::get<php::Lexed>(lexed), writer, program, notes);
        if (converter.pageHazard() != php::PageHazard::None) {
            // the page's own statements matter: it is its own template
            converter.keepEveryWrite();
            converter.run();
            return std::string(script);
        }
        converter.run();
        return writer.finish();
    } catch (const SourceError& error) {
        return readError(script, error);
    }
}

namespace {

bool beyondAscii(std::string_view bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

std::vector<ScriptReadError> phpCodeBeyondAscii(std::string_view script, std::size_t limit)
{
    std::vector<ScriptReadError> places;
    const auto lexed = php::lex(script);
    const auto* tokens = std::get_if<php::Lexed>(&lexed);
    if (!tokens)
        return places;
    for (const Token& token : tokens->tokens) {
        if (places.size() >= limit)
            break;
        if (token.kind == TokenKind::InlineHtml)
            continue;
        const std::string_view source = script.substr(token.begin, token.end - token.begin);
        const bool decoded = token.kind == TokenKind::String || token.kind == TokenKind::StringText;
        if (beyondAscii(source))
            places.push_back(readError(script, {token.begin, "code holds characters beyond ASCII"}));
        else if (decoded && beyondAscii(tokens->value(token.link)))
            places.push_back(readError(script, {token.begin, "an escape in code makes a byte beyond ASCII"}));
    }
    return places;
}

}  // namespace tagora

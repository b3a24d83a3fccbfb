#include "asp_template.h"

#include "asp_print_hazards.h"
#include "asp_template_writer.h"
#include "input_text/utf8.h"
#include "vbscript_lexer.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace tagora {

namespace {

using vbscript::sameWord;
using vbscript::Token;
using vbscript::TokenKind;

struct Failure {
    std::size_t offset = 0;
    std::string message;
};

// One part of the page: HTML text, or what is between <% and %>.
struct Segment {
    enum class Kind { Text, Code, Expression, Directive };
    Kind kind = Kind::Text;
    std::size_t open = 0;   // where "<%" starts (the text's start for Text)
    std::size_t begin = 0;  // the content, without delimiters
    std::size_t end = 0;
};

// A piece of what one Response.Write prints: literal text, or an
// expression over the tokens [first, last).
struct Piece {
    bool literal = false;
    std::string value;
    std::size_t first = 0;
    std::size_t last = 0;
};

// " inner ", as <%= inner %> reads best.
std::string spaced(std::string_view inner)
{
    std::string result;
    result.reserve(inner.size() + 2);
    result += ' ';
    result += inner;
    result += ' ';
    return result;
}

std::string_view lineBreakOf(std::string_view page)
{
    const std::size_t at = page.find_first_of("\r\n");
    if (at == std::string_view::npos || page[at] == '\n')
        return at == std::string_view::npos ? "\r\n" : "\n";
    return page.substr(at, at + 1 < page.size() && page[at + 1] == '\n' ? 2 : 1);
}

ScriptReadError errorAt(std::string_view page, const Failure& failure)
{
    const bool utf8 = firstInvalidUtf8(page) == std::string_view::npos;
    ScriptReadError error{1, 1, failure.message};
    for (std::size_t i = 0; i < failure.offset && i < page.size(); ++i) {
        const char c = page[i];
        if (c == '\n' || (c == '\r' && (i + 1 >= page.size() || page[i + 1] != '\n'))) {
            ++error.line;
            error.column = 1;
        } else if (c != '\r' && !(utf8 && utf8::isContinuation(static_cast<unsigned char>(c)))) {
            ++error.column;
        }
    }
    return error;
}

// The value of Chr(n) or ChrW(n) for an ASCII n from its number token,
// or nothing.
std::optional<char> asciiCharacter(std::string_view number)
{
    unsigned base = 10;
    std::size_t digits = 0;
    if (number.size() > 2 && number[0] == '&') {
        base = (number[1] == 'o' || number[1] == 'O') ? 8 : 16;
        digits = 2;
        if (number.back() == '&')
            number.remove_suffix(1);
    }
    if (number.size() - digits > 6)
        return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = digits; i < number.size(); ++i) {
        const char c = static_cast<char>(number[i] | 0x20);
        const unsigned digit = (c >= '0' && c <= '9') ? unsigned(c - '0')
                               : (c >= 'a' && c <= 'f') ? unsigned(c - 'a' + 10) : base;
        if (digit >= base)
            return std::nullopt;
        value = value * base + digit;
    }
    if (value == 0 || value > 127)
        return std::nullopt;
    return static_cast<char>(value);
}

bool beyondAscii(std::string_view bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::string lowered(std::string_view word)
{
    std::string result(word);
    for (char& c : result)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return result;
}

// Where a directive's LANGUAGE names a language other than VBScript
// (JScript, PerlScript...): its value's offset in the directive.
std::optional<std::size_t> otherLanguage(std::string_view directive)
{
    constexpr std::string_view kLanguage = "language";
    for (std::size_t i = 0; i + kLanguage.size() <= directive.size(); ++i) {
        if (!sameWord(directive.substr(i, kLanguage.size()), kLanguage))
            continue;
        std::size_t value = i + kLanguage.size();
        while (value < directive.size() && (directive[value] == ' ' || directive[value] == '\t' || directive[value] == '='
                                            || directive[value] == '"' || directive[value] == '\''))
            ++value;
        std::size_t end = value;
        while (end < directive.size() && (std::isalnum(static_cast<unsigned char>(directive[end])) != 0))
            ++end;
        return sameWord(directive.substr(value, end - value), "vbscript") ? std::nullopt : std::optional(value);
    }
    return std::nullopt;
}

// `code` and the rest of a sentence about it.
std::string codeThen(std::string_view code, std::string_view rest)
{
    std::string result;
    result.reserve(code.size() + rest.size() + 2);
    result += '`';
    result += code;
    result += '`';
    result += rest;
    return result;
}

std::optional<std::string_view> namedConstant(std::string_view word)
{
    if (sameWord(word, "vbcrlf") || sameWord(word, "vbnewline"))
        return "\r\n";
    if (sameWord(word, "vbcr"))
        return "\r";
    if (sameWord(word, "vblf"))
        return "\n";
    if (sameWord(word, "vbtab"))
        return "\t";
    return std::nullopt;
}

class Converter {
public:
    explicit Converter(std::string_view page) : m_page(page), m_newline(lineBreakOf(page)) {}

    std::variant<std::string, ScriptReadError> run(const AspIncludeReader& readIncludes)
    {
        if (split() && surveyBlocks()) {
            AspIncludedFiles included;
            if (m_includes && readIncludes)
                included = readIncludes(m_page);
            surveyIncludes(included);
            if (!included.missing.empty())
                m_unreadInclude = included.missing + " cannot be read";
            m_valuePrefix = valuePrefix(m_page, included.texts);
            for (const Segment& segment : m_segments) {
                if (!convert(segment))
                    break;
            }
        }
        if (m_failure)
            return errorAt(m_page, *m_failure);
        return m_writer.finish();
    }

    WriteNotes takeNotes() { return std::move(m_notes); }

private:
    // ---- reading the page ------------------------------------------------

    void surveyIncludes(const AspIncludedFiles& included)
    {
        if (!m_includes)
            return;
        bool known = included.complete;
        for (const std::string& text : included.texts)
            known = m_hazards.surveyIncluded(text) && known;
        if (known)
            m_hazards.knowIncludes();
    }

    bool split()
    {
        std::size_t pos = 0;
        while (pos < m_page.size()) {
            const std::size_t open = m_page.find("<%", pos);
            if (open == std::string_view::npos)
                return addText(pos, m_page.size());
            if (open > pos && !addText(pos, open))
                return false;
            Segment block{Segment::Kind::Code, open, open + 2, 0};
            if (const std::size_t marker = vbscript::directiveMarker(m_page, open); marker != std::string_view::npos) {
                block.kind = Segment::Kind::Directive;
                block.begin = marker + 1;
            } else if (open + 2 < m_page.size() && m_page[open + 2] == '=') {
                block.kind = Segment::Kind::Expression;
                ++block.begin;
            }
            const std::size_t close = m_page.find("%>", block.begin);
            if (close == std::string_view::npos)
                return fail(open, "<% is never closed by %>");
            block.end = close;
            m_segments.push_back(std::move(block));
            pos = close + 2;
        }
        return true;
    }

    bool addText(std::size_t begin, std::size_t end)
    {
        const std::string_view text = m_page.substr(begin, end - begin);
        ServerScriptFinder serverScripts(text);
        for (std::size_t i = text.find('<'); i != std::string_view::npos; i = text.find('<', i + 1)) {
            if (serverScripts.startsAt(i))
                return fail(begin + i, "<script runat=\"server\"> blocks are not supported");
        }
        for (std::size_t i = text.find("<!--"); i != std::string_view::npos; i = text.find("<!--", i + 1)) {
            if (startsInclude(text, i)) {
                m_hazards.noteInclude();
                m_includes = true;
            }
        }
        m_segments.push_back({Segment::Kind::Text, begin, begin, end});
        return true;
    }

    // Reads every code block once before anything is converted: what
    // cannot be read is found first, and the page's declarations are
    // known. The tokens are made again for each block as it is converted,
    // so that those of only one block are held at a time.
    bool surveyBlocks()
    {
        for (const Segment& segment : m_segments) {
            if (segment.kind == Segment::Kind::Text || segment.kind == Segment::Kind::Expression)
                m_hazards.notePrinting();
            if (segment.kind != Segment::Kind::Code && segment.kind != Segment::Kind::Expression)
                continue;
            const vbscript::Tokens lexed = vbscript::tokenize(m_page, segment.begin, segment.end);
            if (lexed.error)
                return fail(lexed.error->offset, lexed.error->message);
            if (const std::optional<std::size_t> other = notVbscript(lexed.tokens))
                return fail(*other, codeThen(m_page.substr(*other, 1),
                                             " is not VBScript: this code looks like JScript, which is not read"));
            m_hazards.survey(lexed.tokens);
        }
        return true;
    }

    // Where the code holds what VBScript has no use for but JScript has:
    // ';', braces, '!', "==", "&&"... (ASP runs a page that names no
    // language as VBScript, but a server may be set to run JScript.) A
    // VBScript page with a stray "//" or '%' fails in both languages, as
    // its template does.
    std::optional<std::size_t> notVbscript(const std::vector<Token>& tokens) const
    {
        constexpr std::string_view kForeign = ";{}!|?$~@`";
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            if (tokens[i].kind != TokenKind::Operator)
                continue;
            const char c = m_page[tokens[i].begin];
            if (kForeign.find(c) != std::string_view::npos)
                return tokens[i].begin;
            const bool joinedToNext = i + 1 < tokens.size() && tokens[i + 1].kind == TokenKind::Operator
                                      && tokens[i + 1].begin == tokens[i].end && m_page[tokens[i + 1].begin] == c;
            if (joinedToNext && (c == '=' || c == '&'))
                return tokens[i].begin;
        }
        return std::nullopt;
    }

    std::vector<std::size_t> closers(const std::vector<Token>& tokens) const
    {
        std::vector<std::size_t> result(tokens.size(), tokens.size());
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const std::string_view text = m_page.substr(tokens[i].begin, tokens[i].end - tokens[i].begin);
            if (tokens[i].kind != TokenKind::Operator)
                continue;
            if (text == "(") {
                open.push_back(i);
            } else if (text == ")" && !open.empty()) {
                result[open.back()] = i;
                open.pop_back();
            }
        }
        return result;
    }

    // ---- converting --------------------------------------------------------

    bool convert(const Segment& segment)
    {
        const std::string_view content = m_page.substr(segment.begin, segment.end - segment.begin);
        m_blockTokens.clear();
        if (segment.kind == Segment::Kind::Code || segment.kind == Segment::Kind::Expression)
            m_blockTokens = vbscript::tokenize(m_page, segment.begin, segment.end).tokens;
        m_blockClosers = closers(m_blockTokens);
        switch (segment.kind) {
        case Segment::Kind::Text:
            m_writer.text(content, true);
            return true;
        case Segment::Kind::Directive:
            if (const std::optional<std::size_t> other = otherLanguage(content))
                return fail(segment.begin + *other, "only VBScript pages are read: this page's language is another");
            m_writer.directive(m_page.substr(segment.open, segment.end + 2 - segment.open));
            return true;
        case Segment::Kind::Expression:
            if (!refuseWrites(0, count()))
                return false;
            if (!splitExpression())
                m_writer.expression(content);
            return true;
        case Segment::Kind::Code:
            break;
        }
        m_pos = segment.begin;
        for (std::size_t i = 0; i < count() && !m_failure;)
            i = isSeparator(i) ? i + 1 : statement(i, count(), false);
        emitSourceUpTo(segment.end);
        m_writer.endCode();
        return !m_failure;
    }

    // <%= e %> prints what Response.Write (e) prints: it is split as that
    // write would be, or left as it is.
    bool splitExpression()
    {
        if (count() == 0)
            return false;  // <%= %> with nothing in it stays as written
        for (std::size_t i = 0; i < count(); ++i) {
            if (isSeparator(i))
                return false;
        }
        std::vector<Piece> pieces;
        const bool failedBefore = m_failure.has_value();
        m_tooDeep = false;
        if (!flatten(0, count(), pieces)) {
            if (!failedBefore)
                m_failure.reset();  // what VBScript cannot read stays as written
            return false;
        }
        if (m_tooDeep)
            return false;
        pieces = merged(std::move(pieces));
        const bool single = pieces.size() == 1 && (!pieces.front().literal || pieces.front().value.empty());
        if (single)
            return false;
        const Layout layout = layoutOf(pieces);
        if (layout.whole) {
            note(tok(0).begin, *layout.whole);
            return false;
        }
        writePieces(pieces, layout);
        return true;
    }

    // Converts the statement that starts at token i and returns the index
    // of the token after it. In the branch of a one-line If, Else ends it.
    std::size_t statement(std::size_t i, std::size_t end, bool inBranch)
    {
        trackProcedures(i);
        if (m_procedureDepth == 0)
            trackErrorSkipping(i, end, inBranch);
        if (writeArgument(i))
            return write(i, statementEnd(i, end, inBranch));
        if (isWord(i, "if"))
            return ifStatement(i, end);
        if (isWord(i, "else"))
            return i + 1;
        if (isWord(i, "elseif")) {
            std::size_t then = i;
            while (then < end && !isSeparator(then) && !isWord(then, "then"))
                ++then;
            return isWord(then, "then") ? then + 1 : statementEndChecked(i, end);
        }
        if (isWord(i, "with"))
            m_withResponse.push_back(i + 2 == statementEnd(i, end, inBranch) && isWord(i + 1, "response"));
        if (isWord(i, "end") && isWord(i + 1, "with") && !m_withResponse.empty())
            m_withResponse.pop_back();
        const std::size_t next = statementEnd(i, end, inBranch);
        refuseWrites(i, next);
        return next;
    }

    // Whether the statements converted are inside a Sub, Function or
    // Property.
    void trackProcedures(std::size_t i)
    {
        const auto isProcedureKeyword = [&](std::size_t at) {
            return isWord(at, "sub") || isWord(at, "function") || isWord(at, "property");
        };
        std::size_t keyword = i;
        while (isWord(keyword, "public") || isWord(keyword, "private") || isWord(keyword, "default"))
            ++keyword;
        if (isProcedureKeyword(keyword)) {
            ++m_procedureDepth;
            const std::size_t name = keyword + (isWord(keyword, "property") ? 2 : 1);
            m_procedure = name < count() && tok(name).kind == TokenKind::Word ? lowered(textOf(name)) : std::string();
        }
        else if (isWord(i, "end") && isProcedureKeyword(i + 1) && m_procedureDepth > 0)
            --m_procedureDepth;
    }

    // Outside procedures: whether On Error Resume Next has run, and how
    // deep in blocks (If, Select, loops, With) the statement is; only an
    // On Error GoTo 0 outside blocks surely ends error skipping.
    void trackErrorSkipping(std::size_t i, std::size_t end, bool inBranch)
    {
        const std::size_t stop = lineEnd(i, end);
        for (std::size_t k = i; k < stop; ++k) {  // in a one-line If too
            if (isWord(k, "on") && isWord(k + 1, "error") && isWord(k + 2, "resume"))
                m_skippingErrors = true;
        }
        if (isWord(i, "on") && isWord(i + 1, "error") && isWord(i + 2, "goto") && m_blockDepth == 0 && !inBranch)
            m_skippingErrors = false;
        const bool blockIf = isWord(i, "if") && find(i, stop, "then") + 1 == stop;
        if (blockIf || isWord(i, "select") || isWord(i, "do") || isWord(i, "while") || isWord(i, "for")
            || isWord(i, "with"))
            ++m_blockDepth;
        const bool endsBlock = isWord(i, "end") && (isWord(i + 1, "if") || isWord(i + 1, "select") || isWord(i + 1, "with"));
        if (endsBlock || isWord(i, "loop") || isWord(i, "wend") || isWord(i, "next"))
            m_blockDepth = std::max(0, m_blockDepth - 1);
    }

    bool errorsMaySkipHere() const
    {
        if (m_procedureDepth > 0)
            return m_hazards.errorsMaySkipIn(m_procedure);
        return m_hazards.errorSkippingFollowsThePage() ? m_skippingErrors : m_hazards.skipsErrors();
    }

    // The index of the first token of the argument when the statement at
    // i calls Response.Write (or .Write inside With Response), else 0.
    std::size_t writeArgument(std::size_t i) const
    {
        if (isWord(i, "call"))
            ++i;
        if (isWord(i, "response") && isOperator(i + 1, ".") && isWord(i + 2, "write"))
            return i + 3;
        if (isOperator(i, ".") && isWord(i + 1, "write") && withResponse())
            return i + 2;
        return 0;
    }

    std::size_t write(std::size_t i, std::size_t end)
    {
        std::size_t first = writeArgument(i);
        std::size_t last = end;
        if (isWord(i, "call")) {
            if (!isOperator(first, "(") || matchingParenthesis(first) != end - 1)
                return failAt(first < end ? first : first - 1,
                              "Call Response.Write needs its argument in parentheses");
            ++first;
            --last;
        }
        if (first >= last)
            return failAt(first - 1, "Response.Write needs an argument");
        std::vector<Piece> pieces;
        m_tooDeep = false;
        if (!flatten(first, last, pieces))
            return end;
        if (m_tooDeep) {  // stays whole, so that its template read again is the same
            note(tok(i).begin, "its parentheses are nested too deeply to be read");
            pieces = {Piece{false, {}, first, last}};
        }

        std::size_t spanBegin = tok(i).begin;
        if (i > 0 && tok(i - 1).kind == TokenKind::Colon && tok(i - 1).begin >= m_pos)
            spanBegin = tok(i - 1).begin;
        std::size_t spanEnd = tok(end - 1).end;
        std::size_t next = end;
        if (end < count() && tok(end).kind == TokenKind::Colon) {
            spanEnd = tok(end).end;
            ++next;
        }
        emitSourceUpTo(spanBegin);
        pieces = merged(std::move(pieces));
        Layout layout = layoutOf(pieces);
        if (layout.whole) {
            note(tok(i).begin, *layout.whole);
            pieces = {Piece{false, {}, first, last}};
            layout = {};
        }
        writePieces(pieces, layout);
        m_pos = spanEnd;
        return next;
    }

    // How the pieces of a write of several pieces are written: one
    // <%= %> each, or the whole write in one (and why), and which are
    // evaluated into a variable before the write's text prints.
    struct Layout {
        std::optional<std::string> whole;
        std::vector<bool> evaluatedFirst;
    };

    void writePieces(const std::vector<Piece>& pieces, const Layout& layout)
    {
        if (pieces.size() == 1 && pieces.front().literal) {
            if (pieces.front().value.empty())
                m_writer.code(m_newline);
            else
                m_writer.text(pieces.front().value, false);
            return;
        }
        std::vector<std::string> names(pieces.size());
        for (std::size_t p = 0; p < layout.evaluatedFirst.size(); ++p) {
            if (layout.evaluatedFirst[p])
                names[p] = evaluateFirst(pieces[p]);
        }
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            if (pieces[p].literal)
                m_writer.text(pieces[p].value, false);
            else
                m_writer.expression(spaced(names[p].empty() ? joined(pieces[p].first, pieces[p].last) : names[p]));
        }
    }

    // The page evaluates a write's argument whole before it prints; the
    // template prints it piece by piece. The two print the same unless,
    // while a piece is evaluated, it prints (after another piece), changes
    // a variable that a piece before it read (Wine's VBScript reads a
    // variable joined by & only when the & runs), or fails with errors skipped,
    // which stops the write halfway: then the write stays whole. A piece
    // that may fail with errors not skipped stops the page; it is
    // evaluated before any of the write prints, as in the page.
    Layout layoutOf(const std::vector<Piece>& pieces) const
    {
        Layout layout;
        if (pieces.size() < 2)
            return layout;
        const std::string procedure = m_procedureDepth > 0 ? m_procedure : std::string();
        const bool skipping = errorsMaySkipHere();
        bool variableBefore = false;  // a piece before reads a variable, which an engine may read late
        bool mayFailAfterText = false;
        layout.evaluatedFirst.assign(pieces.size(), false);
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            const Piece& piece = pieces[p];
            if (piece.literal)
                continue;
            const bool safe = m_hazards.cannotFail(*m_tokens, piece.first, piece.last, procedure);
            if (!safe) {
                if (skipping)
                    layout.whole = skippedReason(piece);
                else if (p > 0 && m_hazards.mayPrint(*m_tokens, piece.first, piece.last))
                    layout.whole = printingReason(piece);
                else if (variableBefore && m_hazards.mayChangeState(*m_tokens, piece.first, piece.last))
                    layout.whole = codeThen(shown(piece), " may change a value read before it in the same write");
                if (layout.whole)
                    return layout;
                layout.evaluatedFirst[p] = true;
                mayFailAfterText = mayFailAfterText || p > 0;
            }
            variableBefore = variableBefore || m_hazards.readsVariable(*m_tokens, piece.first, piece.last);
        }
        if (!mayFailAfterText)
            layout.evaluatedFirst.clear();
        return layout;
    }

    std::string skippedReason(const Piece& piece) const
    {
        if (!m_hazards.errorSkippingFollowsThePage() && m_hazards.includesUnread()) {
            if (const std::optional<std::string> unknown = unknownName(piece))
                return codeThen(*unknown, " may be a function, or fail while errors are skipped: " + m_unreadInclude);
            return codeThen(shown(piece), " may fail while errors are skipped: " + m_unreadInclude);
        }
        return codeThen(shown(piece), " may fail while On Error Resume Next skips errors, which would stop the write halfway");
    }

    std::string printingReason(const Piece& piece) const
    {
        const std::optional<std::string> unknown = unknownName(piece);
        if (unknown && m_hazards.includesUnread())
            return codeThen(*unknown, " may be a function that prints: " + m_unreadInclude);
        return codeThen(shown(piece), " may print while the write is evaluated");
    }

    // The first name of the piece that neither the page nor VBScript declares.
    std::optional<std::string> unknownName(const Piece& piece) const
    {
        for (std::size_t i = piece.first; i < piece.last; ++i) {
            const bool member = i > piece.first && isOperator(i - 1, ".");
            if (tok(i).kind == TokenKind::Word && !member && !m_hazards.isKnown(lowered(textOf(i))))
                return std::string(textOf(i));
        }
        return std::nullopt;
    }

    // The piece's code as a note shows it: on one line, long ones cut.
    std::string shown(const Piece& piece) const
    {
        constexpr std::size_t kMost = 48;
        std::string code = joined(piece.first, piece.last);
        if (code.size() > kMost) {
            std::size_t cut = kMost;
            while (cut > 0 && utf8::isContinuation(static_cast<unsigned char>(code[cut])))
                --cut;
            code.resize(cut);
            code += "...";
        }
        return code;
    }

    // Code that evaluates the piece as & would, into a variable of its
    // own; the variable's name.
    std::string evaluateFirst(const Piece& piece)
    {
        const std::string name = m_valuePrefix + std::to_string(++m_values);
        if (!m_writer.atStatementStart())
            m_writer.code(m_newline);
        std::string code = m_writer.inCode() ? "Dim " : " Dim ";
        code += name;
        code += " : ";
        code += name;
        code += " = \"\" & (";
        code += joined(piece.first, piece.last);
        code += ')';
        code += m_newline;
        m_writer.code(code);
        return name;
    }

    // A prefix for those variables that no name of the page or of the
    // files it includes starts with, followed by a digit.
    static std::string valuePrefix(std::string_view page, const std::vector<std::string>& included)
    {
        std::string prefix = "written";
        const auto taken = [&prefix](std::string_view text) {
            for (std::size_t i = 0; i + prefix.size() < text.size(); ++i) {
                if (vbscript::sameWord(text.substr(i, prefix.size()), lowered(prefix))
                    && std::isdigit(static_cast<unsigned char>(text[i + prefix.size()])) != 0)
                    return true;
            }
            return false;
        };
        while (taken(page) || std::any_of(included.begin(), included.end(), taken))
            prefix += '_';
        return prefix;
    }

    void note(std::size_t offset, std::string reason)
    {
        const ScriptReadError place = m_places.at(offset, {});
        m_notes.push_back({place.line, place.column, std::move(reason)});
    }

    static std::vector<Piece> merged(std::vector<Piece> pieces)
    {
        std::vector<Piece> result;
        for (Piece& piece : pieces) {
            if (piece.literal && !result.empty() && result.back().literal)
                result.back().value += piece.value;
            else
                result.push_back(std::move(piece));
        }
        return result;
    }

    // The pieces of the expression [first, last): the operands of its
    // top-level &, parentheses opened, constants read.
    bool flatten(std::size_t first, std::size_t last, std::vector<Piece>& pieces, int nesting = 0)
    {
        std::vector<std::size_t> ampersands;
        bool looser = false;  // an operator that binds less tightly than &
        for (std::size_t i = first; i < last; ++i) {
            if (isOperator(i, "(") && matchingParenthesis(i) < last)
                i = matchingParenthesis(i);
            else if (isOperator(i, "(") || isOperator(i, ")"))
                return fail(tok(i).begin, "unbalanced parentheses");
            else if (isOperator(i, ","))
                return fail(tok(i).begin, "Response.Write takes one argument");
            else if (isOperator(i, "&"))
                ampersands.push_back(i);
            else if (bindsLooserThanConcatenation(i))
                looser = true;
        }
        if (looser) {
            pieces.push_back({false, {}, first, last});
            return refuseWrites(first, last);
        }
        ampersands.push_back(last);
        std::size_t begin = first;
        for (const std::size_t ampersand : ampersands) {
            if (begin == ampersand)
                return fail(tok(ampersand < last ? ampersand : last - 1).begin,
                            "an operand of & is missing");
            if (!operand(begin, ampersand, pieces, nesting))
                return false;
            begin = ampersand + 1;
        }
        return true;
    }

    // Parentheses nested deeper than this stay in an expression.
    static constexpr int kMaxNesting = 64;

    bool operand(std::size_t first, std::size_t last, std::vector<Piece>& pieces, int nesting)
    {
        while (isOperator(first, "(") && matchingParenthesis(first) == last - 1 && first + 2 < last) {
            if (nesting++ == kMaxNesting) {
                m_tooDeep = true;
                break;
            }
            if (!containsConcatenation(first + 1, last - 1)) {
                ++first;
                --last;
                continue;
            }
            return flatten(first + 1, last - 1, pieces, nesting);
        }
        if (auto value = constantSum(first, last)) {
            pieces.push_back({true, std::move(*value), first, last});
            return true;
        }
        pieces.push_back({false, {}, first, last});
        return refuseWrites(first, last);
    }

    // Whether [first, last) joins operands with & outside parentheses.
    bool containsConcatenation(std::size_t first, std::size_t last) const
    {
        for (std::size_t i = first; i < last; ++i) {
            if (isOperator(i, "(") && matchingParenthesis(i) < last)
                i = matchingParenthesis(i);
            else if (isOperator(i, "&"))
                return true;
        }
        return false;
    }

    // The value of constant strings joined by +, which concatenates only
    // when both sides are strings.
    std::optional<std::string> constantSum(std::size_t first, std::size_t last) const
    {
        std::string value;
        for (std::size_t i = first;;) {
            std::size_t width = 0;
            if (!constant(i, last, value, width))
                return std::nullopt;
            i += width;
            if (i == last)
                return value;
            if (!isOperator(i, "+"))
                return std::nullopt;
            ++i;
        }
    }

    bool constant(std::size_t i, std::size_t last, std::string& value, std::size_t& width) const
    {
        if (i >= last)
            return false;
        if (tok(i).kind == TokenKind::String) {
            // Response.Write sends a string in Response.CodePage, the
            // page's text as it is: where they may differ, only ASCII
            // is known to be sent the same.
            const std::string string = vbscript::stringValue(textOf(i));
            if (beyondAscii(string) && m_hazards.codePageMayDiffer())
                return false;
            value += string;
            width = 1;
            return true;
        }
        if (tok(i).kind != TokenKind::Word)
            return false;
        if (auto named = namedConstant(textOf(i))) {
            value += *named;
            width = 1;
            return true;
        }
        const bool chr = isWord(i, "chr") || isWord(i, "chrw");
        if (chr && i + 3 < last && isOperator(i + 1, "(") && tok(i + 2).kind == TokenKind::Number
            && isOperator(i + 3, ")")) {
            if (auto character = asciiCharacter(textOf(i + 2))) {
                value += *character;
                width = 4;
                return true;
            }
        }
        return false;
    }

    // A one-line If that writes becomes the block form, so that its
    // writes can become text between code blocks.
    std::size_t ifStatement(std::size_t i, std::size_t end)
    {
        const std::size_t lineStop = lineEnd(i, end);
        const std::size_t then = find(i, lineStop, "then");
        if (then == lineStop)
            return statementEndChecked(i, end);
        if (then + 1 == lineStop)
            return then + 1;
        if (!containsWrite(then + 1, lineStop))
            return lineStop;
        const std::size_t bodyEnd = oneLineIfBodyEnd(then, lineStop);
        if (m_failure)
            return count();
        const std::size_t elseAt = find(then + 1, bodyEnd, "else");
        emitSourceUpTo(tok(then).end);
        branch(then + 1, elseAt);
        if (elseAt != bodyEnd) {
            m_writer.code(m_newline);
            m_writer.code("Else");
            m_pos = tok(elseAt).end;
            branch(elseAt + 1, bodyEnd);
        }
        m_writer.code(m_newline);
        m_writer.code("End If");
        m_pos = tok(lineStop - 1).end;
        if (lineStop < count() && tok(lineStop).kind == TokenKind::Comment && tok(lineStop).begin == m_pos)
            m_writer.code(" ");  // before a comment that followed the last token
        return lineStop;
    }

    // Where the statements of a one-line If end: before an End If that
    // ends the line, or at the line's end. The forms that engines read
    // differently are refused.
    std::size_t oneLineIfBodyEnd(std::size_t then, std::size_t lineStop)
    {
        std::size_t bodyEnd = find(then + 1, lineStop, "end");
        while (bodyEnd < lineStop && !isWord(bodyEnd + 1, "if"))
            bodyEnd = find(bodyEnd + 1, lineStop, "end");
        if (bodyEnd < lineStop && bodyEnd + 2 != lineStop)
            return failAt(bodyEnd + 2, "statements after the End If of a one-line If that writes are not supported");
        if (tok(then + 1).kind == TokenKind::Colon)
            return failAt(then + 1, "a one-line If whose statements start with ':' is not supported");
        const std::size_t nested = find(then + 1, bodyEnd, "if");
        if (nested != bodyEnd)
            return failAt(nested, "a one-line If inside a one-line If that writes is not supported");
        return bodyEnd;
    }

    // The statements of one branch of a one-line If, one a line.
    void branch(std::size_t first, std::size_t last)
    {
        for (std::size_t i = first; i < last && !m_failure;) {
            if (tok(i).kind == TokenKind::Colon) {
                ++i;
                continue;
            }
            m_writer.code(m_newline);
            m_pos = tok(i).begin;
            const std::size_t next = statement(i, last, true);
            emitSourceUpTo(tok(next - 1).end);
            i = next;
        }
    }

    std::size_t statementEndChecked(std::size_t i, std::size_t end)
    {
        const std::size_t next = statementEnd(i, end, false);
        refuseWrites(i, next);
        return next;
    }

    // ---- what is left must not write ----------------------------------------

    bool containsWrite(std::size_t first, std::size_t last) const
    {
        for (std::size_t i = first; i < last; ++i) {
            if (writesAt(i, first))
                return true;
        }
        return false;
    }

    // Whether the tokens from `first` call Response.Write at i.
    bool writesAt(std::size_t i, std::size_t first) const
    {
        if (isWord(i, "response") && isOperator(i + 1, ".") && isWord(i + 2, "write"))
            return true;
        // x.Write and f(x).Write are members of something else.
        const bool member = i > first && tok(i - 1).end == tok(i).begin
                            && (tok(i - 1).kind == TokenKind::Word || isOperator(i - 1, ")"));
        return isOperator(i, ".") && isWord(i + 1, "write") && withResponse() && !member;
    }

    bool refuseWrites(std::size_t first, std::size_t last)
    {
        for (std::size_t i = first; i < last; ++i) {
            if (writesAt(i, first))
                return fail(tok(i).begin, "Response.Write used here cannot be turned into a template");
        }
        return true;
    }

    // ---- tokens ----------------------------------------------------------------

    std::size_t count() const { return m_tokens->size(); }
    const Token& tok(std::size_t i) const { return (*m_tokens)[i]; }
    std::string_view textOf(std::size_t i) const
    {
        return m_page.substr(tok(i).begin, tok(i).end - tok(i).begin);
    }
    bool isWord(std::size_t i, std::string_view lowerWord) const
    {
        return i < count() && tok(i).kind == TokenKind::Word && sameWord(textOf(i), lowerWord);
    }
    bool isOperator(std::size_t i, std::string_view op) const
    {
        return i < count() && tok(i).kind == TokenKind::Operator && textOf(i) == op;
    }
    bool isSeparator(std::size_t i) const
    {
        const TokenKind kind = tok(i).kind;
        return kind == TokenKind::Colon || kind == TokenKind::Newline || kind == TokenKind::Comment;
    }
    bool withResponse() const { return !m_withResponse.empty() && m_withResponse.back(); }

    bool bindsLooserThanConcatenation(std::size_t i) const
    {
        if (tok(i).kind == TokenKind::Operator) {
            const std::string_view op = textOf(i);
            return op == "=" || op == "<" || op == ">" || op == "<=" || op == ">=" || op == "<>";
        }
        for (const std::string_view word : {"is", "not", "and", "or", "xor", "eqv", "imp"}) {
            if (isWord(i, word))
                return true;
        }
        return false;
    }

    std::size_t statementEnd(std::size_t i, std::size_t end, bool stopAtElse) const
    {
        while (i < end && !isSeparator(i) && !(stopAtElse && isWord(i, "else")))
            ++i;
        return i;
    }

    std::size_t lineEnd(std::size_t i, std::size_t end) const
    {
        while (i < end && tok(i).kind != TokenKind::Newline && tok(i).kind != TokenKind::Comment)
            ++i;
        return i;
    }

    std::size_t find(std::size_t first, std::size_t last, std::string_view lowerWord) const
    {
        while (first < last && !isWord(first, lowerWord))
            ++first;
        return first;
    }

    // The index of the ")" that closes the "(" at `open`, or count().
    std::size_t matchingParenthesis(std::size_t open) const { return (*m_closers)[open]; }

    // The source of the tokens [first, last) on one line: continuations
    // become a blank.
    std::string joined(std::size_t first, std::size_t last) const
    {
        std::string result(textOf(first));
        for (std::size_t i = first + 1; i < last; ++i) {
            const std::string_view gap = m_page.substr(tok(i - 1).end, tok(i).begin - tok(i - 1).end);
            result += gap.find_first_of("\r\n") == std::string_view::npos ? gap : " ";
            result += textOf(i);
        }
        return result;
    }

    // ---- output and failures ---------------------------------------------------

    void emitSourceUpTo(std::size_t offset)
    {
        if (offset <= m_pos)
            return;
        m_writer.code(m_page.substr(m_pos, offset - m_pos));
        m_pos = offset;
    }

    bool fail(std::size_t offset, std::string message)
    {
        if (!m_failure)
            m_failure = Failure{offset, std::move(message)};
        return false;
    }

    std::size_t failAt(std::size_t i, std::string message)
    {
        fail(tok(std::min(i, count() - 1)).begin, std::move(message));
        return count();
    }

    std::string_view m_page;
    ScriptPlaces m_places{m_page};  // of the notes
    std::string_view m_newline;
    std::vector<Segment> m_segments;
    std::vector<Token> m_blockTokens;          // of the block being converted
    std::vector<std::size_t> m_blockClosers;   // for each "(", the index of its ")"
    const std::vector<Token>* m_tokens = &m_blockTokens;
    const std::vector<std::size_t>* m_closers = &m_blockClosers;
    AspPrintHazards m_hazards{m_page};
    std::vector<bool> m_withResponse;
    bool m_includes = false;
    int m_procedureDepth = 0;
    bool m_skippingErrors = false;  // outside procedures, at the statement converted
    bool m_tooDeep = false;         // parentheses nested deeper than kMaxNesting were left whole
    int m_blockDepth = 0;           // outside procedures
    std::string m_procedure;  // the one being converted, in lower case
    std::size_t m_pos = 0;  // the page's code is written up to here
    AspTemplateWriter m_writer;
    std::optional<Failure> m_failure;
    std::string m_valuePrefix = "written";  // of the variables pieces are evaluated into
    std::string m_unreadInclude = "an included file could not be read";
    std::size_t m_values = 0;               // such variables so far
    WriteNotes m_notes;
};

}  // namespace

std::variant<std::string, ScriptReadError> aspTemplate(std::string_view page, const AspIncludeReader& readIncludes,
                                                       WriteNotes* notes)
{
    Converter converter(page);
    auto result = converter.run(readIncludes);
    if (notes && std::holds_alternative<std::string>(result))
        *notes = converter.takeNotes();
    return result;
}

namespace {

// What a token of code means for a page written in another encoding.
std::optional<std::string_view> encodingHazard(std::string_view page, const Token& token)
{
    const std::string_view text = page.substr(token.begin, token.end - token.begin);
    if (token.kind == TokenKind::Comment)
        return std::nullopt;
    if (beyondAscii(text))
        return token.kind == TokenKind::String ? "a string in code holds characters beyond ASCII"
                                               : "code holds characters beyond ASCII";
    if (token.kind == TokenKind::Word && sameWord(text, "codepage"))
        return "code names a code page";
    return std::nullopt;
}

}  // namespace

std::vector<ScriptReadError> aspCodeBeyondAscii(std::string_view page, std::size_t limit)
{
    std::vector<ScriptReadError> places;
    for (std::size_t open = page.find("<%"); open != std::string_view::npos && places.size() < limit;
         open = page.find("<%", open)) {
        const std::size_t close = page.find("%>", open + 2);
        if (close == std::string_view::npos)
            break;
        const std::size_t marker = vbscript::directiveMarker(page, open);
        const std::size_t begin = marker < close ? marker + 1 : open + 2 + (close > open + 2 && page[open + 2] == '=');
        const vbscript::Tokens lexed = vbscript::tokenize(page, begin, close);
        for (const Token& token : lexed.tokens) {
            if (places.size() >= limit)
                break;
            if (const std::optional<std::string_view> hazard = encodingHazard(page, token))
                places.push_back(errorAtOffset(page, token.begin, std::string(*hazard)));
        }
        open = close + 2;
    }
    return places;
}

}  // namespace tagora

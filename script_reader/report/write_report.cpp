#include "write_report.h"

#include "php_lexer.h"
#include "vbscript_lexer.h"

#include <algorithm>
#include <optional>
#include <vector>
#include <variant>

namespace tagora {

namespace {

struct Counts {
    std::size_t writes = 0;
    std::size_t text = 0;  // bytes of string literals written
    std::size_t textExpressions = 0;  // <%= %> or <?= ?> that write string literals
};

// Whether a literal is an argument of a call (f("x"), $a["k"]), which is
// not text written.
class ArgumentDepth {
public:
    void bracket(bool opens, bool call)
    {
        if (opens) {
            m_open.push_back(call);
            m_calls += call ? 1 : 0;
        } else if (!m_open.empty()) {
            m_calls -= m_open.back() ? 1 : 0;
            m_open.pop_back();
        }
    }
    bool inside() const { return m_calls > 0; }

private:
    std::vector<bool> m_open;
    int m_calls = 0;
};

// ---- ASP ----------------------------------------------------------------

class AspCounter {
public:
    explicit AspCounter(std::string_view page) : m_page(page) {}

    Counts run()
    {
        for (std::size_t open = m_page.find("<%"); open != std::string_view::npos;) {
            const std::size_t close = m_page.find("%>", open + 2);
            if (close == std::string_view::npos)
                break;
            const char marker = m_page[open + 2];
            if (vbscript::directiveMarker(m_page, open) > close)
                block(open + (marker == '=' ? 3 : 2), close, marker == '=');
            open = m_page.find("<%", close + 2);
        }
        return m_counts;
    }

private:
    std::string_view textOf(const vbscript::Token& token) const
    {
        return m_page.substr(token.begin, token.end - token.begin);
    }

    bool isWord(const std::vector<vbscript::Token>& tokens, std::size_t i, std::string_view lowerWord) const
    {
        return i < tokens.size() && tokens[i].kind == vbscript::TokenKind::Word
               && vbscript::sameWord(textOf(tokens[i]), lowerWord);
    }

    // Counts Response.Write statements and the literals that they, or an
    // expression block, write.
    void block(std::size_t begin, std::size_t end, bool expression)
    {
        const vbscript::Tokens lexed = vbscript::tokenize(m_page, begin, end);
        const std::vector<vbscript::Token>& tokens = lexed.tokens;
        bool writing = expression;
        const std::size_t textBefore = m_counts.text;
        ArgumentDepth arguments;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const vbscript::TokenKind kind = tokens[i].kind;
            const std::string_view text = textOf(tokens[i]);
            if (kind == vbscript::TokenKind::Operator && (text == "(" || text == ")"))
                arguments.bracket(text == "(", i > 0 && tokens[i - 1].kind == vbscript::TokenKind::Word
                                                   && !isWord(tokens, i - 1, "write"));
            if (kind == vbscript::TokenKind::Newline || kind == vbscript::TokenKind::Colon
                || kind == vbscript::TokenKind::Comment || isWord(tokens, i, "else")) {
                writing = expression;
                arguments = {};
            } else if (isWord(tokens, i, "response") && i + 2 < tokens.size() && textOf(tokens[i + 1]) == "."
                       && isWord(tokens, i + 2, "write")) {
                ++m_counts.writes;
                writing = true;
            } else if (writing && kind == vbscript::TokenKind::String && !arguments.inside()) {
                m_counts.text += vbscript::stringValue(textOf(tokens[i])).size();
            }
        }
        if (expression && m_counts.text > textBefore)
            ++m_counts.textExpressions;
    }

    std::string_view m_page;
    Counts m_counts;
};

// ---- PHP ----------------------------------------------------------------

Counts phpCounts(std::string_view script)
{
    Counts counts;
    bool writing = false;
    bool echoTag = false;  // in <?= ?>
    bool echoTagText = false;
    ArgumentDepth arguments;
    std::optional<php::Token> previous;
    const auto count = [&](const php::Lexed& piece) {
        for (const php::Token& token : piece.tokens) {
            const bool opens = php::isPunct(token, script, "(") || php::isPunct(token, script, "[");
            if (opens || php::isPunct(token, script, ")") || php::isPunct(token, script, "]"))
                arguments.bracket(opens, previous && ((previous->kind == php::TokenKind::Name
                                                       && !php::isName(*previous, script, "echo")
                                                       && !php::isName(*previous, script, "print"))
                                                      || previous->kind == php::TokenKind::Variable
                                                      || php::isPunct(*previous, script, ")")
                                                      || php::isPunct(*previous, script, "]")));
            if (token.kind == php::TokenKind::OpenTagWithEcho) {
                writing = echoTag = true;
                echoTagText = false;
            } else if (php::isName(token, script, "echo") || php::isName(token, script, "print")) {
                ++counts.writes;
                writing = true;
            } else if (token.kind == php::TokenKind::CloseTag || php::isPunct(token, script, ";")) {
                counts.textExpressions += echoTag && echoTagText ? 1 : 0;
                writing = echoTag = false;
                arguments = {};
            } else if (writing && !arguments.inside()
                       && (token.kind == php::TokenKind::String || token.kind == php::TokenKind::StringText)) {
                counts.text += piece.values[token.link].second;
                echoTagText = echoTagText || echoTag;
            }
            previous = token;
        }
    };
    // a piece at a time: the file's tokens all at once take several times its size
    return php::lexInPieces(script, count) ? Counts{} : counts;
}

Counts countsOf(std::string_view script, Target language)
{
    return language == Target::Asp ? AspCounter(script).run() : phpCounts(script);
}

}  // namespace

WriteReport writeReport(std::string_view file, std::string_view templ, Target language)
{
    const Counts before = countsOf(file, language);
    const Counts after = countsOf(templ, language);
    const std::size_t newExpressions = after.textExpressions > before.textExpressions
                                           ? after.textExpressions - before.textExpressions : 0;
    WriteReport report{before.writes, after.writes, before.text, after.text, newExpressions};
    report.keptWhole = std::min(report.keptWhole, report.writesConverted());
    return report;
}

}  // namespace tagora

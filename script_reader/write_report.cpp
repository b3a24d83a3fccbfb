#include "script_reader/write_report.h"

#include "script_reader/php_lexer.h"
#include "script_reader/vbscript_lexer.h"

#include <algorithm>
#include <variant>

namespace tagora {

namespace {

struct Counts {
    std::size_t writes = 0;
    std::size_t text = 0;  // bytes of string literals written
    std::size_t textExpressions = 0;  // <%= %> or <?= ?> that write string literals
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
            if (marker != '@')
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
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const vbscript::TokenKind kind = tokens[i].kind;
            if (kind == vbscript::TokenKind::Newline || kind == vbscript::TokenKind::Colon
                || kind == vbscript::TokenKind::Comment || isWord(tokens, i, "else")) {
                writing = expression;
            } else if (isWord(tokens, i, "response") && i + 2 < tokens.size() && textOf(tokens[i + 1]) == "."
                       && isWord(tokens, i + 2, "write")) {
                ++m_counts.writes;
                writing = true;
            } else if (writing && kind == vbscript::TokenKind::String) {
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
    const auto lexed = php::lex(script);
    const php::Lexed* tokens = std::get_if<php::Lexed>(&lexed);
    if (!tokens)
        return counts;
    bool writing = false;
    bool echoTag = false;  // in <?= ?>
    bool echoTagText = false;
    for (const php::Token& token : tokens->tokens) {
        if (token.kind == php::TokenKind::OpenTagWithEcho) {
            writing = echoTag = true;
            echoTagText = false;
        } else if (php::isName(token, script, "echo") || php::isName(token, script, "print")) {
            ++counts.writes;
            writing = true;
        } else if (token.kind == php::TokenKind::CloseTag || php::isPunct(token, script, ";")) {
            counts.textExpressions += echoTag && echoTagText ? 1 : 0;
            writing = echoTag = false;
        } else if (writing && (token.kind == php::TokenKind::String || token.kind == php::TokenKind::StringText)) {
            counts.text += tokens->values[token.link].second;
            echoTagText = echoTagText || echoTag;
        }
    }
    return counts;
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

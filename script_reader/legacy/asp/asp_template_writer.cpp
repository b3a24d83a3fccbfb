#include "asp_template_writer.h"

#include "vbscript_lexer.h"

#include <algorithm>

namespace tagora {

namespace {

constexpr std::string_view kHiddenLessThan = "<%= \"<\" %>";

bool isBlankOrBreak(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
           || c == '_' || c == '-' || c == ':';
}

// The first case-insensitive occurrence of a lower-case word at or after
// `from`, or text.size().
std::size_t findWord(std::string_view text, std::string_view lowerWord, std::size_t from)
{
    for (std::size_t i = from; i + lowerWord.size() <= text.size(); ++i) {
        if (vbscript::sameWord(text.substr(i, lowerWord.size()), lowerWord))
            return i;
    }
    return text.size();
}

}  // namespace

bool startsInclude(std::string_view text, std::size_t at)
{
    if (text.substr(at, 4) != "<!--")
        return false;
    std::size_t i = at + 4;
    while (i < text.size() && isBlankOrBreak(text[i]))
        ++i;
    return i < text.size() && text[i] == '#';
}

bool ServerScriptFinder::startsAt(std::size_t at)
{
    if (!vbscript::sameWord(m_text.substr(at, m_tag.size()), m_tag))
        return false;
    const std::size_t afterName = at + m_tag.size();
    if (afterName < m_text.size() && isNameChar(m_text[afterName]))
        return false;
    // Both start at 0, before any tag's name ends: the first tag searches.
    if (m_tagEnd < afterName)
        m_tagEnd = std::min(m_text.find('>', afterName), m_text.size());
    if (m_runat < afterName)
        m_runat = findWord(m_text, "runat", afterName);
    return m_runat < m_tagEnd;
}

void AspTemplateWriter::text(std::string_view text, bool fromPage)
{
    flushCode();
    if (fromPage) {
        for (std::size_t i = text.find("<!--"); i != std::string_view::npos;
             i = text.find("<!--", i + 1)) {
            if (startsInclude(text, i))
                m_pageIncludes.push_back(m_text.size() + i);
        }
    }
    m_text += text;
}

void AspTemplateWriter::code(std::string_view code)
{
    m_code += code;
}

bool AspTemplateWriter::atStatementStart() const
{
    const std::size_t last = m_code.find_last_not_of(" \t");
    return last == std::string::npos || m_code[last] == '\n' || m_code[last] == '\r' || m_code[last] == ':';
}

void AspTemplateWriter::endCode()
{
    flushCode();
}

void AspTemplateWriter::expression(std::string_view inner)
{
    flushCode();
    flushText();
    m_out += "<%=";
    m_out += inner;
    m_out += "%>";
}

void AspTemplateWriter::directive(std::string_view whole)
{
    flushCode();
    flushText();
    m_out += whole;
}

std::string AspTemplateWriter::finish()
{
    flushCode();
    flushText();
    return std::move(m_out);
}

void AspTemplateWriter::flushCode()
{
    if (std::all_of(m_code.begin(), m_code.end(), isBlankOrBreak)) {
        m_code.clear();
        return;
    }
    flushText();
    m_out += "<%";
    if (m_code.front() == '=' || m_code.front() == '@')
        m_out += ' ';
    m_out += m_code;
    m_out += "%>";
    m_code.clear();
}

void AspTemplateWriter::flushText()
{
    ServerScriptFinder serverScripts(m_text);
    ServerScriptFinder serverObjects(m_text, "<object");
    auto pageInclude = m_pageIncludes.begin();
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        const char c = m_text[i];
        if (c != '<') {
            m_out += c;
            continue;
        }
        while (pageInclude != m_pageIncludes.end() && *pageInclude < i)
            ++pageInclude;
        const bool include = startsInclude(m_text, i)
                             && (pageInclude == m_pageIncludes.end() || *pageInclude != i);
        const bool opensCode = i + 1 < m_text.size() && m_text[i + 1] == '%';
        if (opensCode || include || serverScripts.startsAt(i) || serverObjects.startsAt(i))
            m_out += kHiddenLessThan;
        else
            m_out += c;
    }
    m_text.clear();
    m_pageIncludes.clear();
}

}  // namespace tagora

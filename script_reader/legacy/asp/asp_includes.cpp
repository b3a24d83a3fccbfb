#include "asp_includes.h"

#include "asp_template_writer.h"
#include "vbscript_lexer.h"

namespace tagora {

namespace {

bool isBlankOrBreak(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class DirectiveReader {
public:
    DirectiveReader(std::string_view text, std::size_t at) : m_text(text), m_pos(at + 4) {}

    // <!-- #include file|virtual = "path" -->, blanks anywhere between.
    bool read(AspIncludeDirective& directive)
    {
        if (!expect("#include"))
            return false;
        if (word("file"))
            directive.isVirtual = false;
        else if (word("virtual"))
            directive.isVirtual = true;
        else
            return false;
        if (!expect("=") || !expect("\""))
            return false;
        const std::size_t close = m_text.find('"', m_pos);
        if (close == std::string_view::npos)
            return false;
        directive.path = std::string(m_text.substr(m_pos, close - m_pos));
        m_pos = close + 1;
        return !directive.path.empty() && expect("-->");
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && isBlankOrBreak(m_text[m_pos]))
            ++m_pos;
    }

    bool expect(std::string_view lowerWord)
    {
        skipBlanks();
        if (!vbscript::sameWord(m_text.substr(m_pos, lowerWord.size()), lowerWord))
            return false;
        m_pos += lowerWord.size();
        return true;
    }

    bool word(std::string_view lowerWord)
    {
        const std::size_t start = m_pos;
        if (expect(lowerWord) && (m_pos >= m_text.size() || isBlankOrBreak(m_text[m_pos]) || m_text[m_pos] == '='))
            return true;
        m_pos = start;
        return false;
    }

    std::string_view m_text;
    std::size_t m_pos;
};

// The directives of the text at `offset` in the page.
void addDirectivesOfText(std::string_view text, std::size_t offset, AspIncludeDirectives& found)
{
    for (std::size_t i = text.find("<!--"); i != std::string_view::npos; i = text.find("<!--", i + 1)) {
        if (!startsInclude(text, i))
            continue;
        AspIncludeDirective directive;
        directive.offset = offset + i;
        if (DirectiveReader(text, i).read(directive))
            found.directives.push_back(std::move(directive));
        else
            found.malformed = true;
    }
}

}  // namespace

AspIncludeDirectives aspIncludeDirectives(std::string_view page)
{
    AspIncludeDirectives found;
    std::size_t pos = 0;
    while (pos < page.size()) {
        const std::size_t open = page.find("<%", pos);
        addDirectivesOfText(page.substr(pos, open == std::string_view::npos ? open : open - pos), pos, found);
        if (open == std::string_view::npos)
            break;
        const std::size_t close = page.find("%>", open + 2);
        if (close == std::string_view::npos)
            break;
        pos = close + 2;
    }
    return found;
}

}  // namespace tagora

// Writes an ASP template piece by piece, in the order the page prints:
// HTML text, <%= … %> expressions, <% … %> code and <%@ … %> directives.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tagora {

// Text written next to text is merged, so the template never holds
// sequences that ASP would read as code where the page printed them as
// text: "<%", a server-side include, and <script runat="server"> or
// <object runat="server"> written by the page have their "<" written as
// <%= "<" %>. Code blocks that hold
// only blanks are left out.
class AspTemplateWriter {
public:
    // fromPage: text that was HTML in the page itself, where an include
    // is meant as one.
    void text(std::string_view text, bool fromPage);
    // Code of the current <% … %> block.
    void code(std::string_view code);
    // Whether code written now starts a statement: no code of the current
    // block yet, or it ends its line or a statement with ':'.
    bool atStatementStart() const;
    // Whether a code block is open: code() was called since the last text.
    bool inCode() const { return !m_code.empty(); }
    // Closes the current code block; the next code() opens another.
    void endCode();
    // <%=inner%>
    void expression(std::string_view inner);
    // A directive as the page wrote it, delimiters included.
    void directive(std::string_view whole);
    std::string finish();

private:
    void flushCode();
    void flushText();

    std::string m_out;
    std::string m_code;
    std::string m_text;
    std::vector<std::size_t> m_pageIncludes;  // offsets in m_text
};

// Whether an include directive (<!--, blanks, #) starts at text[at].
bool startsInclude(std::string_view text, std::size_t at);

// Finds <script …> start tags (or those of another element) that name
// "runat" before their ">": ASP runs those on the server, or makes the
// object they declare. Successive calls must ask about increasing
// offsets; the whole text is then read a bounded number of times.
class ServerScriptFinder {
public:
    explicit ServerScriptFinder(std::string_view text, std::string_view tag = "<script") : m_text(text), m_tag(tag) {}
    bool startsAt(std::size_t at);

private:
    std::string_view m_text;
    std::string_view m_tag;  // "<" and the element's name in lower case
    std::size_t m_tagEnd = 0;
    std::size_t m_runat = 0;
};

}  // namespace tagora

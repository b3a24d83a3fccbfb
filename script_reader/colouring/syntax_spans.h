// What each part of a text is, for colouring it: HTML's tags, attributes
// and comments; the strings, escapes, keywords and header of this
// program's scripts, read from the target descriptions; and the code
// islands of a PHP or ASP page, read by the PHP and VBScript lexers.
// Offsets are UTF-16 code units of the text given.
#pragma once

#include "script_writer/targets.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tagora::syntax {

enum class Kind : unsigned char {
    Tag,             // <p ...>, </p>, the brackets and the name
    Attribute,       // an attribute's name
    AttributeValue,  // its value, quotes included
    Entity,          // &amp; &#38;
    HtmlComment,     // <!-- ... -->
    Doctype,         // <!DOCTYPE ...> and other <!...> or <?...>
    CodeIsland,      // <?php ?> <?= <% %> <%= around code
    Header,          // the lines a script of this program starts with
    Keyword,
    Variable,
    Number,
    String,          // quotes included
    Escape,          // inside a string: \n, "", " & vbCr & "
    Comment,
};
inline constexpr int kKindCount = 14;

struct Span {
    std::size_t begin;
    std::size_t end;
    Kind kind;
};

// Lines of HTML, one at a time. The state carries what a line leaves open
// (a tag, a quoted value, a comment) to the next one; 0 at the start.
std::vector<Span> htmlLine(std::u16string_view line, int& state);

// Lines of a script of this program in the target's language, one at a
// time, the state starting at 0. Coloured as the target's description
// says the script is written: its first line and comment header, then
// code, strings and the escapes in them.
std::vector<Span> scriptLine(Target target, std::u16string_view line, int& state);

// A whole text read in Script to HTML mode: one of this program's scripts
// (recognised by its start) line by line as scriptLine does, any other PHP
// or ASP page as HTML with its code islands, anything else as HTML. A page the
// lexers cannot read to its end is coloured up to the place where they
// stop, and what follows is the unterminated string or comment there.
std::vector<Span> pageSpans(std::u16string_view text);

}  // namespace tagora::syntax
